#include "appfiles/AppFolder.h"
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
