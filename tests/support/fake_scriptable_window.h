#pragma once

#include "core/scriptable_window.h"
#include "platform/basic_error.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>

namespace pelquin::test {

// A window as a page script sees it, keeping only what it is asked: 30 tabs with pages, all
// on the strip with tab 1 selected, 12 buttons shown and every bar shown. Asks about a tab
// or button that does not exist change nothing and are counted in `strayAsks`.
class FakeScriptableWindow final : public ScriptableWindow {
public:
    static constexpr int kPages = 30;
    static constexpr int kButtons = 12;

    struct Tab {
        QString caption;        // the header on the strip
        QString scriptCaption;  // kept for the tab's next pages
        bool hasDocument = true;
        int blanks = 0;
        QStringList navigations;
    };

    FakeScriptableWindow() { m_buttons.fill(true); }

    bool barHidden(Bar bar) const override { return m_hidden[barIndex(bar)]; }
    void toggleBar(Bar bar) override
    {
        m_hidden[barIndex(bar)] = !m_hidden[barIndex(bar)];
        ++barToggles;
    }
    void toggleExpertMode() override { ++expertToggles; }
    void unMaximise() override { ++unMaximised; }
    void setFrame(Edge edge, double twips) override { frames << qMakePair(edge, twips); }
    void setResizable(bool on) override { resizable = on; }
    void layOutTabs() override { ++layOuts; }

    int buttonCount() const override { return kButtons; }
    void setButtonVisible(int button, bool visible) override
    {
        if (button < 1 || button > kButtons)
            ++strayAsks;
        else
            m_buttons[size_t(button - 1)] = visible;
    }
    bool buttonVisible(int button) const { return m_buttons.at(size_t(button - 1)); }
    void setSpeedMenuAllowed(bool allowed) override { menuAllowed = allowed; }

    int stripTabCount() const override { return m_stripCount; }
    void setStripTabCount(int count) override
    {
        if (count < 1 || count > kPages)
            ++strayAsks;
        // The strip's new headers start blank; the tabs keep their pages.
        m_stripCount = count;
        for (Tab &t : m_tabs)
            t.caption.clear();
        selected = 1;
    }
    void setStripVisible(bool visible) override { stripVisible = visible; }
    void selectTab(int number) override
    {
        if (number < 1 || number > m_stripCount)
            ++strayAsks;
        else
            selected = number;
    }
    void setScriptCaption(int number, const QString &caption) override
    {
        Tab &t = tab(number);
        t.caption = caption;
        t.scriptCaption = caption;
    }
    int pageCount() const override { return kPages; }
    void blankTab(int number) override
    {
        Tab &t = tab(number);
        if (!t.hasDocument)
            throwError(err::ObjectNotSet);
        ++t.blanks;
    }
    void loadInTab(int number, const QUrl &address) override
    {
        tab(number).navigations << address.toString(QUrl::FullyEncoded);
    }

    // Tab 1 to 30; any other number gives a spare tab and counts as a stray ask.
    Tab &tab(int number)
    {
        if (number < 1 || number > kPages) {
            ++strayAsks;
            return m_spare;
        }
        return m_tabs[size_t(number - 1)];
    }
    QString caption(int number) { return tab(number).caption; }

    int selected = 1;
    bool stripVisible = true;
    bool menuAllowed = true;
    bool resizable = true;
    int unMaximised = 0;
    int barToggles = 0;
    int expertToggles = 0;
    int layOuts = 0;
    int strayAsks = 0;
    QList<QPair<Edge, double>> frames;  // every edge or size set, in twips, in order

private:
    static size_t barIndex(Bar bar) { return static_cast<size_t>(bar); }

    std::array<Tab, kPages> m_tabs;
    Tab m_spare;
    std::array<bool, kButtons> m_buttons{};
    std::array<bool, 3> m_hidden{};
    int m_stripCount = kPages;
};

}  // namespace pelquin::test
