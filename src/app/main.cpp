#include "app/app.h"
#include "core/windows/form1.h"

int main(int argc, char **argv)
{
    wagedesk::Application app(argc, argv);
    wagedesk::defineForms();
    platform::Forms::get<wagedesk::Form1>().showForm();
    return app.exec();
}
