#include "advisor/ui/AdvisorTab.h"

#include "advisor/model/AdvisorChart.h"
#include "advisor/model/AdvisorInput.h"
#include "advisor/model/AdvisorTexts.h"
#include "advisor/model/ModelChance.h"
#include "controls/ChartStyle.h"
#include "controls/SaNumEdit.h"
#include "controls/WhenShown.h"
#include "pools/Payout.h"
#include "pools/PoolIndex.h"
#include "racedata/DayData.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "results/Winners.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <set>
#include <utility>

using namespace tavek::advice;

namespace {

constexpr int kFieldHeight = 22;

// Whether bet n of `kind` names only runners (brackets) of a field of
// `registered` runners; a race of unknown field keeps every bet.
bool inField(BetKind kind, int n, int registered)
{
    if (registered <= 0)
        return true;
    const int highest = kind == BetKind::Bracket ? std::min(registered, tavek::pools::kBrackets) : registered;
    const tavek::pools::EntryRunners r = tavek::pools::entryRunners(betPool(kind), n);
    return std::all_of(r.begin(), r.end(), [&](int h) { return h <= highest; });
}

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

TSaNumEdit* numberField(const char* name, int integers, int decimals, const QString& text)
{
    auto* field = named(new TSaNumEdit, name);
    field->setIntegerLength(integers);
    field->setDecimalLength(decimals);
    field->setMinus(false);
    field->setAutoSize(false);
    field->setFixedHeight(kFieldHeight);
    field->setText(text);
    return field;
}

QLabel* valueLabel(const char* name)
{
    auto* label = named(new QLabel, name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel* messageLabel(const char* name)
{
    auto* label = named(new QLabel, name);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(192, 0, 0));
    label->setPalette(p);
    return label;
}

template <size_t N>
QTableWidget* table(const char* name, int rows, const std::array<QString, N>& columns)
{
    auto* t = named(new QTableWidget(rows, int(N)), name);
    for (size_t c = 0; c < N; ++c)
        t->setHorizontalHeaderItem(int(c), new QTableWidgetItem(columns[c]));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return t;
}

void setCell(QTableWidget* t, int row, int column, const QString& text, Qt::Alignment alignment = Qt::AlignRight)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    t->setItem(row, column, item);
}

// A range with a little room above and below, never empty.
std::pair<double, double> padded(double low, double high)
{
    const double room = std::max((high - low) * 0.08, std::max(std::abs(high), 1.0) * 0.02);
    return {low - room, high + room};
}

}  // namespace

AdvisorTab::AdvisorTab(const tavek::DayData& day, QWidget* parent)
    : QWidget(parent), day_(day), whenShown_(new tavek::controls::WhenShown(this))
{
    setObjectName(QStringLiteral("AdvisorTab"));
    buildChart();

    auto* content = new QWidget;
    auto* top = new QHBoxLayout;
    top->addWidget(buildInputs());
    top->addWidget(buildResults(), 1);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(top, 1);
    column->addWidget(buildDutching());

    // The tab keeps its layout on a small window; the dutching section is
    // then scrolled to.
    content->setMinimumSize(760, 600);
    auto* scroll = named(new QScrollArea, "AdvisorScroll");
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(BetKindCombo, &QComboBox::currentIndexChanged, this, [this] {
        ProbEdit->setText(QString());
        fillBets();
        showMarketView();
        recalculate();
        recalculateDutch();
    });
    connect(BetCombo, &QComboBox::currentIndexChanged, this, [this] {
        ProbEdit->setText(QString());
        showMarketView();
        recalculate();
    });
    connect(ModelCombo, &QComboBox::currentIndexChanged, this, &AdvisorTab::showMarketView);
    connect(ModelProbBtn, &QPushButton::clicked, this, &AdvisorTab::useModelProb);
    connect(ProbFormCombo, &QComboBox::currentIndexChanged, this, &AdvisorTab::probFormChanged);
    for (TSaNumEdit* field : {ProbEdit, BankrollEdit, KellyEdit})
        connect(field, &TSaNumEdit::OnChange, this, &AdvisorTab::recalculate);
    connect(DutchList, &QListWidget::itemChanged, this, &AdvisorTab::recalculateDutch);
    connect(DutchTotalEdit, &TSaNumEdit::OnChange, this, &AdvisorTab::recalculateDutch);
    clearAdvice(QString());
    showMarketView();
}

