#include <QApplication>

#include <clocale>

#include "core/app.h"
#include "core/form1.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Qt switches the C numeric locale to the user's; the workbook writer
    // and the number formats need the period.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("WageDesk"));
    wagedesk::defineForms();
    platform::Forms::get<wagedesk::Form1>().showForm();
    return app.exec();
}
