// The tip of the notification-area icon.
#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "ui/tray_tip.h"

TEST(TrayTip, NamesTheNextAlarmWithAsMuchOfItsMessageAsFits)
{
    FakePlatform platform;
    DateTimeText texts(platform);
    Alarm next(889959600 + 7 * 60);  // Sunday 15 March 1998, 12:07 in the test zone
    EXPECT_EQ(tray_tip::textFor(nullptr, texts), "Quorvel - no alarm set");
    EXPECT_EQ(tray_tip::textFor(&next, texts), "Quorvel - next: Sun 15.03.98 12:07:00");
    next.message = "Wake up";
    EXPECT_EQ(tray_tip::textFor(&next, texts), "Quorvel - next: Sun 15.03.98 12:07:00 Wake up");
    next.message = std::string(200, 'x');
    EXPECT_EQ(tray_tip::textFor(&next, texts), "Quorvel - next: Sun 15.03.98 12:07:00 " + std::string(127 - 38, 'x'));
}
