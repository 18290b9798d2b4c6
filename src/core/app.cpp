#include "core/app.h"

#include "core/form1.h"
#include "platform/ui.h"

namespace wagedesk {

void defineForms()
{
    platform::Ui::setAppTitle(QStringLiteral("WageDesk"));
    platform::Forms::define(Form1::kName, [] { return new Form1; });
}

} // namespace wagedesk