QWidget* AdvisorTab::buildInputs()
{
    auto* box = named(new QGroupBox(QStringLiteral("買い目と条件")), "InputBox");
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    BetKindCombo = named(new QComboBox, "BetKindCombo");
    // JRA's order, as the 妙味 tab lists the pools.
    for (BetKind k : {BetKind::Win, BetKind::Place, BetKind::Bracket, BetKind::Quinella, BetKind::Wide, BetKind::Exacta,
                      BetKind::Trio, BetKind::Trifecta})
        BetKindCombo->addItem(betKindName(k), int(k));
    BetCombo = named(new QComboBox, "BetCombo");
    BetCombo->setMinimumContentsLength(6);
    ProbFormCombo = named(new QComboBox, "ProbFormCombo");
    ProbFormCombo->addItem(QStringLiteral("的中確率(%)"), int(ProbForm::Percent));
    ProbFormCombo->addItem(QStringLiteral("適正オッズ(倍)"), int(ProbForm::FairOdds));
    // Four decimals of a percentage: the model's chance as modelProbText gives it.
    ProbEdit = numberField("ProbEdit", 3, 4, QString());
    ModelCombo = named(new QComboBox, "ModelCombo");
    for (tavek::finish::Model m : tavek::finish::kModels)
        ModelCombo->addItem(tavek::finish::modelName(m), int(m));
    ModelCombo->setToolTip(QStringLiteral("単勝の票数から他の賭式の的中確率を求めるモデル"));
    ModelProbBtn = named(new QPushButton(QStringLiteral("モデルのPを使う")), "ModelProbBtn");
    ModelProbBtn->setToolTip(QStringLiteral("モデル確率を的中確率の欄に入れます（書き換えもできます）"));
    MarketViewLabel = named(new QLabel, "MarketViewLabel");
    MarketViewLabel->setWordWrap(true);
    BankrollEdit = numberField("BankrollEdit", 9, 0, QStringLiteral("100000"));
    KellyEdit = numberField("KellyEdit", 1, 2, QStringLiteral("1"));

    form->addRow(QStringLiteral("賭式："), BetKindCombo);
    form->addRow(QStringLiteral("買い目："), BetCombo);
    form->addRow(ProbFormCombo, ProbEdit);
    form->addRow(ModelCombo, ModelProbBtn);
    form->addRow(MarketViewLabel);
    form->addRow(QStringLiteral("資金(円)："), BankrollEdit);
    form->addRow(QStringLiteral("ケリー係数："), KellyEdit);

    PoolLabel = valueLabel("PoolLabel");
    VotesLabel = valueLabel("VotesLabel");
    RateLabel = valueLabel("RateLabel");
    OddsNowLabel = valueLabel("OddsNowLabel");
    OddsNowLabel->setToolTip(tavek::pools::oddsRulesNote());
    FairOddsLabel = valueLabel("FairOddsLabel");
    form->addRow(QStringLiteral("合計票数："), PoolLabel);
    form->addRow(QStringLiteral("票数："), VotesLabel);
    form->addRow(QStringLiteral("払戻率："), RateLabel);
    form->addRow(QStringLiteral("現在のオッズ："), OddsNowLabel);
    form->addRow(QStringLiteral("適正オッズ(1/P)："), FairOddsLabel);
    OutcomeLabel = valueLabel("OutcomeLabel");
    OutcomeLabel->setWordWrap(true);
    form->addRow(QStringLiteral("結果："), OutcomeLabel);
    form->setRowVisible(OutcomeLabel, false);

    MessageLabel = messageLabel("MessageLabel");
    MessageLabel->setMinimumHeight(3 * MessageLabel->fontMetrics().height());
    MessageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->addRow(MessageLabel);
    box->setFixedWidth(260);
    return box;
}

