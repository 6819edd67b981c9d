// Writes the seed corpus of every fuzz target: well-formed records, day
// files and settings built by the test suites' record builders and by the
// emulated JV-Link service, plus a few damaged ones, so each target starts
// from inputs that reach deep.
//
// Usage: tavek_fuzz_seeds <folder>; creates <folder>/<Target>/seed-<n>.
#include "support/FuzzInput.h"

#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceFinish.h"
#include "jvlink/emulator/RecordWriter.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <cstdio>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

QByteArray concat(const QList<QByteArray>& parts)
{
    QByteArray out;
    for (const QByteArray& p : parts)
        out += p;
    return out;
}

// A full race day's vote record: 16 runners, brackets, quinella, exacta and trio votes.
H1Record fullRace(const QByteArray& key)
{
    H1Record r(key);
    r.registered(16).starters(15).refund(7).winTotal(2'345'678).quinellaTotal(3'456'789).bracketTotal(987'654);
    for (int h = 1; h <= 16; ++h)
        r.win(h, h == 7 ? 0 : 1000L * h * h);
    for (int k = 1; k <= 120; ++k)
        r.quinella(k, 100L * k);
    for (int k = 1; k <= layout::kBracketPairs; ++k)
        r.bracket(k, 50L * k);
    r.put(layout::kExactaTotal, test::voteField(5'000'000)).put(layout::kTrioTotal, test::voteField(7'000'000));
    for (int k = 0; k < 40; ++k)
        r.put(layout::exactaEntry(k), "0102").put(layout::exactaVotes(k), test::voteField(1000 + 37L * k % 500));
    for (int k = 0; k < 60; ++k)
        r.put(layout::trioEntry(k), "010203").put(layout::trioVotes(k), test::voteField(900 + 53L * k % 700));
    return r;
}

QList<QByteArray> raceDay(int races)
{
    QList<QByteArray> out;
    for (int i = 1; i <= races; ++i)
        out << RaRecord(raceKey("20050416", i % 3 ? "05" : "08", (i - 1) % 12 + 1)).name(QStringLiteral("皐月賞"));
    return out;
}

QList<QByteArray> voteDay(int races)
{
    QList<QByteArray> out;
    for (int i = 1; i <= races; ++i)
        out << (i % 2 ? QByteArray(fullRace(raceKey("20050416", i % 3 ? "05" : "08", (i - 1) % 12 + 1)))
                      : QByteArray(test::exampleWinRace(raceKey("20050416", i % 3 ? "05" : "08", (i - 1) % 12 + 1))));
    return out;
}

// The first `races` races of an emulated race day, as the service serves them.
void emulatedDay(const QDate& date, int races, QByteArray& ra, QByteArray& h1, QByteArray* h6 = nullptr,
                 QByteArray* hr = nullptr)
{
    using namespace jvlink;
    for (const calendar::Meeting& meeting : calendar::meetingsOn(date)) {
        for (int number = 1; number <= calendar::kRacesPerMeeting && races > 0; ++number, --races) {
            const RaceDraw draw = drawRace(calendar::Race{date, meeting, number, 0});
            const Votes votes = votesOf(draw);
            records::appendRa(ra, draw, '7', date);
            records::appendH1(h1, draw, votes, '4', date);
            if (h6 && draw.trifectaPool > 0)
                records::appendH6(*h6, draw, votes, '4', date);
            if (hr)
                records::appendHr(*hr, draw, salesOf(draw, votes).refunds, payoutsOf(draw, votes), '2', date);
        }
    }
}

class Corpus {
public:
    explicit Corpus(const QString& folder) : folder_(folder) {}
    void add(const char* target, const QByteArray& input)
    {
        const QString dir = QDir(folder_).filePath(QLatin1String(target));
        QDir().mkpath(dir);
        QFile f(QDir(dir).filePath(QStringLiteral("seed-%1").arg(count_[QLatin1String(target)]++)));
        if (!f.open(QIODevice::WriteOnly) || f.write(input) != input.size())
            fuzz::fail("cannot write a seed", f.fileName());
    }

private:
    QString folder_;
    QHash<QString, int> count_;
};

// A patch of RaceLoadFuzz: `text` at 1-based `position`.
QByteArray patch(int position, const QByteArray& text)
{
    const int at = position - 1;
    return QByteArray(1, char(at >> 8)) + char(at & 0xFF) + char(text.size()) + text;
}

QByteArray sjis(const char* utf8)
{
    return cp932::encode(QString::fromUtf8(utf8));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    Corpus c(QString::fromLocal8Bit(argv[1]));

    const QByteArray withVotes("\x80\0\0\x10\x03\x50\x05\0", 8);
    c.add("DayLoadFuzz", fuzz::join(withVotes, {concat(raceDay(3)), concat(voteDay(3))}));
    c.add("DayLoadFuzz", fuzz::join(QByteArray("\x85\x02\x40\x01\x05\xf0\x20\0", 8),
                                    {concat(raceDay(12)).chopped(100), concat(voteDay(2))}));
    c.add("DayLoadFuzz",
          fuzz::join(withVotes, {concat(raceDay(2)), concat({H1Record(raceKey("20050416", "05", 1))
                                                                 .registered(3)
                                                                 .win(2, 12)
                                                                 .put(layout::winVotes(1), "12x45678901")})}));
    c.add("DayLoadFuzz", fuzz::join(QByteArray(8, '\0'), {concat(raceDay(37))}));

    QByteArray emulatedRa, emulatedH1, emulatedH6, emulatedHr;
    emulatedDay(QDate(2023, 4, 16), 3, emulatedRa, emulatedH1, &emulatedH6, &emulatedHr);
    if (emulatedRa.isEmpty() || emulatedH6.isEmpty())
        fuzz::fail("the emulated service held no races on the seed day");
    c.add("DayLoadFuzz", fuzz::join(withVotes, {emulatedRa, emulatedH1}));
    // With the trifecta's file: whole, one record cut short, one race's H6 twice and one not a number.
    const QByteArray withTrifecta = QByteArray(withVotes).replace(6, 1, "\x01");
    const QByteArray firstH6 = emulatedH6.left(layout::kH6Length);
    c.add("DayLoadFuzz", fuzz::join(withTrifecta, {emulatedRa, emulatedH1, emulatedH6}));
    c.add("DayLoadFuzz",
          fuzz::join(withTrifecta, {emulatedRa, emulatedH1, emulatedH6.chopped(500) + "\r\n" + firstH6}));
    c.add("DayLoadFuzz", fuzz::join(withTrifecta, {emulatedRa, emulatedH1.left(layout::kH1Length),
                                                   QByteArray(firstH6).replace(60, 3, "1x2")}));
    // With the payouts' file: whole, one race's twice and one record cut short, letters in a payout.
    const QByteArray withResults = QByteArray(withVotes).replace(6, 1, "\x03");
    const QByteArray firstHr = emulatedHr.left(layout::kHrLength);
    c.add("DayLoadFuzz", fuzz::join(withResults, {emulatedRa, emulatedH1, emulatedH6, emulatedHr}));
    c.add("DayLoadFuzz",
          fuzz::join(withResults, {emulatedRa, emulatedH1, {}, emulatedHr.chopped(300) + "\r\n" + firstHr}));
    c.add("DayLoadFuzz",
          fuzz::join(withResults, {emulatedRa, emulatedH1, {}, QByteArray(firstHr).replace(104, 3, "4a0")}));
    c.add("RecordFuzz", fuzz::join(QByteArray("\0\x1e\x02\x07\x10\x09\x14\x10", 8), {firstHr}));
    c.add("RecordFuzz", fuzz::join(QByteArray("\0\x1e\x02\x07\x10\x09\x14\x10", 8),
                                   {test::sampleResult().payout(pools::Pool::Trio, 0, "020502", 7870, 24)}));
    c.add("RecordFuzz",
          fuzz::join(QByteArray("\0\x1a\x02\x07\x10\x09\x14\x10", 8), {emulatedH1.left(layout::kH1Length)}));
    c.add("ReferenceFuzz", emulatedH1.left(layout::kH1Length));
    c.add("StoreFuzz", fuzz::join("\x06", {emulatedH1.left(layout::kH1Length), emulatedH1.mid(layout::kH1Length)}));
    const QByteArray emulatedKey = layout::raceKey(emulatedH1).toByteArray();
    c.add("RecordFolderFuzz", fuzz::join({}, {emulatedRa + emulatedH1 + emulatedHr, emulatedKey}));
    c.add("RecordFolderFuzz", fuzz::join({}, {emulatedRa.left(2 * layout::kRaLength).replace("\r\n", "\n") + "SE  \n"
                                                  + emulatedH1.left(layout::kH1Length),
                                              emulatedKey}));

    c.add("RecordFuzz", fuzz::join(QByteArray("\0\x1a\x02\x07\x10\x09\x14\x10", 8),
                                   {RaRecord().name(QStringLiteral("日本ダービー"))}));
    c.add("RecordFuzz", fuzz::join(QByteArray("\x00\x56\x0b\x03\x08\x08\x1c\x04", 8), {fullRace(raceKey())}));
    c.add("RecordFuzz",
          fuzz::join(QByteArray("\x70\x80\x0b\x01\x12\x12\x00\x30", 8), {test::exampleWinRace().bytes().left(900)}));

    const QByteArray day = concat({RaRecord(raceKey("20050416", "05", 1)).bytes().chopped(2), "\r\n",
                                   RaRecord(raceKey("20050416", "05", 3)).bytes().chopped(2), "\r\n"});
    c.add("StoreFuzz", fuzz::join("\x06", {RaRecord(raceKey("20050416", "05", 2)), day}));
    c.add("StoreFuzz", fuzz::join("\x06", {RaRecord(raceKey("20050416", "05", 3), '2'), day}));
    c.add("StoreFuzz", fuzz::join("\x07", {H1Record(raceKey("20050416", "05", 3), '0'),
                                           "   \r\n" + H1Record(raceKey("20050416", "05", 1)).bytes()}));
    c.add("StoreFuzz", fuzz::join(QByteArray(1, '\0'), {RaRecord(raceKey("2005ab16", "05", 1))}));
    c.add("StoreFuzz", fuzz::join("\x0e", {RaRecord(raceKey("20050416", "05", 2)), day,
                                           RaRecord(raceKey("20050416", "05", 4), '2')}));
    c.add("StoreFuzz", fuzz::join("\x04", {RaRecord(raceKey("20050416", "05", 1)).bytes().chopped(1)}));

    c.add("RaceLoadFuzz", fuzz::join(QByteArray("\0\x03\x10\x05\x07\x50\x09\x10", 8), {{}, {}}));
    c.add("RaceLoadFuzz",
          fuzz::join(QByteArray("\x05\x03\x10\x05\x07\x50\x09\x0c", 8),
                     {patch(layout::kRaceNumber, "00"), patch(layout::winVotes(1), "-0000000100")
                                                            + patch(layout::winVotes(2), "12a45678901")
                                                            + patch(layout::kQuinellaTotal, "           ")}));
    c.add("RaceLoadFuzz", fuzz::join(QByteArray("\x72\x01\x02\x03\x04\x05\x06\x12", 8),
                                     {patch(layout::kCourse, "08"), patch(layout::kRegistered, "99")}));

    c.add("DamagedDayFuzz", fuzz::join(QByteArray("\x05\x08\x13\x10\x1c\x24\0\0\0\0\0\0\0\x02\x09\x30", 16),
                                       {RaRecord(raceKey("20050416", "05", 7)).bytes().chopped(2)}));
    c.add("DamagedDayFuzz",
          fuzz::join(QByteArray("\x0b\x00\x09\x0b\x12\x1d\x25\x2e\x36\x3f\x47\x90\x58\x81\x02\x03", 16), {"garbage"}));

    const QByteArray settings = "[locate]\r\ntop=0x20\r\nleft=abc\r\nwidth=800\r\nheight=$1F\r\n\r\n"
                                "[JvDataGet]\r\nLastTime=\"2024/05/18 09:41:07\"\r\n";
    c.add("IniFuzz", fuzz::join({}, {settings, "JvDataGet", "LastTime", "2024/05/26 09:41:07"}));
    c.add("IniFuzz", fuzz::join({}, {settings, "locate", "top", "0x7f"}));
    c.add("IniFuzz", fuzz::join({}, {"; comment\r\n[LOCATE]\r\n TOP = 12 \r\n[jvdataget]\r\nlasttime="
                                         + sjis("｢ 2024/05/18 09:41:07 ｣"),
                                     "New", "key", sjis("値 20240526094107")}));
    c.add("IniFuzz", fuzz::join({}, {QByteArray("[a\r\nb=c\n\n=\r\n[locate\r\ntop=\"\"\r\n"), "a", "b", ""}));

    c.add("EmulatorSettingsFuzz",
          fuzz::join(QByteArray("\x28\x00", 2), {"[Emulator]\r\nStorageFolder=/srv/jv\r\nDownloadPace=0x10\r\n"
                                                 "RecordFolder=\"  records  \"\r\n[Other]\r\nDownloadPace=5\r\n",
                                                 "/srv/jv2", sjis("｢ 記録 ｣")}));
    c.add("EmulatorSettingsFuzz",
          fuzz::join(QByteArray("\xff\xff", 2), {"[emulator]\r\ndownloadpace=-7\r\nstoragefolder="
                                                 "\r\nstoragefolder=x\r\n",
                                                 "", "a\r\nb"}));

    c.add("NumEditFuzz", fuzz::join(QByteArray("\x07\x03\x03", 3), {sjis("１２，３４５．６７"),
                                                                    "12.5\b-\x01"
                                                                    "9",
                                                                    "-0012.50"}));
    c.add("NumEditFuzz", fuzz::join(QByteArray("\x09\x00\x12", 3), {"1,234,567",
                                                                    "\x16\x1a"
                                                                    "0.",
                                                                    sjis("－８")}));
    c.add("NumEditFuzz", fuzz::join(QByteArray("\x04\x01\x0d", 3), {"-.5x", "99999\x18\x16", "123456"}));

    c.add("ReferenceFuzz", fullRace(raceKey()));
    c.add("ReferenceFuzz", test::exampleWinRace());
    c.add("ReferenceFuzz", fullRace(raceKey()).bytes().left(12600));
    return 0;
}
