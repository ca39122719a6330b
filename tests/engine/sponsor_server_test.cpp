#include "engine/sponsor_server.h"
#include "support/wait.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <memory>

namespace pelquin::test {
namespace {

struct Answer {
    int status = 0;
    QByteArray contentType;
    QString body;
};

class SponsorServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.listen(0));
        m_network.setProxy(QNetworkProxy::NoProxy);  // whatever the environment says
    }

    Answer get(const QString &pathAndQuery)
    {
        const QUrl url(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.port())
                           .arg(pathAndQuery));
        std::unique_ptr<QNetworkReply> reply(m_network.get(QNetworkRequest(url)));
        EXPECT_TRUE(waitFor([&] { return reply->isFinished(); }, 5000));
        Answer answer;
        answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        answer.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        answer.body = QString::fromUtf8(reply->readAll());
        return answer;
    }

    SponsorServer m_server;
    QNetworkAccessManager m_network;
};

TEST_F(SponsorServerTest, ServesTheBundledPagesAsUtf8Html)
{
    EXPECT_NE(m_server.port(), 0);
    const Answer welcome = get(QStringLiteral("/w1.htm"));
    EXPECT_EQ(welcome.status, 200);
    EXPECT_EQ(welcome.contentType, QByteArray("text/html; charset=utf-8"));
    EXPECT_TRUE(welcome.body.contains(QStringLiteral("Welcome to Pelquin")));
    EXPECT_TRUE(get(QStringLiteral("/w2.htm")).body.contains(QStringLiteral("action=\"/sc\"")));
}

TEST_F(SponsorServerTest, ResultsReadTheFormField)
{
    const Answer results = get(QStringLiteral("/sc?q=caf%C3%A9+%3Cb%3E"));
    EXPECT_EQ(results.status, 200);
    EXPECT_TRUE(results.body.contains(QStringLiteral("café &lt;b&gt;"))) << qPrintable(results.body);
}

TEST_F(SponsorServerTest, AnythingElseIsNotFound)
{
    EXPECT_EQ(get(QStringLiteral("/")).status, 404);
    EXPECT_EQ(get(QStringLiteral("/w1xhtm")).status, 404);
    EXPECT_EQ(get(QStringLiteral("/w1.htm/more")).status, 404);
}

TEST_F(SponsorServerTest, ExtraPagesGetTheirQuery)
{
    m_server.addPage(QStringLiteral("/echo.htm"), [](const QUrlQuery &query) {
        return query.queryItemValue(QStringLiteral("say")).toUtf8();
    });
    const Answer echo = get(QStringLiteral("/echo.htm?say=hello"));
    EXPECT_EQ(echo.status, 200);
    EXPECT_EQ(echo.body, QStringLiteral("hello"));
    EXPECT_EQ(echo.contentType, QByteArray("text/html; charset=utf-8"));
}

TEST_F(SponsorServerTest, ABusyPortIsRefused)
{
    SponsorServer second;
    EXPECT_FALSE(second.listen(m_server.port()));
    EXPECT_EQ(second.port(), 0);
}

}  // namespace
}  // namespace pelquin::test
