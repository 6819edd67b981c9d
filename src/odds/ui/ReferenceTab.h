#pragma once

#include <QByteArrayView>
#include <QWidget>

#include "pools/VotePools.h"
#include "results/Winners.h"
#include <array>
#include <functional>

class QLabel;
class QListWidget;

namespace tavek::controls {
class WhenShown;
}

// The content of the reference tab TabSheet4 ("参考資料"): Panel8 with the vote totals of the
// eight pools (the trifecta's from its own record), Panel6 with the ranked exacta (ListBox1) and trio
// (ListBox2) lists.
class ReferenceTab : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceTab(QWidget* parent = nullptr);

    // The reference section of the win calculation for a race's record.
    // While the window is on screen with another tab in view, the lists wait
    // until this tab is shown: ranking and formatting up to 1,122 lines is
    // much of a race switch, and no one sees them meanwhile.
    // The trifecta's total comes from its own record, asked for when the
    // totals are filled.
    void referenceSection(QByteArrayView voteRecord, std::function<QByteArray()> trifecta = {});
    void referenceSection(QByteArrayView voteRecord, QByteArrayView trifectaRecord);

    // The race's result, shown with the next reference section: the lines of
    // the winning entries in the winners' colour.
    void setWinners(const tavek::results::Winners& winners) { winners_ = winners; }

    QLabel* totalBox(int betType) const { return totals_[size_t(betType)]; }
    QListWidget* ListBox1;  // exacta
    QListWidget* ListBox2;  // trio

private:
    void fill(QByteArrayView voteRecord, QByteArrayView trifectaRecord);

    std::array<QLabel*, tavek::pools::kPoolCount> totals_{};
    tavek::controls::WhenShown* whenShown_;
    tavek::results::Winners winners_;
};
