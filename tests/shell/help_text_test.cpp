#include "shell/help_text.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace pelquin {
namespace {

const QStringList kSectionTitles = {
    "Introduction",
    "Tabbed Interface",
    "Setup",
    "Setup",
    "Setup - Pause as Home pages load",
    "Setup - Auto-refresh",
    "Setup - Open a new browser",
    "Setup - Drag and Drop",
    "Setup - Erase Drop Down Combo Site History",
    "Hover Over Home Button",
    "Mail Icon",
    "Work Online / Offline",
    "Using the Shift Left and Shift Right Arrows",
    "Searching for text on a page",
    "Saving a page to Disk",
    "Internet Options",
    "Speed Menu",
    "Expert Mode",
    "Keyboard Shortcuts",
};

QStringList helpLines()
{
    return helpText().split(QLatin1Char('\n'));
}

bool isUnderline(const QString &line)
{
    return !line.isEmpty() && line.count(QLatin1Char('=')) == line.size();
}

TEST(HelpText, BeginsWithTheCaptionLine)
{
    EXPECT_EQ(helpLines().first(), QStringLiteral("Pelquin 2000 Browser"));
}

TEST(HelpText, HasTheSectionsInOrderEachUnderlinedToItsLength)
{
    const QStringList lines = helpLines();
    QStringList titles;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!isUnderline(lines[i]))
            continue;
        const QString &title = lines[i - 1];
        EXPECT_EQ(lines[i].size(), title.size()) << "underline of " << title.toStdString();
        ASSERT_GE(i, 2);
        EXPECT_TRUE(lines[i - 2].isEmpty()) << "no blank line before " << title.toStdString();
        titles << title;
    }
    EXPECT_EQ(titles, kSectionTitles);
}

TEST(HelpText, IsPlainAsciiInShortLines)
{
    const QString text = helpText();
    for (const QChar c : text)
        ASSERT_TRUE(c.unicode() == '\n' || (c.unicode() >= 0x20 && c.unicode() < 0x7f))
            << "character " << int(c.unicode());
    for (const QString &line : helpLines())
        EXPECT_LE(line.size(), 90) << line.toStdString();
}

TEST(HelpText, ListsTheSpeedMenuItemsInMenuOrder)
{
    const QString text = helpText();
    const qsizetype menu = text.indexOf(QStringLiteral("\nSpeed Menu\n"));
    ASSERT_GE(menu, 0);
    const QStringList items = {
        "Open Location:", "Back:", "Forward:", "Stop:", "Refresh:", "Home:", "Search:",
        "Favorites:", "Print:", "Setup:", "Goto:", "Help:", "Downloads:", "Internet Options:",
        "Save Page to Disk:", "Work Offline:", "Hide Buttons:", "Hide Address Bar:",
        "Hide Status and Progress Bar:", "Full Screen Mode (Expert Mode):",
        "Send and receive email:", "Wall of Tabs (Mosaic):", "Jump to Next Changed Tab:",
    };
    qsizetype from = menu;
    for (const QString &item : items) {
        const qsizetype at = text.indexOf(QStringLiteral("\n  ") + item, from);
        ASSERT_GT(at, from) << item.toStdString();
        from = at;
    }
    EXPECT_EQ(text.indexOf(QStringLiteral("\n  History:")), -1);
}

}  // namespace
}  // namespace pelquin
