#include "PairTabFixture.h"
#include "PoolTabFixture.h"
#include "WinDialogFixture.h"
#include "controls/Label3D.h"
#include "odds/ui/CellBoard.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PairInputDialog.h"
#include "odds/ui/PoolInputDialog.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinGrid.h"
#include "support/gui/DialogCatcher.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <map>
#include <string_view>

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
    tab->setSlotSource(day.source(tavek::pools::PairKind::Quinella));
    tab->calcUbtnClick(0);
    TabbedWindow w(tab);
    auto* matrix = tab->findChild<CellBoard*>(QStringLiteral("Matrix"));
    ASSERT_TRUE(matrix && matrix->hasFocus());
    EXPECT_TRUE(tab->realCell(1)->isCurrent());

    // Down the column of 1, across to the virtual side and on to column 2;
    // up stops at the column's first pair, left at the first column.
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(matrix, key);
    EXPECT_FALSE(tab->realCell(1)->isCurrent());
    EXPECT_TRUE(tab->realCell(tavek::pools::pairIndexOf(tavek::pools::PairKind::Quinella, 2, 3))->isCurrent());

    QStringList opened;
    DialogCatcher catcher([&](QDialog* d) {
        opened << d->windowTitle() + static_cast<PairInputDialog*>(d)->Label3D9->text();
        QTest::keyClick(static_cast<PairInputDialog*>(d)->SaNumEditExC1, Qt::Key_Escape);
    });
    QTest::keyClick(matrix, Qt::Key_Return);
    QTest::keyClick(matrix, Qt::Key_Left);  // the virtual cell of 1-3
    QTest::keyClick(matrix, Qt::Key_Enter);
    EXPECT_EQ(opened, QStringList({"仮定投資金額入力（馬連） 2- 3", "仮定オッズ入力（馬連） 1- 3"}));
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
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(opened, QStringList({"InputKingakuForm2", "InputOddsForm2", "InputOddsForm2"}));
}

// Each board of the pool tab is reached with Tab after the pool (and the
// trio's pivot) and keeps its current cell over what it shows: the rows after
// the field, the empty half of the wide triangle, the exacta's diagonal, the
// trio pivot's row and column. Keys: U D L R the arrows, E Enter, S Space.
TEST(BoardKeyboard, EachPoolBoardMovesOverItsShownCellsAndOpensTheCurrentOne)
{
    using tavek::pools::Pool;
    struct Case {
        Pool pool;
        int tabs;  // from the pool choice
        const char* keys;
        const char* current;
        QStringList opened;
    };
    const Case cases[] = {
        // Runner 7 is refunded and opens nothing; below runner 18 there is no row.
        {Pool::Place, 1, "U DDDDDD E DDDDDDDDDDDD R S", "Cell18_1", {"仮定投資金額入力（複勝）18"}},
        {Pool::Wide, 1, "L D D R D E", "Real2_3", {"仮定投資金額入力（ワイド）2-3"}},
        {Pool::Exacta, 1, "L DD L E D S", "Virtual3_1", {"仮定投資金額入力（馬単）3-1", "仮定オッズ入力（馬単）3-1"}},
        // 軸 5: from row 4 the next row down is 6, from column 4 the next column 6.
        {Pool::Trio,
         2,
         "RRRRR DDDDDDDD E D S",
         "Virtual6_8",
         {"仮定投資金額入力（3連複）5-6-8", "仮定オッズ入力（3連複）5-6-8"}},
        // The list opens its line: the sample race's second most-backed trio.
        {Pool::Trio, 3, "D D U E", "TrioList1", {"仮定投資金額入力（3連複）3-13-18"}},
        // 1着軸 5, past its pivot and 2着軸 switches: rows are second places, the
        // next row down from 4 is 6, the next column from 4 is 6.
        {Pool::Trifecta, 3, "RRRRR DDDDDDDD E", "Real6_8", {"仮定投資金額入力（3連単）5-6-8"}},
    };
    const QByteArray record = poolSampleRecord();
    const QByteArray trifecta = trifectaSampleRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        auto* tab = new PoolTab;
        tab->PivotCombo->setCurrentIndex(4);
        tab->poolSection(record, trifecta);
        choosePool(*tab, c.pool);
        TabbedWindow w(tab);
        ASSERT_TRUE(tab->PoolCombo->hasFocus());
        for (int i = 0; i < c.tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

        QStringList opened;
        bool allClosed = true;
        DialogCatcher catcher([&](QDialog* d) {
            auto* form = static_cast<TInputPoolForm*>(d);
            opened << d->windowTitle() + form->Label3D9->text();
            QTest::keyClick(form->SaNumEditExC1, Qt::Key_Escape);
            allClosed = allClosed && !d->isVisible();
        });
        QWidget* board = QApplication::focusWidget();
        for (const char key : std::string_view(c.keys)) {
            static const std::map<char, Qt::Key> kKeys{{'U', Qt::Key_Up},     {'D', Qt::Key_Down},
                                                       {'L', Qt::Key_Left},   {'R', Qt::Key_Right},
                                                       {'E', Qt::Key_Return}, {'S', Qt::Key_Space}};
            if (key != ' ')
                QTest::keyClick(board, kKeys.at(key));
        }
        // The dialogs leave the focus on the board; in the active window its
        // current cell is framed.
        ASSERT_EQ(w.window.focusWidget(), board);
        w.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
        ASSERT_EQ(QApplication::focusWidget(), board);
        if (auto* cells = qobject_cast<CellBoard*>(board)) {
            ASSERT_NE(cells->current(), nullptr);
            EXPECT_EQ(cells->current()->objectName(), c.current);
            EXPECT_TRUE(cells->current()->isCurrent());
        } else {
            ASSERT_EQ(board, tab->TrioList);
            EXPECT_EQ(QStringLiteral("TrioList%1").arg(tab->TrioList->currentRow()), c.current);
        }
        EXPECT_EQ(opened, c.opened);
        EXPECT_TRUE(allClosed) << "Esc closes the dialog";
    }
}
