#pragma once

#include "appfiles/SettingsKeys.h"

#include <QString>
#include <functional>

namespace tavek::jvlink {

// The emulated service's own settings, kept in settings::kEmulatorFile in the
// application folder.
struct EmulatorSettings {
    QString storageFolder;                                  // where downloaded files are kept
    int downloadPaceMs = settings::kDownloadPace.fallback;  // time per downloaded file; 0 = instant
    QString recordFolder;  // real record files to serve instead of generated data; empty = none

    // Defaults: storage "JVLinkEmu" in the application folder, 40 ms per file
    // (a year of race days takes about ten seconds), generated data.
    static EmulatorSettings defaults();
    // The stored settings, defaults where missing or unreadable.
    static EmulatorSettings load();
    // Throws std::runtime_error when the file cannot be written.
    void save() const;
    static QString filePath();
    // Why the file is not read and the defaults serve (ini::problem); empty
    // when it is read or missing.
    static QString problem();
};

// The settings dialog: edits the settings in place and answers true when the
// user accepted them. The widget layer installs it, so this layer needs no widgets.
using SettingsEditor = std::function<bool(EmulatorSettings&)>;
void setSettingsEditor(SettingsEditor editor);
const SettingsEditor& settingsEditor();

}  // namespace tavek::jvlink
