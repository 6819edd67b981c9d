#include "FieldFixture.h"

#include "racedata/Cp932.h"

#include <QClipboard>
#include <QMenu>

namespace {

void paste(TestField* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

TEST_F(FieldTest, PasteNormalisesForeignText)
{
    paste(field, QStringLiteral("１，２３４"));
    EXPECT_EQ(field->Text(), "1234");
    EXPECT_EQ(field->DisplayText(), "1,234");

    field->setDecimalLength(1);
    field->SelectAll();
    paste(field, QStringLiteral("3.1415"));
    EXPECT_EQ(field->Text(), "3.1");

    field->setIntegerLength(7);
    field->SelectAll();
    paste(field, QStringLiteral("123456789"));
    EXPECT_EQ(field->Text(), "");
    EXPECT_EQ(changes, 3);
}

TEST_F(FieldTest, PasteAppendsUnlessTheTextIsSelected)
{
    type("12");
    field->ClearSelection();
    paste(field, QStringLiteral("34"));
    EXPECT_EQ(field->Text(), "1234");
    field->SelectAll();
    paste(field, QStringLiteral("0056abc"));
    EXPECT_EQ(field->Text(), "56");
    EXPECT_FALSE(field->Selected());
    field->Undo();
    EXPECT_EQ(field->Text(), "1234");
}

TEST_F(FieldTest, NormalisingFollowsTheFieldsLimits)
{
    field->setMinus(false);
    field->setDecimalLength(2);
    EXPECT_EQ(field->NormalizeText(tavek::cp932::encode(u"１２．５０７")), "12.50");
    EXPECT_EQ(field->NormalizeText("-5"), "");
}

TEST_F(FieldTest, WritingTextNormalisesWithoutUndoOrChange)
{
    field->setText(QStringLiteral("００７"));
    EXPECT_EQ(field->Text(), "7");
    field->setText(QStringLiteral(".5"));
    EXPECT_EQ(field->Text(), "0.5");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(field->CanUndo());
}

TEST_F(FieldTest, NarrowerLimitsCutTheValue)
{
    field->setText(QStringLiteral("1234.567"));
    field->setDecimalLength(1);
    EXPECT_EQ(field->Text(), "1234.5");
    field->setIntegerLength(3);
    EXPECT_EQ(field->Text(), "");
}

TEST_F(FieldTest, LoneMinusIsClearedOnLeavingAndAsFloatFails)
{
    type("-");
    before->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->Text(), "");
    EXPECT_EQ(field->AsInteger(), 0);
    EXPECT_THROW(field->AsFloat(), std::runtime_error);

    field->setOptions(TSaNumEdit::eoMinusOnly);
    field->setFocus(Qt::TabFocusReason);
    type("-");
    before->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->Text(), "-");
    try {
        field->AsFloat();
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "「-」は数値として読めません。");
    }
}

TEST_F(FieldTest, CutAndImageCopy)
{
    field->setRightMark(QStringLiteral("円"));
    type("1234");
    field->SelectAll();
    field->setImageCopy(true);
    field->CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1,234円");
    field->setImageCopy(false);
    const int before = changes;
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1234");
    EXPECT_EQ(field->Text(), "");
    EXPECT_EQ(changes, before + 1);
}

TEST_F(FieldTest, ContextMenuCaptionsAndEnabling)
{
    auto* menu = field->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 8);
    QStringList captions;
    for (QAction* a : items)
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{u"元に戻す(&U)"_qs, u"-"_qs, u"切り取り(&T)"_qs, u"コピー(&C)"_qs,
                                     u"貼り付け(&P)"_qs, u"削除(&D)"_qs, u"-"_qs, u"すべて選択(&A)"_qs}));

    QGuiApplication::clipboard()->clear();
    field->PopupOpening(menu);
    for (int i : {0, 2, 3, 4, 5, 7})
        EXPECT_FALSE(items[i]->isEnabled()) << i;

    type("5");
    QGuiApplication::clipboard()->setText(QStringLiteral("1"));
    field->PopupOpening(menu);
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_TRUE(items[4]->isEnabled());
    EXPECT_TRUE(items[7]->isEnabled());
    EXPECT_FALSE(items[3]->isEnabled());

    field->SelectAll();
    field->setReadOnly(true);
    field->PopupOpening(menu);
    EXPECT_FALSE(items[0]->isEnabled());
    EXPECT_FALSE(items[2]->isEnabled());
    EXPECT_TRUE(items[3]->isEnabled());
    EXPECT_FALSE(items[4]->isEnabled());
    EXPECT_FALSE(items[5]->isEnabled());
    EXPECT_FALSE(items[7]->isEnabled());

    field->setReadOnly(false);
    field->PopupOpening(menu);
    items[5]->trigger();
    EXPECT_EQ(field->Text(), "");
}
