#include "replay/ui/ReplayForm.h"

#include "advisor/model/AdvisorInput.h"
#include "controls/ChartStyle.h"
#include "controls/MessageBox.h"
#include "export/CsvExport.h"
#include "racedata/Clock.h"
#include "replay/ui/BetTable.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

using namespace tavek;

namespace {

enum RuleItem { kValue, kPopularity, kEveryPopularity, kBetList };

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QChartView* chartView(QWidget* parent, const char* name)
{
    return chartstyle::makeChartView(new QChart, parent, QLatin1String(name));
}

}  // namespace

TReplayForm::TReplayForm(const QString& dataFolder, const QString& historyPath, QWidget* parent)
    : QWidget(parent, Qt::Window), dataFolder_(dataFolder), historyPath_(historyPath), bets_(new replay::BetTable(this))
{
    setObjectName(QStringLiteral("ReplayForm"));
    setWindowTitle(QStringLiteral("回収率"));
    resize(980, 720);

    const QDate today = clock::now().date();
    FromDate = named(new QDateEdit(QDate(today.year() - 1, 1, 1)), "FromDate");
    ToDate = named(new QDateEdit(QDate(today.year() - 1, 12, 31)), "ToDate");
    for (QDateEdit* d : {FromDate, ToDate}) {
        d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        d->setCalendarPopup(true);
    }
    RuleCombo = named(new QComboBox, "RuleCombo");
    RuleCombo->addItems({QStringLiteral("妙味（期待回収率の高い買い目）"), QStringLiteral("n番人気"),
                         QStringLiteral("全人気（人気別回収率）"), QStringLiteral("買い目リスト（CSV）")});
    PopularitySpin = named(new QSpinBox, "PopularitySpin");
    PopularitySpin->setRange(1, pools::pool(pools::Pool::Trifecta).entries);
    ListFileEdit = named(new QLineEdit, "ListFileEdit");
    ListFileBtn = named(new QPushButton(QStringLiteral("参照...")), "ListFileBtn");
    auto* poolRow = new QHBoxLayout;
    for (size_t p = 0; p < pools::kPools.size(); ++p) {
        PoolCheck[p] = new QCheckBox(pools::kPools[p].caption());
        PoolCheck[p]->setObjectName(QStringLiteral("PoolCheck%1").arg(p));
        PoolCheck[p]->setChecked(true);
        poolRow->addWidget(PoolCheck[p]);
    }
    poolRow->addStretch();
    MinReturnSpin = named(new QSpinBox, "MinReturnSpin");
    MinReturnSpin->setRange(0, 100'000);
    MinReturnSpin->setValue(int(replay::Rule{}.minReturn));
    MinReturnSpin->setSuffix(QStringLiteral(" %以上"));
    TopSpin = named(new QSpinBox, "TopSpin");
    TopSpin->setRange(1, replay::kMaxTop);
    TopSpin->setValue(replay::Rule{}.top);
    TopSpin->setSuffix(QStringLiteral(" 点まで"));
    ModelCombo = named(new QComboBox, "ModelCombo");
    for (const finish::Model m : {finish::Model::Discounted, finish::Model::Harville})
        ModelCombo->addItem(finish::modelName(m), int(m));
    StakeCombo = named(new QComboBox, "StakeCombo");
    StakeCombo->addItems({QStringLiteral("定額（円）"), QStringLiteral("ケリー（割合）")});
    StakeEdit = named(new QLineEdit(QStringLiteral("100")), "StakeEdit");
    BankrollEdit = named(new QLineEdit(QString::number(replay::Settings{}.bankroll)), "BankrollEdit");
    MomentCombo = named(new QComboBox, "MomentCombo");
    MomentCombo->addItems({QStringLiteral("最終票数"), QStringLiteral("発走前の速報")});
    MinutesSpin = named(new QSpinBox, "MinutesSpin");
    MinutesSpin->setRange(0, replay::kMaxMinutesBefore);
    MinutesSpin->setValue(30);
    MinutesSpin->setSuffix(QStringLiteral(" 分前まで"));

    auto* form = new QGridLayout;
    int row = 0;
    const auto line = [&](const QString& label, std::initializer_list<QWidget*> widgets) {
        form->addWidget(new QLabel(label), row, 0);
        auto* box = new QHBoxLayout;
        for (QWidget* w : widgets)
            box->addWidget(w);
        box->addStretch();
        form->addLayout(box, row++, 1);
    };
    line(QStringLiteral("期間"), {FromDate, new QLabel(QStringLiteral("〜")), ToDate});
    line(QStringLiteral("買い方"), {RuleCombo, PopularitySpin, ListFileEdit, ListFileBtn});
    form->addWidget(new QLabel(QStringLiteral("券種")), row, 0);
    form->addLayout(poolRow, row++, 1);
    line(QStringLiteral("妙味"), {MinReturnSpin, TopSpin, ModelCombo});
    line(QStringLiteral("賭け金"), {StakeCombo, StakeEdit, new QLabel(QStringLiteral("資金")), BankrollEdit});
    line(QStringLiteral("時点"), {MomentCombo, MinutesSpin});

    RunBtn = named(new QPushButton(QStringLiteral("再生(&R)")), "RunBtn");
    CancelBtn = named(new QPushButton(QStringLiteral("中止")), "CancelBtn");
    CancelBtn->setEnabled(false);
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setValue(0);
    StatusLabel = named(new QLabel, "StatusLabel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(RunBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(ProgressBar1, 1);
    buttons->addWidget(StatusLabel, 1);

    auto* pages = named(new QTabWidget, "ReplayPages");
    ReportGrid = named(new QTableWidget, "ReportGrid");
    ReportGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ReportGrid->horizontalHeader()->hide();
    pages->addTab(ReportGrid, QStringLiteral("集計"));
    BankrollChart = chartView(pages, "BankrollChart");
    pages->addTab(BankrollChart, QStringLiteral("資金の推移"));
    CalibrationChart = chartView(pages, "CalibrationChart");
    pages->addTab(CalibrationChart, QStringLiteral("期待と実際"));
    auto* betPage = new QWidget;
    BetGrid = named(new QTableView, "BetGrid");
    BetGrid->setModel(bets_);
    BetGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BetGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    CsvBtn = named(new QPushButton(QStringLiteral("CSV出力...")), "CsvBtn");
    CsvBtn->setEnabled(false);
    auto* betLayout = new QVBoxLayout(betPage);
    betLayout->addWidget(BetGrid);
    betLayout->addWidget(CsvBtn, 0, Qt::AlignRight);
    pages->addTab(betPage, QStringLiteral("買い目"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(pages, 1);

    connect(RunBtn, &QPushButton::clicked, this, &TReplayForm::RunBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TReplayForm::CancelBtnClick);
    connect(ListFileBtn, &QPushButton::clicked, this, &TReplayForm::ListFileBtnClick);
    connect(CsvBtn, &QPushButton::clicked, this, &TReplayForm::CsvBtnClick);
    connect(BetGrid, &QTableView::doubleClicked, this, &TReplayForm::BetGridDoubleClick);
    connect(RuleCombo, &QComboBox::currentIndexChanged, this, &TReplayForm::ruleChanged);
    connect(MomentCombo, &QComboBox::currentIndexChanged, this,
            [this] { MinutesSpin->setEnabled(MomentCombo->currentIndex() == 1); });
    MinutesSpin->setEnabled(false);
    ruleChanged();
}

TReplayForm::~TReplayForm()
{
    if (worker_) {
        cancel_ = true;
        worker_->wait();
        delete worker_;
    }
}

void TReplayForm::ruleChanged()
{
    const int rule = RuleCombo->currentIndex();
    PopularitySpin->setEnabled(rule == kPopularity);
    ListFileEdit->setEnabled(rule == kBetList);
    ListFileBtn->setEnabled(rule == kBetList);
    MinReturnSpin->setEnabled(rule == kValue);
    TopSpin->setEnabled(rule == kValue);
    StakeCombo->setEnabled(rule != kBetList);
    StakeEdit->setEnabled(rule != kBetList);
}

std::optional<replay::Settings> TReplayForm::settings()
{
    const auto refuse = [](const QString& text) {
        MessageBox::error(text);
        return std::optional<replay::Settings>();
    };
    if (ToDate->date() < FromDate->date())
        return refuse(QStringLiteral("期間の終わりが始まりより前です。"));
    replay::Settings s;
    const int rule = RuleCombo->currentIndex();
    const QString ruleText = rule == kValue             ? QStringLiteral("value")
                             : rule == kPopularity      ? QStringLiteral("popularity:%1").arg(PopularitySpin->value())
                             : rule == kEveryPopularity ? QStringLiteral("popularity:all")
                                                        : QStringLiteral("list:") + ListFileEdit->text().trimmed();
    const replay::Reading<replay::Rule> r = replay::readRule(ruleText);
    if (!r.ok())
        return refuse(rule == kBetList ? QStringLiteral("買い目リストのファイルを選んでください。") : r.refusal);
    s.rule = r.value;
    for (size_t p = 0; p < pools::kPools.size(); ++p)
        s.rule.pools[p] = PoolCheck[p]->isChecked();
    if (std::none_of(s.rule.pools.begin(), s.rule.pools.end(), [](bool b) { return b; }) && rule != kBetList)
        return refuse(QStringLiteral("券種を一つ以上選んでください。"));
    s.rule.minReturn = MinReturnSpin->value();
    s.rule.top = TopSpin->value();
    s.model = finish::Model(ModelCombo->currentData().toInt());
    const replay::Reading<replay::Stake> stake = replay::readStake(
        (StakeCombo->currentIndex() == 0 ? QStringLiteral("flat:") : QStringLiteral("kelly:"))
        + StakeEdit->text().trimmed());
    if (!stake.ok())
        return refuse(stake.refusal);
    s.stake = stake.value;
    const advice::Reading<long long> bankroll = advice::readBankroll(BankrollEdit->text().trimmed());
    if (!bankroll.ok())
        return refuse(QStringLiteral("資金：") + bankroll.refusal);
    s.bankroll = bankroll.value;
    if (MomentCombo->currentIndex() == 1) {
        if (!QFile::exists(historyPath_))
            return refuse(QStringLiteral("オッズ履歴 %1 がありません。").arg(historyPath_));
        s.minutesBefore = MinutesSpin->value();
    }
    if (rule == kBetList) {
        QFile file(ListFileEdit->text().trimmed());
        if (!file.open(QIODevice::ReadOnly))
            return refuse(
                QStringLiteral("買い目リスト %1 が読めません（%2）").arg(file.fileName(), file.errorString()));
        QStringList problems;
        s.rule.bets = replay::readBetList(file.readAll(), problems);
        if (!problems.isEmpty())
            return refuse(QStringLiteral("買い目リストに読めない行があります。\n") + problems.join(u'\n'));
    }
    return s;
}

void TReplayForm::RunBtnClick()
{
    if (worker_)
        return;
    const std::optional<replay::Settings> s = settings();
    if (!s)
        return;
    cancel_ = false;
    result_.reset();
    rows_.clear();
    failure_.clear();
    ProgressBar1->setValue(0);
    StatusLabel->setText(QStringLiteral("再生中..."));
    RunBtn->setEnabled(false);
    CancelBtn->setEnabled(true);
    const QDate from = FromDate->date(), to = ToDate->date();
    worker_ = QThread::create([this, s = *s, from, to] {
        try {
            result_ = replay::replaySeason(
                dataFolder_, from, to, s, historyPath_, [this](const replay::BetRow& row) { rows_.push_back(row); },
                [this](int done, int days) {
                QMetaObject::invokeMethod(
                    ProgressBar1, [bar = ProgressBar1, done, days] { bar->setValue(100 * done / days); },
                    Qt::QueuedConnection);
                return !cancel_.load();
                });
        } catch (const std::exception& e) {
            failure_ = QString::fromStdString(e.what());
        }
    });
    connect(worker_, &QThread::finished, this, &TReplayForm::finished);
    worker_->start();
}

void TReplayForm::CancelBtnClick()
{
    cancel_ = true;
    StatusLabel->setText(QStringLiteral("中止しています..."));
}

void TReplayForm::finished()
{
    worker_->deleteLater();
    worker_ = nullptr;
    RunBtn->setEnabled(true);
    CancelBtn->setEnabled(false);
    if (!failure_.isEmpty()) {
        StatusLabel->setText(QString());
        MessageBox::error(failure_);
    } else if (!result_) {
        StatusLabel->setText(QStringLiteral("中止しました。"));
    } else if (result_->report.races() + result_->report.skipped() == 0) {
        StatusLabel->setText(QString());
        MessageBox::error(QStringLiteral("期間に結果（払戻）のあるレースがありません。"));
    } else {
        ProgressBar1->setValue(100);
        StatusLabel->setText(result_->problems.isEmpty()
                                 ? QStringLiteral("%1レースを再生しました。").arg(result_->report.races())
                                 : QStringLiteral("%1レースを再生しました（使えなかったもの %2件：%3）")
                                       .arg(result_->report.races())
                                       .arg(result_->problems.size())
                                       .arg(result_->problems.front()));
        showReplay(std::move(*result_), std::move(rows_));
    }
    result_.reset();
    rows_ = {};
}

void TReplayForm::showReplay(replay::SeasonReplay replay, std::vector<replay::BetRow> bets)
{
    const QStringList lines = replay.report.lines();
    ReportGrid->clear();
    ReportGrid->setRowCount(int(lines.size()));
    int columns = 1;
    for (const QString& l : lines)
        columns = std::max(columns, int(l.count(u'\t')) + 1);
    ReportGrid->setColumnCount(columns);
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split(u'\t');
        for (int c = 0; c < cells.size(); ++c)
            ReportGrid->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    ReportGrid->resizeColumnsToContents();
    bets_->setBets(std::move(bets));
    BetGrid->resizeColumnsToContents();
    CsvBtn->setEnabled(!bets_->bets().empty());
    fillCharts(replay.report);
    shown_ = std::move(replay);
}

void TReplayForm::fillCharts(const replay::Report& report)
{
    QChart* curve = BankrollChart->chart();
    curve->removeAllSeries();
    for (QAbstractAxis* a : curve->axes()) {
        curve->removeAxis(a);
        delete a;  // a removed axis is the caller's
    }
    auto* bankroll = new QLineSeries;
    bankroll->setName(QStringLiteral("資金"));
    bankroll->setColor(chartstyle::lineColour(0));
    bankroll->append(0, double(report.startBankroll()));
    for (size_t i = 0; i < report.curve().size(); ++i)
        bankroll->append(double(i + 1), double(report.curve()[i]));
    curve->addSeries(bankroll);
    curve->createDefaultAxes();
    chartstyle::styleAxis(curve->axes(Qt::Horizontal).front(), QStringLiteral("賭けたレース"));
    chartstyle::styleAxis(curve->axes(Qt::Vertical).front(), QStringLiteral("資金（円）"));

    QChart* honesty = CalibrationChart->chart();
    honesty->removeAllSeries();
    for (QAbstractAxis* a : honesty->axes()) {
        honesty->removeAxis(a);
        delete a;  // a removed axis is the caller's
    }
    auto* realised = new QScatterSeries;
    realised->setName(QStringLiteral("実際の回収率（帯ごと）"));
    realised->setColor(chartstyle::lineColour(1));
    auto* even = new QLineSeries;
    even->setName(QStringLiteral("期待どおり"));
    even->setColor(chartstyle::lineColour(2));
    double top = 150;
    for (const replay::Band& b : report.calibration()) {
        realised->append(b.predicted, b.tally.returnPercent());
        top = std::max({top, b.predicted, b.tally.returnPercent()});
    }
    even->append(0, 0);
    even->append(top, top);
    honesty->addSeries(even);
    honesty->addSeries(realised);
    honesty->createDefaultAxes();
    chartstyle::styleAxis(honesty->axes(Qt::Horizontal).front(), QStringLiteral("モデルの期待回収率（%）"));
    chartstyle::styleAxis(honesty->axes(Qt::Vertical).front(), QStringLiteral("実際の回収率（%）"));
}

void TReplayForm::ListFileBtnClick()
{
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("買い目リスト"), ListFileEdit->text(),
                                                        QStringLiteral("CSV (*.csv);;すべて (*)"));
    if (!chosen.isEmpty())
        ListFileEdit->setText(chosen);
}

void TReplayForm::CsvBtnClick()
{
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("CSV出力"), QStringLiteral("回収率.csv"),
                                                        QStringLiteral("CSV (*.csv)"));
    if (!chosen.isEmpty())
        saveCsv(chosen);
}

void TReplayForm::saveCsv(const QString& fileName)
{
    csv::Table table{replay::betColumns()};
    for (const replay::BetRow& bet : bets_->bets())
        table.push_back(replay::betRow(bet));
    try {
        csv::save(table, csv::Encoding::Utf8Bom, fileName);
    } catch (const std::runtime_error& e) {
        MessageBox::error(QString::fromStdString(e.what()));
    }
}

void TReplayForm::BetGridDoubleClick(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const replay::BetRow& bet = bets_->bets()[size_t(index.row())];
    emit raceRequested(bet.date, bet.race);
}
