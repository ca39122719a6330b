#include "core/typed_address.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelquin;

TEST(TypedAddress, SchemeLessTextIsHttp)
{
    EXPECT_EQ(typedAddressUrl(QStringLiteral("  example.com/a b ")).toString(),
              QStringLiteral("http://example.com/a b"));
    EXPECT_EQ(typedAddressUrl(QStringLiteral("pelquin.localhost:8470/w1.htm")).toString(),
              QStringLiteral("http://pelquin.localhost:8470/w1.htm"));
    EXPECT_EQ(typedAddressUrl(QStringLiteral("localhost:8080")).toString(),
              QStringLiteral("http://localhost:8080"));
    EXPECT_EQ(typedAddressUrl(QStringLiteral("what is this")).scheme(), QStringLiteral("http"));
    EXPECT_TRUE(typedAddressUrl(QStringLiteral("   ")).isEmpty());
}

TEST(TypedAddress, SchemesAreKept)
{
    const QStringList kept = {
        QStringLiteral("https://example.com/x?q=1"), QStringLiteral("about:blank"),
        QStringLiteral("file:///tmp/a.htm"), QStringLiteral("ftp://ftp.example.com/"),
        QStringLiteral("data:text/html,<p>hi</p>"), QStringLiteral("mailto:a@example.com")};
    for (const QString &address : kept)
        EXPECT_EQ(typedAddressUrl(address).scheme(), address.section(QLatin1Char(':'), 0, 0))
            << qPrintable(address);
    EXPECT_EQ(typedAddressUrl(QStringLiteral("HTTP://Example.com/")).host(),
              QStringLiteral("example.com"));
}

TEST(TypedAddress, AbsolutePathsAreFiles)
{
    EXPECT_EQ(typedAddressUrl(QStringLiteral("/tmp/some page.htm")),
              QUrl::fromLocalFile(QStringLiteral("/tmp/some page.htm")));
    EXPECT_EQ(typedAddressUrl(QStringLiteral("~/a.htm")),
              QUrl::fromLocalFile(QDir::homePath() + QStringLiteral("/a.htm")));
}

TEST(TypedAddress, ControlCharactersAndSurroundingBlanksAreRemovedFirst)
{
    EXPECT_EQ(typedAddressUrl(QStringLiteral("\tjava\nscript:alert(1)")).scheme(),
              QStringLiteral("javascript"));
    EXPECT_EQ(typedAddressUrl(QStringLiteral(" \x01JavaScript:x")).scheme(),
              QStringLiteral("javascript"));
    EXPECT_EQ(typedAddressUrl(QStringLiteral("\r\nfi\tle:///etc/hostname")),
              QUrl(QStringLiteral("file:///etc/hostname")));
}

TEST(TypedAddress, TheLoadedFormReadsBackAsItself)
{
    for (const char *text : {"x.example", "https://a.example/p?q=\"a,b\"#f", "a.example:81/x",
                             "http://a.example/a b", "HTTP://B.example/%41"}) {
        const QUrl once = typedAddressUrl(QString::fromUtf8(text));
        EXPECT_EQ(typedAddressUrl(once.toString(QUrl::FullyEncoded)), once) << text;
    }
}

TEST(ScriptTargets, AWebPageMayOpenOnlyWebAddresses)
{
    const QString page = QStringLiteral("http://site.example/page.htm");
    const QString app = QStringLiteral("/nonexistent/app");
    for (const char *text : {"x.example", "https://y.example/a", "HTTP://Z.example"})
        EXPECT_TRUE(scriptMayOpen(page, typedAddressUrl(QString::fromUtf8(text)), app)) << text;
    for (const char *text : {"javascript:fetch('/x')", "\tjavascript:1", "JavaScript:1",
                             "file:///etc/hostname", "/etc/hostname", "data:text/html,x",
                             "blob:http://site.example/1", "view-source:http://a.example",
                             "chrome://settings", "about:blank", "qrc:/x", "ftp://a.example",
                             "http://", "mailto:a@b.example"})
        EXPECT_FALSE(scriptMayOpen(page, typedAddressUrl(QString::fromUtf8(text)), app)) << text;
    EXPECT_FALSE(scriptMayOpen(QString(), QUrl(QStringLiteral("file:///etc/hostname")), app));
}

TEST(ScriptTargets, OnlyOurOwnPagesMayOpenFiles)
{
    QTemporaryDir dir;
    const QString app = dir.path() + QStringLiteral("/app");
    QDir().mkpath(app);
    QFile own(app + QStringLiteral("/FAVES.HTM"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    const QString ownPage = QUrl::fromLocalFile(own.fileName()).toString();
    const QUrl file(QStringLiteral("file:///tmp/a.htm"));
    EXPECT_TRUE(scriptMayOpen(ownPage, file, app));
    EXPECT_TRUE(scriptMayOpen(ownPage, QUrl(QStringLiteral("http://a.example")), app));
    EXPECT_FALSE(scriptMayOpen(ownPage, QUrl(QStringLiteral("javascript:1")), app));
    EXPECT_FALSE(scriptMayOpen(QStringLiteral("file:///tmp/elsewhere.htm"), file, app));
    const QString outside = QUrl::fromLocalFile(app + QStringLiteral("/../x.htm")).toString();
    EXPECT_FALSE(scriptMayOpen(outside, file, app));
}

TEST(SearchFromTheAddressBox, WordsAreSearchedForAndAddressesStayAddresses)
{
    const QString web = QStringLiteral("https://search.example/find?q=%s");
    const struct {
        const char *typed;
        const char *opened;
    } cases[] = {
        {"a b", "https://search.example/find?q=a%20b"},
        {"intranet", "https://search.example/find?q=intranet"},
        {"  what is c++?  ", "https://search.example/find?q=what%20is%20c%2B%2B%3F"},
        {"50% & more", "https://search.example/find?q=50%25%20%26%20more"},
        {"localhost", "localhost"},
        {"localhost:8080", "localhost:8080"},
        {"intranet:8080", "intranet:8080"},
        {"intranet/wiki", "intranet/wiki"},
        {"file.html", "file.html"},
        {"example.org", "example.org"},
        {"192.168.1.1", "192.168.1.1"},
        {"[::1]:8080", "[::1]:8080"},
        {"::1", "::1"},
        {"user:secret@intranet", "user:secret@intranet"},
        {"https://example.org/a b", "https://example.org/a b"},
        {"about:blank", "about:blank"},
        {"mailto:someone", "mailto:someone"},
        {"/home/me/page.html", "/home/me/page.html"},
        {"~/page one.html", "~/page one.html"},
        {"", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(addressOrSearch(QString::fromUtf8(c.typed), web), QString::fromUtf8(c.opened))
            << c.typed;
    }
}

TEST(SearchFromTheAddressBox, AnUnusableTemplateFallsBackToTheDefault)
{
    EXPECT_TRUE(isSearchTemplate(QString::fromLatin1(kDefaultSearchTemplate)));
    for (const char *bad : {"", "https://search.example/", "javascript:%s", "file:///%s",
                            "not an address %s"}) {
        EXPECT_FALSE(isSearchTemplate(QString::fromLatin1(bad))) << bad;
        EXPECT_TRUE(addressOrSearch(QStringLiteral("a b"), QString::fromLatin1(bad))
                        .startsWith(QString::fromLatin1(kDefaultSearchTemplate).remove("%s")))
            << bad;
    }
}
