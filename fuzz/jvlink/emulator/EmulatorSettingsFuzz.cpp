// The emulated service's settings file of arbitrary bytes:
// its read (a pace within its bounds, a storage folder always, no blanks at
// the ends), a save of what was read and the settings dialog's save through
// the service. Whatever was saved reads back as itself, and a folder the
// dialog gave as it was given (no line breaks, no blanks at its ends).
//
// Input: two control bytes (the dialog's pace, little-endian), then the file
// bytes, separator, storage folder, separator, record folder (CP932).
#include "support/FuzzInput.h"

#include "appfiles/AppFolder.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "racedata/Cp932.h"

using namespace tavek;
using namespace tavek::jvlink;

namespace {

// A line break inside a value would split its line: it is written as a blank.
QString oneLine(QString text)
{
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

bool same(const EmulatorSettings& read, const EmulatorSettings& again)
{
    return oneLine(read.storageFolder) == again.storageFolder && read.downloadPaceMs == again.downloadPaceMs
           && oneLine(read.recordFolder) == again.recordFolder;
}

QString shown(const EmulatorSettings& s)
{
    return QStringLiteral("%1|%2|%3").arg(s.storageFolder).arg(s.downloadPaceMs).arg(s.recordFolder);
}

// Read as read, saved and read again, the settings stay the same.
void checkedLoad()
{
    const EmulatorSettings s = EmulatorSettings::load();
    if (s.downloadPaceMs < settings::kDownloadPace.min || s.downloadPaceMs > settings::kDownloadPace.max)
        fuzz::fail("a download pace out of bounds", shown(s));
    if (s.storageFolder.isEmpty() || s.storageFolder != s.storageFolder.trimmed()
        || s.recordFolder != s.recordFolder.trimmed())
        fuzz::fail("a folder empty or with blanks at its ends", shown(s));
    if (!EmulatorSettings::problem().isEmpty())
        fuzz::fail("a small regular file not read", EmulatorSettings::problem());
    s.save();
    if (const EmulatorSettings again = EmulatorSettings::load(); !same(s, again))
        fuzz::fail("saved settings read back otherwise", shown(s) + QStringLiteral(" -> ") + shown(again));
}

// A folder as the dialog gave it reads back without line breaks and without
// blanks at its ends, when CP932 can write it and it is not cut.
bool readsBackAsGiven(const QString& given, const QString& back)
{
    const QByteArray bytes = cp932::encode(given);
    if (cp932::decode(bytes) != given || bytes.size() > 2000)
        return true;
    const QString expected = oneLine(given).trimmed();
    return expected.isEmpty() || back == expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in(data, size, 2);
    const QString folder = fuzz::scratchFolder();
    fuzz::clean(folder);
    appfolder::setPath(folder);
    fuzz::writeFile(EmulatorSettings::filePath(), in.part(0));
    checkedLoad();

    // The dialog edits what the service holds; only its save touches the file.
    EmulatorSettings edited = EmulatorSettings::defaults();
    edited.storageFolder = cp932::decode(in.part(1));
    edited.recordFolder = cp932::decode(in.part(2));
    edited.downloadPaceMs = (in.control(0) | in.control(1) << 8) % (settings::kDownloadPace.max + 1);
    setSettingsEditor([&edited](EmulatorSettings& s) {
        s = edited;
        return true;
    });
    EmulatedJVLink jv(EmulatorSettings::defaults());
    if (jv.JVSetUIProperties() != 0)
        fuzz::fail("the dialog's settings not saved");
    setSettingsEditor({});
    const EmulatorSettings saved = EmulatorSettings::load();
    if (saved.downloadPaceMs != edited.downloadPaceMs || !readsBackAsGiven(edited.storageFolder, saved.storageFolder)
        || !readsBackAsGiven(edited.recordFolder, saved.recordFolder))
        fuzz::fail("the dialog's settings read back otherwise", shown(edited) + QStringLiteral(" -> ") + shown(saved));
    return 0;
}
