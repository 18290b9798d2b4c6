#include "core/app.h"

#include "core/about.h"
#include "core/datemain.h"
#include "core/form1.h"
#include "core/saveuser.h"
#include "core/taxinfo.h"
#include "platform/ui.h"
#include "tables/dialogcity.h"
#include "tables/dialognoncity.h"
#include "tables/dialogstate.h"

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
}

} // namespace wagedesk
