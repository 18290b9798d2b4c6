// frmAboutSpcl: the product title and the program's version.
#pragma once

#include "platform/forms.h"

class QLabel;
class QPushButton;

namespace wagedesk {

// The program's version, shown as "Version major.minor.revision".
struct ProgramVersion {
    int major, minor, revision;
};
constexpr ProgramVersion kVersion{1, 0, 0};
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

} // namespace wagedesk
