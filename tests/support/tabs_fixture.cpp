#include "support/tabs_fixture.h"

namespace pelquin::test {

TabsFixture::TabsFixture()
{
    window.resize(1024, 768);
    strip.showTabs(tabs);
    buttons.showCommands(menu);
    status.followSelectedTab(tabs, strip);
    // Words typed in a test are searched for on a site that cannot exist, never a public one.
    session.tabs.searchTemplate = QStringLiteral("http://search.localhost/?q=%s");
}

void TabsFixture::setProfile(const QMap<int, QString> &urls, const QMap<int, QString> &flags,
                             int refreshMinutes)
{
    for (int t = 1; t <= kTabCount; ++t) {
        const QString f = flags.value(t);
        TabSetting &setting = session.settings[t];
        setting = TabSetting{};
        setting.startUrl = urls.value(t);
        setting.tabName = QStringLiteral("Name%1").arg(t);
        setting.pauseWhileLoading = f.contains(QLatin1Char('P'));
        setting.autoRefresh = f.contains(QLatin1Char('R'));
        setting.refreshMinutes = qint16(refreshMinutes);
        setting.openNewBrowser = f.contains(QLatin1Char('N'));
    }
}

}  // namespace pelquin::test
