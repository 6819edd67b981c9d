#include "PoolTabFixture.h"
#include "controls/Label3D.h"
#include "controls/MessageBox.h"
#include "controls/SaNumEditExC.h"
#include "odds/model/PoolListing.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PlaceRows.h"
#include "odds/ui/PoolInputDialog.h"
#include "odds/ui/PoolMatrix.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/DialogCatcher.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavek;
using namespace tavek::sim;
using pools::Pool;
using test::BoxAnswerer;
using test::DialogCatcher;

namespace {

void typeAndOk(QDialog* dialog, const QString& value)
{
    auto* d = qobject_cast<TInputPoolForm*>(dialog);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(d->SaNumEditExC1, value);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
}

}  // namespace

// Every board puts each entry of the field where its runners say and shows
// the model's texts there: what tavek-cli prints for the same record.
TEST(PoolTab, EachBoardShowsTheModelsTextsInTheEntrysPlace)
{
    const QByteArray record = poolSampleRecord();
    PoolTab tab;
    tab.PivotCombo->setCurrentIndex(4);  // 軸 5
    tab.poolSection(record);
    for (Pool pool : {Pool::Place, Pool::Wide, Pool::Exacta, Pool::Trio}) {
        SCOPED_TRACE(pools::pool(pool).key);
        choosePool(tab, pool);
        PoolBoard expected(pool);
        expected.calculate(record);
        EXPECT_EQ(tab.RealTotalBox->text(), expected.totalText());
        int shown = 0;
        for (int n = 1; n <= expected.size(); ++n) {
            PairCell* cell = tab.realCell(n);
            if (!cell)
                continue;
            ++shown;
            ASSERT_EQ(cell->text(), expected.oddsText(n).trimmed()) << expected.label(n).toStdString();
            ASSERT_FALSE(cell->isHidden());
        }
        // Place 18 runners; wide 153 pairs; exacta 306; trio the 136 with runner 5.
        const int entries[] = {18, 153, 306, 136};
        EXPECT_EQ(shown, entries[tab.PoolCombo->currentIndex()]);
    }
    EXPECT_EQ(tab.realCell(entryOf(Pool::Trio, 2, 5, 9))->objectName(), "Real2_9");
    EXPECT_EQ(tab.realCell(entryOf(Pool::Trio, 1, 2, 3)), nullptr) << "without the pivot";
    EXPECT_EQ(tab.TrioList->item(0)->text(), rankedLine(tab.board(), 1, mostBacked(tab.board(), 1)[0]));
    choosePool(tab, Pool::Exacta);
    EXPECT_EQ(tab.realCell(entryOf(Pool::Exacta, 7, 3))->objectName(), "Real7_3");
    EXPECT_EQ(tab.realCell(entryOf(Pool::Exacta, 7, 3))->text(), "返還");
    choosePool(tab, Pool::Place);
    EXPECT_EQ(tab.placeRows->cell(7, PlaceRows::Odds)->text(), "返還");
    EXPECT_EQ(tab.placeRows->bracketBox(18)->text(), "8");
}

