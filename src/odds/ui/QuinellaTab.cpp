#include "odds/ui/QuinellaTab.h"

#include "controls/Label3D.h"
#include "controls/PixelFont.h"
#include "odds/ui/PairDialogs.h"
#include "pools/Field.h"

#include <QLabel>

namespace {

// The cells are taller than the 11 pixels of the old screen so the digits of
// the fixed-pitch font are not cut; the bands keep their arrangement: each
// heading takes one row, columns 7-12 stand under columns 6-1, each heading
// just below the last cell of the column above, and columns 13-17 below the
// end of column 12.
PairMatrixGeometry quinellaGeometry()
{
    constexpr int pitch = 14;
    constexpr int top = 22;
    constexpr int lefts[] = {22, 126, 230, 334, 438, 542};
    auto rows = [](int a) { return tavek::pools::kMaxRunners - a; };

    PairMatrixGeometry g;
    g.cell = {40, pitch - 1};
    g.rowPitch = pitch;
    g.rowBoxWidth = 16;
    for (int a = 1; a <= 6; ++a)
        g.columns.push_back({lefts[a - 1], top, top + pitch});
    for (int a = 7; a <= 12; ++a) {
        const auto& above = g.columns[size_t(12 - a)];
        const int heading = above.firstTop + rows(13 - a) * pitch;
        g.columns.push_back({above.left, heading, heading + pitch});
    }
    const int bottomBand = g.columns[11].firstTop + rows(12) * pitch;
    for (int a = 13; a <= 17; ++a)
        g.columns.push_back({lefts[a - 13], bottomBand, bottomBand + pitch});
    // 13 pixels: at 11 "48.7" read as "45.7"; six half-width characters of
    // 6.5 pixels ("9999.9" and its blank) still fit the 40-pixel cell.
    g.cellFont = boardFont(13);
    return g;
}

}  // namespace

QuinellaTab::QuinellaTab(QWidget* parent)
    : PairSheet(tavek::pools::PairKind::Quinella, QStringLiteral("Panel4"), QStringLiteral("馬連"), true, parent)
{
    setObjectName(QStringLiteral("QuinellaTab"));
    buildMatrix(quinellaGeometry());
}

void QuinellaTab::styleNumberBox(QLabel* box, int) const
{
    QPalette p = box->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
    p.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(p);
    QFont f = box->font();
    f.setPixelSize(11);
    box->setFont(f);
}

void QuinellaTab::openStakeDialog(const QString& label)
{
    TInputKingakuUForm dialog(*this, this);
    dialog.Label3D9->setText(label);
    dialog.exec();
}

void QuinellaTab::openOddsDialog(const QString& label)
{
    TInputOddsUForm dialog(*this, this);
    dialog.Label3D9->setText(label);
    dialog.exec();
}
