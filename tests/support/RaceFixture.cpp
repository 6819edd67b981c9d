#include "support/RaceFixture.h"

#include "pools/PoolIndex.h"
#include "racedata/Cp932.h"
#include "racedata/RecordLayout.h"
#include "support/TestFiles.h"

#include <QDir>

#include <stdexcept>

namespace tavek::test {

namespace {

QByteArray blankRecord(const char* type, int length, const QByteArray& key, char category)
{
    QByteArray r(length, ' ');
    layout::put(r, layout::kRecordType, type);
    r[layout::kDataCategory - 1] = category;
    layout::put(r, layout::kCreationDate, "20050415");
    layout::put(r, layout::kRaceKey, key);
    layout::put(r, length - 1, "\r\n");
    return r;
}

QByteArray twoDigits(int n)
{
    return QByteArray::number(n).rightJustified(2, '0');
}

}  // namespace

QByteArray raceKey(const char* date, const char* course, int race, int meeting, int day)
{
    return QByteArray(date) + course + twoDigits(meeting) + twoDigits(day) + twoDigits(race);
}

FixtureDay fixtureDay()
{
    const QByteArray key11 = raceKey("20050416", "05", 11, 2, 8);
    const QByteArray key01 = raceKey("20050416", "05", 1, 2, 8);
    const QByteArray key12 = raceKey("20050416", "06", 12, 3, 4);

    H1Record main(key11);
    main.registered(16).starters(15);
    long long total = 0;
    for (int h = 1; h <= 16; ++h) {
        const long long votes = h == 3 ? 0 : 1000LL * h;
        main.win(h, votes);
        total += votes;
    }
    main.refund(3).winTotal(total);

    H1Record full(key01);
    full.registered(18).starters(18);
    total = 0;
    for (int h = 1; h <= 18; ++h) {
        full.win(h, 500LL * h);
        total += 500LL * h;
    }
    full.winTotal(total);

    return {{RaRecord(key11).name(QStringLiteral("テストステークス")),
             RaRecord(key01).name(QStringLiteral("２歳未勝利")), RaRecord(key12).name(QStringLiteral("中山最終"))},
            {main, full}};
}

QByteArray voteField(long long votes)
{
    return votes < 0 ? QByteArray(layout::kVoteLen, ' ')
                     : QByteArray::number(votes).rightJustified(layout::kVoteLen, '0');
}

H6Record::H6Record(const QByteArray& key, char category) : bytes_(blankRecord("H6", layout::kH6Length, key, category))
{
}

H6Record& H6Record::registered(int runners)
{
    for (int h = 1; h <= runners && h <= pools::kMaxRunners; ++h)
        refund(h, '0');
    return put(layout::kRegistered, twoDigits(runners));
}

H6Record& H6Record::starters(int runners)
{
    return put(layout::kStarters, twoDigits(runners));
}

H6Record& H6Record::saleFlag(char flag)
{
    return put(layout::kH6SaleFlag, QByteArray(1, flag));
}

H6Record& H6Record::refund(int horse, char flag)
{
    return put(layout::h6RefundFlag(horse), QByteArray(1, flag));
}

H6Record& H6Record::entry(int n, long long votes)
{
    const pools::VotePool& trifecta = pools::pool(pools::Pool::Trifecta);
    QByteArray runners;
    for (int h : pools::entryRunners(pools::Pool::Trifecta, n))
        runners += twoDigits(h);
    put(trifecta.entry(n), runners);
    return put(trifecta.votes(n), voteField(votes));
}

H6Record& H6Record::total(long long votes)
{
    return put(pools::pool(pools::Pool::Trifecta).total, voteField(votes));
}

H6Record& H6Record::put(int position, const QByteArray& text)
{
    layout::put(bytes_, position, text);
    return *this;
}

HrRecord::HrRecord(const QByteArray& key, char category) : bytes_(blankRecord("HR", layout::kHrLength, key, category))
{
}

HrRecord& HrRecord::counts(int registered, int starters)
{
    for (int run : {layout::kHrNotHeld, layout::kHrSpecial, layout::kHrRefunds})
        put(run, QByteArray(pools::PayoutLayout::kFlags, '0'));
    for (int h = 1; h <= registered; ++h)
        refund(h, '0');
    for (int b = 1; b <= pools::kBrackets; ++b) {
        put(layout::hrBracketRefund(b), "0");
        put(layout::hrSameBracketRefund(b), "0");
    }
    put(layout::kHrRegistered, twoDigits(registered));
    return put(layout::kHrStarters, twoDigits(starters));
}

HrRecord& HrRecord::flag(int run, pools::Pool pool, char flag)
{
    return put(layout::hrFlag(run, pool), QByteArray(1, flag));
}

HrRecord& HrRecord::refund(int horse, char flag)
{
    return put(layout::hrRunnerRefund(horse), QByteArray(1, flag));
}

HrRecord& HrRecord::payout(pools::Pool pool, int j, const QByteArray& combination, long long yen, int popularity)
{
    const pools::PayoutLayout& payoutSlots = pools::payoutLayout(pool);
    put(payoutSlots.slot(j), combination);
    put(payoutSlots.yen(j), QByteArray::number(yen).rightJustified(pools::PayoutLayout::kYenLen, '0'));
    if (popularity >= 0)
        put(payoutSlots.popularity(j), QByteArray::number(popularity).rightJustified(payoutSlots.popularityLen, '0'));
    return *this;
}

HrRecord& HrRecord::put(int position, const QByteArray& text)
{
    layout::put(bytes_, position, text);
    return *this;
}

HrRecord sampleResult(const QByteArray& key)
{
    using pools::Pool;
    return HrRecord(key)
        .counts(16, 16)
        .payout(Pool::Win, 0, "05", 430, 2)
        .payout(Pool::Place, 0, "02", 120, 1)
        .payout(Pool::Place, 1, "05", 220, 3)
        .payout(Pool::Place, 2, "09", 370, 9)
        .payout(Pool::Bracket, 0, "13", 1240, 5)
        .payout(Pool::Quinella, 0, "0205", 980, 3)
        .payout(Pool::Wide, 0, "0205", 390, 2)
        .payout(Pool::Wide, 1, "0209", 1530, 18)
        .payout(Pool::Wide, 2, "0509", 2110, 25)
        .payout(Pool::Exacta, 0, "0502", 2120, 7)
        .payout(Pool::Trio, 0, "020509", 7870, 24)
        .payout(Pool::Trifecta, 0, "050209", 41230, 131);
}

RaRecord::RaRecord(const QByteArray& key, char category) : bytes_(blankRecord("RA", layout::kRaLength, key, category))
{
}

RaRecord& RaRecord::name(const QString& raceName)
{
    return put(layout::kRaceName, cp932::encode(raceName).leftJustified(layout::kRaceNameLen, ' ', true));
}

RaRecord& RaRecord::put(int position, const QByteArray& text)
{
    layout::put(bytes_, position, text);
    return *this;
}

H1Record::H1Record(const QByteArray& key, char category) : bytes_(blankRecord("H1", layout::kH1Length, key, category))
{
}

H1Record& H1Record::registered(int runners)
{
    for (int h = 1; h <= runners && h <= layout::kMaxWinEntries; ++h)
        refund(h, '0');
    return put(layout::kRegistered, twoDigits(runners));
}

H1Record& H1Record::starters(int runners)
{
    return put(layout::kStarters, twoDigits(runners));
}

H1Record& H1Record::refund(int horse, char flag)
{
    return put(layout::refundFlag(horse), QByteArray(1, flag));
}

H1Record& H1Record::win(int horse, long long votes)
{
    put(layout::winEntry(horse), votes < 0 ? QByteArray("  ") : twoDigits(horse));
    return put(layout::winVotes(horse), voteField(votes));
}

H1Record& H1Record::winTotal(long long votes)
{
    return put(layout::kWinTotal, voteField(votes));
}

H1Record& H1Record::quinella(int pair, long long votes)
{
    return put(layout::quinellaVotes(pair), voteField(votes));
}

H1Record& H1Record::quinellaTotal(long long votes)
{
    return put(layout::kQuinellaTotal, voteField(votes));
}

H1Record& H1Record::bracket(int pair, long long votes)
{
    return put(layout::bracketVotes(pair), voteField(votes));
}

H1Record& H1Record::bracketTotal(long long votes)
{
    return put(layout::kBracketTotal, voteField(votes));
}

H1Record& H1Record::votes(int position, long long votes)
{
    return put(position, voteField(votes));
}

H1Record& H1Record::exacta(int i, int first, int second, long long votes)
{
    put(layout::exactaEntry(i), twoDigits(first) + twoDigits(second));
    return put(layout::exactaVotes(i), voteField(votes));
}

H1Record& H1Record::trio(int i, int first, int second, int third, long long votes)
{
    put(layout::trioEntry(i), twoDigits(first) + twoDigits(second) + twoDigits(third));
    return put(layout::trioVotes(i), voteField(votes));
}

H1Record& H1Record::put(int position, const QByteArray& text)
{
    layout::put(bytes_, position, text);
    return *this;
}

H1Record exampleWinRace(const QByteArray& key)
{
    H1Record r(key);
    r.registered(10).starters(10).winTotal(1'000'000).win(1, 100'000);
    for (int h = 2; h <= 10; ++h)
        r.win(h, 100'000);
    return r;
}

void writeRecords(const QString& path, const QList<QByteArray>& records)
{
    writeFile(path, records.join());
}

DataFolder::DataFolder()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString DataFolder::writeRaces(const QString& dateText, const QList<QByteArray>& records) const
{
    const QString p = QDir(path()).filePath(dateText + QStringLiteral(".jvRA"));
    writeRecords(p, records);
    return p;
}

QString DataFolder::writeTrifecta(const QString& dateText, const QList<QByteArray>& records) const
{
    const QString p = QDir(path()).filePath(dateText + QStringLiteral(".jvH6"));
    writeRecords(p, records);
    return p;
}

QString DataFolder::writeResults(const QString& dateText, const QList<QByteArray>& records) const
{
    const QString p = QDir(path()).filePath(dateText + QStringLiteral(".jvHR"));
    writeRecords(p, records);
    return p;
}

QString DataFolder::writeVotes(const QString& dateText, const QList<QByteArray>& records) const
{
    const QString p = QDir(path()).filePath(dateText + QStringLiteral(".jvH1"));
    writeRecords(p, records);
    return p;
}

}  // namespace tavek::test
