// The year-to-date window set: the container MDIForm1 ("Year To Date") with
// the ledger's menu, and inside it the grid window frmYear (one row per pay
// period) and the totals window frmYearTot. The windows show the year store
// (payrecords::yearLedger()); each command reads the cells and boxes into a
// payrecords::YearScreen, runs the ledger's operation on it and writes the
// texts back.
//
// A child lives only inside the container: the first touch of a child
// (payrecords::grid(), payrecords::totalsWindow()) loads the container first,
// whose load loads and shows both children. The user closes the set only
// through its Close menu or the grid's Close button; the program closes it
// with payrecords::closeYearSet().
#pragma once

#include <QPointer>

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/forms.h"
#include "platform/textprinter.h"
#include "records/windows/stores.h"
#include "records/year_ledger.h"
#include "records/year_store.h"

class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QPrinter;
class QPushButton;

namespace wagedesk {

class frmYear;
class frmYearTot;

class MDIForm1 : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "MDIForm1";
    MDIForm1();

    void formLoad() override;                      // MDIForm_Load
    bool formQueryUnload(bool fromCode) override;  // MDIForm_Unload: the close guard
    void MDIForm_Activate();

    void mnuClose_Click();
    void mnuPrint_Click();
    void mnuClearAll_Click();
    void mnuAdd_Click();
    void mnuExcel_Click();

    // The child windows' frames inside the container.
    QMdiSubWindow *gridFrame() const { return gridFrame_; }
    QMdiSubWindow *totalsFrame() const { return totalsFrame_; }
    // Puts a child into its frame (once) and shows both.
    void showChild(platform::Form *child);
    void hideChild(platform::Form *child);
    // A child's size changed: its frame and the container follow.
    void fitChild(platform::Form *child);
    // The container's height that shows the grid and the totals below it.
    void fitHeight();

    // The printer the report goes to: the program's current printer.
    QPrinter &printer();

    QMenuBar *menuBar;
    QAction *mnuClose, *mnuPrint, *mnuClearAll, *mnuAdd, *mnuExcel;
    QMenu *mnuClear;
    QMdiArea *area;

protected:
    bool event(QEvent *event) override;

private:
    QMdiSubWindow *frameOf(platform::Form *child) const;

    QMdiSubWindow *gridFrame_;
    QMdiSubWindow *totalsFrame_;
};

class frmYear : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmYear";
    static constexpr int kRows = payrecords::kYearRows;
    frmYear();

    void formLoad() override;    // Form_Load
    void formUnload() override;  // Form_Unload

    void fillBoxes();
    bool PasteMe(int index);
    bool DeleteRow(int index);
    bool ClearAll();
    void cmdBack_Click();
    // Prints the report on the printer; the outcome says where each text
    // went, or why nothing could be printed.
    platform::PrintOutcome PrintYr(QPrinter &printer);
    void ToExcel();

    payrecords::YearCells cells(int row) const;
    void showCells(int row, const payrecords::YearCells &cells);
    // The five deduction headings of both blocks from the profile's names.
    void showDeductionHeadings(bool lowerBlockToo);
    // Each column as wide as its longest text (cells and headings), at the
    // least as the design has it; the window follows.
    void fitColumns();

    std::array<QLabel *, kRows> Label2;  // week numbers "1" to "52"
    std::array<QLabel *, kRows> txtDate, txtFed, txtSS, txtMedi, txtState, txtCity;
    std::array<QLabel *, kRows> txtMuni, txtBond, txtDues, txtPen, txtMisc, txtKplan, txtOT;
    std::array<QLineEdit *, kRows> txtTips;
    std::array<QLineEdit *, kRows> txtGross;  // net pay, under "Net"
    std::array<QLineEdit *, kRows> txtNet;    // gross pay, under "Gross"
    // Column headings left to right, upper block (lbWeek, Label1, ...) and
    // lower block (Label13, Label31, ...).
    std::array<QLabel *, 16> upperHeadings, lowerHeadings;
    std::array<QLabel *, 2> Label14;  // the hint lines
    QPushButton *cmdBack;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeColumns();

    // Each row's sixteen cells, date first, in column order.
    std::array<std::array<QWidget *, 16>, kRows> cells_{};
    std::array<int, 16> widths_{};
};

class frmYearTot : public platform::Form {
    Q_OBJECT
public:
    static constexpr const char *kName = "frmYearTot";
    frmYearTot();

    void formLoad() override;  // Form_Load
    void formUnload() override;

    payrecords::YearTotBoxes boxes() const;
    void showBoxes(const payrecords::YearTotBoxes &boxes);

