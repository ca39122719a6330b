#include "desktop/favorites.h"
#include "desktop/history_folder.h"
#include "platform/error_report.h"
#include "platform/scripted_prompts.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace pelquin;

namespace {

struct FavesTest : ::testing::Test {
    test::TempHome home;
    ScriptedPrompts prompts;
    ErrorReporter errors{prompts};
    QString root() const { return home.folder() + QStringLiteral("/Favorites"); }
    void file(const QString &relative, const QByteArray &bytes)
    {
        const QString path = root() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList page() { return favoritesPage(root(), errors); }
};

}  // namespace

TEST(FavoritesNames, LeftpartAndRightpart)
{
    EXPECT_EQ(beforeFirstDot(QStringLiteral("My.Site.url")), QStringLiteral("My"));
    EXPECT_EQ(beforeFirstDot(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_EQ(afterLastSeparator(QStringLiteral("C:\\a\\Links")), QStringLiteral("Links"));
    EXPECT_EQ(afterLastSeparator(QStringLiteral("/home/me/Favorites")), QStringLiteral("Favorites"));
    EXPECT_EQ(afterLastSeparator(QStringLiteral("/a/")), QString());
    EXPECT_EQ(afterLastSeparator(QStringLiteral("x")), QStringLiteral("x"));
}

TEST_F(FavesTest, FoldersAreWalkedDepthFirstLeavingOutTheExcludedOnes)
{
    file("News.url", "[InternetShortcut]\r\nURL=http://news.example/\r\n");
    file("Channels/c.url", "[InternetShortcut]\r\nURL=http://channel.example/\r\n");
    file("Software Updates/s.url", "[InternetShortcut]\r\nURL=http://update.example/\r\n");
    file("Links/My.Site.url", "[InternetShortcut]\r\nURL=http://my.example/\r\n");
    file("Links/Deeper/d.url", "[InternetShortcut]\r\nURL=http://deep.example/\r\n");
    EXPECT_EQ(page(), (QStringList{
                          "<HTML><BODY>",
                          "<p><strong>FAVORITES</strong><br>",
                          "<a href=\"http://news.example/\">News</a><br>",
                          "<p><strong>LINKS</strong><br>",
                          "<a href=\"http://my.example/\">My</a><br>",
                          "<p><strong>DEEPER</strong><br>",
                          "<a href=\"http://deep.example/\">d</a><br>",
                          "</BODY></HTML>",
                      }));
}

TEST_F(FavesTest, LinkedFoldersAreNotFollowed)
{
    file("Mine.url", "[InternetShortcut]\r\nURL=http://mine.example/\r\n");
    file("../Outside/o.url", "[InternetShortcut]\r\nURL=http://outside.example/\r\n");
    ASSERT_TRUE(QFile::link(home.folder() + QStringLiteral("/Outside"),
                            root() + QStringLiteral("/Elsewhere")));
    ASSERT_TRUE(QFile::link(root(), root() + QStringLiteral("/Loop")));
    EXPECT_EQ(page(), (QStringList{"<HTML><BODY>", "<p><strong>FAVORITES</strong><br>",
                                   "<a href=\"http://mine.example/\">Mine</a><br>",
                                   "</BODY></HTML>"}));
}

TEST_F(FavesTest, AHugeFolderGivesABoundedPage)
{
    for (int i = 0; i < 5100; ++i)
        file(QStringLiteral("many/s%1.url").arg(i), "[InternetShortcut]\r\nURL=http://s.example/\r\n");
    const QStringList lines = page();
    EXPECT_LE(lines.size(), 5010);
    EXPECT_TRUE(lines.at(lines.size() - 2).contains(QStringLiteral("too large")));
    EXPECT_EQ(lines.last(), QStringLiteral("</BODY></HTML>"));
}

TEST_F(FavesTest, OddShortcutsGiveTheAddressesTheWalkFindsInThem)
{
    file("a base.url", "[DEFAULT]\r\nBASEURL=http://base.example/x\r\n");
    file("b frame.url", "[InternetShortcut]\r\nURL={1234-5678}={x}\r\n");
    file("c one.url", "URL=https://one.example/");
    file("d empty.url", "");
    file("e short.url", "x\r\nab\r\n");
    EXPECT_EQ(page().mid(1, 4), (QStringList{
                                    "<p><strong>FAVORITES</strong><br>",
                                    "<a href=\"http://base.example/x\">a base</a><br>",
                                    "<a href=\"https://one.example/\">c one</a><br>",
                                    "<a href=\"ab\">e short</a><br>",
                                }));
}

TEST_F(FavesTest, TitlesAndAddressesAreEscapedAndScriptAddressesGiveNoLink)
{
    file("<b>Bold & co.url", "[InternetShortcut]\r\nURL=http://x.example/?a=1&b=\"2\"\r\n");
    file("evil.url", "[InternetShortcut]\r\nURL=JavaScript:alert(document.cookie)\r\n");
    const QStringList lines = page();
    EXPECT_EQ(lines.at(2), QStringLiteral("<a href=\"http://x.example/?a=1&amp;b=&quot;2&quot;\">"
                                          "&lt;b&gt;Bold &amp; co</a><br>"));
    EXPECT_EQ(lines.size(), 4);
}

TEST_F(FavesTest, AnUnreadableFolderIsReportedAndTheWalkGoesOn)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "every folder is readable to root";
    file("Locked/x.url", "[InternetShortcut]\r\nURL=http://locked.example/\r\n");
    file("Open/y.url", "[InternetShortcut]\r\nURL=http://open.example/\r\n");
    QFile::setPermissions(root() + QStringLiteral("/Locked"), QFileDevice::WriteOwner);
    const QStringList lines = page();
    QFile::setPermissions(root() + QStringLiteral("/Locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(lines.contains(QStringLiteral("<a href=\"http://open.example/\">y</a><br>")));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.endsWith(QStringLiteral(" at 8")));
}

