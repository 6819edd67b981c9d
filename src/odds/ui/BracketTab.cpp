#include "odds/ui/BracketTab.h"

#include "controls/Label3D.h"
#include "odds/ui/PairDialogs.h"
#include "odds/ui/WinCellStyle.h"

#include <QLabel>

namespace {

PairMatrixGeometry bracketGeometry()
{
    PairMatrixGeometry g;
    g.cell = {50, 15};
    g.rowPitch = 16;
    g.rowBoxWidth = 17;
    // Columns 5-8 stand under columns 4-1.
    g.columns = {{26, 12, 24},    {152, 12, 24},   {278, 12, 24},   {404, 12, 24},
                 {404, 116, 128}, {278, 132, 144}, {152, 148, 160}, {26, 164, 176}};
    g.cellFont = QFont(QStringLiteral("ＭＳ Ｐゴシック"));
    g.cellFont.setPixelSize(12);
    g.cellFont.setBold(true);
    return g;
}

}  // namespace

BracketTab::BracketTab(QWidget* parent)
    : PairSheet(tavek::pools::PairKind::Bracket, QStringLiteral("Panel7"), QStringLiteral("枠連"), false, parent)
{
    setObjectName(QStringLiteral("BracketTab"));
    buildMatrix(bracketGeometry());
}

void BracketTab::styleNumberBox(QLabel* box, int n) const
{
    QPalette p = box->palette();
    p.setColor(QPalette::Window, bracketColor(n));
    p.setColor(QPalette::WindowText, bracketTextColor(n));
    box->setPalette(p);
}

void BracketTab::openStakeDialog(const QString& label)
{
    TInputKingakuWForm dialog(*this, this);
    dialog.Label3D9->setText(label);
    dialog.exec();
}

void BracketTab::openOddsDialog(const QString& label)
{
    TInputOddsWForm dialog(*this, this);
    dialog.Label3D9->setText(label);
    dialog.exec();
}
