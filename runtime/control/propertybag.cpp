#include "propertybag.h"

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue)
{
    return value(name).value_or(defaultValue);
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    // Equal means the same type family and value: the number 42 is not the
    // text "42".
    const bool numbers = value.canConvert<double>() && defaultValue.canConvert<double>()
        && value.typeId() != QMetaType::QString && defaultValue.typeId() != QMetaType::QString;
    if (value.typeId() == defaultValue.typeId() ? value == defaultValue : numbers && value == defaultValue)
        return;
    store(name, value);
}

void MemoryPropertyBag::clear()
{
    m_keys.clear();
    m_values.clear();
}

std::optional<QVariant> MemoryPropertyBag::value(const QString &name) const
{
    const auto found = m_values.constFind(name);
    if (found == m_values.constEnd())
        return std::nullopt;
    return *found;
}

void MemoryPropertyBag::store(const QString &name, const QVariant &value)
{
    if (!m_values.contains(name))
        m_keys << name;
    m_values.insert(name, value);
}
