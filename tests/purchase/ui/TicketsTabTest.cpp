// The 買い目 tab over the fixture day, as the main window selects its races:
// the runners ticked by mouse and keyboard make the purchase tavek-cli
// tickets makes, a refusal says why, and a ticket is handed on.
#include "odds/ui/PairCell.h"
#include "purchase/model/PurchaseTexts.h"
#include "purchase/ui/RunnerPicker.h"
#include "purchase/ui/TicketsTab.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/gui/WidgetInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace tavek;
using pools::Pool;
using test::choose;
using test::retype;
using test::tableRow;

namespace {

class TicketsTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const test::FixtureDay fixture = test::fixtureDay();
        data.writeRaces(test::kFixtureDate, fixture.races);
        data.writeVotes(test::kFixtureDate, fixture.votes);
        day->load(data.path(), test::kFixtureDate);
        tab = std::make_unique<TicketsTab>(*day);
        tab->show();
        tab->ticketsSection(0);  // 東京 11R: horse h with 1,000 h votes, horse 3 scratched
        choose(tab->PoolCombo, int(Pool::Win));
    }

    void click(int row, int runner) { QTest::mouseClick(tab->RunnerBoard->cell(row, runner), Qt::LeftButton); }

    test::DataFolder data;
    std::unique_ptr<DayData> day = std::make_unique<DayData>();
    std::unique_ptr<TicketsTab> tab;
};

}  // namespace

TEST_F(TicketsTabTest, TicksMakeThePurchaseTheModelMakes)
{
    choose(tab->SplitCombo, int(purchase::Split::Payout));
    choose(tab->ModelCombo, int(finish::Model::Harville));
    retype(tab->AmountEdit, "30000");
    click(0, 1);
    click(0, 5);
    // The keyboard of the boards: from runner 5, two to the right, Space.
    QTest::keyClick(tab->RunnerBoard, Qt::Key_Right);
    QTest::keyClick(tab->RunnerBoard, Qt::Key_Right);
    QTest::keyClick(tab->RunnerBoard, Qt::Key_Space);
    EXPECT_EQ(tab->RunnerBoard->chosen(0), (std::vector<int>{1, 5, 7}));

    purchase::Order order;
    order.pool = Pool::Win;
    order.form = purchase::Form::list({1, 5, 7});
    order.split = purchase::Split::Payout;
    order.total = 30'000;
    order.model = finish::Model::Harville;
    const purchase::Purchase p = purchase::buy(order, day->voteRecord(0));
    ASSERT_EQ(tab->TicketTable->rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(tableRow(tab->TicketTable, r), purchase::ticketRow(p, p.tickets[size_t(r)]));
    const std::vector<purchase::SummaryLine> lines = purchase::summaryLines(p);
    ASSERT_EQ(tab->SummaryTable->rowCount(), int(lines.size()));
    EXPECT_EQ(tableRow(tab->SummaryTable, 2), (QStringList{lines[2].caption, lines[2].after, lines[2].now}));
    EXPECT_TRUE(tab->MessageLabel->isHidden());

    QSignalSpy chosen(tab.get(), &TicketsTab::betChosen);
    tab->TicketTable->setCurrentCell(1, 0);
    QTest::keyClick(tab->TicketTable, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].value<Pool>(), Pool::Win);
    EXPECT_EQ(chosen[0][1].toInt(), 5);
    EXPECT_EQ(chosen[0][2].value<finish::Model>(), finish::Model::Harville);
}

TEST_F(TicketsTabTest, RefusalsAndLeftOutTicketsSayWhy)
{
    click(0, 3);
    EXPECT_TRUE(tab->MessageLabel->text().contains(u"3番を含むため")) << tab->MessageLabel->text().toStdString();
    EXPECT_EQ(tab->TicketTable->rowCount(), 0);
    click(0, 1);
    EXPECT_TRUE(tab->MessageLabel->isHidden());
    EXPECT_EQ(tab->NoteLabel->text(), QStringLiteral("出走取消・競走除外（返還）の3番を含む1点は買いません"));
    retype(tab->AmountEdit, "50");
    EXPECT_TRUE(tab->MessageLabel->text().contains(u"100円")) << tab->MessageLabel->text().toStdString();
    choose(tab->SplitCombo, int(purchase::Split::Kelly));
    retype(tab->AmountEdit, "1000");
    EXPECT_TRUE(tab->MessageLabel->text().contains(u"モデル確率が必要"));
    tab->ticketsSection(1);  // another race: the ticks are gone
    EXPECT_TRUE(tab->RunnerBoard->chosen(0).empty());
    EXPECT_EQ(tab->TicketTable->rowCount(), 0);
}

// Each form has the rows of its parts; a pivot row takes one runner, and
// マルチ frees the pivots of their places.
TEST_F(TicketsTabTest, FormsHaveTheRowsOfTheirParts)
{
    choose(tab->PoolCombo, int(Pool::Trifecta));
    const auto captions = [&] {
        QStringList texts;
        for (int r = 0; r < RunnerPicker::kRows; ++r)
            if (auto* c = tab->RunnerBoard->findChild<QLabel*>(QStringLiteral("RowCaption%1").arg(r)); !c->isHidden())
                texts << c->text();
        return texts;
    };
    choose(tab->FormCombo, int(purchase::FormKind::Formation));
    EXPECT_EQ(captions(), (QStringList{u"1着"_qs, u"2着"_qs, u"3着"_qs}));
    choose(tab->FormCombo, int(purchase::FormKind::Pivot));
    EXPECT_EQ(captions(), (QStringList{u"1着 軸"_qs, u"2着 軸"_qs, u"相手"_qs}));
    tab->MultiCheck->setChecked(true);
    EXPECT_EQ(captions(), (QStringList{u"軸"_qs, u"軸（2頭目）"_qs, u"相手"_qs}));
    click(0, 1);
    click(0, 2);
    EXPECT_EQ(tab->RunnerBoard->chosen(0), std::vector<int>{2});
    choose(tab->PoolCombo, int(Pool::Quinella));
    EXPECT_EQ(captions(), (QStringList{u"軸"_qs, u"相手"_qs}));
    EXPECT_FALSE(tab->MultiCheck->isEnabled());
    choose(tab->PoolCombo, int(Pool::Place));
    EXPECT_EQ(captions(), QStringList{u"馬番"_qs});
    EXPECT_EQ(tab->FormCombo->count(), 1);
}
