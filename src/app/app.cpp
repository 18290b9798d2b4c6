#include "app/app.h"

#include "core/windows/about.h"
#include "core/windows/datemain.h"
#include "core/windows/form1.h"
#include "core/windows/saveuser.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"
#include "platform/folderlock.h"
#include "platform/ui.h"
#include "printing/windows/checks.h"
#include "printing/windows/heading.h"
#include "printing/windows/printset.h"
#include "printing/windows/service.h"
#include "printing/windows/store.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/service.h"
#include "records/windows/tracker.h"
#include "tables/windows/dialogcity.h"
#include "tables/windows/dialognoncity.h"
#include "tables/windows/dialogstate.h"
#include "tables/windows/tables.h"

#include <QDir>

#include <clocale>
#include <exception>

namespace wagedesk {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("WageDesk"));
    // Qt switches the C numeric locale to the user's; the workbook writer
    // needs the period.
    std::setlocale(LC_NUMERIC, "C");
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        platform::Ui::message(QString::fromUtf8(e.what()), platform::Buttons::Ok, platform::Icon::Critical);
    }
    return false;
}

void defineForms()
{
    platform::Ui::setAppTitle(QStringLiteral("WageDesk"));
    platform::Forms::define(Form1::kName, [] { return new Form1; });
    platform::Forms::define(frmTaxInfo::kName, [] { return new frmTaxInfo; });
    platform::Forms::define(frmSaveUser::kName, [] { return new frmSaveUser; });
    platform::Forms::define(frmDateMain::kName, [] { return new frmDateMain; });
    platform::Forms::define(frmAboutSpcl::kName, [] { return new frmAboutSpcl; });
    platform::Forms::define(DialogState::kName, [] { return new DialogState; });
    platform::Forms::define(DialogCity::kName, [] { return new DialogCity; });
    platform::Forms::define(DialogNonCity::kName, [] { return new DialogNonCity; });
    platform::Forms::define(MDIForm1::kName, [] { return new MDIForm1; });
    platform::Forms::define(frmYear::kName, [] { return new frmYear; });
    platform::Forms::define(frmYearTot::kName, [] { return new frmYearTot; });
    platform::Forms::define(Form2::kName, [] { return new Form2; });
    platform::Forms::define(frmDate::kName, [] { return new frmDate; });
    platform::Forms::define(DialogVac::kName, [] { return new DialogVac; });
    platform::Forms::define(frmChecks::kName, [] { return new frmChecks; });
    platform::Forms::define(dlgPrintSet::kName, [] { return new dlgPrintSet; });
    platform::Forms::define(DialogHeader::kName, [] { return new DialogHeader; });
    // The year-to-date set and the tracker are windows the user works in
    // beside the main window, each listed and minimized on its own (the
    // set's two windows live in its frames); every other window is a
    // dialog, kept over the window it belongs to (Form::ownerWindow: the
    // main window, the window of a date picker's box, the check form for
    // the printer offsets).
    platform::Forms::setRole(Form1::kName, platform::FormRole::Main);
    for (const char *name : {MDIForm1::kName, frmYear::kName, frmYearTot::kName, Form2::kName})
        platform::Forms::setRole(name, platform::FormRole::Window);
    installTableEditors(&tables::editorService());
    // A new run's records: nothing of an earlier one.
    payrecords::resetRecords();
    installRecords(&payrecords::recordsService());
    printing::resetCheckPrinting();
    installPrintouts(&printing::printoutsService());
}

bool lockWorkingFolder()
{
    const QString folder = QDir::currentPath();
    if (platform::FolderLock::ofRun().acquire(folder))
        return true;
    platform::FolderLock::tellInUse(folder);
    return false;
}

}  // namespace wagedesk