QWidget* AdvisorTab::buildResults()
{
    auto* box = named(new QGroupBox(QStringLiteral("賭け金の目安（払戻オッズは自分の賭け金を含めた値）")), "ResultBox");
    box->setToolTip(tavek::pools::oddsRulesNote());
    StakeTable = table("StakeTable", 3,
                       std::array{stakeColumns()[1], stakeColumns()[2], stakeColumns()[3], stakeColumns()[4]});
    StakeTable->setVerticalHeaderLabels({stakeNames().begin(), stakeNames().end()});
    // The stake says in words when the bankroll cut it: its column takes the width that needs.
    StakeTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    StakeTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StakeTable->setFixedHeight(StakeTable->horizontalHeader()->sizeHint().height()
                               + 3 * StakeTable->verticalHeader()->defaultSectionSize() + 2 * StakeTable->frameWidth());
    auto* column = new QVBoxLayout(box);
    column->addWidget(StakeTable);
    column->addWidget(ChartView, 1);
    return box;
}

QWidget* AdvisorTab::buildDutching()
{
    auto* box = named(
        new QGroupBox(QStringLiteral("ダッチング（合計金額を同じ賭式の複数の買い目に分け、どれが当たっても"
                                     "払戻金がそろうように配分）")),
        "DutchBox");
    DutchList = named(new QListWidget, "DutchList");
    DutchList->setFixedWidth(110);
    DutchTotalEdit = numberField("DutchTotalEdit", 9, 0, QStringLiteral("10000"));
    DutchTotalEdit->setFixedWidth(120);
    DutchMinLabel = valueLabel("DutchMinLabel");
    DutchMessageLabel = messageLabel("DutchMessageLabel");
    DutchTable = table("DutchTable", 0, dutchColumns());
    DutchTable->verticalHeader()->hide();

    auto* total = new QFormLayout;
    total->addRow(QStringLiteral("合計金額(円)："), DutchTotalEdit);
    total->addRow(QStringLiteral("最低払戻金："), DutchMinLabel);
    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel(QStringLiteral("左の一覧で買い目に\nチェックを付けてください。")));
    middle->addLayout(total);
    middle->addWidget(DutchMessageLabel, 1);
    auto* row = new QHBoxLayout(box);
    row->addWidget(DutchList);
    row->addLayout(middle);
    row->addWidget(DutchTable, 1);
    box->setFixedHeight(190);
    return box;
}

void AdvisorTab::buildChart()
{
    chart_ = new QChart;
    ChartView = tavek::chartstyle::makeChartView(chart_, nullptr, QStringLiteral("ChartView"));
    ChartView->setMinimumHeight(220);

    stakeAxis_ = new QValueAxis;
    oddsAxis_ = new QValueAxis;
    evAxis_ = new QValueAxis;
    tavek::chartstyle::styleAxis(stakeAxis_, QStringLiteral("賭け金(円)"));
    tavek::chartstyle::styleAxis(oddsAxis_, QStringLiteral("払戻オッズ(倍)"));
    tavek::chartstyle::styleAxis(evAxis_, QStringLiteral("期待値(円)"));
    stakeAxis_->setLabelFormat(QStringLiteral("%.0f"));
    oddsAxis_->setLabelFormat(QStringLiteral("%.1f"));
    evAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(stakeAxis_, Qt::AlignBottom);
    chart_->addAxis(oddsAxis_, Qt::AlignLeft);
    chart_->addAxis(evAxis_, Qt::AlignRight);
    // Yen with thousands separators ("1,069,600"), ticks at round amounts from 0.
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    for (QValueAxis* axis : {stakeAxis_, evAxis_}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
    }
    evAxis_->setGridLineVisible(false);
    chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);

    auto line = [this](const QString& name, int colour, Qt::PenStyle style, QValueAxis* axis) {
        auto* series = new QLineSeries;
        series->setName(name);
        series->setPen(QPen(tavek::chartstyle::lineColour(colour), 2, style));
        chart_->addSeries(series);
        series->attachAxis(stakeAxis_);
        series->attachAxis(axis);
        return series;
    };
    oddsSeries_ = line(QStringLiteral("払戻オッズ"), 0, Qt::SolidLine, oddsAxis_);
    evSeries_ = line(QStringLiteral("期待値"), 1, Qt::SolidLine, evAxis_);
    fairSeries_ = line(QStringLiteral("O = 1/P"), 2, Qt::DashLine, oddsAxis_);
    oddsAxis_->setLinePenColor(tavek::chartstyle::lineColour(0));
    evAxis_->setLinePenColor(tavek::chartstyle::lineColour(1));

    const QScatterSeries::MarkerShape shapes[] = {
        QScatterSeries::MarkerShapeCircle, QScatterSeries::MarkerShapeRectangle, QScatterSeries::MarkerShapeTriangle};
    // The large break-even square goes under the others: the max-EV stake is
    // often the break-even stake too (both the whole bankroll).
    for (size_t i : {1, 0, 2}) {
        auto* mark = new QScatterSeries;
        mark->setName(stakeNames()[i]);
        mark->setMarkerShape(shapes[i]);
        mark->setMarkerSize(i == 1 ? 13 : 10);
        mark->setColor(tavek::chartstyle::lineColour(int(i) + 3));
        mark->setBorderColor(Qt::black);
        chart_->addSeries(mark);
        mark->attachAxis(stakeAxis_);
        mark->attachAxis(oddsAxis_);
        markSeries_[i] = mark;
    }
}

