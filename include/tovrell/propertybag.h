#ifndef TOVRELL_PROPERTYBAG_H
#define TOVRELL_PROPERTYBAG_H

#include <tovrell/tovrell_export.h>

#include <QString>
#include <QVariant>

#include <optional>

namespace Tovrell {

// The host's store for a control's saved properties, which the host
// implements over its own form data. The control reads each property with
// value() and writes with store(), in a fixed order, and stores nothing for
// a value equal to its default.
class TOVRELL_EXPORT PropertyBag
{
public:
    PropertyBag();
    virtual ~PropertyBag();
    PropertyBag(const PropertyBag &) = delete;
    PropertyBag &operator=(const PropertyBag &) = delete;

    // The value stored under name, or none when nothing is stored (the
    // property then takes its default).
    virtual std::optional<QVariant> value(const QString &name) const = 0;
    // Stores value under name, replacing what was there.
    virtual void store(const QString &name, const QVariant &value) = 0;
};

} // namespace Tovrell

#endif
