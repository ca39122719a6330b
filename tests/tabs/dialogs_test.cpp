#include "address/open_location.h"
#include "commands/commands.h"
#include "commands/goto_dialog.h"
#include "shell/display_modes.h"
#include "sponsor/sponsor_site.h"
#include "support/window_parts_fixture.h"
#include "tabs/tab_collection.h"
#include "tabs/tab_strip.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace pelquin;

// The laid-out tabs with the commands that open the Goto and Open Location dialogs.
class CommandDialogsTest : public test::LaidOutTabsFixture {
protected:
    SponsorSite sponsor{QStringLiteral("pelquin.localhost:8470")};
    Commands commands{window, session, controls(), menu, timers.pauses(), sponsor, prompts, errors};
};

class GotoTest : public CommandDialogsTest {
protected:
    void answerGoto(std::function<void(GotoDialog &)> act)
    {
        prompts.onNextForm([act](QDialog &d) {
            auto &dialog = static_cast<GotoDialog &>(d);
            act(dialog);
            return dialog.result();
        });
        commands.gotoTab();
    }
};

TEST_F(GotoTest, TheListPreselectsTheCurrentTabAndOkSelectsIt)
{
    strip.select(7);
    tabs.tab(7).setCaption(QStringLiteral("News"));
    QStringList lines;
    int current = -1;
    answerGoto([&](GotoDialog &d) {
        for (int i = 0; i < d.list1()->count(); ++i)
            lines << d.list1()->item(i)->text();
        current = d.list1()->currentRow();
        d.findChild<QPushButton *>(QStringLiteral("okButton"))->click();
    });
    EXPECT_EQ(lines.size(), 30);
    EXPECT_EQ(lines[6], QStringLiteral("Tab 07 News"));
    EXPECT_EQ(lines[4], QStringLiteral("Tab 05 "));
    EXPECT_EQ(current, 6);
    EXPECT_EQ(strip.selected(), 7);
}

TEST_F(GotoTest, ADoubleClickPicksATabAndCancelKeepsTheSelection)
{
    answerGoto([](GotoDialog &d) {
        QListWidgetItem *item = d.list1()->item(11);
        d.list1()->setCurrentItem(item);
        emit d.list1()->itemDoubleClicked(item);
    });
    EXPECT_EQ(strip.selected(), 12);
    answerGoto([](GotoDialog &d) {
        d.list1()->setCurrentRow(3);
        d.findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    });
    EXPECT_EQ(strip.selected(), 12);
    answerGoto([](GotoDialog &d) {
        d.list1()->setCurrentRow(3);
        d.close();
    });
    EXPECT_EQ(strip.selected(), 12);
}

class OpenLocationTest : public CommandDialogsTest {
protected:
    OpenLocationTest()
    {
        session.history.loadFile({QStringLiteral("known.example/")}, true);
        strip.select(4);
    }
    void answer(std::function<void(OpenLocationDialog &)> act)
    {
        prompts.onNextForm([act](QDialog &d) {
            act(static_cast<OpenLocationDialog &>(d));
            return d.result();
        });
        commands.openLocation();
    }

    DisplayModes modes{window, session, windowControls(), menu, layout, errors};
};

TEST_F(OpenLocationTest, WithTheAddressBarShownOnlyTheDropdownIsFocused)
{
    commands.openLocation();
    EXPECT_TRUE(prompts.formTitles().isEmpty());
}

TEST_F(OpenLocationTest, AnAcceptedAddressIsOpenedAndKeptWithoutItsPrefix)
{
    modes.toggleAddressBar();
    tabs.tab(4).setAddress(QStringLiteral("shown.example/"));
    QString prefilled;
    int listed = 0;
    answer([&](OpenLocationDialog &d) {
        prefilled = d.addressCombo()->currentText();
        listed = d.addressCombo()->count();
        d.addressCombo()->setEditText(QStringLiteral("http://typed.example/"));
        d.acceptAddress();
    });
    EXPECT_EQ(prefilled, QStringLiteral("shown.example/"));
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("http://typed.example/"));
    EXPECT_EQ(session.history.request(2), QStringLiteral("typed.example/"));
}

TEST_F(OpenLocationTest, ABlankAcceptOpensNothingAndCancelAfterAPickKeepsThePictureGone)
{
    modes.toggleAddressBar();
    const int before = browser(4).navigations.size();
    answer([](OpenLocationDialog &d) {
        d.addressCombo()->setEditText(QStringLiteral("  "));
        d.acceptAddress();
    });
    EXPECT_EQ(browser(4).navigations.size(), before);
    tabs.tab(4).setPicture(TabPicture::World);
    answer([](OpenLocationDialog &d) {
        d.addressCombo()->setCurrentIndex(0);
        d.onAddressPicked();
        d.cancel();
    });
    EXPECT_EQ(browser(4).navigations.size(), before);
    EXPECT_EQ(strip.picture(4), TabPicture::None);
    answer([](OpenLocationDialog &d) {
        d.addressCombo()->setCurrentIndex(0);
        d.onAddressPicked();
        d.close();
    });
    EXPECT_EQ(browser(4).navigations.last(), QStringLiteral("known.example/"));
    EXPECT_EQ(session.history.size(), 1);
}
