#include "support/RaceFixture.h"
#include "timeline/ui/OddsHistoryView.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QTableView>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

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
    view->showTimeline(QStringLiteral("x"), kept, fetched.addSecs(300));
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

// Every runner's line has a colour of its own and its number at its end, the
// names never covering each other; post time far beyond the reports is
// named at the edge instead of squeezing them into a corner.
TEST(OddsHistoryView, EachLineIsNamedAtItsEndInAColourOfItsOwn)
{
    // CIE Lab (D65), where a distance measures how far apart two colours look.
    const auto lab = [](const QColor& c) {
        const auto linear = [](double u) { return u > 0.04045 ? std::pow((u + 0.055) / 1.055, 2.4) : u / 12.92; };
        const double r = linear(c.redF()), g = linear(c.greenF()), b = linear(c.blueF());
        const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
        const double x = f((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047),
                     y = f(0.2126 * r + 0.7152 * g + 0.0722 * b),
                     z = f((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
        return std::array<double, 3>{116 * y - 16, 500 * (x - y), 200 * (y - z)};
    };
    for (int a = 1; a <= 18; ++a) {
        EXPECT_LT(lab(OddsHistoryView::runnerColour(a))[0], 65) << a << " is too pale for white";
        for (int b = a + 1; b <= 18; ++b) {
            const auto p = lab(OddsHistoryView::runnerColour(a)), q = lab(OddsHistoryView::runnerColour(b));
            EXPECT_GT(std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]), b - a == 1 || b - a == 10 ? 70 : 25)
                << a << " and " << b;
        }
    }

    // Eighteen runners of nearly equal odds, two reports half an hour apart.
    const QDateTime nine(QDate(2005, 4, 16), QTime(9, 0));
    const auto report = [&](int minutes) {
        H1Record r(test::raceKey(), '4');
        r.registered(18);
        for (int h = 1; h <= 18; ++h)
            r.win(h, 1000 + h + minutes);
        return history::Snapshot{nine.addSecs(60 * minutes), {}, r.winTotal(18 * 1000 + 171 + 18 * minutes)};
    };
    OddsHistoryView view;
    view.resize(1000, 700);
    view.show();
    view.showTimeline(QStringLiteral("x"), timeline::OddsTimeline({report(0), report(30)}), nine.addSecs(6 * 3600));
    QApplication::processEvents();
    QChart* chart = view.WinChart->chart();
    EXPECT_FALSE(chart->legend()->isVisible());
    QList<QGraphicsSimpleTextItem*> names;
    for (QGraphicsItem* item : chart->childItems())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->isVisible())
            names.append(text);
    ASSERT_EQ(names.size(), 18 + 1);  // and post time
    std::sort(names.begin(), names.end(), [](auto* a, auto* b) { return a->pos().y() < b->pos().y(); });
    QStringList texts;
    for (int i = 0; i < names.size(); ++i) {
        texts.append(names[i]->text());
        if (i > 0) {
            EXPECT_GE(names[i]->pos().y(), names[i - 1]->pos().y() + names[i - 1]->boundingRect().height() - 2)
                << names[i - 1]->text().toStdString() << " covers " << names[i]->text().toStdString();
        }
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("3")) && texts.contains(QStringLiteral("13")));
    EXPECT_TRUE(texts.contains(QStringLiteral("発走 15:00 →"))) << texts.join(u' ').toStdString();
    const auto named13 = std::find_if(names.begin(), names.end(), [](auto* n) { return n->text() == "13"; });
    ASSERT_NE(named13, names.end());
    EXPECT_EQ((*named13)->brush().color(), OddsHistoryView::runnerColour(13));
    // The reports span the axis: post time six hours later stays off it.
    const auto* x = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    EXPECT_EQ(x->min(), nine);
    EXPECT_EQ(x->max(), nine.addSecs(1800));

    // Reports of a race looked at two days later: post time lies to the left.
    view.showTimeline(QStringLiteral("x"), timeline::OddsTimeline({report(0), report(30)}), nine.addDays(-2));
    QStringList postNames;
    for (QGraphicsItem* item : chart->childItems())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->text().contains(u'発'))
            postNames.append(text->text());
    EXPECT_EQ(postNames, QStringList{QStringLiteral("← 発走 04/14 09:00")});

    // With the result (5, 2 and 9 first to third) their lines are bolder and
    // named with their places, inside the chart.
    const result::RaceResult paid = result::read(test::sampleResult());
    view.showTimeline(QStringLiteral("x"), timeline::OddsTimeline({report(0), report(30)}), nine.addSecs(6 * 3600),
                      QString(), results::Winners(&paid));
    QApplication::processEvents();
    QStringList placed;
    for (QGraphicsItem* item : chart->childItems())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->text().contains(u'着')) {
            placed.append(text->text());
            EXPECT_LE(text->mapRectToScene(text->boundingRect()).right(), chart->sceneBoundingRect().right())
                << text->text().toStdString();
        }
    placed.sort();
    EXPECT_EQ(placed, (QStringList{"2 2着", "5 1着", "9 3着"}));
    for (QAbstractSeries* s : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(s);
        if (line && line->name() != QStringLiteral("発走")) {
            EXPECT_EQ(line->pen().widthF(), QStringList({"2", "5", "9"}).contains(line->name()) ? 3 : 1)
                << line->name().toStdString();
        }
    }
}
