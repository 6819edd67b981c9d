#pragma once

#include "pools/VotePools.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Builders for RA and H1 records and day files, shared by the test suites.
// Records are CP932 bytes of their full length with CR LF at the end; every
// field not set is blank.
namespace tavek::test {

// A race key "2005041605020811": year, month-day, course, meeting, day, race.
QByteArray raceKey(const char* date = "20050416", const char* course = "05", int race = 11, int meeting = 2,
                   int day = 8);

class RaRecord {
public:
    explicit RaRecord(const QByteArray& key = raceKey(), char category = '7');
    RaRecord& name(const QString& raceName);  // CP932, padded to 60 bytes
    RaRecord& put(int position, const QByteArray& text);
    const QByteArray& bytes() const { return bytes_; }
    operator QByteArray() const { return bytes_; }
    operator QByteArrayView() const { return bytes_; }

private:
    QByteArray bytes_;
};

class H1Record {
public:
    explicit H1Record(const QByteArray& key = raceKey(), char category = '7');
    H1Record& registered(int runners);  // also sets every refund flag of the field to "0"
    H1Record& starters(int runners);
    H1Record& refund(int horse, char flag = '1');
    H1Record& win(int horse, long long votes);  // votes < 0 leave the field blank
    H1Record& winTotal(long long votes);
    H1Record& quinella(int pair, long long votes);
    H1Record& quinellaTotal(long long votes);
    H1Record& bracket(int pair, long long votes);
    H1Record& bracketTotal(long long votes);
    H1Record& votes(int position, long long votes);  // any vote field, such as a total
    // Entry i (0-based) of the exacta or trio table: its runners and votes.
    H1Record& exacta(int i, int first, int second, long long votes);
    H1Record& trio(int i, int first, int second, int third, long long votes);
    H1Record& put(int position, const QByteArray& text);
    const QByteArray& bytes() const { return bytes_; }
    operator QByteArray() const { return bytes_; }
    operator QByteArrayView() const { return bytes_; }

private:
    QByteArray bytes_;
};

// The trifecta's vote record (H6): every field not set is blank.
class H6Record {
public:
    explicit H6Record(const QByteArray& key = raceKey(), char category = '7');
    H6Record& registered(int runners);  // also sets every refund flag of the field to "0"
    H6Record& starters(int runners);
    H6Record& saleFlag(char flag);
    H6Record& refund(int horse, char flag = '1');
    // Entry n (1..4896, the pool's numbering): its three runners and votes.
    H6Record& entry(int n, long long votes);
    H6Record& total(long long votes);
    H6Record& put(int position, const QByteArray& text);
    const QByteArray& bytes() const { return bytes_; }
    operator QByteArray() const { return bytes_; }
    operator QByteArrayView() const { return bytes_; }

private:
    QByteArray bytes_;
};

// The payout record (HR): every field not set is blank.
class HrRecord {
public:
    explicit HrRecord(const QByteArray& key = raceKey(), char category = '2');
    // The counts, with every flag "0" (the runners' up to `registered`).
    HrRecord& counts(int registered, int starters);
    // Flag run layout::kHrNotHeld, kHrSpecial or kHrRefunds of `pool`.
    HrRecord& flag(int run, pools::Pool pool, char flag = '1');
    HrRecord& refund(int horse, char flag = '1');
    // Slot j of `pool`: the combination's digits as given, yen and
    // popularity zero-padded (a popularity below 0 leaves it blank).
    HrRecord& payout(pools::Pool pool, int j, const QByteArray& combination, long long yen, int popularity);
    HrRecord& put(int position, const QByteArray& text);
    const QByteArray& bytes() const { return bytes_; }
    operator QByteArray() const { return bytes_; }
    operator QByteArrayView() const { return bytes_; }

private:
    QByteArray bytes_;
};

// A whole payout record of a 16-runner race that finished 5, 2, 9 (brackets
// 3, 1 and 5), every pool held.
HrRecord sampleResult(const QByteArray& key = raceKey());

// The race of the win model's worked examples: 10 runners, total 1,000,000,
// horse 1 with 100,000 votes, the rest spread over horses 2..10.
H1Record exampleWinRace(const QByteArray& key = raceKey());

// The fixture day 2005年04月16日 of the window tests, three races in this order:
//  0: 東京 11R, 第2回8日, "テストステークス", 16 registered, 15 starters;
//     horse h has 1000 * h votes, horse 3 is scratched (refund "1", 0 votes).
//  1: 東京 01R, 18 registered and starting, horse h has 500 * h votes.
//  2: 中山 12R without a vote record (nothing to show).
inline const QString kFixtureDate = QStringLiteral("2005年04月16日");
struct FixtureDay {
    QList<QByteArray> races;
    QList<QByteArray> votes;
};
FixtureDay fixtureDay();

// An 11-digit vote field ("00000012345"), blank for a negative value.
QByteArray voteField(long long votes);

// Writes records one after another (each keeps its CR LF) to `path`.
void writeRecords(const QString& path, const QList<QByteArray>& records);

// A temporary data folder with helpers to write a day's files.
class DataFolder {
public:
    DataFolder();
    QString path() const { return dir_.path(); }
    // Writes <dateText>.jvRA / .jvH1; returns the file's path.
    QString writeRaces(const QString& dateText, const QList<QByteArray>& records) const;
    QString writeVotes(const QString& dateText, const QList<QByteArray>& records) const;
    QString writeTrifecta(const QString& dateText, const QList<QByteArray>& records) const;  // .jvH6
    QString writeResults(const QString& dateText, const QList<QByteArray>& records) const;   // .jvHR

private:
    QTemporaryDir dir_;
};

}  // namespace tavek::test