TEST_F(FavesTest, AFolderThatIsNotThereIsReportedOnce)
{
    const QStringList lines = favoritesPage(root() + QStringLiteral("/none"), errors);
    EXPECT_EQ(lines, (QStringList{"<HTML><BODY>", "</BODY></HTML>"}));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(prompts.messages()[0].text.endsWith(QStringLiteral(" at 8")));
}

TEST_F(FavesTest, ShortcutsGetValidNamesAndNeverReplaceAnother)
{
    QDir().mkpath(root());
    EXPECT_EQ(shortcutFileName(QStringLiteral("a/b: \"c\"?")), QStringLiteral("a_b_ _c__.url"));
    EXPECT_EQ(shortcutFileName(QStringLiteral("  ..")), QStringLiteral("Untitled.url"));
    const QString first = writeShortcut(root(), QStringLiteral("Page"), QStringLiteral("http://a/"));
    const QString again = writeShortcut(root(), QStringLiteral("Page"), QStringLiteral("http://a/"));
    const QString other = writeShortcut(root(), QStringLiteral("Page"), QStringLiteral("http://b/"));
    EXPECT_EQ(first, again);
    EXPECT_TRUE(other.endsWith(QStringLiteral("Page (2).url")));
    EXPECT_EQ(shortcutAddress(first), QStringLiteral("http://a/"));
    EXPECT_EQ(shortcutAddress(other), QStringLiteral("http://b/"));
}

TEST_F(FavesTest, TheFavoritesFolderFallsBackToTheSystemFolders)
{
    EXPECT_EQ(favoritesFolder(home.folder(), 6, QStringLiteral("ME")),
              home.folder() + QStringLiteral("/Favorites"));
    QDir().mkpath(home.folder() + QStringLiteral("/Profiles/ME/Favorites"));
    EXPECT_EQ(favoritesFolder(home.folder(), 6, QStringLiteral(" ME ")),
              home.folder() + QStringLiteral("/Profiles/ME/Favorites"));
}

TEST(HistoryFolderTest, EachAddressHasOneShortcutAndTheOldestGoFirst)
{
    test::TempHome home;
    HistoryFolder history(home.file("History"), 3);
    const QDateTime t0(QDate(2026, 1, 1), QTime(10, 0));
    history.recordVisit(QStringLiteral("http://a.example/"), QStringLiteral("A"), t0);
    history.recordVisit(QStringLiteral("http://b.example/"), QStringLiteral("B"), t0.addSecs(10));
    history.recordVisit(QStringLiteral("http://c.example/"), QString(), t0.addSecs(20));
    history.recordVisit(QStringLiteral("http://a.example/"), QStringLiteral("A"), t0.addSecs(30));
    history.recordVisit(QStringLiteral("file:///etc/passwd"), QStringLiteral("F"), t0.addSecs(35));
    history.recordVisit(QStringLiteral("http://d.example/"), QStringLiteral("D"), t0.addSecs(40));
    QStringList names = QDir(home.file("History")).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names, (QStringList{"A.url", "D.url", "c.example.url"}));
    EXPECT_EQ(QFileInfo(home.file("History/A.url")).lastModified(), t0.addSecs(30));
    HistoryFolder again(home.file("History"), 3);
    again.recordVisit(QStringLiteral("http://d.example/"), QStringLiteral("D"), t0.addSecs(50));
    EXPECT_EQ(QDir(home.file("History")).entryList(QDir::Files).size(), 3);
}
