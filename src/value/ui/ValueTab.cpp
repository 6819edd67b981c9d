#include "value/ui/ValueTab.h"

#include "controls/WhenShown.h"
#include "controls/WonColour.h"
#include "racedata/DayData.h"
#include "results/Winners.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace tavek;

namespace {

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

ValueTab::ValueTab(const DayData& day, QWidget* parent) : QWidget(parent), day_(day)
{
    setObjectName(QStringLiteral("ValueTab"));
    whenShown_ = new controls::WhenShown(this);
    PoolCombo = named(new QComboBox, "PoolCombo");
    PoolCombo->addItem(QStringLiteral("全賭式"), -1);
    for (const pools::VotePool& p : pools::kPools)
        PoolCombo->addItem(p.caption(), int(&p - pools::kPools.data()));
    ModelCombo = named(new QComboBox, "ModelCombo");
    for (finish::Model m : finish::kModels)
        ModelCombo->addItem(finish::modelName(m), int(m));
    ModelCombo->setToolTip(QStringLiteral("単勝の票数から他の賭式の的中確率を求めるモデル"));

    const QStringList columns = value::valueColumns();
    ValueTable = named(new QTableWidget(0, int(columns.size())), "ValueTable");
    ValueTable->setHorizontalHeaderLabels(columns);
    ValueTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    ValueTable->setSelectionMode(QAbstractItemView::SingleSelection);
    ValueTable->verticalHeader()->setDefaultSectionSize(ValueTable->fontMetrics().height() + 6);
    ValueTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ValueTable->setToolTip(QStringLiteral("行をダブルクリックすると、その買い目を資金配分で開きます"));
    MessageLabel = named(new QLabel, "MessageLabel");
    MessageLabel->setWordWrap(true);

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("賭式：")));
    choices->addWidget(PoolCombo);
    choices->addSpacing(16);
    choices->addWidget(new QLabel(QStringLiteral("モデル：")));
    choices->addWidget(ModelCombo);
    choices->addSpacing(16);
    choices->addWidget(new QLabel(QStringLiteral("期待回収率の高い順（単勝の票数から見た各買い目の的中確率×オッズ）")),
                       1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(choices);
    column->addWidget(MessageLabel);
    column->addWidget(ValueTable, 1);

    connect(PoolCombo, &QComboBox::currentIndexChanged, this, &ValueTab::refresh);
    connect(ModelCombo, &QComboBox::currentIndexChanged, this, &ValueTab::refresh);
    // activated: a double-click or Enter on the row, so the keyboard reaches it too.
    connect(ValueTable, &QTableWidget::activated, this, [this](const QModelIndex& index) {
        const int row = index.row();
        if (row >= 0 && size_t(row) < shown_.size())
            emit betChosen(shown_[size_t(row)].pool, shown_[size_t(row)].number, model());
    });
    refresh();  // no race yet: the table says so
}

void ValueTab::valueSection(int race)
{
    race_ = race;
    whenShown_->run([this] { refresh(); });
}

finish::Model ValueTab::model() const
{
    return finish::Model(ModelCombo->currentData().toInt());
}

void ValueTab::refresh()
{
    shown_.clear();
    const bool race = race_ >= 0 && race_ < day_.raceCount();
    const QByteArrayView record = race ? day_.voteRecord(race_) : QByteArrayView();
    // Once the race has its result, a last column says what became of each bet.
    const results::Winners winners(race ? day_.result(race_) : nullptr);
    QStringList columns = value::valueColumns();
    if (winners.any())
        columns.append(results::outcomeHeading());
    if (ValueTable->columnCount() != columns.size()) {
        ValueTable->setColumnCount(int(columns.size()));
        ValueTable->setHorizontalHeaderLabels(columns);
    }
    if (!record.isEmpty()) {
        const int pool = PoolCombo->currentData().toInt();
        shown_ = value::rankedValues(value::betValues(record, model(), day_.trifectaRecord(race_)),
                                     pool < 0 ? std::nullopt : std::optional(pools::Pool(pool)), value::kValueTop);
    }
    MessageLabel->setText(shown_.empty() ? value::emptyRankingText(record) : QString());
    MessageLabel->setVisible(shown_.empty());
    ValueTable->setRowCount(int(shown_.size()));
    for (int r = 0; r < int(shown_.size()); ++r) {
        const value::BetValue& bet = shown_[size_t(r)];
        const QStringList cells = value::valueRow(bet);
        for (int c = 0; c < int(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment((c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            ValueTable->setItem(r, c, item);
        }
        if (winners.any()) {
            const results::Outcome outcome = winners.outcome(bet.pool, bet.number);
            auto* item = new QTableWidgetItem(results::outcomeCell(outcome));
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            ValueTable->setItem(r, int(cells.size()), item);
            // A winning bet's row in the boards' winners' colour.
            if (outcome.kind == results::Outcome::Kind::Won)
                for (int c = 0; c <= int(cells.size()); ++c)
                    ValueTable->item(r, c)->setBackground(wonColour());
        }
    }
}
