#pragma once

#include <tovrell/propertybag.h>

#include <QSettings>

// The demo's property bag: one group of a settings file per control.
class SettingsPropertyBag : public Tovrell::PropertyBag
{
public:
    SettingsPropertyBag(QSettings &settings, const QString &group)
        : m_settings(settings)
        , m_group(group + u'/')
    { }

    std::optional<QVariant> value(const QString &name) const override
    {
        if (!m_settings.contains(m_group + name))
            return std::nullopt;
        return m_settings.value(m_group + name);
    }
    void store(const QString &name, const QVariant &value) override { m_settings.setValue(m_group + name, value); }

private:
    QSettings &m_settings;
    QString m_group;
};
