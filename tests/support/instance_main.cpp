// Another WageDesk for the tests that need one running beside them: the
// program's own start in the current folder (the folder's lock, then the
// main window's load), headless, every message box answered OK as a user
// would. It writes "started" when the main window has loaded and, at the
// end, the text of every question it was asked, each followed by "\n--\n".
//
//   wd_instance              starts and ends
//   wd_instance hold         after the start, runs until its input ends
//   wd_instance crash        after the start, dies as by kill -9, its lock
//                            file left behind
//   wd_instance leave NAME SICK
//                            after the start, opens the profile NAME, types
//                            SICK as the sick leave's start balance and
//                            saves the leave record
//
// The exit code is the program's: 1 when the start was refused, else 0.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/app.h"
#include "core/windows/form1.h"
#include "core/windows/saveuser.h"
#include "platform/folderlock.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "records/windows/leave_window.h"

namespace {

using platform::Forms;
using platform::Ui;
using wagedesk::Form1;

void tellAsked()
{
    for (const platform::Question &q : Ui::asked())
        std::cout << q.text.toStdString() << "\n--\n";
    std::cout.flush();
}

void saveSickStart(const QString &name, const QString &sick)
{
    Ui::script(Ui::ModalAction([](QWidget *w) { static_cast<wagedesk::frmSaveUser *>(w)->cmdEnd->click(); }));
    Ui::script(std::optional<QString>(QDir::current().filePath(name + QStringLiteral(".use"))));
    Forms::get<Form1>().mnuOpen_Click();
    Forms::get<Form1>().Command1->click();
    wagedesk::DialogVac &leave = Forms::get<wagedesk::DialogVac>();
    leave.Sick.txtBal->selectAll();
    leave.Sick.txtBal->del();
    QTest::keyClicks(leave.Sick.txtBal, sick);
    leave.OKButton->click();
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    wagedesk::Application app(argc, argv);
    Ui::setScripted(true);
    wagedesk::defineForms();
    const QStringList args = QCoreApplication::arguments().mid(1);

    if (!wagedesk::lockWorkingFolder()) {
        tellAsked();
        return 1;
    }
    Forms::get<Form1>().showForm();
    std::cout << "started" << std::endl;
    const QString what = args.value(0);
    if (what == QLatin1String("crash")) {
        std::fflush(nullptr);
        std::raise(SIGKILL);
    } else if (what == QLatin1String("hold")) {
        std::string line;
        while (std::getline(std::cin, line)) {
        }
    } else if (what == QLatin1String("leave")) {
        saveSickStart(args.value(1), args.value(2));
    }
    tellAsked();
    Forms::destroyAll();
    platform::FolderLock::ofRun().release();
    return 0;
}
