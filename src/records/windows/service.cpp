#include "records/windows/service.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <exception>
#include <optional>

#include "core/numbers.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/taxinfo.h"
#include "core/windows/transaction.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "records/leave.h"
#include "records/overtime.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/stores.h"
#include "records/windows/tracker.h"
#include "records/year_store.h"

namespace wagedesk::payrecords {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

void tell(const std::exception &e) { Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation); }

std::string leaveFile() { return leaveFileName(state().CurrentUser); }

// What the records held when File Open began, and whose they were.
struct Opening {
    QString folder;
    std::string user;
    YearLedger ledger;
    PayFrequency ledgerFrequency;  // the frequency the ledger's rows are of
    std::optional<YearSetView> yearAside;
    LeaveRecord leave;
    std::optional<LeaveTexts> leaveBoxes;  // of an open leave window
};

struct Held {
    std::optional<Opening> opening;
};

Held &held()
{
    static Held h;
    return h;
}

// File Open of a profile other than the one open when it began.
bool openingAnotherProfile()
{
    const std::optional<Opening> &o = held().opening;
    return o && (o->folder != QDir::currentPath() || o->user != state().CurrentUser);
}

// A box value the settings files keep as a 32-bit number, or the box named.
void checkSingle(const std::string &text, const char *box)
{
    try {
        lenientSingle(text);
    } catch (const NumberError &e) {
        throw BoxError(QLatin1String(box), QString::fromStdString(text), e.problem);
    }
}

class Service : public Records {
public:
    bool available() const override { return true; }

    OvertimeForSave overtimeForSave(OvertimeStore &store, int rows) override
    {
        const OvertimeLayout layout = rows == 52 ? OvertimeLayout::Weekly : OvertimeLayout::BiWeekly;
        Form2 *open = Forms::isLoaded<Form2>() ? &Forms::get<Form2>() : nullptr;
        OvertimeTexts texts;
        if (open)
            texts = open->texts();
        else
            Form_Load(store, texts, overtimeLayout(state().profile.WeeklyPay));
        // A salary or percentage beyond a 32-bit number would be written as
        // a double that the reader then takes for damage: refuse it first.
        checkSingle(texts.txtAnnual, "Annual Salary");
        checkSingle(texts.txtApPercent, "Approved Percentage");
        for (int i = 0; i < rows; ++i) {
            try {
                lenientDouble(texts.txtOT[i]);
            } catch (const NumberError &e) {
                throw BoxError(QStringLiteral("Overtime, row %1").arg(i + 1), QString::fromStdString(e.text),
                               e.problem);
            }
        }
        // The open tracker shows what it takes (an empty row as 0): a save
        // refused shows what was typed again.
        if (open)
            if (SaveTransaction *save = SaveTransaction::current())
                save->keep(open);
        const OvertimeForSettings taken = open ? open->takeForSettings(layout) : takeForSettings(store, texts, layout);
        // The store holds what is written, as reading the files back gives
        // it, so the tracker opened again shows what was saved.
        store.OTAnnualSalary = static_cast<float>(taken.annualSalary);
        store.OTApprovedPercent = static_cast<float>(taken.approvedPercent);

        OvertimeForSave out;
        out.annualSalary = taken.annualSalary;
        out.approvedPercent = taken.approvedPercent;
        out.limit = taken.limit;
        out.available = taken.available;
        out.dates = taken.dates;
        out.amounts = taken.amounts;
        return out;
    }

    void settingsRead(const OvertimeStore &before, bool refill) override
    {
        if (!Forms::isLoaded<Form2>())
            return;  // its next load shows the store
        Form2 &tracker = Forms::get<Form2>();
        if (refill) {
            tracker.FillInOT();
            return;
        }
        // A calculation's reading of the files must not take back what the
        // user typed into the open tracker: it keeps its boxes and the
        // values behind them, and the next save writes them.
        state().overtime = before;
    }

    void openStarting() override
    {
        Opening o{QDir::currentPath(), state().CurrentUser, yearLedger(), openSetFrequency(),
                  yearSetAside(),      leaveRecord(),       std::nullopt};
        if (Forms::isLoaded<DialogVac>())
            o.leaveBoxes = Forms::get<DialogVac>().texts();
        held().opening = std::move(o);
    }

    void LoadYearToDate() override
    {
        // The profile's files are read anew: a ledger set aside is let go.
        yearSetAside().reset();
        // Another employee's gross must not count toward this one's wage
        // bases: without a file of its own the year starts empty.
        if (openingAnotherProfile())
            yearLedger() = YearLedger{};
        payrecords::LoadYearToDate();
    }

    void readSavedYear() override { payrecords::readSavedYear(); }

    void GetVac() override
    {
        if (openingAnotherProfile())
            leaveRecord() = LeaveRecord{};
        reloadLeaveRecord();
    }

    void FillInOT() override
    {
        if (Forms::isLoaded<Form2>())
            Forms::get<Form2>().FillInOT();
    }

