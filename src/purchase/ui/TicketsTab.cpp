#include "purchase/ui/TicketsTab.h"

#include "advisor/model/AdvisorInput.h"
#include "controls/SaNumEdit.h"
#include "controls/WhenShown.h"
#include "odds/model/PoolFigures.h"
#include "pools/PoolIndex.h"
#include "purchase/model/PurchaseTexts.h"
#include "purchase/ui/RunnerPicker.h"
#include "racedata/DayData.h"
#include "racedata/RecordLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

using namespace tavek;
using purchase::FormKind;
using purchase::Split;

namespace {

constexpr int kFieldHeight = 22;
const QColor kRefusal(192, 0, 0);

// The choices of SplitCombo: the three splits, then the target payout.
constexpr int kTarget = 3;

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

TSaNumEdit* yenField(const char* name, const QString& text)
{
    auto* field = named(new TSaNumEdit, name);
    field->setIntegerLength(9);
    field->setDecimalLength(0);
    field->setMinus(false);
    field->setAutoSize(false);
    field->setFixedHeight(kFieldHeight);
    field->setFixedWidth(110);
    field->setText(text);
    return field;
}

QLabel* redLabel(const char* name)
{
    auto* label = named(new QLabel, name);
    label->setWordWrap(true);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, kRefusal);
    label->setPalette(p);
    return label;
}

QTableWidget* table(const char* name)
{
    auto* t = named(new QTableWidget, name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    return t;
}

// The summary as wide as its texts; the tickets take the rest.
void fitSummary(QTableWidget* t)
{
    t->resizeColumnsToContents();
    t->setFixedWidth(t->horizontalHeader()->length() + 2 * t->frameWidth());
}

void setRow(QTableWidget* t, int row, const QStringList& cells, const QColor& colour)
{
    for (int c = 0; c < int(cells.size()); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        item->setForeground(colour);
        t->setItem(row, c, item);
    }
}

constexpr pools::Pool kPools[] = {pools::Pool::Win,    pools::Pool::Place, pools::Pool::Quinella, pools::Pool::Wide,
                                  pools::Pool::Exacta, pools::Pool::Trio,  pools::Pool::Trifecta};

}  // namespace

TicketsTab::TicketsTab(const DayData& day, QWidget* parent)
    : QWidget(parent), day_(day), whenShown_(new controls::WhenShown(this))
{
    setObjectName(QStringLiteral("TicketsTab"));
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(buildChoices());
    column->addWidget(buildResults(), 1);
    // The tab keeps its layout on a small window, scrolled.
    content->setMinimumSize(760, 400);
    auto* scroll = named(new QScrollArea, "TicketsScroll");
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(PoolCombo, &QComboBox::currentIndexChanged, this, &TicketsTab::poolChanged);
    connect(FormCombo, &QComboBox::currentIndexChanged, this, &TicketsTab::formChanged);
    connect(MultiCheck, &QCheckBox::toggled, this, &TicketsTab::formChanged);
    connect(SplitCombo, &QComboBox::currentIndexChanged, this, &TicketsTab::splitChanged);
    connect(ModelCombo, &QComboBox::currentIndexChanged, this, &TicketsTab::recalculate);
    connect(RunnerBoard, &RunnerPicker::changed, this, &TicketsTab::recalculate);
    connect(ClearBtn, &QPushButton::clicked, RunnerBoard, &RunnerPicker::clear);
    connect(CsvBtn, &QPushButton::clicked, this, &TicketsTab::csvRequested);
    for (TSaNumEdit* field : {AmountEdit, BankrollEdit})
        connect(field, &TSaNumEdit::OnChange, this, &TicketsTab::recalculate);
    // activated: a double-click or Enter on the row, so the keyboard reaches it too.
    connect(TicketTable, &QTableWidget::activated, this, [this](const QModelIndex& index) {
        if (purchase_ && index.row() >= 0 && size_t(index.row()) < purchase_->tickets.size())
            emit betChosen(purchase_->pool, purchase_->tickets[size_t(index.row())].entry,
                           model().value_or(finish::Model::Discounted));
    });
    poolChanged();
    splitChanged();
}

