#include "purchase/ui/RunnerPicker.h"

#include "odds/ui/PairCell.h"
#include "odds/ui/SheetBox.h"

namespace {

constexpr int kCaptionWidth = 96;
constexpr int kCellWidth = 30;
constexpr int kCellHeight = 24;
constexpr int kGap = 1;

const QColor kHeading(0xFF, 0xFF, 0xC0);
const QColor kTicked(0x00, 0x33, 0x99);
const QColor kScratched(0xD8, 0xD8, 0xD8);

}  // namespace

RunnerPicker::RunnerPicker(QWidget* parent) : CellBoard(kRows, tavek::pools::kMaxRunners, parent)
{
    setObjectName(QStringLiteral("RunnerBoard"));
    for (int r = 0; r < kRows; ++r) {
        captions_[size_t(r)] = makeBox(this, QStringLiteral("RowCaption%1").arg(r), kHeading, Qt::black, false);
        for (int h = 1; h <= tavek::pools::kMaxRunners; ++h) {
            auto* c = new PairCell(h, this);
            c->setObjectName(QStringLiteral("Cell%1_%2").arg(r).arg(h));
            c->setText(QString::number(h));
            QFont f = c->font();
            f.setBold(true);
            c->setFont(f);
            cells_[size_t(r)][size_t(h - 1)] = c;
            addCell(c, r, h - 1);
            connect(c, &PairCell::clicked, this, [this, r](int runner) { toggle(r, runner); });
        }
    }
    setRows({});
}

void RunnerPicker::setRows(const std::vector<Row>& rows)
{
    for (int r = 0; r < kRows; ++r) {
        const bool same = size_t(r) < rows.size() && size_t(r) < rows_.size()
                          && rows[size_t(r)].single == rows_[size_t(r)].single;
        if (!same)
            ticked_[size_t(r)].fill(false);
    }
    rows_ = rows;
    layOut();
}

void RunnerPicker::setField(int runners, const std::array<bool, tavek::pools::kMaxRunners + 1>& refunded)
{
    runners_ = std::clamp(runners, 0, tavek::pools::kMaxRunners);
    refunded_ = refunded;
    layOut();
}

void RunnerPicker::layOut()
{
    const int shownRows = int(rows_.size());
    for (int h = 1; h <= tavek::pools::kMaxRunners; ++h) {
        const int x = kCaptionWidth + kGap + (h - 1) * (kCellWidth + kGap);
        for (int r = 0; r < kRows; ++r) {
            PairCell* c = cells_[size_t(r)][size_t(h - 1)];
            c->setGeometry(x, r * (kCellHeight + kGap), kCellWidth, kCellHeight);
            c->setVisible(r < shownRows && h <= runners_);
            c->setToolTip(refunded_[size_t(h)] ? QStringLiteral("出走取消・競走除外（返還）") : QString());
            paintCell(r, h);
        }
    }
    for (int r = 0; r < kRows; ++r) {
        captions_[size_t(r)]->setGeometry(0, r * (kCellHeight + kGap), kCaptionWidth, kCellHeight);
        captions_[size_t(r)]->setVisible(r < shownRows);
        captions_[size_t(r)]->setText(r < shownRows ? rows_[size_t(r)].caption : QString());
    }
    // As tall as the rows shown: the choices below move up to them.
    setFixedSize(kCaptionWidth + kGap + tavek::pools::kMaxRunners * (kCellWidth + kGap),
                 std::max(shownRows, 1) * (kCellHeight + kGap));
}

void RunnerPicker::paintCell(int row, int runner)
{
    PairCell* c = cells_[size_t(row)][size_t(runner - 1)];
    if (ticked_[size_t(row)][size_t(runner - 1)])
        c->setColours(kTicked, Qt::white);
    else
        c->setColours(refunded_[size_t(runner)] ? kScratched : QColor(Qt::white),
                      refunded_[size_t(runner)] ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
}

std::vector<int> RunnerPicker::chosen(int row) const
{
    std::vector<int> runners;
    for (int h = 1; h <= runners_; ++h)
        if (ticked_[size_t(row)][size_t(h - 1)])
            runners.push_back(h);
    return runners;
}

void RunnerPicker::toggle(int row, int runner)
{
    if (row < 0 || size_t(row) >= rows_.size() || runner < 1 || runner > runners_)
        return;
    auto& ticks = ticked_[size_t(row)];
    const bool on = !ticks[size_t(runner - 1)];
    if (rows_[size_t(row)].single && on)
        for (int h = 1; h <= tavek::pools::kMaxRunners; ++h)
            if (ticks[size_t(h - 1)]) {
                ticks[size_t(h - 1)] = false;
                paintCell(row, h);
            }
    ticks[size_t(runner - 1)] = on;
    paintCell(row, runner);
    emit changed();
}

void RunnerPicker::clear()
{
    for (auto& row : ticked_)
        row.fill(false);
    for (int r = 0; r < kRows; ++r)
        for (int h = 1; h <= tavek::pools::kMaxRunners; ++h)
            paintCell(r, h);
    emit changed();
}
