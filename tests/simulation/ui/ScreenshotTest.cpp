#include "PairTabFixture.h"

#include "simulation/ui/BracketTab.h"
#include "simulation/ui/QuinellaTab.h"
#include "simulation/ui/ReferenceTab.h"

#include <QDir>
#include <QFont>
#include <gtest/gtest.h>

// Saves pictures of the three tabs for a look by eye:
//   xvfb-run -a simui_tests --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
// with TAVEK_SHOT_DIR naming the folder.
TEST(PairTabs, DISABLED_Screenshots)
{
    const QString dir = qEnvironmentVariable("TAVEK_SHOT_DIR", QDir::tempPath());
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    PairDay day;

    QuinellaTab quinella;
    quinella.setSlotSource(day.source(tavek::sim::PairKind::Quinella));
    quinella.calcUbtnClick(0);
    quinella.simulateStake(u" 1- 2", 1000000);
    whenModal([&] { quinella.Label4Click(60); }, [](QWidget* w) { w->close(); });
    quinella.resize(800, 520);
    quinella.show();
    EXPECT_TRUE(quinella.grab().save(dir + "/quinella.png"));

    BracketTab bracket;
    bracket.setSlotSource(day.source(tavek::sim::PairKind::Bracket));
    bracket.bracketSection(0);
    bracket.simulateOdds(u" 2- 2", 150.0);
    bracket.resize(800, 520);
    bracket.show();
    EXPECT_TRUE(bracket.grab().save(dir + "/bracket.png"));

    ReferenceTab reference;
    reference.referenceSection(day.record);
    reference.resize(800, 520);
    reference.show();
    EXPECT_TRUE(reference.grab().save(dir + "/reference.png"));
}
