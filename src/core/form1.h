// The main window: pay entry, results, menus.
#pragma once

#include "platform/forms.h"

namespace wagedesk {

class Form1 : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "Form1";
    Form1();
    void formLoad() override;
};

} // namespace wagedesk
