// DialogHeader, "Print Out Heading": the four lines that head the pay stub
// and the year-to-date report (company, address, zip code line, ID
// number), kept for every profile in "Header.sav".
#pragma once

#include <array>

#include "platform/forms.h"

class QLineEdit;
class QPushButton;

namespace legacy {
class SaveBatch;
}

namespace wagedesk {

class DialogHeader : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "DialogHeader";
    DialogHeader();

    // Form_Load: the file read (LoadHeader), empty lines given their
    // default names, the boxes filled.
    void formLoad() override;
    void OKButton_Click();
    void CancelButton_Click();

    std::array<QLineEdit *, 4> txtHeader;
    QPushButton *OKButton, *CancelButton;
};

namespace printing {

// LoadHeader: the lines in memory from "Header.sav" in the current folder
// when it can be opened; a damaged file is reported, naming it, and the
// lines are emptied (the dialog's load gives them their default names). No
// file: the lines keep their values.
void LoadHeader();

// SaveHeader: the lines in memory into "Header.sav". Throws
// legacy::FileAccessError naming the file. Given a batch, the file is added
// to it and written with its save.
void SaveHeader(legacy::SaveBatch *batch = nullptr);

}  // namespace printing

}  // namespace wagedesk
