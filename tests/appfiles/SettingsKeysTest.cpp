#include "appfiles/SettingsKeys.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavek;

// A stored integer is read as the settings component reads it, then held to
// the key's limits; a missing or unreadable one gives the key's default.
TEST(SettingsKeys, IntegersReadWithinTheirLimits)
{
    struct Case {
        QByteArray stored;  // the lines under both sections; empty: none
        int interval, pace;
    };
    const Case cases[] = {
        {"", 60, 40},
        {"Interval=5\r\nDownloadPace=-3", 10, 0},
        {"Interval=90000\r\nDownloadPace=99999", 3600, 10'000},
        {"Interval=fast\r\nDownloadPace=", 60, 40},
        {"Interval=0x20\r\nDownloadPace=$10", 32, 16},
    };
    QTemporaryDir dir;
    const TIniGT ini = test::settingsIn(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        const QByteArray lines = c.stored.isEmpty() ? QByteArray() : c.stored + "\r\n";
        test::writeFile(ini.FileName, "[AutoRefresh]\r\n" + lines + "[Emulator]\r\n" + lines);
        EXPECT_EQ(settings::read(ini, settings::kRefreshInterval), c.interval);
        EXPECT_EQ(settings::read(ini, settings::kDownloadPace), c.pace);
    }
}
