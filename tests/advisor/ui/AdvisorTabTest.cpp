// The stake advisor tab over the fixture day, as the main window selects its
// races: what it refuses and why, and the market's view of a bet as P.
#include "advisor/model/ModelChance.h"
#include "advisor/ui/AdvisorTab.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/gui/WidgetInput.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace tavek;
using test::choose;
using test::retype;
using test::tableRow;

namespace {

class AdvisorTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const test::FixtureDay fixture = test::fixtureDay();
        data.writeRaces(test::kFixtureDate, fixture.races);
        data.writeVotes(test::kFixtureDate, fixture.votes);
        day->load(data.path(), test::kFixtureDate);
        tab = std::make_unique<AdvisorTab>(*day);
        tab->advisorSection(0);  // 東京 11R: horse h with 1,000 h votes, horse 3 scratched
    }

    test::DataFolder data;
    std::unique_ptr<DayData> day = std::make_unique<DayData>();
    std::unique_ptr<AdvisorTab> tab;
};

}  // namespace

TEST_F(AdvisorTabTest, RefusalsSayWhyInJapanese)
{
    EXPECT_EQ(tab->BetCombo->count(), 16) << "runners 17 and 18 are not in the race";
    QTest::keyClicks(tab->ProbEdit, "20");
    choose(tab->BetCombo, 3);
    EXPECT_TRUE(tab->MessageLabel->text().contains(u"取消")) << tab->MessageLabel->text().toStdString();
    EXPECT_TRUE(tableRow(tab->StakeTable, 0)[0].isEmpty());

    choose(tab->BetCombo, 4);
    QTest::keyClicks(tab->ProbEdit, "20");
    EXPECT_TRUE(tab->MessageLabel->text().isEmpty());
    retype(tab->ProbEdit, "100");
    EXPECT_TRUE(tab->MessageLabel->text().contains(u"100%より小さい"));
    EXPECT_TRUE(tableRow(tab->StakeTable, 0)[0].isEmpty());

    choose(tab->BetKindCombo, int(advice::BetKind::Quinella));  // 馬連: the fixture race has no quinella votes
    EXPECT_EQ(tab->BetKindCombo->currentIndex(), 3) << "JRA's order: 単勝 複勝 枠連 馬連";
    EXPECT_EQ(tab->BetCombo->count(), 16 * 15 / 2) << "the pairs of the 16 registered runners";
    EXPECT_TRUE(tab->MessageLabel->text().contains(u"空欄"));
}

// The market's view of the chosen bet under the chosen model, and its chance
// taken into P in the form P is stated in, still open to the bettor's typing.
TEST_F(AdvisorTabTest, ModelChanceFillsP)
{
    using finish::Model;
    auto view = [&](int horse, Model model) {
        return advice::marketView(*day, 0, advice::chooseBet(*day, 0, advice::BetKind::Win, horse).bet, model);
    };
    for (Model model : finish::kModels) {
        choose(tab->ModelCombo, int(model));
        choose(tab->BetCombo, 5);
        EXPECT_EQ(tab->MarketViewLabel->text(), advice::marketViewText(view(5, model)));
        for (int form : {int(advice::ProbForm::Percent), int(advice::ProbForm::FairOdds)}) {
            choose(tab->ProbFormCombo, form);
            QTest::mouseClick(tab->ModelProbBtn, Qt::LeftButton);
            EXPECT_EQ(tab->ProbEdit->Text(), advice::modelProbText(view(5, model).bet->chance, advice::ProbForm(form)));
            EXPECT_TRUE(tab->MessageLabel->text().isEmpty()) << tab->MessageLabel->text().toStdString();
            EXPECT_FALSE(tableRow(tab->StakeTable, 2)[0].isEmpty()) << "the advice follows P";
        }
    }
    retype(tab->ProbEdit, "3");
    EXPECT_EQ(tab->ProbEdit->Text(), "3") << "the bettor overwrites the model";

    choose(tab->BetCombo, 3);  // scratched: no odds, no view
    EXPECT_EQ(tab->MarketViewLabel->text(), advice::marketViewText({}));
    EXPECT_FALSE(tab->ModelProbBtn->isEnabled());
    tab->advisorSection(1);
    choose(tab->BetCombo, 3);
    EXPECT_TRUE(tab->ModelProbBtn->isEnabled()) << "the other race's horse 3 runs";

    // Horse 5 alone backed: the model gives it a chance of 1, which P cannot
    // be; the label says why and the chance cannot be taken.
    QByteArray alone = day->voteRecord(0).toByteArray();
    for (int h = 1; h <= 18; ++h)
        if (h != 5)
            alone.replace(layout::winVotes(h) - 1, layout::kVoteLen, QByteArray(layout::kVoteLen, '0'));
    day->setVoteRecord(0, alone);
    tab->advisorSection(0);
    choose(tab->BetCombo, 5);
    EXPECT_TRUE(tab->MarketViewLabel->text().endsWith(u"には使えません。"))
        << tab->MarketViewLabel->text().toStdString();
    EXPECT_FALSE(tab->ModelProbBtn->isEnabled());
}
