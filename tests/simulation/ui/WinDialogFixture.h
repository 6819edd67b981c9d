#pragma once

#include "controls/SaNumEditExC.h"
#include "racedata/DayData.h"
#include "controls/Label3D.h"
#include "simulation/model/WinTexts.h"
#include "support/RaceFixture.h"
#include "support/gui/ModalCatcher.h"

#include <QApplication>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

// The race of the win model's examples (total 1,000,000 votes, runner 1 with
// 100,000) as the current race, calculated as a race selection leaves it.
class WinDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const tavek::test::H1Record votes = tavek::test::exampleWinRace();
        std::copy(votes.bytes().begin(), votes.bytes().end(), day->VoteRecords[0].begin());
        ASSERT_TRUE(tavek::win::calculate(*day, 0, inputs));
    }

    QString cell(int horse, int column) const { return tavek::win::cellText(*day, 0, horse, column, inputs); }

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
    tavek::win::InputTexts inputs;
    int shown = 0;
    std::function<void()> showResult = [this] { ++shown; };
    // Answers the error boxes the OK buttons open.
    tavek::test::ModalCatcher boxes;
};
