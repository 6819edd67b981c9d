#pragma once

#include "replay/model/SeasonReplay.h"

#include <QWidget>

#include <atomic>
#include <optional>

class QCheckBox;
class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QThread;

namespace tavek::replay {
class BetTable;
}

// The 回収率 window: a season replayed from the data folder by the rule,
// pools, model, stake and moment chosen, on a thread of its own behind a
// progress bar and a cancel button; then the report's table, the bankroll
// curve, the model's expected return against what was returned, and the
// bets, one of which opens its race on a double-click. CSV出力 saves the bets.
// A replay cancelled or failed shows nothing of itself.
class TReplayForm : public QWidget {
    Q_OBJECT
public:
    // `historyPath`: the odds history, for a replay from before post time.
    TReplayForm(const QString& dataFolder, const QString& historyPath, QWidget* parent = nullptr);
    ~TReplayForm() override;

    // Whether a replay runs now.
    bool running() const { return worker_ != nullptr; }
    const std::optional<tavek::replay::SeasonReplay>& shown() const { return shown_; }
    // Writes the bets shown to `fileName` (UTF-8 with a byte order mark); an
    // error box when it cannot.
    void saveCsv(const QString& fileName);

    QDateEdit* FromDate;
    QDateEdit* ToDate;
    QComboBox* RuleCombo;  // 妙味, n番人気, 全人気, 買い目リスト
    QSpinBox* PopularitySpin;
    QLineEdit* ListFileEdit;
    QPushButton* ListFileBtn;
    QCheckBox* PoolCheck[tavek::pools::kPoolCount];
    QSpinBox* MinReturnSpin;
    QSpinBox* TopSpin;
    QComboBox* ModelCombo;
    QComboBox* StakeCombo;  // 定額, ケリー
    QLineEdit* StakeEdit;   // yen, or the Kelly fraction
    QLineEdit* BankrollEdit;
    QComboBox* MomentCombo;  // 最終票数, 発走前
    QSpinBox* MinutesSpin;
    QPushButton* RunBtn;
    QPushButton* CancelBtn;
    QProgressBar* ProgressBar1;
    QLabel* StatusLabel;
    QTableWidget* ReportGrid;
    QChartView* BankrollChart;
    QChartView* CalibrationChart;
    QTableView* BetGrid;
    QPushButton* CsvBtn;

signals:
    // A bet's race asked for: its date text and race item.
    void raceRequested(const QString& date, const QString& race);

private:
    void RunBtnClick();
    void CancelBtnClick();
    void ListFileBtnClick();
    void CsvBtnClick();
    void BetGridDoubleClick(const QModelIndex& index);
    void ruleChanged();
    // The settings as the fields give them; an error box and none when a field is refused.
    std::optional<tavek::replay::Settings> settings();
    void finished();
    void showReplay(tavek::replay::SeasonReplay replay, std::vector<tavek::replay::BetRow> bets);
    void fillCharts(const tavek::replay::Report& report);

    QString dataFolder_;
    QString historyPath_;
    tavek::replay::BetTable* bets_;
    QThread* worker_ = nullptr;
    std::atomic<bool> cancel_{false};
    // What the worker hands over when it ends.
    std::optional<tavek::replay::SeasonReplay> result_;
    std::vector<tavek::replay::BetRow> rows_;
    QString failure_;
    std::optional<tavek::replay::SeasonReplay> shown_;
};
