#pragma once

#include <QSettings>
#include <QString>

namespace pelquin {

struct SettingKey {
    const char *name;
    const char *fallback;
    const char *group = "ws";
};

// The per-user section "pelquin"/"ws" (and the browser options beside it). Every value is
// text; each key and its default is declared here once.
namespace setting {
inline constexpr SettingKey Toolbar{"toolbar", "0"};
inline constexpr SettingKey Address{"address", "0"};
inline constexpr SettingKey Status{"status", "0"};
inline constexpr SettingKey WindowState{"windowstate", "2"};
inline constexpr SettingKey Top{"top", "0"};
inline constexpr SettingKey Left{"left", "0"};
inline constexpr SettingKey Width{"width", "9600"};
inline constexpr SettingKey Height{"height", "7005"};

// The browser options of the Internet Options dialog, in a group of their own.
inline constexpr SettingKey JavaScript{"javascript", "1", "options"};
inline constexpr SettingKey Images{"images", "1", "options"};
inline constexpr SettingKey ProxyMode{"proxy", "system", "options"};  // none, system, manual
inline constexpr SettingKey ProxyHost{"proxyhost", "", "options"};
inline constexpr SettingKey ProxyPort{"proxyport", "8080", "options"};
inline constexpr SettingKey ProcessPerSite{"processpersite", "0", "options"};
inline constexpr SettingKey SpellCheck{"spellcheck", "1", "options"};
// Watching many pages: a desktop notice of each changed tab; showing the tabs in turn.
inline constexpr SettingKey NotifyChanges{"notifychanges", "0", "options"};
inline constexpr SettingKey RotateSeconds{"rotateseconds", "0", "options"};  // 0: off
// Where words typed into an address box are searched for; "%s" stands for the words.
inline constexpr SettingKey SearchTemplate{"searchtemplate", "https://duckduckgo.com/?q=%s",
                                           "options"};
}  // namespace setting

class SettingsStore {
public:
    // An INI file; the default lives at $XDG_CONFIG_HOME/pelquin/pelquin.conf.
    explicit SettingsStore(const QString &iniPath);
    static QString defaultPath();

    QString value(const SettingKey &key) const;
    // The stored text as a whole number, the way Basic converts it (error 13 when it is not
    // a number, 6 when it does not fit 32 bits).
    int number(const SettingKey &key) const;
    void setValue(const SettingKey &key, const QString &text);
    void sync();
    QString path() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
};

}  // namespace pelquin
