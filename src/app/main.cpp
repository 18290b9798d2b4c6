#include "app/app.h"
#include "core/windows/form1.h"
#include "platform/folderlock.h"
#include "platform/forms.h"

int main(int argc, char **argv)
{
    wagedesk::Application app(argc, argv);
    wagedesk::defineForms();
    // Before the main window's load, which reads and writes the profile's files.
    if (!wagedesk::lockWorkingFolder())
        return 1;
    platform::Forms::get<wagedesk::Form1>().showForm();
    const int code = app.exec();
    // The windows go without their unload rules: the program has ended.
    platform::Forms::destroyAll();
    platform::FolderLock::ofRun().release();
    return code;
}
