// The program as main() starts it, ending as soon as its event loop runs
// (exit, not quit: quit would close the main window, which asks to save):
// timed as a whole process by bench/compare_start.sh.
#include <QTimer>

#include "app/app.h"
#include "core/windows/form1.h"
#include "platform/forms.h"

int main(int argc, char **argv)
{
    wagedesk::Application app(argc, argv);
    wagedesk::defineForms();
    platform::Forms::get<wagedesk::Form1>().showForm();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    const int code = app.exec();
    platform::Forms::destroyAll();
    return code;
}
