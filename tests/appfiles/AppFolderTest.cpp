#include "appfiles/AppFolder.h"
#include "support/FaultInjection.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tavek;

namespace {

// A test's own XDG data home, so that the per-user folder lands in a temporary
// folder; the previous value comes back at the end.
class AppFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && exe.isValid());
        saved_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
    }
    void TearDown() override
    {
        if (saved_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", saved_);
    }
    QString perUser() const { return QDir(home.path()).filePath(QStringLiteral("Tavek")); }
    QTemporaryDir home;
    QTemporaryDir exe;

private:
    QByteArray saved_;
};

}  // namespace

TEST_F(AppFolderTest, PortableCopyKeepsItsFilesBesideTheExecutable)
{
    EXPECT_EQ(appfolder::choose(exe.path() + QStringLiteral("/"), true), QDir::cleanPath(exe.path()));
    EXPECT_FALSE(QFileInfo::exists(perUser()));
}

TEST_F(AppFolderTest, PackagedCopyAndUnwritableFolderUseTheXdgDataHome)
{
    EXPECT_EQ(appfolder::perUserPath(), perUser());
    EXPECT_EQ(appfolder::choose(exe.path(), false), perUser());
    EXPECT_TRUE(QFileInfo(perUser()).isDir());
    // Not even root can write into a folder that is gone.
    EXPECT_EQ(appfolder::choose(QDir(exe.path()).filePath(QStringLiteral("gone")), true), perUser());

    ASSERT_TRUE(QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (::access(QFile::encodeName(exe.path()).constData(), W_OK) == 0)
        GTEST_SKIP() << "this user may write into any folder (root)";
    EXPECT_EQ(appfolder::choose(exe.path(), true), perUser());
    QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(AppFolderTest, AFolderThatCannotBeMadeOrWrittenIsNamedWithWhy)
{
    const QString made = QDir(exe.path()).filePath(QStringLiteral("a/b"));
    EXPECT_EQ(appfolder::makeWritableFolder(made), QString());
    EXPECT_TRUE(QFileInfo(made).isDir());
    const QString file = QDir(exe.path()).filePath(QStringLiteral("file"));
    test::writeFile(file, "x");
    EXPECT_EQ(appfolder::makeWritableFolder(file + "/store"),
              QStringLiteral("フォルダ %1/store を作成できません（%1 はフォルダではありません）。").arg(file));

    // A read-only application folder, and one under "/" for want of HOME.
    const QString readOnly = exe.path();
    const int code = test::withoutWriteRights({readOnly}, [&] {
        const QString below = appfolder::makeWritableFolder(readOnly + "/JVLinkEmu");
        if (!below.startsWith(
                QStringLiteral("フォルダ %1/JVLinkEmu を作成できません（%1 に書き込めません：").arg(readOnly)))
            return 1;
        if (!appfolder::makeWritableFolder(readOnly).startsWith(
                QStringLiteral("フォルダ %1 に書き込めません：").arg(readOnly)))
            return 2;
        qunsetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        const QString perUser = appfolder::perUserPath();
        const QString homeless = appfolder::makeWritableFolder(perUser + "/JVLinkEmu");
        if (!homeless.contains(QStringLiteral("（/ に書き込めません：")))
            return 3;
        return homeless.endsWith(QStringLiteral("環境変数 HOME が設定されていないため、ユーザーごとのフォルダ %1 が"
                                                "ルートの下にあります。")
                                     .arg(perUser))
                   ? 0
                   : 4;
    });
    EXPECT_EQ(code, 0) << "1: below the folder, 2: the folder, 3: under /, 4: HOME not named";
}

TEST_F(AppFolderTest, InstalledManualComesFirstThenTheApplicationFolders)
{
    const QString bin = QDir(exe.path()).filePath(QStringLiteral("bin"));
    const QString installed = QDir(exe.path()).filePath(QStringLiteral("share/tavek/Tavek.pdf"));
    const QString besideData = QDir(home.path()).filePath(QStringLiteral("Tavek.pdf"));
    QDir().mkpath(bin);
    QDir().mkpath(QFileInfo(installed).absolutePath());

    EXPECT_EQ(appfolder::manualPathFor(bin, home.path()), besideData);
    test::writeFile(installed, "%PDF");
    EXPECT_EQ(appfolder::manualPathFor(bin, home.path()), installed);
}
