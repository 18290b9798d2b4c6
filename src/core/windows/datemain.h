// frmDateMain: the pay-date picker of the main window's date box.
#pragma once

#include <QDate>

#include <functional>

#include "platform/dateform.h"

namespace wagedesk {

// The picker's range: the 2005 tax year and its edges.
inline const QDate kPayDateMin{2004, 12, 1};
inline const QDate kPayDateMax{2006, 1, 7};

class frmDateMain : public platform::DateForm {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmDateMain";
    frmDateMain();

    // Today, as the picker sees it (tests set a fixed day).
    static inline std::function<QDate()> today = [] { return QDate::currentDate(); };

protected:
    QLineEdit *box() const override;
    QDate currentDate() const override { return today(); }
};

}  // namespace wagedesk
