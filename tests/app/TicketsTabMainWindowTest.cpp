// The 買い目 tab in the main window: it follows the race selection, saves what
// tavek-cli tickets --csv prints for the same race through CSV出力, and hands
// a ticket to the stake advisor.
#include "advisor/ui/AdvisorTab.h"
#include "app/CsvExportForm.h"
#include "odds/ui/PairCell.h"
#include "purchase/ui/RunnerPicker.h"
#include "purchase/ui/TicketsTab.h"
#include "support/TestFiles.h"
#include "support/cli/CliRunner.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"
#include "support/gui/WidgetInput.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using tavek::test::choose;
using tavek::test::MainWindowFixture;

TEST(TicketsTabMainWindow, FollowsTheRaceSavesItsTicketsAndHandsOneOn)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    TMainForm& form = fx.start();
    fx.pickDate(MainWindowFixture::kFixtureDate);
    fx.pickRace(1);  // 東京 01R: 18 runners
    form.PageControl1->setCurrentWidget(form.TabSheet9);
    TicketsTab& tab = *form.ticketsTab;
    choose(tab.PoolCombo, int(tavek::pools::Pool::Place));
    EXPECT_TRUE(tab.RunnerBoard->cell(0, 18)->isVisible());
    fx.pickRace(0);  // 東京 11R: 16 runners, horse 3 scratched
    EXPECT_FALSE(tab.RunnerBoard->cell(0, 17)->isVisible());
    choose(tab.PoolCombo, int(tavek::pools::Pool::Win));
    for (int runner : {2, 3, 16})
        QTest::mouseClick(tab.RunnerBoard->cell(0, runner), Qt::LeftButton);
    ASSERT_EQ(tab.TicketTable->rowCount(), 2);

    const QString path = fx.folder() + QStringLiteral("/tickets.csv");
    tavek::test::DialogCatcher catcher([&](QDialog* d) {
        auto* csv = qobject_cast<TCsvExportForm*>(d);
        ASSERT_NE(csv, nullptr);
        EXPECT_TRUE(csv->RadioTickets->isChecked()) << "the tab in view";
        csv->FileNameEdit->setText(path);
        csv->BitBtn1->click();
    });
    tab.CsvBtn->click();
    ASSERT_EQ(catcher.count(), 1);
    const tavek::test::CliOutcome cli = tavek::test::runCli(fx.dataFolder(),
                                                            {"tickets", MainWindowFixture::kFixtureDate, "1", "--pool",
                                                             "win", "--list", "2,3,16", "--total", "10000", "--csv"});
    ASSERT_EQ(cli.code, 0) << cli.err.toStdString();
    EXPECT_EQ(tavek::test::readFile(path), "\xEF\xBB\xBF" + cli.out.toUtf8());

    tab.TicketTable->setCurrentCell(1, 0);
    QTest::keyClick(tab.TicketTable, Qt::Key_Return);
    EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet5);
    EXPECT_EQ(form.advisorTab->BetCombo->currentData().toInt(), 16);
}
