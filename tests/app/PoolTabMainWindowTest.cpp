// The pool tab in the main window: a race selection fills it with what
// tavek-cli prints for the same race, and CSV出力 saves the board in view.
#include "app/CsvExportForm.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PoolTab.h"
#include "pools/PoolIndex.h"
#include "racedata/Cp932.h"
#include "support/RaceFixture.h"
#include "support/SampleRace.h"
#include "support/TestFiles.h"
#include "support/cli/CliRunner.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;
using test::MainWindowFixture;

namespace {

// Each trio entry of the CLI's board that holds runner 1, the tab's pivot,
// against the cell the tab shows for it.
void expectTrioShows(const PoolTab& tab, const QJsonObject& json)
{
    int compared = 0;
    for (const QJsonValue& v : json["entries"].toArray()) {
        const QJsonObject entry = v.toObject();
        const QStringList runners = entry["bet"].toString().split(u'-');
        const int n = pools::entryOf(Pool::Trio, runners[0].toInt(), runners[1].toInt(), runners[2].toInt());
        const PairCell* cell = tab.realCell(n);
        ASSERT_EQ(cell != nullptr, runners[0] == "1") << entry["bet"].toString().toStdString();
        if (!cell)
            continue;
        ++compared;
        const QString odds = entry["odds"].isNull() ? QString() : QString::number(entry["odds"].toDouble(), 'f', 1);
        ASSERT_EQ(cell->text(), odds) << entry["bet"].toString().toStdString();
    }
    EXPECT_GT(compared, 0);
    EXPECT_EQ(tab.RealTotalBox->text().trimmed().remove(u','), QString::number(json["total"].toInteger()));
}

}  // namespace

TEST(PoolTabMainWindow, TheTrioBoardFollowsTheRaceSelectionAndIsSavedAsCsv)
{
    MainWindowFixture fx;
    test::H1Record small(test::raceKey("20050416", "05", 1));
    small.registered(5).starters(5).votes(layout::kTrioTotal, 1000);
    for (int n = 1; n <= 10; ++n)
        small.votes(layout::kTrioPool.votes(n), 100);
    fx.writeDay(
        MainWindowFixture::kFixtureDate,
        {test::RaRecord(test::raceKey("20050416", "05", 11)), test::RaRecord(test::raceKey("20050416", "05", 1))},
        {sampleRace18().bytes(), small.bytes()});
    TMainForm& form = fx.start();
    ASSERT_EQ(form.PageControl1->tabText(4), "賭式別オッズ");
    form.PageControl1->setCurrentWidget(form.TabSheet7);
    PoolTab& tab = *form.poolTab;
    tab.PoolCombo->setCurrentIndex(3);
    fx.pickDate(MainWindowFixture::kFixtureDate);

    const auto cli = [&](const char* race) {
        const test::CliOutcome r = test::runCli(fx.dataFolder(),
                                                {"trio", MainWindowFixture::kFixtureDate, race, "--json"});
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return r.json();
    };
    expectTrioShows(tab, cli("1"));
    fx.pickRace(1);
    expectTrioShows(tab, cli("2"));

    const QString path = fx.folder() + QStringLiteral("/trio.csv");
    test::DialogCatcher catcher([&](QDialog* d) {
        auto* csv = qobject_cast<TCsvExportForm*>(d);
        ASSERT_NE(csv, nullptr);
        EXPECT_TRUE(csv->RadioTrio->isChecked()) << "the board in view";
        csv->FileNameEdit->setText(path);
        csv->BitBtn1->click();
    });
    form.CsvExportItemClick();
    const QByteArray bytes = test::readFile(path);
    EXPECT_TRUE(bytes.startsWith(
        "\xEF\xBB\xBF"
        + QStringLiteral("組番,馬番1,馬番2,馬番3,票数,オッズ,票数(仮想),オッズ(仮想)\r\n1-2-3,1,2,3,100,").toUtf8()))
        << bytes.left(60).toStdString();
    EXPECT_EQ(bytes.count("\r\n"), 1 + 10);
}