QWidget* TicketsTab::buildChoices()
{
    PoolCombo = named(new QComboBox, "PoolCombo");
    for (pools::Pool p : kPools)
        PoolCombo->addItem(pools::pool(p).caption(), int(p));
    PoolCombo->setCurrentIndex(int(std::size(kPools)) - 1);  // 3連単
    FormCombo = named(new QComboBox, "FormCombo");
    MultiCheck = named(new QCheckBox(QStringLiteral("マルチ")), "MultiCheck");
    MultiCheck->setToolTip(QStringLiteral("軸の馬が何着でも当たりにします（馬単・3連単の流し）"));
    ClearBtn = named(new QPushButton(QStringLiteral("選択を解除")), "ClearBtn");
    SplitCombo = named(new QComboBox, "SplitCombo");
    for (Split s : {Split::Equal, Split::Payout, Split::Kelly})
        SplitCombo->addItem(purchase::splitName(s), int(s));
    SplitCombo->addItem(QStringLiteral("目標払戻金から"), kTarget);
    SplitCombo->setToolTip(
        QStringLiteral("目標払戻金から：どの買い目が当たっても払戻金が目標以上になる、最も少ない買い方"));
    AmountLabel = named(new QLabel, "AmountLabel");
    AmountEdit = yenField("AmountEdit", QStringLiteral("10000"));
    BankrollEdit = yenField("BankrollEdit", QStringLiteral("100000"));
    BankrollEdit->setToolTip(QStringLiteral("ケリーの配分で使う資金"));
    ModelCombo = named(new QComboBox, "ModelCombo");
    ModelCombo->addItem(QStringLiteral("モデルなし"), -1);
    for (finish::Model m : finish::kModels)
        ModelCombo->addItem(finish::modelName(m), int(m));
    ModelCombo->setToolTip(
        QStringLiteral("単勝の票数から各買い目の的中確率を求めるモデル（的中率・期待払戻金・ケリー）"));
    CsvBtn = named(new QPushButton(QStringLiteral("CSV出力...")), "CsvBtn");

    RunnerBoard = new RunnerPicker;
    RunnerBoard->setToolTip(QStringLiteral("クリック、または矢印キーで選んでEnterかスペースで、馬を選びます"));

    // A gap after each control as wide as the manual's numbered marker, so
    // that the marker stands in it and not on the next control's label.
    constexpr int kGap = 28;
    auto* form = new QHBoxLayout;
    form->addWidget(new QLabel(QStringLiteral("賭式：")));
    form->addWidget(PoolCombo);
    form->addSpacing(kGap);
    form->addWidget(new QLabel(QStringLiteral("方式：")));
    form->addWidget(FormCombo);
    form->addSpacing(kGap);
    form->addWidget(MultiCheck);
    form->addSpacing(kGap);
    form->addWidget(ClearBtn);
    form->addStretch(1);
    form->addWidget(CsvBtn);
    auto* money = new QHBoxLayout;
    money->addWidget(new QLabel(QStringLiteral("配分：")));
    money->addWidget(SplitCombo);
    money->addSpacing(kGap);
    money->addWidget(AmountLabel);
    money->addWidget(AmountEdit);
    money->addSpacing(kGap);
    money->addWidget(new QLabel(QStringLiteral("資金(円)：")));
    money->addWidget(BankrollEdit);
    money->addSpacing(kGap);
    money->addWidget(new QLabel(QStringLiteral("モデル：")));
    money->addWidget(ModelCombo);
    money->addStretch(1);
    auto* box = new QWidget;
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(form);
    rows->addWidget(RunnerBoard);
    rows->addLayout(money);
    return box;
}

QWidget* TicketsTab::buildResults()
{
    MessageLabel = redLabel("MessageLabel");
    NoteLabel = named(new QLabel, "NoteLabel");
    NoteLabel->setWordWrap(true);
    SummaryTable = table("SummaryTable");
    SummaryTable->setSelectionMode(QAbstractItemView::NoSelection);
    SummaryTable->setFocusPolicy(Qt::NoFocus);
    const QStringList summary = purchase::summaryColumns();
    SummaryTable->setColumnCount(int(summary.size()));
    SummaryTable->setHorizontalHeaderLabels(summary);
    SummaryTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Its nine lines at most are always in view.
    SummaryTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SummaryTable->setMinimumHeight(SummaryTable->horizontalHeader()->sizeHint().height()
                                   + 9 * SummaryTable->verticalHeader()->defaultSectionSize()
                                   + 2 * SummaryTable->frameWidth());
    TicketTable = table("TicketTable");
    TicketTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    TicketTable->setSelectionMode(QAbstractItemView::SingleSelection);
    TicketTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TicketTable->setToolTip(QStringLiteral("行をダブルクリック（またはEnter）すると、その買い目を資金配分で開きます"));

    auto* left = new QVBoxLayout;
    left->addWidget(SummaryTable, 1);
    auto* tables = new QHBoxLayout;
    tables->addLayout(left);
    tables->addWidget(TicketTable, 1);
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(MessageLabel);
    column->addWidget(NoteLabel);
    column->addLayout(tables, 1);
    return box;
}

