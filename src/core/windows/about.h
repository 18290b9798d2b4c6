// frmAboutSpcl: the product title and the program's version.
#pragma once

#include "core/version.h"
#include "platform/forms.h"

class QLabel;
class QPushButton;

namespace wagedesk {

// "Version major.minor.revision".
QString versionLine(const ProgramVersion &v);

class frmAboutSpcl : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmAboutSpcl";
    frmAboutSpcl();
    void formLoad() override;
    void cmdOk_Click();

    QLabel *Label1, *lblTitle, *lblVersion;
    QPushButton *cmdOk;
};

}  // namespace wagedesk
