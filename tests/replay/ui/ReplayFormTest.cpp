// The 回収率 window over a weekend of the built-in service: a replay shown in
// its table, charts and bets, saved as CSV and a bet's race asked for; a
// cancelled replay shows nothing; refused fields are named in a box.
#include "replay/ui/ReplayForm.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/BuiltInDays.h"
#include "support/gui/BoxAnswerer.h"

#include <QAbstractItemModel>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavek;

namespace {

class ReplayFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data = new test::DataFolder;
        test::storeBuiltInDays(data->path(), QDate(2026, 10, 3), QDate(2026, 10, 4));
    }
    static void TearDownTestSuite() { delete data; }

    ReplayFormTest() : form(data->path(), QString())
    {
        form.FromDate->setDate(QDate(2026, 10, 3));
        form.ToDate->setDate(QDate(2026, 10, 4));
    }
    void runToEnd()
    {
        form.RunBtn->click();
        for (int i = 0; i < 600 && form.running(); ++i)
            QTest::qWait(50);
        ASSERT_FALSE(form.running());
    }

    static test::DataFolder* data;
    TReplayForm form;
};
test::DataFolder* ReplayFormTest::data = nullptr;

}  // namespace

TEST_F(ReplayFormTest, AReplayIsShownSavedAndItsBetsOpenTheirRaces)
{
    form.StakeCombo->setCurrentIndex(1);
    form.StakeEdit->setText("0.25");
    runToEnd();
    ASSERT_TRUE(form.shown());
    const replay::Report& report = form.shown()->report;
    EXPECT_GT(report.races(), 40);
    EXPECT_EQ(form.ReportGrid->item(0, 0)->text(), "レース数");
    EXPECT_EQ(form.ReportGrid->item(1, 1)->text(), QStringLiteral("%1点").arg(report.total().bets));
    EXPECT_EQ(form.BetGrid->model()->rowCount(), report.total().bets);
    EXPECT_EQ(form.StatusLabel->text(), QStringLiteral("%1レースを再生しました。").arg(report.races()));
    EXPECT_EQ(form.BankrollChart->chart()->series().size(), 1);
    const auto* realised = qobject_cast<QScatterSeries*>(form.CalibrationChart->chart()->series().back());
    ASSERT_TRUE(realised);
    EXPECT_EQ(realised->count(), qsizetype(report.calibration().size()));

    const QTemporaryDir out;
    const QString file = out.filePath("bets.csv");
    form.saveCsv(file);
    const QByteArray csv = test::readFile(file);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF日付,レース,券種,組番,金額"));
    EXPECT_EQ(csv.count("\r\n"), report.total().bets + 1);

    QSignalSpy asked(&form, &TReplayForm::raceRequested);
    const QModelIndex second = form.BetGrid->model()->index(1, 0);
    form.BetGrid->doubleClicked(second);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0][0].toString(), form.BetGrid->model()->index(1, 0).data().toString());
    EXPECT_EQ(asked[0][1].toString(), form.BetGrid->model()->index(1, 1).data().toString());
}

TEST_F(ReplayFormTest, ACancelledReplayShowsNothing)
{
    form.RunBtn->click();
    EXPECT_FALSE(form.RunBtn->isEnabled());
    form.CancelBtn->click();
    for (int i = 0; i < 600 && form.running(); ++i)
        QTest::qWait(50);
    EXPECT_FALSE(form.shown());
    EXPECT_EQ(form.StatusLabel->text(), "中止しました。");
    EXPECT_EQ(form.BetGrid->model()->rowCount(), 0);
    EXPECT_TRUE(form.RunBtn->isEnabled());
}

TEST_F(ReplayFormTest, RefusedFieldsAreNamedInABox)
{
    struct Case {
        const char* what;
        std::function<void()> set;
        QString box;
    };
    const Case cases[] =
        {
            {"bankroll of letters", [&] { form.BankrollEdit->setText("lots"); }, "資金："},
            {"bankroll 0", [&] { form.BankrollEdit->setText("0"); }, "資金："},
            {"a flat stake not in 100s", [&] { form.StakeEdit->setText("150"); }, "100円単位"},
            {"no pool",
             [&] {
        for (QCheckBox* c : form.PoolCheck)
            c->setChecked(false);
             },
             "券種を一つ以上"},
            {"the span backwards", [&] { form.ToDate->setDate(QDate(2026, 10, 1)); }, "期間の終わり"},
            {"a bet list without a file", [&] { form.RuleCombo->setCurrentIndex(3); }, "買い目リストのファイル"},
            {"before post time without a history", [&] { form.MomentCombo->setCurrentIndex(1); }, "オッズ履歴"},
            {"a span without results",
             [&] {
        form.FromDate->setDate(QDate(2026, 10, 5));
        form.ToDate->setDate(QDate(2026, 10, 9));
             },
             "結果（払戻）のあるレースがありません"},
               };
    for (const Case& c : cases) {
        form.FromDate->setDate(QDate(2026, 10, 3));
        form.ToDate->setDate(QDate(2026, 10, 4));
        form.BankrollEdit->setText("100000");
        form.StakeEdit->setText("100");
        form.RuleCombo->setCurrentIndex(0);
        form.MomentCombo->setCurrentIndex(0);
        for (QCheckBox* check : form.PoolCheck)
            check->setChecked(true);
        c.set();
        test::BoxAnswerer boxes;
        runToEnd();
        ASSERT_EQ(boxes.count(), 1) << c.what;
        EXPECT_TRUE(boxes.texts().front().contains(c.box)) << c.what << ": " << boxes.texts().front().toStdString();
        EXPECT_FALSE(form.shown()) << c.what;
    }
}
