#include "platform/folderlock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <utility>

#include "platform/ui.h"

namespace platform {

const QString FolderLock::kFileName = QStringLiteral(".WageDesk.lock");

namespace {

// A lock file that names no process is either one whose writer died (or
// lost power) between creating it and writing it, or one a program is
// writing this very moment. Seconds later it can only be the first.
constexpr qint64 kDamagedLockAgeMs = 10000;

QString absoluteFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool namesNoProcess(const QLockFile &file)
{
    qint64 pid = 0;
    QString host, app;
    return !file.getLockInfo(&pid, &host, &app);
}

qint64 ageMs(const QString &path) { return qAbs(QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime())); }

}  // namespace

FolderLock::FolderLock() = default;

FolderLock::~FolderLock() = default;

bool FolderLock::acquire(const QString &folder)
{
    const QString where = absoluteFolder(folder);
    if (!folder_.isEmpty() && where == folder_)
        return true;
    const QString path = QDir(where).filePath(kFileName);
    auto file = std::make_unique<QLockFile>(path);
    // Only whether its process still runs makes a lock stale: a program
    // keeps its folder however long it runs, and never touches the file.
    file->setStaleLockTime(0);
    bool taken = file->tryLock(0);
    if (!taken && file->error() == QLockFile::LockFailedError && namesNoProcess(*file) &&
        ageMs(path) > kDamagedLockAgeMs) {
        // Removed only when no process has it open and locked (QLockFile
        // checks that too).
        taken = file->removeStaleLockFile() && file->tryLock(0);
    }
    if (!taken) {
        if (file->error() == QLockFile::LockFailedError)
            return false;
        // Permission or other trouble making the file: the folder cannot
        // take a save either, so there is nothing to guard.
        file.reset();
    }
    file_ = std::move(file);  // the lock held before goes here
    folder_ = where;
    return true;
}

void FolderLock::release()
{
    file_.reset();
    folder_.clear();
}

void FolderLock::swap(FolderLock &other) noexcept
{
    std::swap(file_, other.file_);
    std::swap(folder_, other.folder_);
}

FolderLock &FolderLock::ofRun()
{
    static FolderLock lock;
    return lock;
}

QStringList FolderLock::inUseMessage(const QString &folder)
{
    return {QStringLiteral("The folder \"%1\" is in use by another %2 that is running.")
                .arg(QDir::toNativeSeparators(folder), Ui::appTitle()),
            QStringLiteral("Close that one first, or work in another folder.")};
}

void FolderLock::tellInUse(const QString &folder) { Ui::message(inUseMessage(folder), Buttons::Ok, Icon::Exclamation); }

}  // namespace platform
