#include "platform/instance_messenger.h"

#include "support/temp_home.h"
#include "support/wait.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>

#include <gtest/gtest.h>

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
