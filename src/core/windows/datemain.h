// frmDateMain: the pay-date picker of the main window's date box.
#pragma once

#include <QDate>

#include "platform/forms.h"

class QPushButton;

namespace platform {
class DatePicker;
}

namespace wagedesk {

// The picker's range: the 2005 tax year and its edges.
inline const QDate kPayDateMin{2004, 12, 1};
inline const QDate kPayDateMax{2006, 1, 7};

class frmDateMain : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmDateMain";
    frmDateMain();
    void formLoad() override;
    void Command1_Click();

    platform::DatePicker *DTPicker1;
    QPushButton *Command1;

    // Today, as the picker sees it (tests set a fixed day).
    static inline std::function<QDate()> today = [] { return QDate::currentDate(); };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void writeBox();
};

} // namespace wagedesk
