#include "engine_fixture.h"

#include "platform/basic_error.h"
#include "engine/web_browser.h"
#include "engine/web_engine_factory.h"

#include <QDir>

namespace pelquin::test {
namespace {

class WebBrowserTest : public EngineTest {};

TEST_F(WebBrowserTest, WelcomePageWithoutSchemeRaisesEveryEvent)
{
    EXPECT_FALSE(m_browser->commandAvailable(PageCommand::Print));
    EXPECT_FALSE(m_browser->commandAvailable(PageCommand::SaveAs));
    EXPECT_THROW(m_browser->blankDocument(), BasicError);

    ASSERT_TRUE(load(s_site->host() + QStringLiteral("/w1.htm")));

    const QString url = s_site->welcomeUrl();
    ASSERT_FALSE(m_events.navigations.empty());
    EXPECT_EQ(m_events.navigations.front(), std::make_pair(url, true));
    EXPECT_EQ(m_events.documents, QStringList{url});
    EXPECT_EQ(m_events.downloads, 1);
    EXPECT_EQ(m_events.lastProgress, 100);
    EXPECT_EQ(m_events.maximum, 100);
    EXPECT_EQ(m_events.log.first(), QStringLiteral("navigate"));
    EXPECT_EQ(m_events.log.mid(m_events.log.size() - 2),
              (QStringList{QStringLiteral("document"), QStringLiteral("download")}));
    EXPECT_TRUE(m_events.statusTexts.contains(QStringLiteral("Opening page ") + url
                                              + QStringLiteral("...")));
    EXPECT_EQ(m_events.statusTexts.last(), QStringLiteral("Done"));
    EXPECT_GT(m_events.commandStates, 0);
    EXPECT_FALSE(m_events.backEnabled);
    EXPECT_FALSE(m_events.forwardEnabled);

    EXPECT_FALSE(m_browser->busy());
    EXPECT_EQ(m_browser->locationUrl(), url);
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Pelquin"));
    EXPECT_TRUE(m_browser->commandAvailable(PageCommand::Print));
    EXPECT_TRUE(m_browser->commandAvailable(PageCommand::SaveAs));
    EXPECT_TRUE(bodyMarkup().contains(QStringLiteral("Welcome to Pelquin")));

    try {
        m_browser->goBack();
        ADD_FAILURE() << "goBack without history did not raise";
    } catch (const BasicError &error) {
        EXPECT_EQ(error.number(), err::EFail);
    }
    EXPECT_THROW(m_browser->goForward(), BasicError);
}

TEST_F(WebBrowserTest, HistoryGoesBackAndEnablesForward)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    ASSERT_TRUE(load(s_site->searchFormUrl()));
    EXPECT_TRUE(m_events.backEnabled);
    EXPECT_FALSE(m_events.forwardEnabled);
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Search"));

    const int documents = m_events.documents.size();
    m_browser->goBack();
    ASSERT_TRUE(waitFor([&] { return m_events.documents.size() > documents; }));
    EXPECT_EQ(m_browser->locationUrl(), s_site->welcomeUrl());
    EXPECT_TRUE(waitFor([&] { return m_events.forwardEnabled && !m_events.backEnabled; }));
    EXPECT_EQ(m_events.navigations.back(), std::make_pair(s_site->welcomeUrl(), true));
    EXPECT_THROW(m_browser->goBack(), BasicError);
}

TEST_F(WebBrowserTest, BlankDocumentEmptiesTheBodyWithoutNavigating)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    const size_t navigations = m_events.navigations.size();
    m_browser->blankDocument();
    EXPECT_TRUE(waitFor([&] { return bodyMarkup().isEmpty(); }, 5000));
    EXPECT_EQ(m_browser->locationUrl(), s_site->welcomeUrl());
    EXPECT_EQ(m_events.navigations.size(), navigations);
}

TEST_F(WebBrowserTest, SearchFormSubmitsToTheResultsPage)
{
    ASSERT_TRUE(load(s_site->searchFormUrl()));
    const int documents = m_events.documents.size();
    enginePage()->runJavaScript(QStringLiteral(
        "document.querySelector('input[name=q]').value = 'tea & <cake>';"
        "document.querySelector('form').submit();"));
    ASSERT_TRUE(waitFor([&] { return m_events.documents.size() > documents; }));

    EXPECT_TRUE(m_browser->locationUrl().startsWith(QStringLiteral("http://")
                                                    + s_site->searchResultsMark()
                                                    + QStringLiteral("?q=")));
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Search results"));
    const QString body = bodyMarkup();
    EXPECT_TRUE(body.contains(QStringLiteral("tea &amp; &lt;cake&gt;"))) << qPrintable(body);
    EXPECT_TRUE(body.contains(QStringLiteral("duckduckgo.com/html/?q=tea%20%26%20%3Ccake%3E")));
}

TEST_F(WebBrowserTest, SubFrameNavigationIsNotTopLevel)
{
    ASSERT_TRUE(load(s_site->url(QStringLiteral("/frame.htm"))));
    const auto inner = std::make_pair(s_site->url(QStringLiteral("/inner.htm")), false);
    EXPECT_TRUE(waitFor([&] {
        return std::find(m_events.navigations.begin(), m_events.navigations.end(), inner)
               != m_events.navigations.end();
    }, 5000));
    EXPECT_EQ(m_events.documents, QStringList{s_site->url(QStringLiteral("/frame.htm"))});
}

TEST_F(WebBrowserTest, BlankingRightAfterANavigationStillLetsTheNewPageArrive)
{
    ASSERT_TRUE(load(s_site->welcomeUrl()));
    const int documents = m_events.documents.size();
    m_browser->navigate(s_site->searchFormUrl());
    m_browser->blankDocument();
    ASSERT_TRUE(waitFor([&] { return m_events.documents.size() > documents; }));
    EXPECT_EQ(m_events.documents.last(), s_site->searchFormUrl());
    EXPECT_EQ(m_browser->locationName(), QStringLiteral("Search"));
}

}  // namespace
}  // namespace pelquin::test

namespace pelquin::test {
namespace {

TEST(ProcessModel, OnePerSiteIsAddedOnceAndTheUsersOptionsAreKept)
{
    EXPECT_EQ(engineFlagsWith("", true), QByteArray("--process-per-site"));
    EXPECT_EQ(engineFlagsWith("--foo", true), QByteArray("--foo --process-per-site"));
    EXPECT_EQ(engineFlagsWith("--process-per-site", true), QByteArray("--process-per-site"));
    EXPECT_EQ(engineFlagsWith("--foo", false), QByteArray("--foo"));
    EXPECT_EQ(engineFlagsWith("--process-per-site", false), QByteArray("--process-per-site"));
}

}  // namespace
}  // namespace pelquin::test
