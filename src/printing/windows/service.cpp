#include "printing/windows/service.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>

#include <optional>

#include "core/version.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "platform/textprinter.h"
#include "platform/ui.h"
#include "printing/offsets.h"
#include "printing/printouts.h"
#include "printing/windows/checks.h"
#include "printing/windows/heading.h"
#include "printing/windows/printset.h"
#include "printing/windows/store.h"
#include "records/windows/ledger.h"
#include "records/windows/service.h"

namespace wagedesk::printing {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

std::string text(const QLineEdit *box) { return box->text().toStdString(); }
std::string text(const QLabel *label) { return label->text().toStdString(); }

void tell(const QString &message) { Ui::message(message, Buttons::Ok, Icon::Exclamation); }

// Empty entry boxes print as .00: they are made "0", and keep it.
void zeroEmptyEntries(Form1 &main)
{
    for (QLineEdit *box : main.txtAmount)
        if (box->text().isEmpty())
            box->setText(QStringLiteral("0"));
}

// What both printouts read, as it stands now. Reading the totals window
// opens the year-to-date window set when it is closed.
PeriodSources gather(const Form1 &main)
{
    PeriodSources s;
    for (int i = 0; i < 8; ++i)
        s.txtAmount[i] = text(main.txtAmount[i]);
    s.txtWeek = text(main.txtWeek);
    s.opt1x = main.opt1x->isChecked();
    for (int i = 0; i < 11; ++i)
        s.lbTaxDed[i] = text(main.lbTaxDed[i]);
    s.lbSDI = text(main.lbSDI);
    s.lbSUI = text(main.lbSUI);
    s.lbCafe = text(main.lbCafe);
    s.Label13 = text(main.Label13);
    s.lbTaxes = text(main.lbTaxes);
    s.lbDeduct = text(main.lbDeduct);
    s.lbNet = text(main.lbNet);
    const PeriodValues &v = main.values;
    s.PayRate = v.PayRate;
    s.OtHrs = v.OtHrs;
    s.TipsHrs = v.TipsHrs;
    s.VacDys = v.VacDys;
    s.Avas = v.Avas;
    s.StrPay = v.StrPay;
    s.StrPay2 = v.StrPay2;
    s.Addit = v.Addit;
    const ProfileSettings &p = state().profile;
    s.PayRate1 = p.PayRate1;
    s.PayRate2 = p.PayRate2;
    s.TipsRate = p.TipsRate;
    for (int k = 0; k < 5; ++k)
        s.TaxCaption[k] = p.TaxCaption[5 + k];
    s.totals = payrecords::yearLedger().totals;
    const frmYearTot &totals = payrecords::totalsWindow();
    s.txtTotNet = text(totals.txtTotNet);
    s.txtTotGross = text(totals.txtTotGross);
    return s;
}

// The working values, MyTips kept in the main window; nothing when an
// amount is too large to print (the user was told).
std::optional<PrintoutValues> workOutValues(Form1 &main, const PeriodSources &sources)
{
    try {
        const PrintoutValues v = workOut(sources);
        main.values.MyTips = v.MyTips;
        return v;
    } catch (const legacy::OverflowError &) {
        tell(QStringLiteral("An amount is too large to print. Check the entries and the User Info rates."));
        return std::nullopt;
    }
}

bool print(const legacy::TextPage &page, QPrinter &printer, const QString &what)
{
    const platform::PrintOutcome printed = platform::printTextPage(page, printer);
    if (!printed)
        tell(QStringLiteral("The %1 could not be printed.\r\n").arg(what) + printed.error);
    return printed.ok;
}

class Service : public Printouts {
public:
    bool available() const override { return true; }

    void PrintText() override
    {
        Form1 &main = Forms::get<Form1>();
        try {
            LoadUserSettings();
        } catch (const std::exception &e) {
            tell(describeError(e));
            return;
        }
        // The stub prints the year as saved; an open ledger keeps what the
        // user typed or pasted into it.
        const payrecords::OpenYearSetKept ledgerKept;
        // A damaged year file has been reported; its zeros are not printed.
        // Nor is anything when rows set aside for another pay frequency
        // were not answered for (the question let go, their save refused).
        if (!payrecords::LoadYearToDate())
            return;
        payrecords::reloadLeaveRecord(true);
        zeroEmptyEntries(main);
        if (!Ui::choosePrinter(&main))
            return;

        const PeriodSources sources = gather(main);
        const std::optional<PrintoutValues> values = workOutValues(main, sources);
        if (!values)
            return;
        PayStubHead head;
        head.heading = state().heading.lines();
        head.CurrentUser = state().CurrentUser;
        head.txtUserSSnum = text(Forms::get<frmChecks>().txtUserSSnum);
        head.today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
        head.major = kVersion.major;
        head.minor = kVersion.minor;
        head.revision = kVersion.revision;
        print(payStub(sources, *values, head), Ui::currentPrinter(), QStringLiteral("pay stub"));
    }

    void showChecks() override { Forms::get<frmChecks>().showForm(); }
    void showHeader() override { Forms::get<DialogHeader>().showForm(); }
    void readHeading() override { LoadHeader(); }
    void unloadChecks() override { Forms::unload(frmChecks::kName); }
};

}  // namespace

Printouts &printoutsService()
{
    static Service service;
    return service;
}

bool PrintCheck()
{
    // The first read of the check form loads it when it is closed, which
    // builds the words of the period last calculated.
    const frmChecks &check = Forms::get<frmChecks>();
    CheckPrinting &printing = checkPrinting();
    if (printing.words.tooLarge) {
        tell(QLatin1String(kAmountTooLarge));
        return false;
    }
    dlgPrintSet &dialog = Forms::get<dlgPrintSet>();
    QPrinter *printer = Ui::printerForPrinting(&dialog);
    if (!printer)
        return false;

    // The year's totals come from the window set, which stays hidden. Its
    // load reads the year's file: a damaged one has been reported, and its
    // zeros are not printed; nor is anything when rows set aside for another
    // pay frequency were not answered for.
    if (!Forms::isLoaded<MDIForm1>() && !payrecords::LoadYearToDate())
        return false;
    Forms::get<MDIForm1>().hide();
    Form1 &main = Forms::get<Form1>();
    zeroEmptyEntries(main);
    printing.CheckHorzCols = horizontalColumns(dialog.cboHorz->currentText().toStdString());
    printing.CheckVertLines = verticalLines(dialog.cboVert->currentText().toStdString());

    const PeriodSources sources = gather(main);
    const std::optional<PrintoutValues> values = workOutValues(main, sources);
    if (!values)
        return false;
    CheckFace face;
    face.txtCheckDate = text(check.txtCheckDate);
    face.txtPayTo = text(check.txtPayTo);
    face.txtCheckAmt = text(check.txtCheckAmt);
    face.CheckWords = printing.words.CheckWords;
    face.txtUserName = text(check.txtUserName);
    face.txtUserSSnum = text(check.txtUserSSnum);
    face.txtUserAddress = text(check.txtUserAddress);
    face.txtUserState = text(check.txtUserState);
    face.txtMemo = text(check.txtMemo);
    return print(checkPage(sources, *values, face, printing.CheckHorzCols, printing.CheckVertLines), *printer,
                 QStringLiteral("check"));
}

}  // namespace wagedesk::printing
