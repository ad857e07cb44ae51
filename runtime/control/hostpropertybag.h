#pragma once

#include "propertybag.h"
#include <tovrell/interfaces.h>

// A host's IPropertyBag seen as the runtime's property bag, for a control
// that a host loads and saves through the component layer. Fonts travel as
// font dispatch objects, and a saved object that is not a font is a type
// mismatch; a value the host's bag cannot take in its own type is written
// as text.
class HostPropertyBag : public PropertyBag
{
public:
    HostPropertyBag(IPropertyBag *bag, IErrorLog *log)
        : m_bag(bag)
        , m_log(log)
    { }

    // The property read last: the one a failed load stopped at, since a
    // control applies each value right after reading it.
    QString lastRead() const { return m_lastRead; }

protected:
    std::optional<QVariant> value(const QString &name) const override;
    void store(const QString &name, const QVariant &value) override;

private:
    IPropertyBag *m_bag;
    IErrorLog *m_log;
    mutable QString m_lastRead;
};
