// The folder lock where no lock file can be made.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "../legacy/child_process.h"
#include "platform/folderlock.h"

namespace {

using platform::FolderLock;

// A folder that cannot take a lock file cannot take a save either: the
// program works there without a lock rather than refusing to start, and
// makes nothing there. Run as "nobody", so that the permission binds.
TEST(FolderLockTest, AFolderThatCannotHoldALockFileIsHeldWithoutOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString where = QFileInfo(dir.path()).canonicalFilePath();
    ASSERT_EQ(::chmod(where.toLocal8Bit().constData(), 0555), 0);
    const int code = wdtest::inChildProcess(
        [&] {
            FolderLock lock;
            if (!lock.acquire(where))
                return 1;
            if (lock.hasLockFile() || lock.folder() != where)
                return 2;
            return 0;
        },
        true);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(QDir(where).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    ::chmod(where.toLocal8Bit().constData(), 0700);

    // A working folder removed under the program.
    FolderLock gone;
    EXPECT_TRUE(gone.acquire(QDir(where).filePath(QStringLiteral("removed"))));
    EXPECT_FALSE(gone.hasLockFile());
    EXPECT_FALSE(QFileInfo::exists(QDir(where).filePath(QStringLiteral("removed"))));
}

}  // namespace
