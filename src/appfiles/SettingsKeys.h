#pragma once

#include "appfiles/IniGT.h"

#include <QString>

#include <climits>

// Every section and key of the program's two settings files, with its
// default and its limits. The window, tavek-cli and the tests name a setting
// only through this table.
namespace tavek::settings {

// An integer: `fallback` when the key is missing or holds no integer; a value
// beyond the limits reads as the nearer limit.
struct IntegerKey {
    const char* section;
    const char* name;
    int fallback;
    int min = INT_MIN;
    int max = INT_MAX;
};

// A text; each reader gives its own default, named here.
struct TextKey {
    const char* section;
    const char* name;
};

// The program's file (identity::settingsFileIn).
// The main window's placement, read at start and written at close; a
// placement off every screen is brought back onto one by the window.
inline constexpr IntegerKey kWindowTop{"locate", "top", 10};
inline constexpr IntegerKey kWindowLeft{"locate", "left", 10};
inline constexpr IntegerKey kWindowWidth{"locate", "width", 800};
inline constexpr IntegerKey kWindowHeight{"locate", "height", 600};
// The start point of the batch acquisition, "yyyy/mm/dd hh:nn:ss"; by default
// eight days before now (lasttime::defaultValue).
inline constexpr TextKey kLastTime{"JvDataGet", "LastTime"};
// Seconds between two quick reports of the automatic refresh.
inline constexpr IntegerKey kRefreshInterval{"AutoRefresh", "Interval", 60, 10, 3600};

// The emulated service's own file in the application folder.
inline constexpr char kEmulatorFile[] = "JVLinkEmu.ini";
// Where downloaded files are kept; by default "JVLinkEmu" in the application
// folder.
inline constexpr TextKey kStorageFolder{"Emulator", "StorageFolder"};
// Milliseconds per downloaded file; 0 downloads at once.
inline constexpr IntegerKey kDownloadPace{"Emulator", "DownloadPace", 40, 0, 10'000};
// Real record files to serve instead of generated data; by default none.
inline constexpr TextKey kRecordFolder{"Emulator", "RecordFolder"};

int read(const TIniGT& file, const IntegerKey& key);
void write(const TIniGT& file, const IntegerKey& key, int value);
QString read(const TIniGT& file, const TextKey& key, const QString& fallback);
void write(const TIniGT& file, const TextKey& key, const QString& value);

}  // namespace tavek::settings
