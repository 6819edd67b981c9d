#pragma once

#include "history/OddsHistory.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// The odds history of one race as the オッズ推移 view draws it and tavek-cli
// prints it: for every snapshot the win odds of each runner and the odds of
// the leading quinella pairs, computed from the snapshot's record exactly as
// the win and quinella tabs compute them.
namespace tavek::timeline {

// The figures of one snapshot, as OddsTimeline gives them of its snapshot i:
// for a reader that streams a long history (tavek-cli history) one at a time.
int registeredRunners(const history::Snapshot& snapshot);  // at most 28
int winTotal(const history::Snapshot& snapshot);
int winVotes(const history::Snapshot& snapshot, int horse);
std::optional<long double> winOdds(const history::Snapshot& snapshot, int horse);
QString winOddsText(const history::Snapshot& snapshot, int horse);
QString fetchedStamp(const history::Snapshot& snapshot);  // "2024-05-26 09:30:15"

class OddsTimeline {
public:
    OddsTimeline() = default;
    explicit OddsTimeline(std::vector<history::Snapshot> snapshots);
    // The race of `raceRecord` (its RA or H1 record) as `history` keeps it;
    // empty without a history.
    static OddsTimeline ofRace(const history::OddsHistory* history, QByteArrayView raceRecord);

    int size() const { return int(snapshots_.size()); }
    bool empty() const { return snapshots_.empty(); }
    const history::Snapshot& snapshot(int i) const { return snapshots_[size_t(i)]; }

    // Registered runners of the latest snapshot (win rows), at most 28.
    int runners() const;

    // Snapshot i: win total and votes (blank-as-zero), win odds (none where
    // the runner has no votes) and their texts ("4.5"; empty for none).
    int winTotal(int i) const;
    QString winTotalText(int i) const;  // "%11.0n" without its padding
    int winVotes(int i, int horse) const;
    std::optional<long double> winOdds(int i, int horse) const;
    QString winOddsText(int i, int horse) const;

    // The `count` quinella pairs with the most votes in the latest snapshot,
    // most first (pair indexes 1..153); pairs without votes are left out.
    std::vector<int> leadingQuinellaPairs(int count) const;
    // Every pair that was among the `count` leading pairs of any snapshot, in
    // the order it first came among them: its place is its colour for the
    // whole race, so a pair keeps its colour while the ranking changes.
    std::vector<int> quinellaPairsInOrderOfLead(int count) const;
    std::optional<long double> quinellaOdds(int i, int k) const;
    QString quinellaOddsText(int i, int k) const;
    // "1-2": the pair label without the blanks that align it in the matrix.
    static QString quinellaPairName(int k);

    // "09:30:15", and the date and time for files: "2024-05-26 09:30:15".
    QString fetchedTime(int i) const;
    QString fetchedStamp(int i) const;

    // The caption of the オッズ推移 tab over race `item` ("2005/04/16 東京 11R"):
    // its post time, then the quick reports kept, from the first to the last
    // (a fetch on another day than the race's with its date); or, without
    // any, how a history comes about, or, given `unavailable`, why there is
    // no history to show.
    QString caption(const QString& item, const std::optional<QDateTime>& postTime,
                    const QString& unavailable = QString()) const;

private:
    std::vector<int> leadingQuinellaPairs(int i, int count) const;

    std::vector<history::Snapshot> snapshots_;
};

}  // namespace tavek::timeline