BetKind AdvisorTab::kind() const
{
    return BetKind(BetKindCombo->currentData().toInt());
}

void AdvisorTab::advisorSection(int race)
{
    race_ = race;
    const QByteArray key = race < 0 ? QByteArray() : tavek::layout::raceKey(day_.raceRecord(race)).toByteArray();
    if (std::exchange(raceKey_, key) != key)
        ProbEdit->setText(QString());
    // The bets and the advice only matter on screen; P is cleared at once, so
    // a race passed through while the tab was away still clears it.
    whenShown_->run([this] {
        fillBets();
        showMarketView();
        recalculate();
        recalculateDutch();
    });
}

void AdvisorTab::takeBet(tavek::pools::Pool pool, int number, tavek::finish::Model model)
{
    ModelCombo->setCurrentIndex(ModelCombo->findData(int(model)));
    for (int i = 0; i < BetKindCombo->count(); ++i)
        if (betPool(BetKind(BetKindCombo->itemData(i).toInt())) == pool)
            BetKindCombo->setCurrentIndex(i);
    BetCombo->setCurrentIndex(BetCombo->findData(number));
}

void AdvisorTab::showMarketView()
{
    view_ = {};
    if (race_ >= 0 && BetCombo->currentIndex() >= 0) {
        const BetChoice choice = chooseBet(day_, race_, kind(), BetCombo->currentData().toInt());
        if (choice.ok())
            view_ = marketView(day_, race_, choice.bet, tavek::finish::Model(ModelCombo->currentData().toInt()));
    }
    MarketViewLabel->setText(marketViewText(view_));
    ModelProbBtn->setEnabled(view_.usable());
}

void AdvisorTab::useModelProb()
{
    if (!view_.usable())
        return;
    ProbEdit->setText(modelProbText(view_.bet->chance, ProbForm(ProbFormCombo->currentData().toInt())));
    recalculate();
}

void AdvisorTab::fillBets()
{
    const int chosen = BetCombo->currentData().toInt();
    std::set<int> checked;
    for (int i = 0; i < DutchList->count(); ++i)
        if (DutchList->item(i)->checkState() == Qt::Checked)
            checked.insert(DutchList->item(i)->data(Qt::UserRole).toInt());
    const bool sameKind = DutchList->property("kind").toInt() == int(kind());

    const QSignalBlocker blockBets(BetCombo);
    const QSignalBlocker blockList(DutchList);
    BetCombo->clear();
    DutchList->clear();
    DutchList->setProperty("kind", int(kind()));
    const int count = race_ < 0 ? 0 : betCount(day_, race_, kind());
    // The race's registered runners only.
    const int registered = race_ < 0
                               ? 0
                               : tavek::record::blankAsZero(day_.voteRecord(race_), tavek::layout::kRegistered, 2);
    for (int n = 1; n <= count; ++n) {
        if (!inField(kind(), n, registered))
            continue;
        BetCombo->addItem(betItemText(kind(), n), n);
        auto* item = new QListWidgetItem(betItemText(kind(), n), DutchList);
        item->setData(Qt::UserRole, n);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(sameKind && checked.count(n) ? Qt::Checked : Qt::Unchecked);
    }
    const int again = BetCombo->findData(chosen);
    BetCombo->setCurrentIndex(again >= 0 ? again : 0);
}

void AdvisorTab::probFormChanged()
{
    // A percentage and fair odds are different numbers: the field starts empty.
    const bool percent = ProbForm(ProbFormCombo->currentData().toInt()) == ProbForm::Percent;
    ProbEdit->setIntegerLength(percent ? 3 : 5);
    ProbEdit->setDecimalLength(percent ? 4 : 2);
    ProbEdit->setText(QString());
    recalculate();
}

