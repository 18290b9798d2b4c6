// The overtime tracker Form2 ("OverTime Percentage") and its date picker
// frmDate. The tracker's values live in the settings store's overtime group
// (state().overtime); each command reads the boxes into
// payrecords::OvertimeTexts, runs the tracker's operation and writes the texts
// back.
#pragma once

#include <QDate>

#include <array>
#include <cstdint>
#include <functional>

#include "platform/dateform.h"
#include "platform/forms.h"
#include "records/overtime.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace platform {
class DatePicker;
}

namespace wagedesk {

class Form2 : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "Form2";
    static constexpr int kRows = 52;
    Form2();

    void formLoad() override;  // Form_Load
    // The close button keeps what the window shows, as Back does.
    bool formQueryUnload(bool fromCode) override;

    // Public operations.
    void FillInOT();
    void ClearAll();
    // The settings writer's part: the rows of the layout go into the store
    // (empty amounts become "0"); the values of the boxes come back.
    payrecords::OvertimeForSettings takeForSettings(payrecords::OvertimeLayout layout);

    // Event handlers.
    void cmdADD_Click();  // TOTAL
    void Form_Paint();    // quiet: never a message; shows, stores nothing
    void cmdAdvance_Click();
    void cmdClose_Click();  // Back
    void cmdUndo_Click();
    void cmdPrint_Click();
    void Text1_Click(int index);

    // The layout of the stored pay frequency.
    payrecords::OvertimeLayout layout() const;
    payrecords::OvertimeTexts texts() const;
    void showTexts(const payrecords::OvertimeTexts &texts);

    // The printer the window's image goes to: the program's current printer.
    QPrinter &printer();

    // The window's width for each pay frequency: the first half-year and
    // the middle column, and with weekly pay the second half-year beside
    // them.
    int windowWidth(bool weekly) const { return weekly ? weeklyWidth_ : biWeeklyWidth_; }

    // Row whose date box the date picker fills.
    std::int16_t DateRow = 0;

    std::array<QLineEdit *, kRows> Text1, txtOT;
    std::array<QLabel *, kRows> Label2;
    QLineEdit *txtAnnual, *txtApPercent, *txtPercent;
    QLabel *lbPer, *lbEarned, *lbMax, *lbAvail, *lb_OT, *lbWk;
    QPushButton *cmdADD, *cmdAdvance, *cmdClose, *cmdUndo, *cmdPrint;
    QFrame *Frame1, *Frame2, *Frame5, *Frame6, *Frame8, *Frame9;
    QGroupBox *Frame3, *Frame4, *Frame7;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool arrowKey(QObject *watched, int key);
    // Widens the middle column for the longest results, and moves the
    // second half-year beyond it.
    void fitMiddleColumn();

    int weeklyWidth_ = 0, biWeeklyWidth_ = 0;
};

// The tracker's date picker: the row's week-ending date.
class frmDate : public platform::DateForm {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmDate";
    // The picker's range: the 2005 tax year and the month before.
    static inline const QDate kMin{2004, 12, 1};
    static inline const QDate kMax{2005, 12, 31};
    // The text a picked date gets in the box.
    static constexpr const char *kDateText = "M/d/yyyy";

    frmDate();

    // Today, as the picker sees it (tests set a fixed day).
    static inline std::function<QDate()> today = [] { return QDate::currentDate(); };

    // A box's text as a date: "M/d/yyyy", or "M/d/yy" in 2000-2099;
    // invalid when it is no such date.
    QDate readDate(const QString &text) const override;

protected:
    QLineEdit *box() const override;
    QDate currentDate() const override { return today(); }
    QString dateText(const QDate &date) const override;
};

}  // namespace wagedesk
