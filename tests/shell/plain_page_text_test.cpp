#include "core/download_list.h"
#include "desktop/favorites.h"
#include "platform/desktop_notifier.h"
#include "platform/plain_tooltips.h"
#include "commands/commands.h"
#include "desktop/downloads_control.h"
#include "watch/tab_watching.h"
#include "support/shell_fixture.h"
#include "support/window_parts_fixture.h"
#include "tabs/page_dialog_queue.h"
#include "tabs/tab_strip.h"
#include "watch/tab_wall.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QTabBar>
#include <QTextDocument>
#include <QToolTip>

using namespace pelquin;
using pelquin::test::ShellFixture;
using Kind = PageDialog::Kind;

namespace {

// What a hostile page names itself: bold, a link and a picture from the local disk.
const QString kMarkup = QStringLiteral("<b>bold</b> <a href=\"http://x.example/\">link</a> "
                                       "<img src=\"/tmp/x.png\">");

// What the user reads of `text` as Qt draws it: markup when it looks like markup.
QString asDrawn(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

// The tooltip a widget shows at `pos`, as the user reads it.
QString shownToolTip(QWidget &widget, const QPoint &pos)
{
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, pos, widget.mapToGlobal(pos));
    QApplication::sendEvent(&widget, &help);
    return asDrawn(QToolTip::text());
}

// Every label and every tooltip of every widget that holds the page's words shows them as
// the characters they are. Returns how many places were looked at.
int expectEveryPlaceShowsText()
{
    int places = 0;
    const auto expectText = [&](const QString &where, const QString &shown) {
        ++places;
        EXPECT_TRUE(shown.contains(QStringLiteral("<b>bold</b>"))) << qPrintable(where)
                                                                   << qPrintable(shown);
    };
    const QString marker = QStringLiteral("<b>bold");
    for (QWidget *widget : QApplication::allWidgets()) {
        const QString name = widget->objectName() + u' ' + widget->metaObject()->className();
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->text().contains(marker))
            expectText(QStringLiteral("label ") + name,
                       label->textFormat() == Qt::PlainText ? label->text()
                                                            : asDrawn(label->text()));
        if (auto *bar = qobject_cast<QTabBar *>(widget)) {
            for (int i = 0; i < bar->count(); ++i) {
                if (bar->tabToolTip(i).contains(marker))
                    expectText(QStringLiteral("tab tooltip ") + name,
                               shownToolTip(*bar, bar->tabRect(i).center()));
            }
        } else if (auto *view = qobject_cast<QAbstractItemView *>(widget);
                   view && !qobject_cast<QHeaderView *>(view)) {
            QAbstractItemModel *model = view->model();
            for (int row = 0; model && row < model->rowCount(); ++row) {
                const QModelIndex index = model->index(row, 0);
                if (index.data(Qt::ToolTipRole).toString().contains(marker))
                    expectText(QStringLiteral("item tooltip ") + name,
                               shownToolTip(*view->viewport(),
                                            view->visualRect(index).center()));
            }
        } else if (widget->toolTip().contains(marker)) {
            expectText(QStringLiteral("tooltip ") + name,
                       shownToolTip(*widget, widget->rect().center()));
        }
    }
    QToolTip::hideText();
    return places;
}

class PlainPageText : public ShellFixture {
protected:
    void SetUp() override
    {
        start();
        prompts.clear();
        for (int t : {3, 7, 8})
            browser(t).load(QStringLiteral("http://tab%1.example/").arg(t));
    }
    TabStrip &strip() { return window->tabStrip(); }
};

}  // namespace

TEST_F(PlainPageText, TextFromAPageReachesNoWidgetAsMarkup)
{
    window->resize(1200, 900);
    strip().select(1);
    // The page names its tab; its words change while it is in the background.
    window->tabs().tab(3).setCaption(kMarkup);
    window->tabs().tab(3).setToolTip(QStringLiteral("Tab 3:") + kMarkup);
    window->tabs().tab(3).setChangedSince(QDateTime::currentDateTime());
    strip().applyPendingLooks();
    // A background tab's alert is kept as a note; the selected tab asks and waits.
    browser(7).askDialog(Kind::Alert, kMarkup);
    strip().select(7);
    browser(7).askDialog(Kind::Prompt, kMarkup);
    emit browser(7).statusTextChange(kMarkup);
    // A server names a download; the page's title and address go to Add Favorite.
    DownloadEntry entry;
    entry.tab = 8;
    entry.fileName = kMarkup;
    entry.path = QStringLiteral("/home/u/Downloads/") + kMarkup;
    factory->downloadList.add(entry, {});
    window->downloads().showWindow();
    AddFavoriteDialog favorite(kMarkup, QStringLiteral("http://x.example/") + kMarkup);
    favorite.show();
    window->commands().run(Command::WallOfTabs, CommandSource::Key);
    ASSERT_TRUE(window->watching().wall().isOpen());

    // The strip's and a tile's tooltip, the note bar, the dialog box, the status panel, the
    // Downloads window's tooltip and Add Favorite's address at least.
    EXPECT_GE(expectEveryPlaceShowsText(), 7);
}

// The strip alone, laid out in a shown window whose tooltips are shown as the program shows them.
class PlainCaptions : public test::LaidOutTabsFixture {
protected:
    void SetUp() override { qApp->installEventFilter(&plainToolTips); }
    void TearDown() override { qApp->removeEventFilter(&plainToolTips); }
    PlainToolTips plainToolTips;
};

TEST_F(PlainCaptions, AHugeCaptionIsCutToASaneWidthButKeptWhole)
{
    const QString huge = QStringLiteral("Dashboard ").repeated(300);
    tabs.tab(3).setCaption(huge);
    tabs.tab(3).setToolTip(QStringLiteral("Tab 3:") + huge);
    strip.applyPendingLooks();
    EXPECT_LE(strip.bar()->tabRect(2).width(), 400);
    EXPECT_EQ(strip.caption(3), huge);  // the tab's name is the page's whole
    EXPECT_EQ(strip.toolTip(3), QStringLiteral("Tab 3:") + huge);
    const QString shown = shownToolTip(*strip.bar(), strip.bar()->tabRect(2).center());
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Tab 3:Dashboard")));
    EXPECT_LE(shown.size(), kToolTipLineCharacters);
}

TEST(PlainToolTipsTest, EveryLineIsCutAndThereAreNeverMoreThanAScreenful)
{
    const QString markup = toolTipMarkup(QStringLiteral("a <i>b</i>\n") +
                                         QString(500, u'x') + QStringLiteral("\nlast"));
    const QStringList lines = asDrawn(markup).split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("a <i>b</i>"));
    EXPECT_EQ(lines[1].size(), kToolTipLineCharacters);
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    EXPECT_EQ(lines[2], QStringLiteral("last"));
    QStringList many;
    for (int n = 0; n < 100; ++n)
        many << QString::number(n);
    EXPECT_LE(asDrawn(toolTipMarkup(many.join(u'\n'))).split(u'\n').size(), 20);
}

TEST(NoticeBodyTest, PageTextIsEscapedOnlyForAServiceThatReadsMarkup)
{
    EXPECT_EQ(noticeBody(kMarkup, true), kMarkup.toHtmlEscaped());
    EXPECT_EQ(noticeBody(QStringLiteral("R&D <queue>"), false), QStringLiteral("R&D <queue>"));
    EXPECT_LE(noticeBody(QString(5000, u'y'), false).size(), 300);
}