// A click on a real cell opens the stake dialog of its entry; OK shows the
// virtual figures of the whole board.
TEST(PoolTab, AStakeOnATrioIsShownOnTheWholeBoard)
{
    const QByteArray record = poolSampleRecord();
    PoolTab tab;
    tab.PivotCombo->setCurrentIndex(4);
    tab.poolSection(record);
    choosePool(tab, Pool::Trio);
    const int n = entryOf(Pool::Trio, 2, 5, 9);
    QString caption, label;
    DialogCatcher catcher([&](QDialog* d) {
        caption = d->windowTitle();
        label = static_cast<TInputPoolForm*>(d)->Label3D9->text();
        typeAndOk(d, "100000");
    });
    QTest::mouseClick(tab.realCell(n), Qt::LeftButton);
    ASSERT_EQ(catcher.count(), 1);
    EXPECT_EQ(caption, "仮定投資金額入力（3連複）");
    EXPECT_EQ(label, "2-5-9");

    PoolBoard expected(Pool::Trio);
    expected.calculate(record);
    expected.simulateStake(n, 100'000);
    for (int m = 1; m <= expected.size(); ++m) {
        if (PairCell* cell = tab.virtualCell(m)) {
            ASSERT_EQ(cell->text(), expected.virtualOddsText(m).trimmed()) << m;
        }
    }
    EXPECT_EQ(tab.VirtualTotalBox->text(), expected.virtualTotalText());
    EXPECT_EQ(tab.ExcessBox->text(), "    100,000円");
}

// Odds not above 1 are refused with the board's message and the dialog stays
// open; place and wide have no odds simulation, so their virtual cells ask
// for a stake; a pool not sold opens nothing.
TEST(PoolTab, RefusedOddsKeepTheDialogAndRangesAskOnlyForAStake)
{
    const QByteArray record = poolSampleRecord();
    PoolTab tab;
    tab.poolSection(record);
    choosePool(tab, Pool::Exacta);
    const int n = entryOf(Pool::Exacta, 3, 1);
    {
        BoxAnswerer boxes;
        bool stillOpen = false;
        DialogCatcher catcher([&](QDialog* d) {
            typeAndOk(d, "1");
            stillOpen = d->isVisible();
        });
        QTest::mouseClick(tab.virtualCell(n), Qt::LeftButton);
        ASSERT_EQ(catcher.count(), 1);
        EXPECT_TRUE(stillOpen);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.seen()[0].kind, MessageBox::Kind::Error);
        EXPECT_EQ(boxes.texts()[0], tab.board().refusalMessage(n, SimResult::NotAboveOne));
        EXPECT_EQ(tab.VirtualTotalBox->text(), "");
    }

    QString caption;
    DialogCatcher ranges([&](QDialog* d) { caption = d->windowTitle(); });
    choosePool(tab, Pool::Wide);
    QTest::mouseClick(tab.virtualCell(entryOf(Pool::Wide, 1, 2)), Qt::LeftButton);
    EXPECT_EQ(caption, "仮定投資金額入力（ワイド）");

    test::H1Record four = sampleRace18();
    tab.poolSection(four.registered(4).starters(4).bytes());
    choosePool(tab, Pool::Place);
    EXPECT_EQ(tab.realCell(1)->text(), "発売なし");
    QTest::mouseClick(tab.realCell(1), Qt::LeftButton);
    EXPECT_EQ(ranges.count(), 1) << "a pool not sold opens no dialog";
    EXPECT_TRUE(tab.PoolNote->text().contains("オッズのシミュレーションはありません"));
}