pools::Pool TicketsTab::pool() const
{
    return pools::Pool(PoolCombo->currentData().toInt());
}

FormKind TicketsTab::form() const
{
    return FormKind(FormCombo->currentData().toInt());
}

std::optional<finish::Model> TicketsTab::model() const
{
    const int m = ModelCombo->currentData().toInt();
    return m < 0 ? std::nullopt : std::optional(finish::Model(m));
}

void TicketsTab::poolChanged()
{
    const int kept = FormCombo->currentData().isValid() ? FormCombo->currentData().toInt() : int(FormKind::Box);
    {
        const QSignalBlocker block(FormCombo);
        FormCombo->clear();
        for (FormKind k : {FormKind::List, FormKind::Box, FormKind::Pivot, FormKind::Formation})
            // A pool of pairs or triples is bought by the runners of its
            // parts; a list of its bets is tavek-cli's.
            if (purchase::offersForm(pool(), k) && (k != FormKind::List || pools::pool(pool()).runners == 1))
                FormCombo->addItem(purchase::formName(k), int(k));
        const int again = FormCombo->findData(kept);
        FormCombo->setCurrentIndex(again >= 0 ? again : 0);
    }
    formChanged();
}

void TicketsTab::formChanged()
{
    const pools::Pool p = pool();
    const int k = pools::pool(p).runners;
    MultiCheck->setEnabled(form() == FormKind::Pivot && purchase::offersMulti(p));
    std::vector<RunnerPicker::Row> rows;
    switch (form()) {
    case FormKind::List:
        rows = {{QStringLiteral("馬番"), false}};
        break;
    case FormKind::Box:
        rows = {{QStringLiteral("ボックス"), false}};
        break;
    case FormKind::Pivot: {
        // Without マルチ the pivots of exacta and trifecta keep the first places.
        const bool placed = purchase::offersMulti(p) && !MultiCheck->isChecked();
        rows.push_back({placed ? QStringLiteral("1着 軸") : QStringLiteral("軸"), true});
        if (purchase::mostPivots(p) > 1)
            rows.push_back({placed ? QStringLiteral("2着 軸") : QStringLiteral("軸（2頭目）"), true});
        rows.push_back({QStringLiteral("相手"), false});
        break;
    }
    case FormKind::Formation:
        for (int i = 1; i <= k; ++i)
            rows.push_back({purchase::placeName(p, i), false});
        break;
    }
    // Another form starts afresh; the same form of another pool (a trio box
    // bought as a trifecta box) or マルチ keeps the runners.
    if (std::exchange(shownForm_, form()) != form()) {
        const QSignalBlocker block(RunnerBoard);
        RunnerBoard->clear();
    }
    RunnerBoard->setRows(rows);
    recalculate();
}

void TicketsTab::splitChanged()
{
    const bool target = SplitCombo->currentData().toInt() == kTarget;
    AmountLabel->setText(target ? QStringLiteral("目標払戻金(円)：") : QStringLiteral("合計金額(円)："));
    BankrollEdit->setEnabled(SplitCombo->currentData().toInt() == int(Split::Kelly));
    recalculate();
}

void TicketsTab::ticketsSection(int race)
{
    race_ = race;
    const QByteArray key = race < 0 ? QByteArray() : layout::raceKey(day_.raceRecord(race)).toByteArray();
    // The runners at once, and another race's without the ticks: a purchase
    // never mixes the ticks of one race with the votes of another.
    refreshField(std::exchange(raceKey_, key) != key);
    stale_ = true;
    whenShown_->run([this] { recalculate(); });
}

void TicketsTab::refreshField(bool anotherRace)
{
    const QByteArrayView record = race_ >= 0 && race_ < day_.raceCount() ? day_.voteRecord(race_) : QByteArrayView();
    const sim::PoolFigures win = record.isEmpty() ? sim::PoolFigures{} : sim::readPoolFigures(pools::Pool::Win, record);
    std::array<bool, pools::kMaxRunners + 1> refunded{};
    std::copy_n(win.refunded.begin(), refunded.size(), refunded.begin());
    const QSignalBlocker block(RunnerBoard);
    if (anotherRace)
        RunnerBoard->clear();
    RunnerBoard->setField(win.runners, refunded);
}

