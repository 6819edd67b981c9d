#include "platform/RawNames.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace tavek;
using platform::FolderFiles;

namespace {

// "日.jvRA" in CP932: no valid UTF-8, so only its bytes name it.
const QByteArray kCp932Name("\x93\xfa.jvRA");

}  // namespace

TEST(RawNames, ListsTheWantedRegularFilesByTheirBytes)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    test::writeFile(dir.filePath(QStringLiteral("a.jvRA")), "a");
    test::writeFile(dir.filePath(QStringLiteral("b.txt")), "b");
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("a.jvRA")), dir.filePath(QStringLiteral("c.jvRA"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), dir.filePath(QStringLiteral("broken.jvRA"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.jvRA")));
    // Qt cannot name a file that is no UTF-8.
    FILE* f = std::fopen((folder + '/' + kCp932Name).constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);

    const FolderFiles files = platform::regularFiles(folder,
                                                     [](QByteArrayView name) { return name.endsWith(".jvRA"); });
    ASSERT_EQ(files.state, FolderFiles::State::Listed);
    QList<QByteArray> names = files.names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (QList<QByteArray>{"a.jvRA", "c.jvRA", kCp932Name}));

    EXPECT_TRUE(platform::exists(folder + '/' + kCp932Name));
    EXPECT_TRUE(platform::removeFile(folder + '/' + kCp932Name));
    EXPECT_FALSE(platform::existsOrIsLink(folder + '/' + kCp932Name));
    EXPECT_FALSE(platform::exists(folder + "/broken.jvRA")) << "a broken link leads nowhere";
    EXPECT_TRUE(platform::existsOrIsLink(folder + "/broken.jvRA"));
}

TEST(RawNames, AMissingFolderIsToldFromOneThatCannotBeRead)
{
    QTemporaryDir dir;
    const auto all = [](QByteArrayView) { return true; };
    EXPECT_EQ(platform::regularFiles(QFile::encodeName(dir.filePath(QStringLiteral("missing"))), all).state,
              FolderFiles::State::Missing);
    test::writeFile(dir.filePath(QStringLiteral("file")), "x");
    const FolderFiles notAFolder = platform::regularFiles(QFile::encodeName(dir.filePath(QStringLiteral("file"))), all);
    EXPECT_EQ(notAFolder.state, FolderFiles::State::Failed);
    EXPECT_FALSE(notAFolder.reason.isEmpty());
}
