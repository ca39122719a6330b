#include "platform/instance_messenger.h"

#include "support/temp_home.h"
#include "support/wait.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace pelquin;
using namespace pelquin::test;

namespace {

// A sender that does not block, so that the server in this thread can answer.
QByteArray sendRaw(const QString &folder, const QByteArray &bytes, bool *closed)
{
    QLocalSocket socket;
    socket.connectToServer(InstanceMessenger::socketName(folder));
    EXPECT_TRUE(waitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }));
    socket.write(bytes);
    QByteArray answer;
    waitFor([&] {
        answer += socket.readAll();
        return answer.endsWith('\n') || socket.state() == QLocalSocket::UnconnectedState;
    });
    *closed = socket.state() == QLocalSocket::UnconnectedState;
    return answer + socket.readAll();
}

}  // namespace

TEST(InstanceMessenger, AMessageCarriesItsAddressesAndNothingElse)
{
    const QByteArray message =
        InstanceMessenger::message({"https://example.org/", "two\nlines", ""});
    EXPECT_EQ(InstanceMessenger::addressesOf(message),
              (QStringList{"https://example.org/", "twolines"}));
    EXPECT_TRUE(InstanceMessenger::addressesOf("hello\nexample.org\n\n").isEmpty());
    EXPECT_TRUE(InstanceMessenger::addressesOf(message.chopped(1)).isEmpty());
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many << QStringLiteral("site%1.example").arg(i);
    EXPECT_EQ(InstanceMessenger::addressesOf(InstanceMessenger::message(many)).size(),
              InstanceMessenger::kMaxAddresses);
}

TEST(InstanceMessenger, EachApplicationFolderHasItsOwnPrivateSocket)
{
    TempHome one;
    TempHome two;
    EXPECT_NE(InstanceMessenger::socketName(one.folder()),
              InstanceMessenger::socketName(two.folder()));
    // The same folder by another spelling is the same program.
    EXPECT_EQ(InstanceMessenger::socketName(one.folder()),
              InstanceMessenger::socketName(one.folder() + "/../app"));
}

TEST(InstanceMessenger, TheRunningProgramTakesAddressesAndSurvivesGarbage)
{
    TempHome home;
    InstanceMessenger server(home.folder());
    ASSERT_TRUE(server.listen());
    QSignalSpy received(&server, &InstanceMessenger::addressesReceived);

    bool closed = false;
    EXPECT_TRUE(sendRaw(home.folder(), QByteArray(200000, 'x'), &closed).isEmpty());
    EXPECT_TRUE(closed);
    EXPECT_TRUE(sendRaw(home.folder(), "GET / HTTP/1.0\r\n\r\n", &closed).isEmpty());
    EXPECT_EQ(received.count(), 0);

    const QByteArray answer = sendRaw(
        home.folder(), InstanceMessenger::message({"example.org", "https://example.net/"}),
        &closed);
    EXPECT_EQ(answer, QByteArray("ok\n"));
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.at(0).at(0).toStringList(),
              (QStringList{"example.org", "https://example.net/"}));
}

TEST(InstanceMessenger, NoRunningProgramMeansNotSent)
{
    TempHome home;
    EXPECT_FALSE(InstanceMessenger::send(home.folder(), {"example.org"}, 1000));
    // A socket file left by a program that died is taken over by the next one.
    QFile left(InstanceMessenger::socketName(home.folder()));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    InstanceMessenger next(home.folder());
    EXPECT_TRUE(next.listen());
}

TEST(InstanceMessenger, ARequestCarriesItsWordsOrIsRefusedWhole)
{
    const QStringList words{"--tab", "3", "https://example.org/a\nb"};
    const QByteArray request = InstanceMessenger::request(words);
    EXPECT_EQ(InstanceMessenger::wordsOf(request),
              (QStringList{"--tab", "3", "https://example.org/ab"}));
    // Truncated, empty, of the other kind, with an empty line inside, too many words or too
    // long: none is a request.
    EXPECT_FALSE(InstanceMessenger::wordsOf(request.chopped(1)));
    EXPECT_FALSE(InstanceMessenger::wordsOf(request.left(10)));
    EXPECT_FALSE(InstanceMessenger::wordsOf(InstanceMessenger::request({})));
    EXPECT_FALSE(InstanceMessenger::wordsOf(InstanceMessenger::message({"example.org"})));
    EXPECT_FALSE(InstanceMessenger::wordsOf("pelquin-ask 1\n--status\n\n--select\n2\n\n"));
    QStringList many(InstanceMessenger::kMaxRequestWords + 1, QStringLiteral("w"));
    EXPECT_FALSE(InstanceMessenger::wordsOf(InstanceMessenger::request(many)));
    EXPECT_FALSE(InstanceMessenger::wordsOf(InstanceMessenger::request(
        {"--tab", "3", QString(InstanceMessenger::kMaxAddressLength + 1, 'a')})));
    EXPECT_FALSE(InstanceMessenger::wordsOf(
        InstanceMessenger::request({QString(InstanceMessenger::kMaxMessageBytes, 'a')})));
}