void TicketsTab::clearResults(const QString& message)
{
    purchase_.reset();
    MessageLabel->setText(message);
    MessageLabel->setVisible(!message.isEmpty());
    NoteLabel->clear();
    NoteLabel->hide();
    SummaryTable->setRowCount(0);
    fitSummary(SummaryTable);
    TicketTable->setRowCount(0);
}

void TicketsTab::recalculate()
{
    stale_ = false;
    if (race_ < 0 || race_ >= day_.raceCount() || day_.voteRecord(race_).isEmpty()) {
        clearResults(QString());
        return;
    }
    purchase::Order order;
    order.pool = pool();
    order.model = model();
    std::array<std::vector<int>, RunnerPicker::kRows> rows;
    bool any = false;
    for (int r = 0; r < RunnerPicker::kRows; ++r) {
        rows[size_t(r)] = RunnerBoard->chosen(r);
        any = any || !rows[size_t(r)].empty();
    }
    if (!any) {
        clearResults(QString());
        NoteLabel->setText(QStringLiteral("上の表で馬を選んでください。"));
        NoteLabel->show();
        return;
    }
    switch (form()) {
    case FormKind::List: {
        std::vector<int> entries;
        for (int runner : rows[0])
            entries.push_back(pools::entryOf(order.pool, runner));
        order.form = purchase::Form::list(std::move(entries));
        break;
    }
    case FormKind::Box:
        order.form = purchase::Form::box(rows[0]);
        break;
    case FormKind::Pivot: {
        const size_t pivotRows = size_t(purchase::mostPivots(order.pool));
        std::vector<int> pivots;
        for (size_t r = 0; r < pivotRows; ++r)
            pivots.insert(pivots.end(), rows[r].begin(), rows[r].end());
        order.form = purchase::Form::pivot(pivots, rows[pivotRows], MultiCheck->isChecked());
        break;
    }
    case FormKind::Formation:
        order.form = purchase::Form::formation(rows);
        break;
    }
    const int split = SplitCombo->currentData().toInt();
    const advice::Reading<long long> amount = advice::readStake(AmountEdit->Text(), pools::kYenPerVote,
                                                                split == kTarget ? QStringLiteral("目標払戻金")
                                                                                 : QStringLiteral("合計金額"));
    if (!amount.ok()) {
        clearResults(amount.refusal);
        return;
    }
    if (split == kTarget) {
        order.split = Split::Payout;
        order.target = amount.value;
    } else {
        order.split = Split(split);
        order.total = amount.value;
    }
    if (order.split == Split::Kelly) {
        const advice::Reading<long long> bankroll = advice::readBankroll(BankrollEdit->Text());
        if (!bankroll.ok()) {
            clearResults(bankroll.refusal);
            return;
        }
        order.bankroll = bankroll.value;
    }
    try {
        purchase_ = purchase::buy(order, day_.voteRecord(race_), day_.trifectaRecord(race_));
    } catch (const purchase::Refusal& refusal) {
        clearResults(refusal.message());
        return;
    }
    showPurchase();
}

void TicketsTab::showPurchase()
{
    const purchase::Purchase& p = *purchase_;
    MessageLabel->clear();
    MessageLabel->hide();
    const QString note = purchase::noteText(p);
    NoteLabel->setText(note);
    NoteLabel->setVisible(!note.isEmpty());

    const std::vector<purchase::SummaryLine> lines = purchase::summaryLines(p);
    SummaryTable->setRowCount(int(lines.size()));
    for (int r = 0; r < int(lines.size()); ++r)
        setRow(SummaryTable, r, {lines[size_t(r)].caption, lines[size_t(r)].after, lines[size_t(r)].now},
               palette().color(QPalette::Text));
    fitSummary(SummaryTable);

    const QStringList columns = purchase::ticketColumns(p.model.has_value());
    TicketTable->setColumnCount(int(columns.size()));
    TicketTable->setHorizontalHeaderLabels(columns);
    TicketTable->setRowCount(int(p.tickets.size()));
    for (int r = 0; r < int(p.tickets.size()); ++r) {
        const purchase::Ticket& t = p.tickets[size_t(r)];
        setRow(TicketTable, r, purchase::ticketRow(p, t), p.torigami(t) ? kRefusal : palette().color(QPalette::Text));
    }
}

purchase::Purchase TicketsTab::shownPurchase()
{
    if (stale_)
        recalculate();
    if (purchase_)
        return *purchase_;
    purchase::Purchase none;
    none.pool = pool();
    none.model = model();
    return none;
}