// The trifecta board shows the pivot's entries: with the 1着軸 second by row
// and third by column, with the 2着軸 first by row; the list ranks the whole
// pool, and a stake through the dialog is shown on the whole board.
TEST(PoolTab, TheTrifectaBoardTurnsOnItsPivotsPlace)
{
    const QByteArray record = poolSampleRecord();
    const QByteArray trifecta = trifectaSampleRecord();
    PoolTab tab;
    tab.PivotCombo->setCurrentIndex(4);  // 軸 5
    tab.poolSection(record, trifecta);
    choosePool(tab, Pool::Trifecta);
    ASSERT_FALSE(tab.AxisCombo->isHidden());
    PoolBoard expected(Pool::Trifecta);
    expected.calculate(trifecta);
    EXPECT_EQ(tab.RealTotalBox->text(), expected.totalText());

    struct Case {
        int axis;
        std::array<int, 3> entry;  // shown at row 2, column 9
        std::array<int, 3> elsewhere;
        const char* corner;
    };
    for (const Case& c : {Case{0, {5, 2, 9}, {2, 5, 9}, "3着→\n2着↓"}, Case{1, {2, 5, 9}, {5, 2, 9}, "3着→\n1着↓"}}) {
        SCOPED_TRACE(c.axis);
        tab.AxisCombo->setCurrentIndex(c.axis);
        int shown = 0;
        for (int n = 1; n <= expected.size(); ++n)
            if (PairCell* cell = tab.realCell(n)) {
                ++shown;
                ASSERT_EQ(cell->text(), expected.oddsText(n).trimmed()) << expected.label(n).toStdString();
                ASSERT_FALSE(cell->isHidden());
            }
        EXPECT_EQ(shown, 17 * 16);
        const auto [a, b, d] = c.entry;
        EXPECT_EQ(tab.realCell(entryOf(Pool::Trifecta, a, b, d))->objectName(), "Real2_9");
        EXPECT_EQ(tab.realCell(entryOf(Pool::Trifecta, c.elsewhere[0], c.elsewhere[1], c.elsewhere[2])), nullptr);
        EXPECT_EQ(tab.poolMatrix->corner()->text(), QString::fromUtf8(c.corner));
    }
    EXPECT_EQ(tab.TrioList->count(), PoolTab::kListed);
    EXPECT_EQ(tab.TrioList->item(0)->text(), rankedLine(expected, 1, mostBacked(expected, 1)[0]));

    const int n = entryOf(Pool::Trifecta, 2, 5, 9);
    QString caption, label;
    DialogCatcher catcher([&](QDialog* d) {
        caption = d->windowTitle();
        label = static_cast<TInputPoolForm*>(d)->Label3D9->text();
        typeAndOk(d, "100000");
    });
    QTest::mouseClick(tab.realCell(n), Qt::LeftButton);
    ASSERT_EQ(catcher.count(), 1);
    EXPECT_EQ(caption, "仮定投資金額入力（3連単）");
    EXPECT_EQ(label, "2-5-9");
    expected.simulateStake(n, 100'000);
    for (int m = 1; m <= expected.size(); ++m)
        if (PairCell* cell = tab.virtualCell(m)) {
            ASSERT_EQ(cell->text(), expected.virtualOddsText(m).trimmed()) << m;
        }
    EXPECT_EQ(tab.ExcessBox->text(), "    100,000円");

    // After the pivot's place changes, a stake fills the cells of the new board.
    tab.AxisCombo->setCurrentIndex(1);
    const int second = entryOf(Pool::Trifecta, 9, 5, 2);
    QTest::mouseClick(tab.realCell(second), Qt::LeftButton);
    ASSERT_EQ(catcher.count(), 2);
    expected.simulateStake(second, 100'000);
    for (int m = 1; m <= expected.size(); ++m)
        if (PairCell* cell = tab.virtualCell(m)) {
            ASSERT_EQ(cell->text(), expected.virtualOddsText(m).trimmed()) << m;
        }

    // A race without a trifecta record shows no cells, and says why.
    tab.poolSection(record);
    EXPECT_EQ(tab.realCell(n), nullptr);
    EXPECT_TRUE(tab.PoolNote->text().contains("3連単の票数はありません"));
}

// The pivot list and the boards offer the race's registered runners only,
// and follow the next race's field; the pivot stays where it still can.
TEST(PoolTab, SelectorsAndBoardsFollowTheRegisteredRunners)
{
    test::H1Record eight = sampleRace18();
    eight.registered(8).starters(8);
    PoolTab tab;
    tab.PivotCombo->setCurrentIndex(11);  // 軸 12
    tab.poolSection(eight.bytes(), trifectaSampleRecord(8));
    EXPECT_EQ(tab.PivotCombo->count(), 8);
    EXPECT_EQ(tab.pivot(), 8);
    // Exacta 8 x 7, trio the 21 pairs with the pivot, trifecta 7 x 6.
    for (auto [pool, cells] : {std::pair{Pool::Wide, 28}, {Pool::Exacta, 56}, {Pool::Trio, 21}, {Pool::Trifecta, 42}}) {
        SCOPED_TRACE(pools::pool(pool).key);
        choosePool(tab, pool);
        EXPECT_EQ(tab.poolMatrix->runners(), 8);
        int shown = 0;
        for (PairCell* cell : tab.poolMatrix->findChildren<PairCell*>())
            if (cell->isVisibleTo(tab.poolMatrix) && cell->objectName().startsWith("Real"))
                ++shown;
        EXPECT_EQ(shown, cells);
        EXPECT_TRUE(tab.poolMatrix->findChild<QLabel*>("Row9")->isHidden());
        EXPECT_FALSE(tab.poolMatrix->findChild<QLabel*>("Column8")->isHidden());
    }
    tab.poolSection(poolSampleRecord(), trifectaSampleRecord());
    EXPECT_EQ(tab.PivotCombo->count(), 18);
    EXPECT_EQ(tab.pivot(), 8);
    EXPECT_FALSE(tab.poolMatrix->findChild<QLabel*>("Row18")->isHidden());
}

// A click on a refunded entry opens no dialog; the status line says why,
// through the window around the tab.
TEST(PoolTab, ARefundedCellSaysWhyOnTheStatusLine)
{
    struct Window : QWidget {
        QStringList tips;
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::StatusTip)
                tips << static_cast<QStatusTipEvent*>(e)->tip();
            return QWidget::event(e);
        }
    } window;
    auto* tab = new PoolTab(&window);
    tab->poolSection(poolSampleRecord());
    choosePool(*tab, Pool::Exacta);
    DialogCatcher catcher([](QDialog*) {});
    const int n = entryOf(Pool::Exacta, 7, 3);
    QTest::mouseClick(tab->realCell(n), Qt::LeftButton);
    QTest::mouseClick(tab->virtualCell(n), Qt::LeftButton);
    EXPECT_EQ(catcher.count(), 0);
    EXPECT_EQ(window.tips, QStringList(2, tab->board().refusalMessage(n, SimResult::Refunded)));
}
