#include "jvlink/emulator/EmulatorSettings.h"

#include "appfiles/AppFolder.h"
#include "appfiles/IniFile.h"
#include "appfiles/IniGT.h"
#include "appfiles/SettingsKeys.h"

#include <QDir>

namespace tavek::jvlink {

namespace {
TIniGT settingsFile()
{
    TIniGT ini;
    ini.FileName = QLatin1String(settings::kEmulatorFile);
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
    const QString storage = settings::read(ini, settings::kStorageFolder, QString()).trimmed();
    if (!storage.isEmpty())
        s.storageFolder = storage;
    s.downloadPaceMs = settings::read(ini, settings::kDownloadPace);
    s.recordFolder = settings::read(ini, settings::kRecordFolder, QString()).trimmed();
    return s;
}

void EmulatorSettings::save() const
{
    // In quotes, which the read takes off: unquoted, a folder named "｢記録｣"
    // or "\"x\"" would read back without its brackets, as another folder.
    const auto quoted = [](const QString& folder) { return u'"' + folder + u'"'; };
    const TIniGT ini = settingsFile();
    settings::write(ini, settings::kStorageFolder, quoted(storageFolder));
    settings::write(ini, settings::kDownloadPace, downloadPaceMs);
    settings::write(ini, settings::kRecordFolder, quoted(recordFolder));
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
