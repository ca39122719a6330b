#include "support/temp_home.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace pelquin::test {
namespace {

// The real program, started on a temporary application folder, ended by a signal while a
// box of its start-up is open.
class Termination : public ::testing::Test {
protected:
    void startProgram()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PELQUIN_HOME"), home.folder());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file("config"));
        env.insert(QStringLiteral("PELQUIN_SPONSOR_HOST"),
                   QStringLiteral("pelquin.localhost:18473"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(PELQUIN_BINARY), {});
        ASSERT_TRUE(program.waitForStarted(10000));
    }
    void waitForStandardError(const QByteArray &text, int ms)
    {
        for (int waited = 0; waited < ms && !errors.contains(text); waited += 100) {
            program.waitForReadyRead(100);
            errors += program.readAllStandardError();
        }
    }
    // Sends SIGTERM and says whether the program ended within ten seconds.
    bool terminatedInTime()
    {
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        const bool ended = program.waitForFinished(10000);
        if (!ended)
            program.kill();
        program.waitForFinished(5000);
        return ended;
    }

    TempHome home;
    QProcess program;
    QByteArray errors;
};

TEST_F(Termination, AnErrorBoxIsOnStandardErrorAndASignalEndsTheProgram)
{
    home.write("STD.DAT", " 0 \r\n 0 \r\n\r\n");
    home.write("Requests.Dat", "one.example\r\ntwo.example\r\n");
    home.write("Setup.set", "only\r\nthree\r\nlines\r\n");
    startProgram();
    waitForStandardError("pelquin: error", 30000);
    EXPECT_TRUE(errors.contains("pelquin: error ")) << errors.constData();
    EXPECT_TRUE(terminatedInTime());
    EXPECT_EQ(home.read("Requests.Dat"), QByteArray("one.example\r\ntwo.example\r\n"));
}

TEST_F(Termination, ASignalWhileTheLimitQuestionIsOpenKeepsTheHistoryFile)
{
    home.write("STD.DAT", " 0 \r\n 0 \r\n\r\n");
    QByteArray many;
    for (int i = 0; i < 60; ++i)
        many += "site" + QByteArray::number(i) + ".example\r\n";
    home.write("Requests.Dat", many);
    startProgram();
    QThread::sleep(3);  // the question is up by then; earlier the result must be the same
    EXPECT_TRUE(terminatedInTime());
    EXPECT_EQ(home.read("Requests.Dat"), many);
}

}  // namespace
}  // namespace pelquin::test
