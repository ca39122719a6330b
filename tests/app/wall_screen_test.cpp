#include "app/wall_screen.h"

#include "platform/idle_pointer.h"
#include "platform/screen_saver.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

// Records what the desktop's screen saver is told.
class RecordingScreenSaver final : public ScreenSaverHold {
public:
    void hold(const QString &reason) override { told << "hold " + reason; }
    void release() override { told << "release"; }
    QStringList told;
};

}  // namespace

class WallScreenTest : public ::testing::Test {
protected:
    RecordingScreenSaver saver;
    IdlePointer pointer;
    bool unattended = false;
    WallScreen screen{saver, pointer, [this] { return unattended; }};
};

TEST_F(WallScreenTest, AScreenNobodySitsAtIsHeldOnOnceAndLetGoOnce)
{
    screen.update();
    EXPECT_TRUE(saver.told.isEmpty());
    EXPECT_FALSE(pointer.active());
    unattended = true;
    screen.update();
    screen.update();
    ASSERT_EQ(saver.told.size(), 1);
    EXPECT_TRUE(saver.told.first().startsWith("hold "));
    EXPECT_TRUE(pointer.active());
    unattended = false;
    screen.update();
    screen.update();
    EXPECT_EQ(saver.told, (QStringList{saver.told.first(), "release"}));
    EXPECT_FALSE(pointer.active());
}

TEST_F(WallScreenTest, TheWindowIsLookedAtEverySecond)
{
    EXPECT_TRUE(screen.checkTimer().isActive());
    EXPECT_EQ(screen.checkTimer().interval(), WallScreen::kCheckMs);
}
