#include "appfiles/AppFolder.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "jvlink/ui/EmulatorSettingsForm.h"
#include "support/gui/DialogCatcher.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavek;
using namespace tavek::jvlink;

namespace {

class EmulatorSettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appfolder::setPath(dir.path());
        settings.storageFolder = dir.filePath("store");
        settings.downloadPaceMs = 40;
    }
    template <class T>
    static T* child(QWidget& form, const char* name)
    {
        T* w = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTemporaryDir dir;
    EmulatorSettings settings;
};

}  // namespace

TEST_F(EmulatorSettingsFormTest, ShowsAndReturnsTheEditedSettings)
{
    TEmulatorSettingsForm form(settings);
    EXPECT_EQ(child<QLineEdit>(form, "StorageEdit")->text(), settings.storageFolder);
    EXPECT_EQ(child<QSpinBox>(form, "PaceSpin")->value(), 40);
    EXPECT_FALSE(child<QLineEdit>(form, "RecordFolderEdit")->isEnabled());
    EXPECT_TRUE(child<QLabel>(form, "PaceHint")->text().contains(QStringLiteral("約9秒")));

    child<QSpinBox>(form, "PaceSpin")->setValue(0);
    child<QCheckBox>(form, "RecordFolderCheck")->setChecked(true);
    child<QLineEdit>(form, "RecordFolderEdit")->setText(dir.path());
    QTest::mouseClick(child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const EmulatorSettings edited = form.settings();
    EXPECT_EQ(edited.downloadPaceMs, 0);
    EXPECT_EQ(edited.recordFolder, dir.path());
}

TEST_F(EmulatorSettingsFormTest, BadFoldersKeepTheDialogOpenWithAMessage)
{
    TEmulatorSettingsForm form(settings);
    form.show();
    child<QCheckBox>(form, "RecordFolderCheck")->setChecked(true);
    child<QLineEdit>(form, "RecordFolderEdit")->setText(dir.filePath("none"));
    QTest::mouseClick(child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(child<QLabel>(form, "ErrorLabel")->text().contains(dir.filePath("none")));

    child<QCheckBox>(form, "RecordFolderCheck")->setChecked(false);
    child<QLineEdit>(form, "StorageEdit")->setText("  ");
    QTest::mouseClick(child<QPushButton>(form, "OKBtn"), Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(child<QLabel>(form, "ErrorLabel")->text(), QStringLiteral("データ保存先フォルダを指定してください。"));
}

TEST_F(EmulatorSettingsFormTest, SetUIPropertiesOpensTheInstalledDialogAndSaves)
{
    ui::installEmulatorSettingsDialog();
    EmulatedJVLink jv(settings);
    {
        test::DialogCatcher ok([&](QDialog* form) {
            child<QSpinBox>(*form, "PaceSpin")->setValue(250);
            QTest::mouseClick(child<QPushButton>(*form, "OKBtn"), Qt::LeftButton);
        });
        EXPECT_EQ(jv.JVSetUIProperties(), 0);
        EXPECT_EQ(ok.count(), 1);
    }
    EXPECT_EQ(jv.settings().downloadPaceMs, 250);
    EXPECT_EQ(EmulatorSettings::load().downloadPaceMs, 250);

    test::DialogCatcher cancel(
        [&](QDialog* form) { QTest::mouseClick(child<QPushButton>(*form, "CancelBtn"), Qt::LeftButton); });
    EXPECT_EQ(jv.JVSetUIProperties(), 0);
    EXPECT_EQ(cancel.count(), 1);
    setSettingsEditor({});
}
