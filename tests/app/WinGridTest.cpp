// The win grid in the main window: a race selection paints it from the
// model, and its input columns open the dialogs.
#include "controls/Label3D.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "support/RaceFixture.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using tavek::test::MainWindowFixture;

namespace {

// Colour StringGrid1DrawCell left in the middle of cell (horse, column),
// right of its text.
QColor paintedBackground(WinGrid* grid, int horse, int column)
{
    const QModelIndex cell = grid->model()->index(horse - 1, column);
    grid->scrollTo(cell);
    const QRect r = grid->visualRect(cell);
    const QImage image = grid->viewport()->grab().toImage();
    return image.pixelColor(r.right() - 2, r.center().y());
}

}  // namespace

TEST(WinGrid, ARaceIsPaintedFromTheModel)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    TMainForm& form = fx.start();
    WinSheet* sheet = form.winSheet;
    WinGrid* grid = sheet->StringGrid1;
    EXPECT_FALSE(grid->hasSource());

    fx.pickDate(MainWindowFixture::kFixtureDate);
    ASSERT_TRUE(grid->isVisible());
    ASSERT_EQ(grid->runnerRows(), 16);
    EXPECT_EQ(sheet->Label3D9->text(), QStringLiteral("    133,000"));
    EXPECT_EQ(sheet->Label3D13->text(), QString());

    // Horse 3 is scratched: refund mark, zero votes, no odds either way.
    EXPECT_EQ(grid->cellText(3, 5), QStringLiteral("返還"));
    EXPECT_EQ(grid->cellText(3, 2), QStringLiteral("         0"));
    EXPECT_EQ(grid->cellText(3, 3), QStringLiteral("      0.0"));
    EXPECT_EQ(grid->cellText(3, 4), QStringLiteral(" "));
    EXPECT_EQ(grid->cellText(3, 8), QStringLiteral(" "));
    EXPECT_EQ(grid->cellText(3, 10), QStringLiteral(" "));
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral(" 1"));
    EXPECT_EQ(grid->cellText(16, 0), QStringLiteral("8"));
    EXPECT_EQ(grid->cellText(16, 2), QStringLiteral("    16,000"));
    EXPECT_EQ(grid->cellText(1, 6), QStringLiteral(" "));

    EXPECT_EQ(paintedBackground(grid, 16, 0), QColor(255, 0, 255));
    EXPECT_EQ(paintedBackground(grid, 1, 0), QColor(255, 255, 255));
    EXPECT_EQ(paintedBackground(grid, 5, 6), QColor(255, 191, 255));
    EXPECT_EQ(paintedBackground(grid, 5, 7), QColor(208, 255, 255));

    fx.pickRace(1);
    ASSERT_EQ(grid->runnerRows(), 18);
    EXPECT_EQ(grid->cellText(15, 0), QStringLiteral("7"));
    EXPECT_EQ(paintedBackground(grid, 15, 0), QColor(255, 128, 0));
    EXPECT_EQ(paintedBackground(grid, 18, 0), QColor(255, 0, 255));
    EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(), 0);
}

TEST(WinGrid, InputColumnsTakeTheHandCursorAndClicksLeaveNoSelection)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    TMainForm& form = fx.start();
    fx.pickDate(MainWindowFixture::kFixtureDate);
    WinGrid* grid = form.winSheet->StringGrid1;
    QWidget* vp = grid->viewport();
    auto centre = [&](int horse, int column) {
        return grid->visualRect(grid->model()->index(horse - 1, column)).center();
    };

    QTest::mouseMove(vp, centre(2, WinGrid::kAmountColumn));
    EXPECT_EQ(vp->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(vp, centre(2, 4));
    EXPECT_EQ(vp->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(vp, centre(2, WinGrid::kOddsColumn));
    EXPECT_EQ(vp->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(vp, Qt::LeftButton, {}, centre(4, 3));
    EXPECT_TRUE(grid->selectionModel()->selectedIndexes().isEmpty());

    QList<int> amounts, odds;
    tavek::test::DialogCatcher dialogs;  // the input dialogs open and are closed at once
    QObject::connect(grid, &WinGrid::amountRequested, [&](int h) { amounts << h; });
    QObject::connect(grid, &WinGrid::oddsRequested, [&](int h) { odds << h; });
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre(4, WinGrid::kAmountColumn));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre(7, WinGrid::kOddsColumn));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre(7, 4));
    EXPECT_EQ(amounts, QList<int>{4});
    EXPECT_EQ(odds, QList<int>{7});
}

TEST(WinGrid, RowsBeyondEighteenRunnersPaintWithoutFailing)
{
    MainWindowFixture fx;
    const QByteArray key = tavek::test::raceKey("20050416", "05", 5);
    tavek::test::H1Record votes(key);
    votes.registered(22).starters(22);
    for (int h = 1; h <= 22; ++h)
        votes.win(h, 100 * h);
    votes.winTotal(100 * 22 * 23 / 2);
    fx.writeDay(MainWindowFixture::kFixtureDate, {tavek::test::RaRecord(key)}, {votes});
    TMainForm& form = fx.start();
    fx.pickDate(MainWindowFixture::kFixtureDate);
    WinGrid* grid = form.winSheet->StringGrid1;
    ASSERT_EQ(grid->runnerRows(), 22);
    for (int c = 0; c < WinGrid::kColumns; ++c)
        EXPECT_FALSE(grid->cellText(22, c).isEmpty());
    grid->scrollToBottom();
    EXPECT_FALSE(grid->viewport()->grab().isNull());

    // Only the first 18 runners can be simulated: their input cells open the
    // dialogs, the rows beyond them open nothing and show no hand cursor.
    QWidget* vp = grid->viewport();
    auto centre = [&](int horse, int column) {
        return grid->visualRect(grid->model()->index(horse - 1, column)).center();
    };
    QList<int> requested;
    tavek::test::DialogCatcher dialogs;
    QObject::connect(grid, &WinGrid::amountRequested, [&](int h) { requested << h; });
    QObject::connect(grid, &WinGrid::oddsRequested, [&](int h) { requested << h; });
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre(19, WinGrid::kAmountColumn));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre(22, WinGrid::kOddsColumn));
    QTest::mouseMove(vp, centre(22, WinGrid::kOddsColumn));
    EXPECT_EQ(vp->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, centre(18, WinGrid::kOddsColumn));
    EXPECT_EQ(requested, QList<int>{18});
}
