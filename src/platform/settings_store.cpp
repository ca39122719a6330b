#include "platform/settings_store.h"

#include "platform/basic_error.h"
#include "platform/basic_text.h"
#include "platform/twips.h"

#include <QStandardPaths>

#include <limits>

namespace pelquin {

SettingsStore::SettingsStore(const QString &iniPath) : m_settings(iniPath, QSettings::IniFormat)
{
}

QString SettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/pelquin/pelquin.conf");
}

QString SettingsStore::value(const SettingKey &key) const
{
    m_settings.beginGroup(QLatin1String(key.group));
    const QString text =
        m_settings.value(QLatin1String(key.name), QLatin1String(key.fallback)).toString();
    m_settings.endGroup();
    return text;
}

int SettingsStore::number(const SettingKey &key) const
{
    const double n = roundHalfEven(strictNumber(value(key)));
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throwError(err::Overflow);
    return static_cast<int>(n);
}

void SettingsStore::setValue(const SettingKey &key, const QString &text)
{
    m_settings.beginGroup(QLatin1String(key.group));
    m_settings.setValue(QLatin1String(key.name), text);
    m_settings.endGroup();
}

void SettingsStore::sync()
{
    m_settings.sync();
}

}  // namespace pelquin
