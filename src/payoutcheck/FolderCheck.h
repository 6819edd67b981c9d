#pragma once

#include "payoutcheck/PayoutCheck.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The payout check of every race of the data folder that has both its votes
// and its result: tavek-cli check-payouts.
namespace tavek::payoutcheck {

// A payout that differs, with its race.
struct RaceDifference {
    QString date;  // the date text, 2005年04月16日
    QString race;  // the race item, "2005/04/16 東京 11R"
    Difference difference;
};

struct PoolTally {
    int compared = 0;
    int differing = 0;
};

struct FolderCheck {
    int races = 0;     // races compared
    int compared = 0;  // payouts compared
    std::array<PoolTally, pools::kPoolCount> pools{};
    std::vector<RaceDifference> differences;  // by day, race and pool
    // What could not be read, each naming its file and race: a payout record,
    // a vote record whose fields are not numbers (its race is not compared),
    // a trifecta record (its pool is not compared), a line that is no whole
    // record.
    QStringList unreadable;

    // Adds the check of the days that follow this one's.
    void append(const FolderCheck& later);
};

// Checks the races of the day `dateText` of `dataFolder` with a vote record
// and a payout record (payoutcheck::checkRace on the day's records as the
// window reads them). Throws std::runtime_error naming the file when a day
// file cannot be read or is no regular file.
FolderCheck checkDay(const QString& dataFolder, const QString& dateText);

// The same for the days from `from` to `to` (dayfiles::datesBetween), read
// on every core.
FolderCheck checkDataFolder(const QString& dataFolder, const QDate& from, const QDate& to);

}  // namespace tavek::payoutcheck