TEST(InstanceMessenger, AnAnswerSaysDoneOrNotWithItsText)
{
    const auto back = [](bool ok, const QString &text) {
        return InstanceMessenger::answerOf(InstanceMessenger::answerMessage({ok, text}));
    };
    ASSERT_TRUE(back(true, "{\"tabs\": []}\n"));
    EXPECT_TRUE(back(true, "x")->ok);
    EXPECT_EQ(back(true, "{\"tabs\": []}\n")->text, QStringLiteral("{\"tabs\": []}\n"));
    EXPECT_FALSE(back(false, "Tab 40?")->ok);
    EXPECT_FALSE(InstanceMessenger::answerOf("maybe\n"));
    EXPECT_FALSE(InstanceMessenger::answerOf(""));
    EXPECT_FALSE(InstanceMessenger::answerOf(
        "ok\n" + QByteArray(InstanceMessenger::kMaxAnswerBytes, 'x')));
}

TEST(InstanceMessenger, TheRunningProgramAnswersRequestsAndSurvivesGarbage)
{
    TempHome home;
    InstanceMessenger server(home.folder());
    ASSERT_TRUE(server.listen());
    QStringList asked;
    server.setRequestHandler([&](const QStringList &words) {
        asked = words;
        if (words.value(0) == "--boom")
            throw std::runtime_error("boom");
        return InstanceAnswer{words.value(0) == "--status", "answer to " + words.join(' ')};
    });
    bool closed = false;
    EXPECT_EQ(sendRaw(home.folder(), InstanceMessenger::request({"--status"}), &closed),
              QByteArray("ok\nanswer to --status"));
    EXPECT_TRUE(closed);
    EXPECT_EQ(sendRaw(home.folder(), InstanceMessenger::request({"--select", "2"}), &closed),
              QByteArray("no\nanswer to --select 2"));
    EXPECT_TRUE(sendRaw(home.folder(), "pelquin-ask 2\n--status\n\n", &closed).isEmpty());
    EXPECT_TRUE(closed);
    EXPECT_TRUE(sendRaw(home.folder(), "pelquin-ask 1\n" + QByteArray(100000, 'x'), &closed)
                    .isEmpty());
    EXPECT_TRUE(closed);
    asked.clear();
    EXPECT_TRUE(
        sendRaw(home.folder(), "pelquin-ask 1\n\n--status\n\n", &closed).startsWith("no\n"));
    EXPECT_TRUE(asked.isEmpty());
    // What the handler raises is a refusal, not the program's end.
    EXPECT_TRUE(sendRaw(home.folder(), InstanceMessenger::request({"--boom"}), &closed)
                    .startsWith("no\n"));
    EXPECT_TRUE(sendRaw(home.folder(), InstanceMessenger::request({"--status"}), &closed)
                    .startsWith("ok\n"));
}

TEST(InstanceMessenger, ASenderThatDawdlesIsCutOff)
{
    TempHome home;
    InstanceMessenger server(home.folder(), nullptr, 50);
    ASSERT_TRUE(server.listen());
    int handled = 0;
    server.setRequestHandler([&](const QStringList &) {
        ++handled;
        return InstanceAnswer{true, "ok"};
    });
    QLocalSocket socket;
    socket.connectToServer(InstanceMessenger::socketName(home.folder()));
    ASSERT_TRUE(waitFor([&] { return socket.state() == QLocalSocket::ConnectedState; }));
    socket.write("pelquin-ask 1\n--sta");
    EXPECT_TRUE(waitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(handled, 0);
}

TEST(InstanceMessenger, AskingWithoutARunningProgramGetsNoAnswer)
{
    TempHome home;
    EXPECT_FALSE(InstanceMessenger::ask(home.folder(), {"--status"}, 1000));
}
