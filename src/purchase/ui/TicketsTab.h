#pragma once

#include "purchase/model/Purchase.h"

#include <QByteArray>
#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class RunnerPicker;
class TSaNumEdit;

namespace tavek {
struct DayData;
namespace controls {
class WhenShown;
}
}  // namespace tavek

// The content of the 買い目 tab TabSheet9: a purchase of many tickets of one
// pool of the selected race. The bettor picks the pool and the form (通常,
// ボックス, 流し, フォーメーション), ticks the runners of each part, the total
// and how it is spread; the tab shows every ticket with its stake, its odds
// now and after the whole purchase, its payout and the purchase's net if it
// hits (トリガミ in red), and the purchase's totals after it and now. Every
// figure and text comes from the purchase model, as tavek-cli tickets prints
// it. A double-click (or Enter) on a ticket hands it on (to 資金配分).
class TicketsTab : public QWidget {
    Q_OBJECT
public:
    explicit TicketsTab(const tavek::DayData& day, QWidget* parent = nullptr);

    // The race selection: race slot `race`, -1 for none. Another race clears
    // the ticks (a quick report of the same race keeps them); the purchase
    // is worked out again once the tab is in view.
    void ticketsSection(int race);

    // The purchase on the race's votes as they stand (worked out now if the
    // tab has not been in view since they changed); without one, an empty
    // purchase of the chosen pool: what CSV出力 saves.
    tavek::purchase::Purchase shownPurchase();

    QComboBox* PoolCombo;   // 単勝 複勝 馬連 ワイド 馬単 3連複 3連単
    QComboBox* FormCombo;   // the forms the pool offers
    QCheckBox* MultiCheck;  // マルチ: a pivot of exacta or trifecta in any place
    RunnerPicker* RunnerBoard;
    QPushButton* ClearBtn;
    QComboBox* SplitCombo;  // 同額, 払戻金をそろえる, ケリー, 目標払戻金から
    QLabel* AmountLabel;
    TSaNumEdit* AmountEdit;  // the total, or the target payout
    TSaNumEdit* BankrollEdit;
    QComboBox* ModelCombo;  // モデルなし, then each finish-order model
    QPushButton* CsvBtn;
    QLabel* MessageLabel;  // why there is no purchase
    QLabel* NoteLabel;     // the tickets left out
    QTableWidget* SummaryTable;
    QTableWidget* TicketTable;

signals:
    void betChosen(tavek::pools::Pool pool, int number, tavek::finish::Model model);
    void csvRequested();

private:
    QWidget* buildChoices();
    QWidget* buildResults();
    tavek::pools::Pool pool() const;
    tavek::purchase::FormKind form() const;
    std::optional<tavek::finish::Model> model() const;
    void poolChanged();
    void formChanged();
    void splitChanged();
    void refreshField(bool anotherRace);
    void recalculate();
    void showPurchase();
    void clearResults(const QString& message);

    const tavek::DayData& day_;
    int race_ = -1;
    QByteArray raceKey_;
    tavek::purchase::FormKind shownForm_ = tavek::purchase::FormKind::Box;
    std::optional<tavek::purchase::Purchase> purchase_;
    bool stale_ = false;  // the votes changed while the tab was out of view
    tavek::controls::WhenShown* whenShown_;
};
