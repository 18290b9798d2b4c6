#include "printing/windows/store.h"

namespace wagedesk::printing {

CheckPrinting &checkPrinting()
{
    static CheckPrinting values;
    return values;
}

void resetCheckPrinting() { checkPrinting() = CheckPrinting{}; }

}  // namespace wagedesk::printing
