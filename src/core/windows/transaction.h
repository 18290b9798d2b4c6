// One command's save, from before the command takes anything from its
// windows into the program's stores to the commit that writes its files: a
// save refused anywhere on the way leaves the program, its windows and every
// file as they were, so a Cancel after it, a calculation or a later save
// read nothing the user let go.
#pragma once

#include <functional>

class QWidget;

namespace legacy {
class SaveBatch;
}

namespace wagedesk {

// Made by a command before it takes its windows' boxes into the stores.
// While it is open it is the current one: a transaction made inside it (a
// command pressed from another, as the save-user Save is by a calculation
// and by User Info's OK) joins it, and every save that starts inside it (a
// window's load that writes its files back) adds its files to its batch,
// which is legacy::SaveBatch::current(). The first commit, by whichever
// part, writes all the files added, all or nothing; the transaction is
// closed then, and what it took stays.
//
// Ended without a commit that succeeded (a box that is not a number, a
// refused save, an exception, a return), it writes no file and puts back,
// as they were when it was opened: the settings store `state()` whole (only
// when something in it changed), the records' own stores (the leave
// record), the main window's deduction captions and table notice, the
// boxes of a hidden user information window (it shows the store again),
// the controls of every window kept with keep(), and then whatever the
// command asked for with also(), the last asked for first.
class SaveTransaction {
public:
    SaveTransaction();
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction &) = delete;
    SaveTransaction &operator=(const SaveTransaction &) = delete;

    // The innermost transaction open, or nullptr.
    static SaveTransaction *current();

    // The batch every file of the save goes into.
    legacy::SaveBatch &batch();
    // Writes every file added so far, all or nothing. Throws what the
    // batch's commit throws (a legacy::FileError): the save is refused
    // then, and the transaction puts back what was taken when it ends.
    // Once it has succeeded, the transaction is closed: a later commit of
    // it does nothing.
    void commit();

    // A window's controls as they are now (texts, checks, selections), put
    // back when the save is refused; a window is kept once, as it was
    // before its first taking. Nothing is kept once the transaction is
    // closed.
    void keep(QWidget *window);
    // A window's own part of what the command changes, put back after the
    // stores and the windows kept.
    void also(std::function<void()> putBack);

private:
    struct Open;
    Open *open_;
    SaveTransaction *outer_;
};

}  // namespace wagedesk
