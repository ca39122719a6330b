#include "address/address_box_keys.h"
#include "platform/key_codes.h"
#include "support/tabs_fixture.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QTest>

using namespace pelquin;

// The 30 address dropdowns with their handlers alone, over a history of three entries.
class Dropdowns : public test::TabsFixture {
protected:
    Dropdowns()
    {
        session.history.loadFile({QStringLiteral("abcdef"), QStringLiteral("Abc/x"),
                                  QStringLiteral("file:///C:/x.htm")},
                                 true);
        history().skipComplete = false;
    }
    AddressHistory &history() { return session.history; }
    QComboBox *combo(int t) { return &tabs.tab(t).addressBox(); }
    QString add(const QString &address)
    {
        QString copy = address;
        history().addToHistory(copy);
        return copy;
    }
    void type(int t, const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(combo(t), c.toLatin1());
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : prompts.messages())
            texts << m.text;
        return texts;
    }

    AddressBoxKeys dropdowns{session, controls(), errors};
};

TEST_F(Dropdowns, AddToCombosIgnoresCaseAndTheWebPrefixes)
{
    EXPECT_EQ(add(QStringLiteral("http://Zed/x")), QStringLiteral("Zed/x"));
    EXPECT_EQ(history().size(), 4);
    add(QStringLiteral("ZED/X"));
    add(QStringLiteral("HTTP://zed/x"));
    EXPECT_EQ(history().size(), 4);
    EXPECT_EQ(add(QStringLiteral("https://abc/y")), QStringLiteral("abc/y"));
    EXPECT_EQ(add(QStringLiteral("C:\\x.htm")), QStringLiteral("C:\\x.htm"));
    EXPECT_EQ(add(QStringLiteral("http://")), QStringLiteral("http://"));
    add(QStringLiteral("FILE:///c:/X.HTM"));
    EXPECT_EQ(history().size(), 7);
    EXPECT_EQ(combo(30)->count(), 7);
    EXPECT_EQ(combo(30)->itemText(6), QStringLiteral("http://"));
}

TEST_F(Dropdowns, TypingCompletesFromTheFirstMatchAndBackspaceDoesNotCompleteAgain)
{
    QTest::keyClicks(combo(1), QStringLiteral("AB"));
    EXPECT_EQ(combo(1)->currentText(), QStringLiteral("ABcdef"));
    EXPECT_EQ(combo(1)->lineEdit()->selectedText(), QStringLiteral("cdef"));
    QTest::keyClick(combo(1), Qt::Key_Backspace);
    EXPECT_EQ(combo(1)->currentText(), QStringLiteral("AB"));
    QTest::keyClick(combo(1), 'c');
    EXPECT_EQ(combo(1)->currentText(), QStringLiteral("ABcdef"));
    EXPECT_EQ(combo(2)->currentText(), QString());  // each dropdown's text is its own
}

TEST_F(Dropdowns, EnterNavigatesAddsToTheHistoryAndRemovesThePicture)
{
    tabs.tab(1).setPicture(TabPicture::World);
    combo(1)->setEditText(QStringLiteral("http://new.example/"));
    browser(1).navigations.clear();
    QTest::keyClick(combo(1), Qt::Key_Return);
    EXPECT_EQ(browser(1).navigations, QStringList{"http://new.example/"});
    EXPECT_EQ(strip.picture(1), TabPicture::None);
    EXPECT_EQ(history().request(4), QStringLiteral("new.example/"));
    EXPECT_EQ(combo(1)->currentText(), QStringLiteral("http://new.example/"));
}

TEST_F(Dropdowns, EnterOnABlankDropdownClearsTheCaptionAndAddsNothing)
{
    tabs.tab(1).setCaption(QStringLiteral("old"));
    combo(1)->setEditText(QStringLiteral("   "));
    QTest::keyClick(combo(1), Qt::Key_Enter);
    EXPECT_EQ(strip.caption(1), QString());
    EXPECT_EQ(history().size(), 3);
}

TEST_F(Dropdowns, PickingAnItemNavigatesWithoutAddingAndDropsNavigateOnly)
{
    tabs.tab(1).setPicture(TabPicture::World);
    combo(1)->setCurrentIndex(1);
    browser(1).navigations.clear();
    dropdowns.onAddressPicked(1);
    EXPECT_EQ(browser(1).navigations, QStringList{"Abc/x"});
    EXPECT_EQ(strip.picture(1), TabPicture::None);
    dropdowns.onLinkDropped(1, QStringLiteral("http://dropped/"), true);
    EXPECT_EQ(browser(1).navigations.last(), QStringLiteral("http://dropped/"));
    EXPECT_EQ(history().size(), 3);
    dropdowns.onLinkDropped(1, QString(), false);
    EXPECT_EQ(messageTexts().size(), 1);
    EXPECT_TRUE(messageTexts()[0].endsWith(QStringLiteral(" At OleDrop")));
}

TEST_F(Dropdowns, ALinkDroppedOnTheAddressBoxOpensItsAddressNotItsWords)
{
    QLineEdit *edit = combo(2)->lineEdit();
    const auto drop = [&](QMimeData &data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(edit, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(edit, &dropped);
    };
    QMimeData link;
    link.setUrls({QUrl(QStringLiteral("http://127.0.0.1:8000/dropped.htm?one"))});
    link.setText(QStringLiteral("DRAGONE"));
    drop(link);
    ASSERT_FALSE(browser(2).navigations.isEmpty());
    EXPECT_EQ(browser(2).navigations.last(),
              QStringLiteral("http://127.0.0.1:8000/dropped.htm?one"));
    QMimeData words;
    words.setText(QStringLiteral("dropped.example"));
    drop(words);
    EXPECT_EQ(browser(2).navigations.last(), QStringLiteral("dropped.example"));
}

TEST_F(Dropdowns, ScrollingKeysGoToThePageNotTheList)
{
    int pageDowns = 0;
    struct Counter : QObject {
        int *count;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::KeyPress &&
                static_cast<QKeyEvent *>(e)->key() == Qt::Key_PageDown)
                ++*count;
            return false;
        }
    } counter;
    counter.count = &pageDowns;
    browser(1).widget()->installEventFilter(&counter);
    combo(1)->setCurrentIndex(0);
    QTest::keyClick(combo(1), Qt::Key_PageDown);
    QTest::keyClick(combo(1), Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(pageDowns, 1);
    EXPECT_EQ(combo(1)->currentIndex(), 0);
}

TEST_F(Dropdowns, ShiftLeftAndRightMoveBetweenTabsButNotPastTheEnds)
{
    QTest::keyClick(combo(1), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(strip.selected(), 1);
    QTest::keyClick(combo(1), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(strip.selected(), 2);
    strip.select(30);
    QTest::keyClick(combo(30), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(strip.selected(), 30);
    QTest::keyClick(combo(30), Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(strip.selected(), 30);
    QTest::keyClick(combo(30), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(strip.selected(), 29);
}

TEST_F(Dropdowns, FillingOrGrowingTheSharedListLeavesEveryDropdownsTextAlone)
{
    EXPECT_EQ(combo(7)->currentText(), QString());
    combo(7)->setEditText(QStringLiteral("mine"));
    history().clear();
    history().skipComplete = true;
    combo(8)->setEditText(QStringLiteral("other"));
    add(QStringLiteral("first.example"));
    EXPECT_EQ(combo(7)->currentText(), QStringLiteral("mine"));
    EXPECT_EQ(combo(8)->currentText(), QStringLiteral("other"));
    EXPECT_EQ(combo(9)->currentText(), QString());
    history().setRequests({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(combo(9)->currentText(), QString());
}
