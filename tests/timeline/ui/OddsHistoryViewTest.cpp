#include "support/RaceFixture.h"
#include "timeline/ui/OddsHistoryView.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QTableView>
#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;

// The caption lies outside the layout, so that a new text does not lay the
// window out again: it must still take the lines its text needs at any width.
TEST(OddsHistoryView, TheCaptionShowsAllItsLinesAtAnyWidth)
{
    OddsHistoryView view;
    view.showTimeline(QStringLiteral("2005/04/16 東京 11R"), {}, std::nullopt);
    view.show();
    const QLabel* caption = view.CaptionLabel;
    ASSERT_TRUE(caption->text().contains(QStringLiteral("まだありません")));  // the long text
    for (const int width : {1100, 640, 1100}) {
        view.resize(width, 700);
        QApplication::processEvents();
        EXPECT_TRUE(caption->isVisible());
        EXPECT_EQ(caption->height(), caption->heightForWidth(caption->width())) << width;
        EXPECT_GE(caption->width(), width - 40) << width;
    }
    EXPECT_GT(caption->heightForWidth(640 - 40), caption->fontMetrics().height() * 3 / 2);  // wrapped
}

// The charts keep their series between races; one race after another must
// still show exactly that race's lines and axes.
TEST(OddsHistoryView, ChartsShowTheRaceAtHandAfterSwitchingBackAndForth)
{
    // Two quick reports of a race of two runners: 300 and 500 votes on horse 1.
    const QDateTime fetched(QDate(2005, 4, 16), QTime(9, 30));
    const auto report = [&](long long horse1) {
        return history::Snapshot{
            fetched,
            {},
            H1Record(test::raceKey(), '4').registered(2).win(1, horse1).win(2, 100).winTotal(horse1 + 100)};
    };
    const timeline::OddsTimeline kept({report(300), report(500)});
    OddsHistoryView tab;
    OddsHistoryView* view = &tab;
    view->showTimeline(QStringLiteral("x"), kept, std::nullopt);
    auto names = [](QChartView* v) {
        QStringList out;
        for (QAbstractSeries* s : v->chart()->series())
            out.append(s->name());
        return out;
    };
    const QStringList before = names(view->WinChart);
    ASSERT_FALSE(before.isEmpty());
    EXPECT_EQ(view->WinChart->chart()->axes().size(), 2);
    view->showTimeline(QStringLiteral("x"), timeline::OddsTimeline{}, std::nullopt);
    EXPECT_TRUE(view->WinChart->chart()->series().isEmpty());
    EXPECT_TRUE(view->WinChart->chart()->axes().isEmpty());
    EXPECT_EQ(view->SnapshotGrid->model()->rowCount(), 0);
    view->showTimeline(QStringLiteral("x"), kept, QDateTime::currentDateTime());
    EXPECT_EQ(names(view->WinChart), before + QStringList{QStringLiteral("発走")});
    EXPECT_EQ(view->WinChart->chart()->axes().size(), 2);
    for (QAbstractSeries* s : view->WinChart->chart()->series())
        EXPECT_EQ(s->attachedAxes().size(), 2);
    // The table takes its rows and columns back, with their headers and texts.
    const QAbstractItemModel* grid = view->SnapshotGrid->model();
    ASSERT_EQ(grid->rowCount(), 2);
    ASSERT_EQ(grid->columnCount(), 2 + 2);
    EXPECT_EQ(grid->headerData(3, Qt::Horizontal).toString(), QStringLiteral("2"));
    EXPECT_EQ(grid->index(1, 2).data().toString(), QStringLiteral("1.1"));
    EXPECT_EQ(view->SnapshotGrid->columnWidth(1), 96);

    // The votes fetched again two days later: the time labels and the caption
    // take the date, and the wider labels get fewer ticks.
    std::vector<history::Snapshot> later{kept.snapshot(0), kept.snapshot(1)};
    later[1].fetched = later[0].fetched.addDays(2);
    view->showTimeline(QStringLiteral("x"), timeline::OddsTimeline(later), later[0].fetched);
    const auto* x = qobject_cast<QDateTimeAxis*>(view->WinChart->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    EXPECT_EQ(x->format(), QStringLiteral("MM/dd HH:mm"));
    EXPECT_LE(x->tickCount(), 4);
    EXPECT_TRUE(view->CaptionLabel->text().contains(later[1].fetched.toString(QStringLiteral("MM/dd HH:mm:ss"))))
        << view->CaptionLabel->text().toStdString();
}