    void openFailed() override
    {
        if (!held().opening)
            return;
        Opening o = std::move(*held().opening);
        held().opening.reset();
        yearLedger() = o.ledger;
        openSetFrequency() = o.ledgerFrequency;
        yearSetAside() = std::move(o.yearAside);
        leaveRecord() = o.leave;
        // The open may have shown the ledger; it was closed before.
        closeYearSet();
        copyYearView();
        if (o.leaveBoxes && Forms::isLoaded<DialogVac>())
            Forms::get<DialogVac>().showTexts(*o.leaveBoxes);
    }

    void SaveVac(legacy::SaveBatch *batch) override { saveLeaveRecord(batch); }
    void SaveVacOf(const std::string &profile, legacy::SaveBatch *batch) override { saveLeaveRecord(batch, &profile); }

    std::function<void()> keepStores() override
    {
        return [kept = leaveRecord()] { leaveRecord() = kept; };
    }

    void checkDamagedLeaveFile() override { legacy::keepCopyOrRefuse(leaveFile()); }

    void clearForNewProfile() override
    {
        held().opening.reset();
        OvertimeStore &store = state().overtime;
        if (Forms::isLoaded<Form2>()) {
            Forms::get<Form2>().ClearAll();
            Forms::unload(Form2::kName);
        } else {
            OvertimeTexts texts;
            const OvertimeLayout layout = overtimeLayout(state().profile.WeeklyPay);
            Form_Load(store, texts, layout);
            payrecords::ClearAll(store, texts, layout);
        }

        leaveRecord() = LeaveRecord{};
        if (Forms::isLoaded<DialogVac>()) {
            DialogVac &window = Forms::get<DialogVac>();
            window.hide();
            LeaveTexts texts = window.texts();
            clearVac(leaveRecord(), texts);
            window.showTexts(texts);
            Forms::unload(DialogVac::kName);
        }

        clearYearForNewProfile();
    }

    void closeWindows(bool alsoLeaveRecord) override
    {
        Forms::unload(frmDate::kName);
        Forms::unload(Form2::kName);
        setYearSetAside();
        if (alsoLeaveRecord)
            Forms::unload(DialogVac::kName);
    }

    bool settleYearToDate() override { return settleYear(); }

    void showYearToDate() override { payrecords::showYearToDate(); }

    void showOvertime() override
    {
        const Form1 &main = Forms::get<Form1>();
        Form2 &tracker = Forms::get<Form2>();
        tracker.lb_OT->setText(main.lbOverT->text());
        tracker.lbWk->setText(main.txtWeek->text());
        const bool weekly = Forms::get<frmTaxInfo>().optWeek->isChecked();
        for (QWidget *w : {static_cast<QWidget *>(tracker.Frame5), static_cast<QWidget *>(tracker.Frame6),
                           static_cast<QWidget *>(tracker.Frame8)})
            w->setVisible(weekly);
        tracker.resizeOnScreen(QSize(tracker.windowWidth(weekly), tracker.height()));
        tracker.showForm();
    }

    void showVacation() override { Forms::get<DialogVac>().showForm(); }
};

}  // namespace

Records &recordsService()
{
    static Service service;
    return service;
}

void resetRecords()
{
    yearLedger() = YearLedger{};
    yearSetAside().reset();
    openSetFrequency() = PayFrequency{};
    leaveRecord() = LeaveRecord{};
    held() = Held{};
}

void reloadLeaveRecord(bool keepOpenWindow)
{
    try {
        if (Forms::isLoaded<DialogVac>()) {
            DialogVac &window = Forms::get<DialogVac>();
            LeaveTexts texts = window.texts();
            // What was read is shown also when the reading failed part-way.
            std::exception_ptr failed;
            try {
                payrecords::GetVac(leaveRecord(), texts, leaveFile());
            } catch (...) {
                failed = std::current_exception();
            }
            if (!keepOpenWindow)
                window.showTexts(texts);
            if (failed)
                std::rethrow_exception(failed);
        } else {
            // The window's load, hidden: it reads the file.
            LeaveTexts texts;
            Form_Load(leaveRecord(), texts, leaveFile());
        }
    } catch (const legacy::FileFormatError &e) {
        // The record starts empty; the command goes on.
        tell(e);
    }
}

void saveLeaveRecord(legacy::SaveBatch *batch, const std::string *from)
{
    LeaveTexts texts;
    if (Forms::isLoaded<DialogVac>()) {
        texts = Forms::get<DialogVac>().texts();
    } else {
        // The window's load first, hidden: what it reads is written back.
        try {
            Form_Load(leaveRecord(), texts, from ? leaveFileName(*from) : leaveFile());
        } catch (const legacy::FileFormatError &e) {
            tell(e);
        }
    }
    payrecords::SaveVac(leaveRecord(), texts, leaveFile(), batch);
}

}  // namespace wagedesk::payrecords
