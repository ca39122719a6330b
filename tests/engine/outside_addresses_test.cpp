#include "engine/sponsor_server.h"
#include "support/temp_home.h"
#include "support/wait.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <csignal>

namespace pelquin::test {
namespace {

// The real program, given addresses on its command line and by a later start.
class OutsideAddresses : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *path : {"/first.htm", "/second.htm"}) {
            pages.addPage(QString::fromLatin1(path), [this, path](const QUrlQuery &) {
                requested << QString::fromLatin1(path);
                return QByteArray("<html><body>page</body></html>");
            });
        }
        ASSERT_TRUE(pages.listen(0));
        // No help screen at the first start.
        home.write("STD.DAT", " 0 \r\n 0 \r\n\r\n");
        home.write("Requests.Dat", "");
    }
    void TearDown() override
    {
        if (running.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(running.processId()), SIGTERM);
            if (!running.waitForFinished(10000))
                running.kill();
        }
    }
    QProcessEnvironment environment(const QString &appFolder) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PELQUIN_HOME"), appFolder);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file("config"));
        env.insert(QStringLiteral("PELQUIN_SPONSOR_HOST"),
                   QStringLiteral("pelquin.localhost:18474"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    QString page(const char *path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(pages.port()).arg(path);
    }
    // Runs the program to its end; its exit code, and its output in `output`.
    int runToEnd(const QStringList &arguments, const QString &appFolder, QByteArray *output)
    {
        QProcess program;
        program.setProcessEnvironment(environment(appFolder));
        program.start(QStringLiteral(PELQUIN_BINARY), arguments);
        if (!program.waitForFinished(60000)) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
        *output = program.readAllStandardOutput();
        return program.exitCode();
    }

    TempHome home;
    SponsorServer pages;
    QStringList requested;
    QProcess running;
};

TEST_F(OutsideAddresses, HelpAndVersionAnswerWithoutMakingTheApplicationFolder)
{
    const QString folder = home.file("never-made");
    QByteArray output;
    EXPECT_EQ(runToEnd({QStringLiteral("--version")}, folder, &output), 0);
    EXPECT_EQ(output, QByteArray("pelquin 0.1.0\n"));
    EXPECT_EQ(runToEnd({QStringLiteral("--help")}, folder, &output), 0);
    EXPECT_TRUE(output.contains("PELQUIN_HOME"));
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(OutsideAddresses, TheRunningProgramOpensTheAddressesOfALaterStart)
{
    running.setProcessEnvironment(environment(home.folder()));
    running.start(QStringLiteral(PELQUIN_BINARY), {page("/first.htm")});
    ASSERT_TRUE(running.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return requested.contains("/first.htm"); }, 60000));

    QProcess later;
    later.setProcessEnvironment(environment(home.folder()));
    later.start(QStringLiteral(PELQUIN_BINARY), {page("/second.htm")});
    // The later start waits for the answer, so this loop serves the page meanwhile.
    ASSERT_TRUE(waitFor([&] { return later.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return requested.contains("/second.htm"); }, 60000));
    EXPECT_EQ(running.state(), QProcess::Running);
}

TEST_F(OutsideAddresses, ATakenSponsorPortServesThisRunsPagesOnAFreeOne)
{
    QTcpServer other;  // another program holds the sponsor port
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
    QProcessEnvironment env = environment(home.folder());
    env.insert(QStringLiteral("PELQUIN_SPONSOR_HOST"),
               QStringLiteral("pelquin.localhost:%1").arg(other.serverPort()));
    running.setProcessEnvironment(env);
    running.start(QStringLiteral(PELQUIN_BINARY), {});
    ASSERT_TRUE(running.waitForStarted(10000));
    QByteArray said;
    QRegularExpressionMatch match;
    const QRegularExpression serving(QStringLiteral("serving on port (\\d+)"));
    ASSERT_TRUE(waitFor([&] {
        said += running.readAllStandardError();
        match = serving.match(QString::fromUtf8(said));
        return match.hasMatch();
    }, 60000)) << said.constData();
    const quint16 port = match.captured(1).toUShort();
    ASSERT_NE(port, 0);
    EXPECT_NE(port, other.serverPort());

    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(socket.waitForConnected(10000));
    socket.write("GET /w1.htm HTTP/1.1\r\nHost: pelquin.localhost\r\nConnection: close\r\n\r\n");
    QByteArray answer;
    ASSERT_TRUE(waitFor([&] {
        answer += socket.readAll();
        return answer.contains("\r\n\r\n");
    }, 30000));
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 200")) << answer.left(80).constData();
    EXPECT_FALSE(other.hasPendingConnections());  // its pages never asked the other program
}

}  // namespace
}  // namespace pelquin::test
