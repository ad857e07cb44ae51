#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// The host's store for a control's saved properties. A control reads and
// writes through ReadProperty and WriteProperty; a host supplies the
// storage by implementing value() and store().
class PropertyBag
{
public:
    virtual ~PropertyBag() = default;

    // The stored value of name, or defaultValue when nothing is stored.
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue);
    // Stores value under name, and nothing when it equals defaultValue.
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue);

protected:
    virtual std::optional<QVariant> value(const QString &name) const = 0;
    virtual void store(const QString &name, const QVariant &value) = 0;
};

// A property bag kept in memory, in the order of writing.
class MemoryPropertyBag : public PropertyBag
{
public:
    QStringList keys() const { return m_keys; }
    QVariantMap values() const { return m_values; }
    void clear();

protected:
    std::optional<QVariant> value(const QString &name) const override;
    void store(const QString &name, const QVariant &value) override;

private:
    QStringList m_keys;
    QVariantMap m_values;
};
