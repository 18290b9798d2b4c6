#include "core/form1.h"

namespace wagedesk {

Form1::Form1() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("WageDesk"));
    resize(760, 560);
}

void Form1::formLoad() {}

} // namespace wagedesk
