#ifndef TOVRELL_ERROR_H
#define TOVRELL_ERROR_H

#include <tovrell/tovrell_export.h>

#include <QString>

#include <stdexcept>

namespace Tovrell {

// A value the control refused, thrown by a property's setter: the runtime
// error's number (380 invalid property value, 6 overflow, 13 type
// mismatch) and its message.
class TOVRELL_EXPORT Error : public std::runtime_error
{
public:
    Error(int number, const QString &message);
    ~Error() override;

    int number() const noexcept { return m_number; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    int m_number;
};

} // namespace Tovrell

#endif