void AdvisorTab::clearAdvice(const QString& message)
{
    MessageLabel->setText(message);
    FairOddsLabel->clear();
    for (int r = 0; r < StakeTable->rowCount(); ++r)
        for (int c = 0; c < StakeTable->columnCount(); ++c)
            setCell(StakeTable, r, c, QString());
    for (QXYSeries* s : {static_cast<QXYSeries*>(oddsSeries_), static_cast<QXYSeries*>(evSeries_),
                         static_cast<QXYSeries*>(fairSeries_)})
        s->clear();
    for (QScatterSeries* m : markSeries_)
        m->clear();
    for (QValueAxis* axis : {stakeAxis_, oddsAxis_, evAxis_})
        axis->setVisible(false);
}

void AdvisorTab::showOutcome()
{
    const bool chosen = race_ >= 0 && BetCombo->currentIndex() >= 0;
    const tavek::results::Outcome outcome =
        chosen ? tavek::results::Winners(day_.result(race_)).outcome(betPool(kind()), BetCombo->currentData().toInt())
               : tavek::results::Outcome{};
    OutcomeLabel->setText(tavek::results::outcomeText(outcome));
    // 的中 in red, as a payout is marked; set only when it changes: a new
    // palette has the tab laid out again.
    const QColor colour = outcome.kind == tavek::results::Outcome::Kind::Won ? QColor(192, 0, 0)
                                                                             : palette().color(QPalette::WindowText);
    if (OutcomeLabel->palette().color(QPalette::WindowText) != colour) {
        QPalette p = OutcomeLabel->palette();
        p.setColor(QPalette::WindowText, colour);
        OutcomeLabel->setPalette(p);
    }
    if (OutcomeLabel->isHidden() != OutcomeLabel->text().isEmpty())
        if (auto* form = qobject_cast<QFormLayout*>(OutcomeLabel->parentWidget()->layout()))
            form->setRowVisible(OutcomeLabel, !OutcomeLabel->text().isEmpty());
}

void AdvisorTab::recalculate()
{
    showOutcome();
    for (QLabel* l : {PoolLabel, VotesLabel, RateLabel, OddsNowLabel})
        l->clear();
    if (race_ < 0 || BetCombo->currentIndex() < 0) {
        clearAdvice(QString());
        return;
    }
    const BetChoice choice = chooseBet(day_, race_, kind(), BetCombo->currentData().toInt());
    if (!choice.ok()) {
        clearAdvice(choice.refusal);
        return;
    }
    const BetTexts texts = betTexts(choice.bet);
    PoolLabel->setText(texts.pool);
    VotesLabel->setText(texts.votes);
    RateLabel->setText(texts.rate);
    OddsNowLabel->setText(timesText(texts.oddsNow));

    const Reading<Fraction> prob = readProbability(ProbEdit->Text(), ProbForm(ProbFormCombo->currentData().toInt()));
    const Reading<long long> bankroll = readBankroll(BankrollEdit->Text());
    const Reading<Fraction> kelly = readKellyFraction(KellyEdit->Text());
    for (const QString& refusal : {prob.refusal, bankroll.refusal, kelly.refusal})
        if (!refusal.isEmpty()) {
            clearAdvice(refusal);
            return;
        }
    const AdviceInput input{prob.value, bankroll.value, kelly.value};
    const Advice advice = advise(choice.bet, input);
    const AdviceSheet sheet = adviceSheet(choice.bet, input, advice);
    MessageLabel->clear();
    FairOddsLabel->setText(timesText(sheet.fairOdds));
    for (int r = 0; r < 3; ++r) {
        const StakeLine& l = sheet.lines[size_t(r)];
        int c = 0;
        for (const QString& text : {l.stake, l.odds, l.ev, l.growth})
            setCell(StakeTable, r, c++, text);
    }
    showChart(advisorChart(choice.bet, input, advice));
}

