#include "watch/text_versions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

const QString kShop = QStringLiteral("https://shop.example/item?id=4&x=/..");

QDateTime minute(int n)
{
    return QDateTime(QDate(2026, 3, 2), QTime(9, 0)).addSecs(60 * n);
}

QStringList textsOf(const QList<TextVersion> &versions)
{
    QStringList texts;
    for (const TextVersion &version : versions)
        texts << version.text;
    return texts;
}

// Gathers the warnings given while it lives.
class Warnings {
public:
    Warnings()
    {
        s_seen.clear();
        m_before = qInstallMessageHandler(&Warnings::handle);
    }
    ~Warnings() { qInstallMessageHandler(m_before); }
    const QStringList &seen() const { return s_seen; }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        s_seen << message;
    }
    static inline QStringList s_seen;
    QtMessageHandler m_before = nullptr;
};

class TextVersionsTest : public ::testing::Test {
protected:
    QString folder() const { return m_dir.path(); }

    void writeRaw(const TextVersions &versions, const QString &address, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(versions.fileFor(address)).path());
        QFile file(versions.fileFor(address));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(TextVersionsTest, VersionsComeOldestFirstAndTheLatestIsNotAddedTwice)
{
    TextVersions versions(folder(), false);
    EXPECT_TRUE(versions.add(kShop, QStringLiteral("one"), minute(1)));
    EXPECT_TRUE(versions.add(kShop, QStringLiteral("two"), minute(2)));
    EXPECT_FALSE(versions.add(kShop, QStringLiteral("two"), minute(3)));
    EXPECT_TRUE(versions.add(kShop, QStringLiteral("one"), minute(4)));
    EXPECT_EQ(versions.versions(kShop),
              (QList<TextVersion>{{minute(1), QStringLiteral("one")},
                                  {minute(2), QStringLiteral("two")},
                                  {minute(4), QStringLiteral("one")}}));
    EXPECT_TRUE(versions.versions(QStringLiteral("https://other.example/")).isEmpty());
}

TEST_F(TextVersionsTest, OnlyTheLastTwentyVersionsAreKept)
{
    TextVersions versions(folder(), false);
    for (int i = 1; i <= 25; ++i)
        versions.add(kShop, QString::number(i), minute(i));
    const QList<TextVersion> kept = versions.versions(kShop);
    ASSERT_EQ(kept.size(), TextVersions::kMaxVersions);
    EXPECT_EQ(kept.front(), (TextVersion{minute(6), QStringLiteral("6")}));
    EXPECT_EQ(kept.back().text, QStringLiteral("25"));
}

TEST_F(TextVersionsTest, ThePageKeepsAtMostAMegabyteDroppingTheOldestFirst)
{
    TextVersions versions(folder(), false);
    const qsizetype third = 400 * 1024;
    versions.add(kShop, QString(third, QLatin1Char('a')), minute(1));
    versions.add(kShop, QString(third, QLatin1Char('b')), minute(2));
    versions.add(kShop, QString(third, QLatin1Char('c')), minute(3));
    const QList<TextVersion> kept = versions.versions(kShop);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_TRUE(kept[0].text.startsWith(QLatin1Char('b')));
    EXPECT_TRUE(kept[1].text.startsWith(QLatin1Char('c')));
}

TEST_F(TextVersionsTest, ASingleVersionOverAMegabyteIsCutWithoutSplittingACharacter)
{
    QList<TextVersion> accented{{minute(1), QString(600 * 1024, QChar(0xe9))}};
    capVersions(accented, TextVersions::kMaxVersions, TextVersions::kMaxBytes);
    EXPECT_EQ(utf8Size(accented[0].text), TextVersions::kMaxBytes);

    QString faces;
    for (int i = 0; i < 300 * 1024; ++i)
        faces += QString::fromUcs4(U"\U0001F600");
    QList<TextVersion> smiling{{minute(1), QStringLiteral("x") + faces}};
    capVersions(smiling, TextVersions::kMaxVersions, TextVersions::kMaxBytes);
    EXPECT_LE(utf8Size(smiling[0].text), TextVersions::kMaxBytes);
    EXPECT_GT(utf8Size(smiling[0].text), TextVersions::kMaxBytes - 4);
    EXPECT_FALSE(smiling[0].text.back().isHighSurrogate());
    EXPECT_EQ(smiling[0].text.front(), QLatin1Char('x'));
}

TEST_F(TextVersionsTest, VersionsOutlastARestart)
{
    {
        TextVersions versions(folder(), false);
        versions.add(kShop, QStringLiteral("Price 72\nIn stock"), minute(1));
        versions.add(kShop, QStringLiteral("Price 68 \u20ac"), minute(2));
    }
    TextVersions again(folder(), false);
    EXPECT_EQ(again.versions(kShop),
              (QList<TextVersion>{{minute(1), QStringLiteral("Price 72\nIn stock")},
                                  {minute(2), QStringLiteral("Price 68 \u20ac")}}));
    EXPECT_TRUE(again.fileFor(kShop).startsWith(folder() + QStringLiteral("/Versions/")));
    EXPECT_NE(again.fileFor(kShop), again.fileFor(kShop + QLatin1Char('x')));
}

TEST_F(TextVersionsTest, APrivateRunKeepsVersionsInMemoryOnly)
{
    TextVersions versions(folder(), true);
    versions.add(kShop, QStringLiteral("one"), minute(1));
    EXPECT_EQ(textsOf(versions.versions(kShop)), QStringList{QStringLiteral("one")});
    EXPECT_FALSE(QDir(folder() + QStringLiteral("/Versions")).exists());
}

TEST_F(TextVersionsTest, ADamagedFileIsLeftOutWithAMessageAndWrittenAnewLater)
{
    TextVersions versions(folder(), false);
    writeRaw(versions, kShop, QByteArray("{\"address\": \"") + kShop.toUtf8() + "\", \"vers");
    Warnings warnings;
    EXPECT_TRUE(versions.versions(kShop).isEmpty());
    ASSERT_EQ(warnings.seen().size(), 1);
    EXPECT_TRUE(warnings.seen()[0].contains(QStringLiteral("damaged")));

    versions.add(kShop, QStringLiteral("fresh"), minute(1));
    EXPECT_EQ(textsOf(TextVersions(folder(), false).versions(kShop)),
              QStringList{QStringLiteral("fresh")});
}

TEST_F(TextVersionsTest, OnlyTheBadVersionsOfAFileAreLeftOut)
{
    TextVersions versions(folder(), false);
    writeRaw(versions, kShop,
             QByteArray("{\"address\": \"") + kShop.toUtf8()
                 + "\", \"versions\": [{\"time\": \"2026-03-02T08:01:00Z\", \"text\": \"kept\"},"
                   " {\"time\": \"yesterday\", \"text\": \"x\"}, 7, {\"time\": "
                   "\"2026-03-02T08:03:00Z\"}]}");
    Warnings warnings;
    EXPECT_EQ(textsOf(versions.versions(kShop)), QStringList{QStringLiteral("kept")});
    EXPECT_EQ(warnings.seen().size(), 1);
}

TEST_F(TextVersionsTest, AFileOfAnotherPageOrOfAnotherShapeIsLeftOut)
{
    const QList<QByteArray> strangers = {
        "{\"address\": \"https://else.example/\", \"versions\": []}",
        "[1, 2, 3]",
        "{\"address\": \"" + kShop.toUtf8() + "\", \"versions\": {}}",
        QByteArray("\x00\xff\xfe", 3),
    };
    for (const QByteArray &bytes : strangers) {
        TextVersions versions(folder(), false);
        writeRaw(versions, kShop, bytes);
        Warnings warnings;
        EXPECT_TRUE(versions.versions(kShop).isEmpty());
        EXPECT_EQ(warnings.seen().size(), 1) << bytes.toStdString();
    }
}
