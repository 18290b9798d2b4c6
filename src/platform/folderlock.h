// The lock a running program holds on its working folder. Two programs
// working on one folder's files would each save what it had read before,
// and the later save would silently undo the other's; so the program holds
// a lock file in its folder, and a second program sees that the folder is
// in use before it reads or writes anything there.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

namespace platform {

class FolderLock {
public:
    // The hidden lock file in a locked folder. It names the process holding
    // it (QLockFile's format) and goes when the lock is released.
    static const QString kFileName;

    FolderLock();
    ~FolderLock();  // releases
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Takes the lock of `folder`. True when this lock holds the folder now:
    // also when it held it already, and when no lock file can be made there
    // (a folder that cannot be written, or is gone), where nothing can be
    // saved either. False when another program that is running holds it;
    // this lock then stays as it was. A lock file whose process no longer
    // runs (a crash, a kill) is taken over; so is one too damaged to name a
    // process, once it is some seconds old. A lock file that a program on
    // another computer holds (a shared folder) is never taken over. Once the
    // new folder is held, the one held before is released.
    //
    // A process holds a folder once: a second FolderLock of the same process
    // on the same folder finds it in use.
    bool acquire(const QString &folder);
    // Releases the folder held, if any; its lock file goes.
    void release();
    // The folder held (absolute, links resolved), "" when none.
    QString folder() const { return folder_; }
    // True when a lock file is held (false for a folder held without one).
    bool hasLockFile() const { return file_ != nullptr; }
    void swap(FolderLock &other) noexcept;

    // The one lock of this run, on the program's working folder.
    static FolderLock &ofRun();
    // Tells the user (an OK message box) that another running program holds
    // the folder.
    static void tellInUse(const QString &folder);
    static QStringList inUseMessage(const QString &folder);

private:
    std::unique_ptr<QLockFile> file_;
    QString folder_;
};

}  // namespace platform
