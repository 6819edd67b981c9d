// Qt's own texts come from its Japanese translation, and no box of the
// program carries an English title or lead.
#include "app/TavekApplication.h"
#include "controls/MessageBox.h"
#include "support/gui/BoxAnswerer.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>
#include <new>

namespace {

bool hasJapanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

}  // namespace

TEST(JapaneseTexts, QtsOwnButtonsAndMenusAreTranslated)
{
    ASSERT_TRUE(installQtTranslation()) << "qtbase_ja.qm missing from Qt's translations folder";
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("中止しますか？"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")))
        << box.button(QMessageBox::No)->text().toStdString();

    QLineEdit edit;
    edit.setText(QStringLiteral("123"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    int items = 0;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        ++items;
        EXPECT_TRUE(hasJapanese(a->text())) << a->text().toStdString();
    }
    EXPECT_GT(items, 4);
}

TEST(JapaneseTexts, BoxesAreTitledInJapaneseAndSystemReasonsGetAJapaneseLead)
{
    using tavek::MessageBox;
    tavek::test::BoxAnswerer boxes;
    MessageBox::information(nullptr, QStringLiteral("情報です"));
    MessageBox::plain(nullptr, QStringLiteral("ホームページの表示に失敗しました。"));
    MessageBox::error(QStringLiteral("エラーです"));
    MessageBox::question(nullptr, QStringLiteral("中止しますか？"));
    MessageBox::unexpected(nullptr, QStringLiteral("失敗"));
    QStringList titles;
    for (const MessageBox::Request& r : boxes.seen())
        titles << r.title;
    EXPECT_EQ(titles, (QStringList{"情報", "エラー", "エラー", "確認", "エラー"}));

    const auto failureOf = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return MessageBox::currentFailure();
        }
        return QString();
    };
    EXPECT_EQ(failureOf([] { throw std::bad_alloc(); }),
              QStringLiteral("予期しないエラーが発生しました。（std::bad_alloc）"));
    EXPECT_EQ(failureOf([] { throw std::runtime_error("ファイル X は開けません"); }),
              QStringLiteral("ファイル X は開けません"));
}
