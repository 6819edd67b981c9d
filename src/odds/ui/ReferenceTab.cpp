#include "odds/ui/ReferenceTab.h"

#include "controls/WhenShown.h"
#include "odds/model/ReferenceSheet.h"
#include "odds/ui/SheetBox.h"
#include "odds/ui/WinCellStyle.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

#include <tuple>

namespace {

QListWidget* rankedList(QWidget* parent, const QString& name, const QString& sample)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setStyleHint(QFont::Monospace);
    f.setBold(true);
    f.setPointSize(10);
    list->setFont(f);
    QPalette p = list->palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, QColor(0x00, 0xFF, 0x00));
    list->setPalette(p);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // One line of one fixed-pitch font per item: the list need not measure
    // each of up to 816 lines at every race switch.
    list->setUniformItemSizes(true);
    const int textWidth = QFontMetrics(f).horizontalAdvance(sample);
    list->setMinimumWidth(textWidth + list->verticalScrollBar()->sizeHint().width() + 2 * list->frameWidth() + 8);
    return list;
}

QVBoxLayout* titledList(QListWidget* list, const QString& title)
{
    auto* column = new QVBoxLayout;
    auto* heading = new QLabel(title);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    column->addWidget(heading);
    column->addWidget(new QLabel(QStringLiteral("(順位、組番、票数、得票率)")));
    column->addWidget(list, 1);
    return column;
}

}  // namespace

ReferenceTab::ReferenceTab(QWidget* parent) : QWidget(parent)
{
    whenShown_ = new tavek::controls::WhenShown(this);
    setObjectName(QStringLiteral("ReferenceTab"));

    auto* panel8 = new QFrame(this);
    panel8->setObjectName(QStringLiteral("Panel8"));
    panel8->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel8);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setVerticalSpacing(8);
    auto* heading = new QLabel(QStringLiteral("賭式別売上げ規模比較"), panel8);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont hf = heading->font();
    hf.setBold(true);
    heading->setFont(hf);
    QPalette hp = heading->palette();
    hp.setColor(QPalette::WindowText, Qt::blue);
    heading->setPalette(hp);
    grid->addWidget(heading, 0, 0, 1, 2);
    for (int t = 0; t < tavek::pools::kPoolCount; ++t) {
        const tavek::pools::Pool pool = tavek::pools::Pool(t);
        grid->addWidget(new QLabel(tavek::sim::totalLabel(pool), panel8), t + 1, 0, Qt::AlignRight);
        QLabel* box = makeBox(panel8, QStringLiteral("Total_%1").arg(tavek::pools::pool(pool).key),
                              QColor(0x00, 0xFF, 0xFF), Qt::red, true);
        // A fixed size: a box whose text changes would otherwise have the whole
        // tab widget laid out and repainted at every race switch.
        box->setFixedSize(box->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999,999")) + 16,
                          box->fontMetrics().height() + 8);
        totals_[size_t(t)] = box;
        grid->addWidget(box, t + 1, 1);
    }
    grid->setRowStretch(tavek::pools::kPoolCount + 1, 1);

    auto* panel6 = new QFrame(this);
    panel6->setObjectName(QStringLiteral("Panel6"));
    panel6->setFrameShape(QFrame::StyledPanel);
    ListBox1 = rankedList(panel6, QStringLiteral("ListBox1"), QStringLiteral("306 18-17 999999999 100.0%"));
    ListBox2 = rankedList(panel6, QStringLiteral("ListBox2"), QStringLiteral("816 16-17-18 999999999 100.0%"));
    auto* lists = new QHBoxLayout(panel6);
    lists->addLayout(titledList(ListBox1, tavek::sim::listCaption(tavek::pools::Pool::Exacta)));
    lists->addLayout(titledList(ListBox2, tavek::sim::listCaption(tavek::pools::Pool::Trio)));

    auto* row = new QHBoxLayout(this);
    row->addWidget(panel8);
    row->addWidget(panel6, 1);
}

void ReferenceTab::referenceSection(QByteArrayView voteRecord, std::function<QByteArray()> trifecta)
{
    whenShown_->run([this, record = voteRecord.toByteArray(), trifecta = std::move(trifecta)] {
        fill(record, trifecta ? trifecta() : QByteArray());
    });
}

void ReferenceTab::referenceSection(QByteArrayView voteRecord, QByteArrayView trifectaRecord)
{
    referenceSection(voteRecord, [record = trifectaRecord.toByteArray()] { return record; });
}

void ReferenceTab::fill(QByteArrayView voteRecord, QByteArrayView trifectaRecord)
{
    const tavek::sim::ReferenceSheet sheet = tavek::sim::referenceSheet(voteRecord);
    for (size_t t = 0; t < sheet.totals.size(); ++t)
        totals_[t]->setText(sheet.totals[t]);
    // The trifecta's total from its own record; 0 without one.
    const tavek::pools::VotePool& trifecta = tavek::pools::pool(tavek::pools::Pool::Trifecta);
    const long long total = trifectaRecord.size() >= trifecta.record.length
                                ? tavek::record::blankAsZero(trifectaRecord, trifecta.total, tavek::pools::kVoteLen)
                                : 0;
    totals_[size_t(tavek::pools::Pool::Trifecta)]->setText(tavek::fmt::grouped11(total));
    ListBox1->clear();
    ListBox1->addItems(sheet.exacta);
    ListBox2->clear();
    ListBox2->addItems(sheet.trio);
    // The lines of the winning entries in the winners' colour.
    using tavek::pools::Pool;
    for (auto [list, pool, entries] : {std::tuple(ListBox1, Pool::Exacta, &sheet.exactaEntries),
                                       std::tuple(ListBox2, Pool::Trio, &sheet.trioEntries)})
        for (int i = 0; i < list->count() && size_t(i) < entries->size(); ++i)
            if (winners_.won(pool, (*entries)[size_t(i)]))
                list->item(i)->setBackground(wonColour());
}
