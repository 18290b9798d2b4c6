// Program set-up shared by the program, its tests and the tools.
#pragma once

#include <QApplication>

namespace wagedesk {

// Defines every window of the program in the form registry and installs
// the services of the subsystems for the core's windows.
void defineForms();

// Takes the lock of the working folder for the run (platform::FolderLock).
// False when another running WageDesk holds it: the user has been told,
// and the program must end before it reads or writes anything there.
bool lockWorkingFolder();

// The application object: an error that escapes a command is reported in a
// message box instead of ending the program.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

}  // namespace wagedesk
