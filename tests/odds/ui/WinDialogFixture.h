#pragma once

#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/WinSheet.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/gui/BoxAnswerer.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

// A win sheet on the race of the win model's examples (total 1,000,000
// votes, runner 1 with 100,000), calculated as a race selection leaves it.
// The boxes the dialogs open are answered and recorded, not shown.
class WinDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const tavek::test::H1Record votes = tavek::test::exampleWinRace();
        day->setVoteRecord(0, votes.bytes());
        ASSERT_TRUE(sheet.calculate(0));
    }

    QString cell(int horse, int column) const { return sheet.board().cellText(horse, column); }

    // Types `keys` into the dialog's field and presses its OK button.
    template <class Form>
    void enterAndOk(Form& form, int horse, const char* keys)
    {
        form.Label3D9->setText(QString::number(horse));
        form.show();
        QTest::keyClicks(form.SaNumEditExC1, QString::fromLatin1(keys));
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    }

    std::unique_ptr<tavek::DayData> day = std::make_unique<tavek::DayData>();
    WinSheet sheet{*day};
    tavek::test::BoxAnswerer boxes;
};