void AdvisorTab::showChart(const AdvisorChart& chart)
{
    QList<QPointF> odds, ev;
    double oddsLow = chart.fairOdds, oddsHigh = chart.fairOdds;
    double evLow = 0, evHigh = 0;
    for (const ChartPoint& p : chart.points) {
        odds.append({p.stake, p.odds});
        ev.append({p.stake, p.ev});
        oddsLow = std::min(oddsLow, p.odds);
        oddsHigh = std::max(oddsHigh, p.odds);
        evLow = std::min(evLow, p.ev);
        evHigh = std::max(evHigh, p.ev);
    }
    oddsSeries_->replace(odds);
    evSeries_->replace(ev);
    fairSeries_->replace({{0, chart.fairOdds}, {chart.stakeEnd, chart.fairOdds}});
    for (size_t i = 0; i < markSeries_.size(); ++i) {
        if (chart.marks[i].shown)
            markSeries_[i]->replace({{chart.marks[i].at.stake, chart.marks[i].at.odds}});
        else
            markSeries_[i]->clear();
        // A stake not marked is not named in the legend either.
        for (QLegendMarker* m : chart_->legend()->markers(markSeries_[i]))
            m->setVisible(chart.marks[i].shown);
    }
    // The stake axis ends where the curves do, with ticks at round amounts
    // from 0: rounded up, it ran to twice the bankroll.
    stakeAxis_->setRange(0, chart.stakeEnd);
    stakeAxis_->setTickInterval(roundTickStep(chart.stakeEnd, 4));
    const auto [oLow, oHigh] = padded(oddsLow, oddsHigh);
    oddsAxis_->setRange(std::max(0.0, oLow), oHigh);
    oddsAxis_->applyNiceNumbers();
    // Enough decimals that neighbouring ticks never read the same (1.85 and
    // 1.9 both showed as "1.9" with one).
    const double tick = (oddsAxis_->max() - oddsAxis_->min()) / std::max(1, oddsAxis_->tickCount() - 1);
    oddsAxis_->setLabelFormat(tick >= 1     ? QStringLiteral("%.0f")
                              : tick >= 0.1 ? QStringLiteral("%.1f")
                                            : QStringLiteral("%.2f"));
    // EV is 0 exactly where the odds are 1/P: the EV scale puts its 0 at the
    // height of the O = 1/P line, so both curves cross that line together.
    const double t = (chart.fairOdds - oddsAxis_->min()) / (oddsAxis_->max() - oddsAxis_->min());
    const double span = std::max({evHigh / (1 - t), -evLow / t, 1.0}) * 1.05;
    evAxis_->setRange(-t * span, (1 - t) * span);
    evAxis_->setTickInterval(roundTickStep(span, 4));
    for (QValueAxis* axis : {stakeAxis_, oddsAxis_, evAxis_})
        axis->setVisible(true);
}

void AdvisorTab::recalculateDutch()
{
    DutchTable->setRowCount(0);
    DutchMinLabel->clear();
    DutchMessageLabel->clear();
    if (race_ < 0)
        return;
    std::vector<Bet> bets;
    for (int i = 0; i < DutchList->count(); ++i) {
        if (DutchList->item(i)->checkState() != Qt::Checked)
            continue;
        const BetChoice choice = chooseBet(day_, race_, kind(), DutchList->item(i)->data(Qt::UserRole).toInt());
        if (!choice.ok()) {
            DutchMessageLabel->setText(choice.refusal);
            return;
        }
        bets.push_back(choice.bet);
    }
    if (bets.empty()) {
        DutchMessageLabel->setText(QStringLiteral("買い目を一つ以上選んでください。"));
        return;
    }
    const Reading<long long> total = readStake(DutchTotalEdit->Text(), tavek::pools::kYenPerVote,
                                               QStringLiteral("合計金額"));
    if (!total.ok()) {
        DutchMessageLabel->setText(total.refusal);
        return;
    }
    const Dutching d = dutch(bets, total.value);
    const std::vector<DutchLine> lines = dutchLines(d);
    DutchTable->setRowCount(int(lines.size()));
    for (int r = 0; r < int(lines.size()); ++r) {
        const DutchLine& l = lines[size_t(r)];
        setCell(DutchTable, r, 0, l.bet, Qt::AlignLeft);
        setCell(DutchTable, r, 1, l.stake);
        setCell(DutchTable, r, 2, l.odds);
        setCell(DutchTable, r, 3, l.payout);
    }
    DutchMinLabel->setText(minPayoutText(d));
}
