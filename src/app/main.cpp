#include "app/app.h"
#include "core/windows/form1.h"
#include "platform/forms.h"

int main(int argc, char **argv)
{
    wagedesk::Application app(argc, argv);
    wagedesk::defineForms();
    platform::Forms::get<wagedesk::Form1>().showForm();
    const int code = app.exec();
    // The windows go without their unload rules: the program has ended.
    platform::Forms::destroyAll();
    return code;
}
