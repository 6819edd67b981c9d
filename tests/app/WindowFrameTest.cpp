// What a window manager shows of the windows: fixed dialogs without minimise
// or maximise and with their whole caption, and a main window that cannot be
// narrowed past its tool bar.
#include "app/AboutBox.h"
#include "controls/FixedDialog.h"
#include "odds/ui/InputKingakuUnit.h"
#include "odds/ui/InputOddsUnit.h"
#include "odds/ui/PairDialogs.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinSheet.h"
#include "support/gui/MainWindowFixture.h"

#include <QFrame>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using tavek::test::MainWindowFixture;

TEST(WindowFrame, FixedDialogsHaveNoMinMaxAndShowTheirWholeCaption)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.emplace_back(new TInputKingakuForm(*form.winSheet, &form));
    dialogs.emplace_back(new TInputOddsForm(*form.winSheet, &form));
    dialogs.emplace_back(new TInputKingakuUForm(*form.quinellaTab, &form));
    dialogs.emplace_back(new TInputOddsUForm(*form.quinellaTab, &form));
    dialogs.emplace_back(new TInputKingakuWForm(*form.quinellaTab, &form));
    dialogs.emplace_back(new TInputOddsWForm(*form.quinellaTab, &form));
    dialogs.emplace_back(new TAboutBox(&form, form.versionText()));
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d->windowTitle().toStdString());
        const Qt::WindowFlags flags = d->windowFlags();
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        EXPECT_GE(d->width(), tavek::dialog::captionWidth(d->windowTitle()));
    }
    // Widened by the least that shows the caption; the others keep their size.
    EXPECT_EQ(dialogs[2]->width(), tavek::dialog::captionWidth(QStringLiteral("仮定投資金額入力（馬連）")));
    EXPECT_GT(dialogs[2]->width(), 200);
    EXPECT_EQ(dialogs[1]->size(), QSize(197, 140 + 30));
    EXPECT_EQ(dialogs[6]->size(), QSize(318, 248));
}

TEST(WindowFrame, NarrowedMainWindowKeepsEveryToolBarControl)
{
    MainWindowFixture fx;
    TMainForm& form = fx.start();
    form.resize(300, form.height());
    EXPECT_GE(form.width(), form.SpeedButton4->geometry().right());
    EXPECT_LE(form.SpeedButton4->geometry().right(), form.SpeedBar->contentsRect().right());
    EXPECT_FALSE(form.SpeedButton4->visibleRegion().isEmpty());
    EXPECT_EQ(form.SpeedButton4->visibleRegion().boundingRect().size(), form.SpeedButton4->size());
}

TEST(WindowFrame, CaptionWidthCountsFullAndHalfWidthGlyphs)
{
    // Measured under openbox: the stake caption shows whole from 198 pixels, the
    // quinella stake caption from 242, the quinella odds caption from 219.
    EXPECT_EQ(tavek::dialog::captionWidth(QStringLiteral("仮定投資金額入力")), 198);
    EXPECT_EQ(tavek::dialog::captionWidth(QStringLiteral("仮定投資金額入力（馬連）")), 242);
    EXPECT_EQ(tavek::dialog::captionWidth(QStringLiteral("仮定オッズ入力(馬連)")), 221);
    EXPECT_EQ(tavek::dialog::captionWidth(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")), 174);
}
