#include "desktop/desktop_commands.h"
#include "desktop/favorites.h"
#include "engine/shell_engine_fixture.h"
#include "tabs/tab_strip.h"

#include <QDir>
#include <QFile>

using namespace pelquin;
using namespace pelquin::test;

class DesktopEngine : public MainWindowEngine {
protected:
    void SetUp() override
    {
        MainWindowEngine::SetUp();
        start();
        ASSERT_TRUE(waitFor([&] { return window->tabStrip().picture(1) == TabPicture::World; }, 20000));
    }
    bool shows(int tab, const QString &address)
    {
        return waitFor([&] {
            return window->tabs().tab(tab).browser().locationUrl() == address &&
                   window->tabStrip().picture(tab) == TabPicture::World;
        }, 15000);
    }
};

TEST_F(DesktopEngine, AnInternetShortcutOpensTheAddressInside)
{
    QDir().mkpath(home.file("Favorites"));
    const QString shortcut = writeShortcut(home.file("Favorites"), QStringLiteral("Six"), url("/p6.htm"));
    window->tabs().tab(4).browser().navigate(shortcut);
    EXPECT_TRUE(shows(4, url("/p6.htm")));
    EXPECT_EQ(window->tabs().tab(4).browser().locationName(), QStringLiteral("p6"));
}

TEST_F(DesktopEngine, CompletedPagesAreRecordedInTheHistoryFolder)
{
    window->tabs().tab(5).browser().navigate(url("/p7.htm"));
    ASSERT_TRUE(shows(5, url("/p7.htm")));
    EXPECT_EQ(shortcutAddress(home.file("History/p7.url")), url("/p7.htm"));
}

TEST_F(DesktopEngine, SavePageToDiskWritesTheCompletePage)
{
    window->tabStrip().select(1);
    const QString target = home.file("saved.htm");
    prompts.chooseFile(target);
    window->desktop().savePageToDisk();
    EXPECT_TRUE(waitFor([&] {
        QFile saved(target);
        return saved.open(QIODevice::ReadOnly) && saved.readAll().contains("Welcome to Pelquin");
    }, 15000));
}
