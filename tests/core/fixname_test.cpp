#include "core/tab_state.h"

#include <gtest/gtest.h>

using namespace pelquin;

TEST(Fixname, TurnsAddressesIntoShortCaptions)
{
    const std::pair<const char *, const char *> table[] = {
        {"http://www.example.com/index.html", "example"},
        {"https://shop.example.co.uk/", "example"},
        {"http://example.com/", "example"},
        {"www.example.com", "example"},
        {"file:///C:/pages/start.htm", "start"},
        {"C:\\pages\\start.htm", "start"},
        {"about:blank", "blank"},
        {"ABOUT:NAVIGATIONCANCELED", "No Site"},
        {"http:///", ""},
        {"http://", "http://"},
        {"a.b.c.d", "b"},
        {"", ""},
    };
    for (const auto &[in, out] : table)
        EXPECT_EQ(captionForAddress(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
}

TEST(Fixname, DropsWhatStandsBeforeTheFirstHttpAndKeepsLocalFileNames)
{
    EXPECT_EQ(captionForAddress(QStringLiteral("view-source:http://news.example.org/a")), QStringLiteral("example"));
    EXPECT_EQ(captionForAddress(QStringLiteral("file:///home/me/notes.page.html")), QStringLiteral("notes"));
    EXPECT_EQ(captionForAddress(QStringLiteral("HTTP://LOCALHOST:8470/w1.htm")), QStringLiteral("LOCALHOST:8470"));
}

TEST(Fixname, NamesAFolderAddressForItsFolder)
{
    EXPECT_EQ(captionForAddress(QStringLiteral("file:///home/me/.local/share/pelquin/History/")),
              QStringLiteral("History"));
    EXPECT_EQ(captionForAddress(QStringLiteral("file:///home/me/")), QStringLiteral("me"));
    EXPECT_EQ(captionForAddress(QStringLiteral("file:///srv/site.v2//")), QStringLiteral("site"));
    EXPECT_EQ(captionForAddress(QStringLiteral("file:///")), QString());
}
