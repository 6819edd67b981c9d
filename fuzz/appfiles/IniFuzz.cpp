// The settings file of arbitrary bytes: the program's own keys read through
// the settings component, then a write of one key and the reads after it. A
// write must keep every other line and read back as written.
//
// Input: the file bytes, separator, section, separator, key, separator,
// value (section, key and value are CP932).
#include "support/FuzzInput.h"

#include "appfiles/IniFile.h"
#include "appfiles/IniGT.h"
#include "appfiles/SettingsKeys.h"
#include "jvlink/client/LastTime.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLines.h"

#include <algorithm>
#include <stdexcept>

using namespace tavek;

namespace {

// A write replaces one line, inserts one, or appends a section of two.
bool keepsOtherLines(const QList<QByteArray>& before, const QList<QByteArray>& after)
{
    if (after.size() == before.size()) {
        qsizetype changed = 0;
        for (qsizetype i = 0; i < before.size(); ++i)
            changed += before[i] != after[i];
        return changed <= 1;
    }
    if (after.size() == before.size() + 2)
        return after.first(before.size()) == before;
    if (after.size() != before.size() + 1)
        return false;
    qsizetype i = 0;
    while (i < before.size() && before[i] == after[i])
        ++i;
    return after.sliced(i + 1) == before.sliced(i);
}

bool plain(const QString& s)
{
    return !s.isEmpty() && s.size() < 100 && std::all_of(s.begin(), s.end(), [](QChar c) {
        return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'_');
    });
}

void programReads(const TIniGT& ini)
{
    using namespace settings;
    for (const IntegerKey& key : {kWindowTop, kWindowLeft, kWindowWidth, kWindowHeight, kRefreshInterval})
        read(ini, key);
    lasttime::parse(read(ini, kLastTime, lasttime::format(lasttime::defaultValue())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::Input in(data, size, 0);
    const QString section = cp932::decode(in.part(1));
    const QString key = cp932::decode(in.part(2));
    const QString value = cp932::decode(in.part(3));

    const QString folder = fuzz::scratchFolder();
    fuzz::clean(folder);
    TIniGT ini;
    ini.FileName = folder + QStringLiteral("/TavekJ.ini");
    const QString path = ini.path();
    fuzz::writeFile(path, in.part(0));

    programReads(ini);
    ini.ReadString(section, key, QStringLiteral(" default "));
    iniInteger(value, 7);
    try {
        lasttime::fromTimestamp(value);
    } catch (const std::runtime_error&) {
    }

    const QString topSection = QLatin1String(settings::kWindowTop.section);
    const QString topKey = QLatin1String(settings::kWindowTop.name);
    const QString top = ini::readString(path, topSection, topKey, QStringLiteral("-"));
    ini.WriteString(section, key, value);
    const QByteArray after = fuzz::readFile(path);
    if (!keepsOtherLines(recordlines::lines(in.part(0)), recordlines::lines(after)))
        fuzz::fail("a write lost other lines of the file");
    // A key with "=" or a section with "]" in its name is written as another
    // line's key or section, as with the Windows profile functions.
    const bool mayBeTop = key.contains(u'=') || section.contains(u']')
                          || (section.trimmed().compare(topSection, Qt::CaseInsensitive) == 0
                              && key.trimmed().compare(topKey, Qt::CaseInsensitive) == 0);
    if (!mayBeTop && ini::readString(path, topSection, topKey, QStringLiteral("-")) != top)
        fuzz::fail("a write changed another key");
    if (plain(section) && plain(key) && plain(value)
        && ini::readString(path, section, key, QStringLiteral("\x01")) != value)
        fuzz::fail("a written value does not read back", section + u'/' + key + u'=' + value);
    programReads(ini);
    return 0;
}
