#include "PairTabFixture.h"
#include "WinDialogFixture.h"
#include "controls/Label3D.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PairInputDialog.h"
#include "odds/ui/PairMatrix.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinGrid.h"
#include "support/gui/DialogCatcher.h"

#include <QLineEdit>
#include <QVBoxLayout>

using tavek::test::DialogCatcher;

namespace {

// A field before the board, so that the board is reached with Tab as in the window.
struct TabbedWindow {
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);

    explicit TabbedWindow(QWidget* board)
    {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(before);
        column->addWidget(board);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        before->setFocus(Qt::TabFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
    }
};

}  // namespace

TEST(BoardKeyboard, TabReachesTheQuinellaBoardArrowsMoveAndEnterOpensTheCell)
{
    PairDay day;
    auto* tab = new QuinellaTab;
    tab->setSlotSource(day.source(tavek::sim::PairKind::Quinella));
    tab->calcUbtnClick(0);
    TabbedWindow w(tab);
    auto* matrix = tab->findChild<PairMatrix*>(QStringLiteral("Matrix"));
    ASSERT_TRUE(matrix && matrix->hasFocus());
    EXPECT_TRUE(tab->realCell(1)->isCurrent());

    // Down the column of 1, across to the virtual side and on to column 2;
    // up stops at the column's first pair, left at the first column.
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(matrix, key);
    EXPECT_FALSE(tab->realCell(1)->isCurrent());
    EXPECT_TRUE(tab->realCell(tavek::sim::pairIndexOf(tavek::sim::PairKind::Quinella, 2, 3))->isCurrent());

    QStringList opened;
    DialogCatcher catcher([&](QDialog* d) {
        opened << d->windowTitle() + static_cast<PairInputDialog*>(d)->Label3D9->text();
        QTest::keyClick(static_cast<PairInputDialog*>(d)->SaNumEditExC1, Qt::Key_Escape);
    });
    QTest::keyClick(matrix, Qt::Key_Return);
    QTest::keyClick(matrix, Qt::Key_Left);  // the virtual cell of 1-3
    QTest::keyClick(matrix, Qt::Key_Enter);
    EXPECT_EQ(opened, QStringList({"仮定投資金額入力（馬連） 2- 3", "仮定オッズ入力(馬連) 1- 3"}));
}

TEST_F(WinDialogTest, TabReachesTheWinGridAndEnterOpensTheCurrentInputCell)
{
    auto* grid = sheet.StringGrid1;
    sheet.setRaceListed(true);
    ASSERT_TRUE(sheet.calculate(0));
    TabbedWindow w(&sheet);
    struct Release {  // the fixture owns the sheet, not the window
        QWidget& sheet;
        ~Release() { sheet.setParent(nullptr); }
    } release{sheet};
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->currentIndex().column(), WinGrid::kAmountColumn);

    QStringList opened;
    DialogCatcher catcher([&](QDialog* d) { opened << d->objectName() + d->findChild<Label3D*>("Label3D9")->text(); });
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Enter);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Enter);  // the virtual votes open nothing
    EXPECT_EQ(opened, QStringList({"InputKingakuForm2", "InputOddsForm2"}));
}
