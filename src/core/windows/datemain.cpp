#include "core/windows/datemain.h"

#include <QLineEdit>

#include "core/windows/form1.h"

namespace wagedesk {

frmDateMain::frmDateMain() : platform::DateForm(kName, kPayDateMin, kPayDateMax, QStringLiteral("Ok")) {}

QLineEdit *frmDateMain::box() const { return platform::Forms::get<Form1>().txtWeek; }

}  // namespace wagedesk
