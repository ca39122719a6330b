#include "desktop/system_probes.h"
#include "support/temp_home.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace pelquin;

TEST(SystemProbes, TheLibraryVersionComesFromItsRealFileName)
{
    test::TempHome home;
    home.write("libengine.so.6.4.2", "x");
    QFile::link(home.file("libengine.so.6.4.2"), home.file("libengine.so.6"));
    EXPECT_EQ(fileVersion(home.file("libengine.so.6")), QStringLiteral("6.4.2.0"));
    home.write("libold.so.4.72.3110", "x");
    EXPECT_EQ(fileVersion(home.file("libold.so.4.72.3110")), QStringLiteral("4.72.3110.0"));
    home.write("libbig.so.1.40000", "x");
    EXPECT_EQ(fileVersion(home.file("libbig.so.1.40000")), QStringLiteral("1.-25536.0.0"));
}

TEST(SystemProbes, AMissingOrUnversionedFileHasNoVersion)
{
    test::TempHome home;
    EXPECT_EQ(fileVersion(home.file("none.so.1")), QString());
    home.write("plain.so", "x");
    EXPECT_EQ(fileVersion(home.file("plain.so")), QString());
    EXPECT_TRUE(QString() < QStringLiteral("5."));  // no version hides Save Page to Disk
}

TEST(SystemProbes, TheLoadedEngineAndThePlatformAreKnown)
{
    EXPECT_GT(systemMajorVersion(), 0);
    EXPECT_EQ(loadedLibraryPath(QStringLiteral("libnothing-loaded")), QString());
    EXPECT_FALSE(loadedLibraryPath(QStringLiteral("libQt6Core.so")).isEmpty());
}
