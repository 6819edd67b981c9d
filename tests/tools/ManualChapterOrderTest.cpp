// The manual meets the main window's tabs in the order the window shows them:
// the first picture of each tab comes after the first picture of the tab to
// its left. The order is read from the window itself, so moving a tab without
// moving its chapter fails here.
#include "manual-shots/Screens.h"
#include "manual/ShotSyntax.h"
#include "support/TestFiles.h"
#include "support/gui/MainWindowFixture.h"

#include <QTabWidget>
#include <gtest/gtest.h>

using tavek::manual::Shot;
using tavek::shots::screenNamed;

namespace {

QStringList windowTabs()
{
    tavek::test::MainWindowFixture fx;
    const TMainForm& form = fx.start();
    QStringList tabs;
    for (int i = 0; i < form.PageControl1->count(); ++i)
        tabs.append(form.PageControl1->widget(i)->objectName());
    return tabs;
}

// Why the first pictures of the tabs in `shots` leave the order of `tabs`;
// empty when they keep it.
QString orderProblem(const std::vector<Shot>& shots, const QStringList& tabs)
{
    QStringList seen;
    for (const Shot& shot : shots) {
        const tavek::shots::Screen* screen = screenNamed(shot.name);
        if (!screen || screen->page.isEmpty() || seen.contains(screen->page))
            continue;
        if (!seen.isEmpty() && tabs.indexOf(screen->page) < tabs.indexOf(seen.last()))
            return QStringLiteral("line %1: shot:%2 shows %3, a tab left of %4, shown before it")
                .arg(shot.line)
                .arg(shot.name, screen->page, seen.last());
        seen.append(screen->page);
    }
    return {};
}

const QStringList& tabs()
{
    static const QStringList order = windowTabs();
    return order;
}

}  // namespace

TEST(ManualChapterOrder, EveryScreenOfATabNamesATabOfTheWindow)
{
    for (const tavek::shots::Screen& screen : tavek::shots::screens())
        if (!screen.page.isEmpty()) {
            EXPECT_TRUE(tabs().contains(screen.page)) << screen.name.toStdString();
        }
}

TEST(ManualChapterOrder, FirstPicturesOfTheTabsFollowTheWindow)
{
    struct Case {
        const char* what;
        const char* manual;
        bool kept;
    };
    const Case cases[] = {
        {"the tabs in order, a tab shown again later",
         "![](shot:main)\n\n![](shot:bracket)\n\n![](shot:quinella)\n\n"
         "![](shot:win-stake)\n\n![](shot:reference)\n",
         true},
        {"windows between them do not count",
         "![](shot:fetch)\n\n![](shot:main)\n\n![](shot:about)\n\n"
         "![](shot:pools-trio)\n\n![](shot:pools-place)\n\n![](shot:timeline)\n",
         true},
        {"the quinella chapter before the bracket one", "![](shot:main)\n\n![](shot:quinella)\n\n![](shot:bracket)\n",
         false},
        {"the history before the advisor", "![](shot:timeline)\n\n![](shot:advisor)\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(orderProblem(tavek::manual::shotsIn(QString::fromUtf8(c.manual)), tabs()).isEmpty(), c.kept)
            << c.what;
    EXPECT_EQ(orderProblem(tavek::manual::shotsIn(QStringLiteral("![](shot:value)\n\n![](shot:advisor)\n")), tabs()),
              QStringLiteral("line 3: shot:advisor shows TabSheet5, a tab left of TabSheet8, shown before it"));
}

TEST(ManualChapterOrder, TheManualAndTheSampleOfEveryScreenFollowTheWindow)
{
    for (const char* file : {"docs/manual/Tavek.md", "tests/tools/sample-manual.md"}) {
        const QString manual = QString::fromUtf8(
            tavek::test::readFile(QStringLiteral(TAVEK_SOURCE_DIR "/") + QString::fromLatin1(file)));
        const std::vector<Shot> shots = tavek::manual::shotsIn(manual);
        for (const Shot& shot : shots)
            EXPECT_TRUE(screenNamed(shot.name))
                << file << " line " << shot.line << ": shot:" << shot.name.toStdString();
        EXPECT_EQ(orderProblem(shots, tabs()), QString()) << file;
    }
}
