#pragma once

#include "controls/SaNumEditExC.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

// The field with its protected steps reachable and its beeps counted.
class TestField : public TSaNumEditExC {
public:
    using TSaNumEdit::CaretPoint;
    using TSaNumEdit::LeftMarkRect;
    using TSaNumEdit::NormalizeText;
    using TSaNumEdit::PopupOpening;
    using TSaNumEdit::RightMarkRect;
    using TSaNumEdit::TextRect;
    using TSaNumEdit::TextWidthOf;
    using TSaNumEditExC::TSaNumEditExC;
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

// A dialog holding a line edit, the field and a default button, shown and
// active so that focus moves and Enter can be observed.
class FieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&dialog);
        before = new QLineEdit(&dialog);
        field = new TestField(&dialog);
        okButton = new QPushButton(QStringLiteral("OK"), &dialog);
        okButton->setDefault(true);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(okButton);
        QObject::connect(okButton, &QPushButton::clicked, [this] { ++okClicks; });
        QObject::connect(field, &TSaNumEdit::OnChange, [this] { ++changes; });
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        field->setFocus(Qt::TabFocusReason);
    }

    void type(const char* keys) { QTest::keyClicks(field, QString::fromUtf8(keys)); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(field, k, mods); }

    QDialog dialog;
    QLineEdit* before = nullptr;
    TestField* field = nullptr;
    QPushButton* okButton = nullptr;
    int okClicks = 0;
    int changes = 0;
};
