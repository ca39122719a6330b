#include "support/tabs_fixture.h"
#include "tabs/tab_strip.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace pelquin;
using pelquin::test::TabsFixture;

namespace {

struct Dropped {
    int tab = -1;
    QString text;
    Qt::KeyboardModifiers keys;
};

// A drop is delivered only to the widget that accepted the drag's entry.
void sendDrop(TabStrip &strip, QMimeData &data, QPoint at, Qt::KeyboardModifiers keys)
{
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(strip.bar(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(strip.bar(), &drop);
}

Dropped dropAt(TabStrip &strip, int x, const QString &text, Qt::KeyboardModifiers keys = {})
{
    Dropped got;
    const auto connection = QObject::connect(
        &strip, &TabStrip::linkDropped,
        [&](int tab, const QString &t, bool, Qt::KeyboardModifiers k) { got = {tab, t, k}; });
    QMimeData data;
    data.setText(text);
    sendDrop(strip, data, QPoint(x, 5), keys);
    QObject::disconnect(connection);
    return got;
}

}  // namespace

using TabStripTest = TabsFixture;

TEST_F(TabStripTest, ThirtyTabsWithoutCaptionTooltipOrPicture)
{
    EXPECT_EQ(strip.count(), 30);
    EXPECT_EQ(strip.caption(30), QString());
    EXPECT_EQ(strip.picture(7), TabPicture::None);
    tab(3).setCaption(QStringLiteral("R&D"));
    EXPECT_EQ(strip.caption(3), QStringLiteral("R&D"));
    tab(3).setPicture(TabPicture::World);
    EXPECT_EQ(strip.picture(3), TabPicture::World);
    strip.applyPendingLooks();
    EXPECT_EQ(strip.bar()->tabText(2), QStringLiteral("R&&D"));
    EXPECT_FALSE(strip.bar()->tabIcon(2).isNull());
}

TEST_F(TabStripTest, ABurstOfCaptionsAndPicturesIsDrawnOnceAMomentLater)
{
    window.show();
    int repaints = 0;
    struct Counter : QObject {
        int *count;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter;
    counter.count = &repaints;
    QTest::qWait(50);
    strip.bar()->installEventFilter(&counter);
    for (int t = 1; t <= 30; ++t) {
        tab(t).setCaption(QStringLiteral("Tab %1").arg(t));
        tab(t).setPicture(TabPicture::World);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(strip.bar()->tabText(29), QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return strip.bar()->tabText(29) == "Tab 30"; }, 1000));
    QTest::qWait(50);
    EXPECT_LE(repaints, 3);
    EXPECT_EQ(strip.caption(30), QStringLiteral("Tab 30"));
}

TEST_F(TabStripTest, CaptionsOfRemovedTabsAreNotGivenToNewOnes)
{
    tab(2).setCaption(QStringLiteral("Old"));
    strip.removeAll();
    for (BrowserTab &each : tabs)
        each.clearLook();
    strip.addTabs(5);
    strip.applyPendingLooks();
    EXPECT_EQ(strip.caption(2), QString());
    EXPECT_EQ(strip.bar()->tabText(1), QString());
}

TEST(TabStrip, SelectingRunsTheHandlingAlsoForTheSelectedTab)
{
    TabStrip strip;
    int handled = 0;
    QObject::connect(&strip, &TabStrip::selectionHandling, [&] { ++handled; });
    strip.select(4);
    EXPECT_EQ(strip.selected(), 4);
    EXPECT_EQ(handled, 1);
    strip.select(4);
    EXPECT_EQ(handled, 2);
}

TEST_F(TabStripTest, TabsCanBeRemovedAndAddedAgainBare)
{
    tab(1).setCaption(QStringLiteral("x"));
    strip.removeAll();
    for (BrowserTab &each : tabs)
        each.clearLook();
    EXPECT_EQ(strip.count(), 0);
    EXPECT_EQ(strip.selected(), 0);
    strip.addTabs(5);
    EXPECT_EQ(strip.count(), 5);
    EXPECT_EQ(strip.caption(1), QString());
}

TEST_F(TabStripTest, ALinkDropFindsTheTabByItsHorizontalPosition)
{
    strip.resize(3000, 300);
    for (int t = 1; t <= 30; ++t)
        tab(t).setCaption(QStringLiteral("Tab %1").arg(t));
    strip.applyPendingLooks();  // the tabs as the user sees them
    const QRect third = strip.bar()->tabRect(2);
    Dropped got = dropAt(strip, third.center().x(), QStringLiteral("http://a.example/"),
                         Qt::ShiftModifier);
    EXPECT_EQ(got.tab, 3);
    EXPECT_EQ(got.text, QStringLiteral("http://a.example/"));
    EXPECT_EQ(got.keys, Qt::ShiftModifier);
    got = dropAt(strip, strip.bar()->tabRect(29).right() + 40, QStringLiteral("x"));
    EXPECT_EQ(got.tab, 0);
}

TEST(TabStrip, ALinkDraggedOutOfAPageOpensItsAddressNotItsWords)
{
    TabStrip strip;
    strip.resize(3000, 300);
    strip.applyPendingLooks();
    Dropped got;
    QObject::connect(&strip, &TabStrip::linkDropped,
                     [&](int tab, const QString &t, bool, Qt::KeyboardModifiers k) {
                         got = {tab, t, k};
                     });
    // What the engine puts on a link's drag: its address as a URL, its words as text.
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("http://127.0.0.1:8000/dropped.htm?one"))});
    link.setText(QStringLiteral("DRAGONE"));
    sendDrop(strip, link, QPoint(strip.bar()->tabRect(1).center().x(), 5), {});
    EXPECT_EQ(got.tab, 2);
    EXPECT_EQ(got.text, QStringLiteral("http://127.0.0.1:8000/dropped.htm?one"));
    QMimeData words;  // dragged words are taken as typed
    words.setText(QStringLiteral("example.org"));
    sendDrop(strip, words, QPoint(strip.bar()->tabRect(1).center().x(), 5), {});
    EXPECT_EQ(got.text, QStringLiteral("example.org"));
}

TEST(TabStrip, ADroppedTabEndsTheTabDrag)
{
    TabStrip strip;
    strip.setDragsTabs(true);
    QMimeData data;
    data.setData(QLatin1String(TabStrip::kTabMime), "7");
    sendDrop(strip, data, QPoint(5, 5), {});
    EXPECT_FALSE(strip.dragsTabs());
}
