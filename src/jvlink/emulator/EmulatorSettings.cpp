#include "jvlink/emulator/EmulatorSettings.h"

#include "appfiles/AppFolder.h"
#include "appfiles/IniFile.h"
#include "appfiles/IniGT.h"

#include <QDir>
#include <algorithm>

namespace tavek::jvlink {

namespace {
const QString kSection = QStringLiteral("Emulator");

TIniGT settingsFile()
{
    TIniGT ini;
    ini.FileName = QStringLiteral("JVLinkEmu.ini");
    return ini;
}

SettingsEditor& installedEditor()
{
    static SettingsEditor editor;
    return editor;
}
}  // namespace

EmulatorSettings EmulatorSettings::defaults()
{
    EmulatorSettings s;
    s.storageFolder = QDir(appfolder::path()).filePath(QStringLiteral("JVLinkEmu"));
    return s;
}

EmulatorSettings EmulatorSettings::load()
{
    const TIniGT ini = settingsFile();
    EmulatorSettings s = defaults();
    const QString storage = ini.ReadString(kSection, QStringLiteral("StorageFolder"), QString()).trimmed();
    if (!storage.isEmpty())
        s.storageFolder = storage;
    s.downloadPaceMs = std::clamp(ini.ReadInteger(kSection, QStringLiteral("DownloadPace"), s.downloadPaceMs), 0,
                                  kMaxPaceMs);
    s.recordFolder = ini.ReadString(kSection, QStringLiteral("RecordFolder"), QString()).trimmed();
    return s;
}

void EmulatorSettings::save() const
{
    // In quotes, which the read takes off: unquoted, a folder named "｢記録｣"
    // or "\"x\"" would read back without its brackets, as another folder.
    const auto quoted = [](const QString& folder) { return u'"' + folder + u'"'; };
    const TIniGT ini = settingsFile();
    ini.WriteString(kSection, QStringLiteral("StorageFolder"), quoted(storageFolder));
    ini.WriteInteger(kSection, QStringLiteral("DownloadPace"), downloadPaceMs);
    ini.WriteString(kSection, QStringLiteral("RecordFolder"), quoted(recordFolder));
}

QString EmulatorSettings::filePath()
{
    return settingsFile().path();
}

QString EmulatorSettings::problem()
{
    return ini::problem(filePath());
}

void setSettingsEditor(SettingsEditor editor)
{
    installedEditor() = std::move(editor);
}

const SettingsEditor& settingsEditor()
{
    return installedEditor();
}

}  // namespace tavek::jvlink
