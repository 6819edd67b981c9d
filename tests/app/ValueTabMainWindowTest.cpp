// The 妙味 tab in the main window: it shows what tavek-cli value prints for
// the same race, and a double-click takes the bet into the stake advisor.
#include "advisor/ui/AdvisorTab.h"
#include "pools/PairIndex.h"
#include "support/RaceFixture.h"
#include "support/SampleRace.h"
#include "support/cli/CliRunner.h"
#include "support/gui/MainWindowFixture.h"
#include "support/gui/WidgetInput.h"
#include "value/ui/ValueTab.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavek;
using test::choose;
using test::MainWindowFixture;

namespace {

QStringList tableLines(const QTableWidget* table)
{
    QStringList lines, header;
    for (int c = 0; c < table->columnCount(); ++c)
        header << table->horizontalHeaderItem(c)->text();
    lines << header.join(u'\t');
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        lines << cells.join(u'\t');
    }
    return lines;
}

// The win example (10 runners, horse 2 scratched) with a quinella pool, so
// that the ranking mixes two pools.
class ValueTabMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QByteArray key = test::raceKey("20050416", "05", 1);
        fx.writeDay(MainWindowFixture::kFixtureDate, {test::RaRecord(key)}, {exampleRaceWithQuinellas(key).bytes()});
        form = &fx.start();
        fx.pickDate(MainWindowFixture::kFixtureDate);
        fx.pickRace(0);
        tab = form->valueTab;
        form->PageControl1->setCurrentWidget(form->TabSheet8);
    }

    MainWindowFixture fx;
    TMainForm* form = nullptr;
    ValueTab* tab = nullptr;
};

}  // namespace

TEST_F(ValueTabMainWindow, ShowsWhatTavekCliValuePrints)
{
    EXPECT_EQ(form->PageControl1->tabText(form->PageControl1->indexOf(form->TabSheet8) - 1), "資金配分");
    const struct {
        int pool;
        QStringList args;
    } choices[] = {{-1, {}}, {int(pools::Pool::Quinella), {"--pool", "quinella"}}};
    for (finish::Model model : finish::kModels)
        for (const auto& c : choices) {
            choose(tab->ModelCombo, int(model));
            choose(tab->PoolCombo, c.pool);
            const test::CliOutcome r = test::runCli(
                fx.dataFolder(), QStringList{"value", "2005-04-16", "1", "--model", finish::modelKey(model)} + c.args);
            ASSERT_EQ(r.code, 0) << r.err.toStdString();
            const QStringList lines = r.lines();
            EXPECT_EQ(tableLines(tab->ValueTable), lines.mid(1)) << finish::modelKey(model).toStdString();
            EXPECT_EQ(tab->ValueTable->rowCount(), value::kValueTop);
        }
    choose(tab->PoolCombo, int(pools::Pool::Trio));
    EXPECT_EQ(tab->ValueTable->rowCount(), 0) << "no trio votes";
    EXPECT_TRUE(tab->MessageLabel->isVisible());
}

TEST_F(ValueTabMainWindow, DoubleClickOrEnterTakesTheBetIntoTheAdvisor)
{
    choose(tab->ModelCombo, int(finish::Model::Harville));
    choose(tab->PoolCombo, int(pools::Pool::Quinella));
    QTableWidget* table = tab->ValueTable;
    AdvisorTab* advisor = form->advisorTab;
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Enter" : "double-click");
        const int row = byKey ? 3 : 2;
        form->PageControl1->setCurrentWidget(form->TabSheet8);
        if (byKey) {
            table->setFocus();
            table->setCurrentCell(row, 1);
            QTest::keyClick(table, Qt::Key_Return);
        } else {
            const QRect cell = table->visualItemRect(table->item(row, 1));
            // A double-click is the second click of two.
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        }
        EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet5);
        EXPECT_EQ(advisor->BetKindCombo->currentText(), "馬連");
        EXPECT_EQ(advisor->BetCombo->currentText().remove(u' '), table->item(row, 1)->text());
        EXPECT_EQ(advisor->ModelCombo->currentData().toInt(), int(finish::Model::Harville));
    }
}
