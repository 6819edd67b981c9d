#include "platform/FileLock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace tavek;
using platform::FolderLock;

// Two holders in one process are two holders: each store opens its own lock.
TEST(FileLock, OneHolderAtATimeUntilItsLockEnds)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    std::optional<FolderLock> first(std::in_place, folder);
    ASSERT_TRUE(first->opened());
    ASSERT_EQ(first->tryLock(), FolderLock::Attempt::Locked);

    FolderLock second(folder);
    ASSERT_TRUE(second.opened());
    EXPECT_EQ(second.tryLock(), FolderLock::Attempt::Busy);
    first.reset();
    EXPECT_EQ(second.tryLock(), FolderLock::Attempt::Locked);
}

TEST(FileLock, AMissingFolderIsNotOpenedAndSaysWhy)
{
    QTemporaryDir dir;
    const FolderLock lock(QFile::encodeName(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(lock.opened());
    EXPECT_FALSE(lock.reason().isEmpty());
}
