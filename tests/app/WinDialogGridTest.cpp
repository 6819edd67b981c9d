// The win dialogs opened from the grid leave in it exactly the texts that
// tavek-cli prints for the same simulation.
#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/InputKingakuUnit.h"
#include "odds/ui/InputOddsUnit.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "support/cli/CliRunner.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using tavek::test::DialogCatcher;
using tavek::test::MainWindowFixture;

namespace {

const char* const kRowKeys[] = {"bracket", "horse",    "votes",  "share",  "odds", "refund",
                                "amount",  "hyp_odds", "vvotes", "vshare", "vodds"};

QJsonObject cliWin(const MainWindowFixture& fx, const QString& option)
{
    const tavek::test::CliOutcome r = tavek::test::runCli(
        fx.dataFolder(), {QStringLiteral("win"), MainWindowFixture::kFixtureDate, QStringLiteral("1"),
                          option.section(u' ', 0, 0), option.section(u' ', 1), QStringLiteral("--json")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return r.json();
}

// Double-clicks the runner's cell of `column`; the dialog that opens gets
// `keys` typed into its field and its OK pressed.
template <class Form>
void runDialog(WinGrid* grid, int horse, int column, const char* keys)
{
    DialogCatcher catcher([&](QDialog* modal) {
        auto* form = qobject_cast<Form*>(modal);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->Label3D9->text(), QString::number(horse));
        QTest::keyClicks(form->SaNumEditExC1, QString::fromLatin1(keys));
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    });
    const QRect cell = grid->visualRect(grid->model()->index(horse - 1, column));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(catcher.count(), 1);
}

void expectGridShows(WinSheet* sheet, const QJsonObject& cli)
{
    const QJsonArray rows = cli[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), sheet->StringGrid1->runnerRows());
    for (int horse = 1; horse <= rows.size(); ++horse)
        for (int c = 0; c < WinGrid::kColumns; ++c)
            EXPECT_EQ(sheet->StringGrid1->cellText(horse, c), rows[horse - 1].toObject()[kRowKeys[c]].toString())
                << "horse " << horse << " column " << c;
    EXPECT_EQ(sheet->Label3D13->text(), cli[QStringLiteral("virtual_total")].toString());
}

}  // namespace

TEST(WinDialogGrid, AmountAndOddsDialogsLeaveTheCliTexts)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    TMainForm& form = fx.start();
    fx.pickDate(MainWindowFixture::kFixtureDate);
    WinSheet* sheet = form.winSheet;

    runDialog<TInputKingakuForm>(sheet->StringGrid1, 16, WinGrid::kAmountColumn, "150000");
    EXPECT_EQ(sheet->StringGrid1->cellText(16, 6), QStringLiteral("    150,000"));
    expectGridShows(sheet, cliWin(fx, QStringLiteral("--stake 16:150000")));

    runDialog<TInputOddsForm>(sheet->StringGrid1, 16, WinGrid::kOddsColumn, "10.0");
    EXPECT_EQ(sheet->StringGrid1->cellText(16, 7), QStringLiteral("     10.0"));
    EXPECT_EQ(sheet->StringGrid1->cellText(16, 6).trimmed().isEmpty(), false);
    expectGridShows(sheet, cliWin(fx, QStringLiteral("--odds 16:10.0")));
}