    QLineEdit *txtTotFed, *txtTotSS, *txtTotMedi, *txtTotState, *txtTotCity;
    QLineEdit *txtTotMuni, *txtTotBond, *txtTotDues, *txtTotPen, *txtTotMisc, *txtTotKplan;
    QLineEdit *txtTotOT;
    QLineEdit *txtTotGross;  // net total, under "Net"
    QLineEdit *txtTotNet;    // gross total, under "Gross"
    QLineEdit *txtTotCafe, *txtTotSdi, *txtTotSui, *txtTotTips;
    std::array<QLabel *, 5> Label7to11;  // the deduction captions, Label7 to Label11

    // Each box as wide as its text and its caption, at the least as the
    // design has it; the window follows.
    void fitBoxes();

private:
    void placeBoxes();

    std::array<QLabel *, 14> columnCaptions_{};
    std::array<QLineEdit *, 14> columnBoxes_{};
    std::array<QLabel *, 4> rowCaptions_{};  // Cafeteria Plan, SDI, SUI, Tips
    std::array<QLineEdit *, 4> rowBoxes_{};
    std::array<int, 14> columnWidths_{};
    std::array<int, 4> rowWidths_{};
};

namespace payrecords {

// Lengths the program sets are in twips; the screen has 15 to a pixel.
constexpr int twips(int value) { return (value + 7) / 15; }

// The child windows, loading the set when it is closed.
frmYear &grid();
frmYearTot &totalsWindow();

// The module procedure: the totals recomputed, the profile's year-to-date
// file read into the store, the grid filled with plain texts and the
// deduction headings set. A damaged file is reported once per command and
// the year starts empty; false then. Its first step is every showing's: the
// profile's rows set aside for another frequency are answered for, as
// showYearToDate answers for them; the question let go or the save
// refused, nothing is read or loaded, and false.
bool LoadYearToDate();

// The profile's year-to-date file read into the store only, with no window
// loaded; a damaged file is reported (its copy kept) and the year starts
// empty.
void readSavedYear();

// The main window's Year to Date command: the ledger of the frequency the
// profile is set to. The profile's rows set aside for another frequency
// are answered for first, as settleYear does; the question let go or the
// save refused, nothing is shown and they stay set aside.
void showYearToDate();

// Closes the children, then the container, without saving.
void closeYearSet();

// What an open set showed (the store and the screen, typed values
// included), with the folder, profile and pay frequency it belongs to: the
// frequency it was read for, whose year file its rows go into.
struct YearSetView {
    QString folder;
    std::string user;
    PayFrequency frequency;
    YearLedger ledger;
    YearScreen screen;
};

// The program's closes (a profile save, Make Default, the main window's
// closing): what an open set shows is set aside, then the set closes
// without saving. The user's next opening of the ledger for the same
// profile and pay frequency shows it again, so nothing pasted or typed is
// lost unasked; an opening for another frequency asks for it first; the
// ledger's Close (saving it or not), File Open and File New let it go.
void setYearSetAside();
std::optional<YearSetView> &yearSetAside();

// The pay frequency the year store's rows are of: the one the open set was
// read for (its year file's WeeklyPay, and the option its rows were laid
// out by), set by every reading of a year file into the store. The open set
// pastes, totals and saves for it: its rows go into that file, whatever the
// frequency is when the set is let go. A reading for another frequency
// starts from an empty store.
PayFrequency &openSetFrequency();

// Before a command that lets the records go (File Exit, the main window's
// closing, File Open, File New): a ledger, open or set aside, that holds
// what its year file does not is not let go unasked. The ledger's own
// question is asked; Yes saves it as its Close with Yes does, No lets it go
// (the store goes back to what the file holds). Either way the set is
// closed and nothing stays set aside. False when the save was refused (the
// user was told; the ledger stays) or the question was let go (Esc, its
// close button: nothing saved, nothing let go): the command must stop.
bool settleYear();

// While it lives, a rereading of the year's file (the pay stub's) leaves an
// open set as the user left it: what it showed is put back at the end. A
// closed set that the rereading opens shows the profile's rows set aside
// at the end, as showYearToDate shows them.
class OpenYearSetKept {
public:
    OpenYearSetKept();
    ~OpenYearSetKept();
    OpenYearSetKept(const OpenYearSetKept &) = delete;
    OpenYearSetKept &operator=(const OpenYearSetKept &) = delete;

private:
    std::optional<YearSetView> view_;
    bool wasSetAside_ = false;
};

// File New: the store starts empty, the rows of the layout show "0", and
// the grid window closes.
void clearYearForNewProfile();

// After every operation: the totals the core reads (TotGross, TotSS,
// TotMedi) into the settings store.
void copyYearView();

}  // namespace payrecords

}  // namespace wagedesk
