#pragma once

#include "advisor/model/AdvisorBet.h"
#include "advisor/model/ModelChance.h"
#include "value/model/BetValue.h"

#include <QWidget>
#include <array>
#include <optional>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QListWidget;
class QPushButton;
class QScatterSeries;
class QTableWidget;
class QValueAxis;
class TSaNumEdit;

namespace tavek {
struct DayData;
namespace controls {
class WhenShown;
}
namespace advice {
struct AdvisorChart;
}
}  // namespace tavek

// The content of the stake advisor tab TabSheet5 ("資金配分"): for one bet of
// the selected race and the bettor's chance P, bankroll W and Kelly fraction
// F, the odds now, the max-EV, break-even and Kelly stakes, and a chart of the
// payout odds and the EV against the stake; below, a total spread over
// several bets of one pool (dutching). Every figure and text comes from the
// stake advisor model, as tavek-cli prints it.
class AdvisorTab : public QWidget {
    Q_OBJECT
public:
    explicit AdvisorTab(const tavek::DayData& day, QWidget* parent = nullptr);

    // The race selection: the bets of race slot `race`, and the advice for
    // them afresh, once the tab is in view. The kind of bet, the chosen bet and the inputs stay, but P
    // is the chance of one bet of one race: another race clears it (a quick
    // report of the same race keeps it), as does another bet or kind.
    void advisorSection(int race);

    // Takes a bet chosen elsewhere (the 妙味 table) under its finish-order
    // model, as if the bettor had chosen its kind, bet and model here.
    void takeBet(tavek::pools::Pool pool, int number, tavek::finish::Model model);

    // The bet and the bettor's inputs
    QComboBox* BetKindCombo;   // 単勝, 複勝, 枠連, 馬連, ワイド, 馬単, 3連複 (JRA's order)
    QComboBox* BetCombo;       // runner or pair, its number as item data
    QComboBox* ProbFormCombo;  // P in percent, or as fair odds
    TSaNumEdit* ProbEdit;
    QComboBox* ModelCombo;      // the finish-order model of the market's view
    QPushButton* ModelProbBtn;  // puts the model's chance into ProbEdit
    QLabel* MarketViewLabel;    // the bet's market share and model chance
    TSaNumEdit* BankrollEdit;
    TSaNumEdit* KellyEdit;

    // The advice
    QLabel* MessageLabel;  // why there is no advice
    QLabel* PoolLabel;
    QLabel* VotesLabel;
    QLabel* RateLabel;
    QLabel* OddsNowLabel;
    QLabel* FairOddsLabel;
    QLabel* OutcomeLabel;      // once the race has its result: whether the bet won and what it paid
    QTableWidget* StakeTable;  // max EV, break-even, Kelly: stake, odds, EV, growth
    QChartView* ChartView;

    // Dutching
    QListWidget* DutchList;  // checkable bets of the chosen kind
    TSaNumEdit* DutchTotalEdit;
    QTableWidget* DutchTable;  // bet, stake, odds, payout
    QLabel* DutchMinLabel;
    QLabel* DutchMessageLabel;

private:
    QWidget* buildInputs();
    QWidget* buildResults();
    QWidget* buildDutching();
    void buildChart();

    tavek::advice::BetKind kind() const;
    void fillBets();
    void probFormChanged();
    void showMarketView();
    void useModelProb();
    void recalculate();
    void showOutcome();
    void recalculateDutch();
    void clearAdvice(const QString& message);
    void showChart(const tavek::advice::AdvisorChart& chart);

    const tavek::DayData& day_;
    int race_ = -1;
    QByteArray raceKey_;
    tavek::advice::MarketView view_;
    QChart* chart_ = nullptr;
    QLineSeries* oddsSeries_ = nullptr;
    QLineSeries* evSeries_ = nullptr;
    QLineSeries* fairSeries_ = nullptr;
    std::array<QScatterSeries*, 3> markSeries_{};
    QValueAxis* stakeAxis_ = nullptr;
    QValueAxis* oddsAxis_ = nullptr;
    QValueAxis* evAxis_ = nullptr;
    tavek::controls::WhenShown* whenShown_;
};
