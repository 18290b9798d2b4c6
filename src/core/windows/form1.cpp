#include "core/windows/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/federal.h"
#include "core/profile_files.h"
#include "core/windows/about.h"
#include "core/windows/datemain.h"
#include "core/windows/entry.h"
#include "core/windows/federal_load.h"
#include "core/windows/glyphs.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/saveuser.h"
#include "core/windows/services.h"
#include "core/windows/taxinfo.h"
#include "core/windows/transaction.h"
#include "legacy/seqfile.h"
#include "platform/folderlock.h"
#include "platform/ui.h"

namespace wagedesk {

using platform::Answer;
using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

std::filesystem::path programFolder()
{
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

void tell(const std::exception &e) { Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation); }

struct EntryRow {
    const char *label, *caption, *tip;
};
// In box order: the label beside each entry box.
constexpr std::array<EntryRow, 8> kEntries{{
    {"Label1", "STRAIGHT TIME HOURS 1", "Pay rate 1"},
    {"Label11", "STRAIGHT TIME HOURS 2", "Pay rate 2"},
    {"Label3", "O.T.", nullptr},
    {"Label2", "O.T. TIME AND 1/2 (1.5X)", nullptr},
    {"Label5", "HOLIDAY IN HOURS", nullptr},
    {"Label9", "VACATION - SICK, IN HOURS", nullptr},
    {"Label10", "PAY IN DOLLAR AMOUNT", "Use Dollar amount"},
    {"Label8", "TIPS (Hours)", "Use Dollar amount"},
}};

constexpr std::array<const char *, 18> kTags{
    "Federal Tax", "Soc Sec", "Medicare", "State Tax", "City Tax", "Muni Cr Union", "Bond", "Union Dues",     "Pension",
    "Misc.",       "K Plan",  "OverTime", "GROSS PAY", "NET PAY",  "SDI",           "SUI",  "Cafeteria Plan", "Tips"};

QPushButton *pictureButton(const char *name, Glyph icon, const char *tip)
{
    auto *b = named<QPushButton>(QLatin1String(name));
    b->setIcon(glyphIcon(icon));
    b->setIconSize(QSize(32, 32));
    b->setToolTip(QLatin1String(tip));
    b->setAccessibleName(QLatin1String(tip));
    b->setMinimumSize(56, 44);
    return b;
}

QLabel *valueLabel(const QString &name)
{
    auto *l = named<QLabel>(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

int largestAmountWidth(const QLabel *l) { return widthToHold(l, {QLatin1String(kWidestAmount)}); }

}  // namespace

Form1::Form1() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("WageDesk"));

    // Entries.
    Frame2 = named<QGroupBox>(QStringLiteral("Frame2"), QStringLiteral("Hours"));
    auto *hours = new QGridLayout(Frame2);
    opt1x = named<QRadioButton>(QStringLiteral("opt1x"), QStringLiteral("(1X)"));
    opt2x = named<QRadioButton>(QStringLiteral("opt2x"), QStringLiteral("(2X)"));
    opt1x->setChecked(true);
    for (int i = 0; i < 8; ++i) {
        entryLabels[i] = named<QLabel>(QLatin1String(kEntries[i].label), QLatin1String(kEntries[i].caption));
        if (kEntries[i].tip)
            entryLabels[i]->setToolTip(QLatin1String(kEntries[i].tip));
        txtAmount[i] = named<QLineEdit>(indexed("txtAmount", i));
        txtAmount[i]->setToolTip(QStringLiteral("Enter"));
        txtAmount[i]->setAlignment(Qt::AlignRight);
        txtAmount[i]->setMaximumWidth(110);
        entryLabels[i]->setBuddy(txtAmount[i]);
        makeNumericEntry(txtAmount[i]);
        selectAllOnFocus(txtAmount[i]);
        txtAmount[i]->installEventFilter(this);
        hours->addWidget(entryLabels[i], i, 0);
        if (i == 2) {
            auto *mult = new QHBoxLayout;
            mult->addWidget(opt1x);
            mult->addWidget(opt2x);
            hours->addLayout(mult, i, 1);
        }
        hours->addWidget(txtAmount[i], i, 2);
    }
    Label12 = named<QLabel>(QStringLiteral("Label12"), QStringLiteral("WEEK ENDING:"));
    txtWeek = named<QLineEdit>(QStringLiteral("txtWeek"), QStringLiteral("00/00/05"));
    txtWeek->setToolTip(QStringLiteral("Click for Date change"));
    txtWeek->setMaximumWidth(110);
    txtWeek->installEventFilter(this);
    hours->addWidget(Label12, 8, 0);
    hours->addWidget(txtWeek, 8, 2);

    Frame4 = named<QGroupBox>(QStringLiteral("Frame4"), QStringLiteral("    CLEAR               ADD"));
    cmdClear = pictureButton("cmdClear", Glyph::Clear, "Clear");
    cmdCal = pictureButton("cmdCal", Glyph::Calculate, "Calculate");
    auto *calc = new QHBoxLayout(Frame4);
    calc->addWidget(cmdClear);
    calc->addWidget(cmdCal);

    Frame3 = named<QGroupBox>(QStringLiteral("Frame3"),
                              QStringLiteral("      YTD                 OT               VAC/HOL          PRINT"));
    cmdYear = pictureButton("cmdYear", Glyph::YearToDate, "Year to Date");
    cmdOT = pictureButton("cmdOT", Glyph::Overtime, "OverTime");
    Command1 = pictureButton("Command1", Glyph::Vacation, "Vacation");
    cmdPrint = pictureButton("cmdPrint", Glyph::Print, "Print");
    auto *picture = new QHBoxLayout(Frame3);
    for (QPushButton *b : {cmdYear, cmdOT, Command1, cmdPrint})
        picture->addWidget(b);

    cmdSavePrev = named<QPushButton>(QStringLiteral("cmdSavePrev"), QStringLiteral("Save This Pay Period"));
    cmdPeriod = named<QPushButton>(QStringLiteral("cmdPeriod"), QStringLiteral("Get Pay Period"));

    // Results.
    for (int i = 0; i < 18; ++i)
        lbTaxTag[i] = named<QLabel>(indexed("lbTaxTag", i), QLatin1String(kTags[i]));
    for (int i = 0; i < 11; ++i)
        lbTaxDed[i] = valueLabel(indexed("lbTaxDed", i));
    Frame5 = named<QGroupBox>(QStringLiteral("Frame5"), QStringLiteral("Results"));
    Label13 = valueLabel(QStringLiteral("Label13"));
    Label4 = named<QLabel>(QStringLiteral("Label4"), QStringLiteral("TAXES"));
    lbTaxes = valueLabel(QStringLiteral("lbTaxes"));
    Label6 = named<QLabel>(QStringLiteral("Label6"), QStringLiteral("DEDUCTIONS"));
    lbDeduct = valueLabel(QStringLiteral("lbDeduct"));
    lbNet = valueLabel(QStringLiteral("lbNet"));
    QFont bold = lbNet->font();
    bold.setBold(true);
    lbNet->setFont(bold);
    Label13->setFont(bold);
    // Measured once for each font: shaping the text is not cheap.
    const int plainWidth = largestAmountWidth(lbTaxes), boldWidth = largestAmountWidth(lbNet);
    for (QLabel *l : lbTaxDed)
        l->setMinimumWidth(plainWidth);
    for (QLabel *l : {lbTaxes, lbDeduct})
        l->setMinimumWidth(plainWidth);
    for (QLabel *l : {Label13, lbNet})
        l->setMinimumWidth(boldWidth);
    auto *results = new QGridLayout(Frame5);
    results->addWidget(lbTaxTag[12], 0, 0);
    results->addWidget(Label13, 0, 1);
    results->addWidget(Label4, 1, 0);
    results->addWidget(lbTaxes, 1, 1);
    results->addWidget(Label6, 2, 0);
    results->addWidget(lbDeduct, 2, 1);
    results->addWidget(lbTaxTag[13], 3, 0);
    results->addWidget(lbNet, 3, 1);

    Frame1 = named<QGroupBox>(QStringLiteral("Frame1"), QStringLiteral("Taxes/Deductions"));
    lbSDI = valueLabel(QStringLiteral("lbSDI"));
    lbSUI = valueLabel(QStringLiteral("lbSUI"));
    lbCafe = valueLabel(QStringLiteral("lbCafe"));
    auto *lines = new QGridLayout(Frame1);
    int r = 0;
    for (int i = 0; i < 11; ++i, ++r) {
        lines->addWidget(lbTaxTag[i], r, 0);
        lines->addWidget(lbTaxDed[i], r, 1);
    }
    for (auto [tag, value] : {std::pair{14, lbSDI}, std::pair{15, lbSUI}, std::pair{16, lbCafe}}) {
        lines->addWidget(lbTaxTag[tag], r, 0);
        lines->addWidget(value, r++, 1);
    }

    Frame6 = named<QGroupBox>(QStringLiteral("Frame6"));
    lbOverT = valueLabel(QStringLiteral("lbOverT"));
    lbTips = valueLabel(QStringLiteral("lbTips"));
    for (QLabel *l : {lbSDI, lbSUI, lbCafe, lbOverT, lbTips})
        l->setMinimumWidth(plainWidth);
    auto *extra = new QGridLayout(Frame6);
    extra->addWidget(lbTaxTag[11], 0, 0);
    extra->addWidget(lbOverT, 0, 1);
    extra->addWidget(lbTaxTag[17], 1, 0);
    extra->addWidget(lbTips, 1, 1);

    lbTaxVer = named<QLabel>(QStringLiteral("lbTaxVer"));
    Label7 = named<QLabel>(QStringLiteral("Label7"), QStringLiteral("Federal Table: Cir E - Pub15"));
    lbTableNotice = named<QLabel>(QStringLiteral("lbTableNotice"));
    lbTableNotice->setStyleSheet(QStringLiteral("color: darkred;"));
    lbUser = named<QLabel>(QStringLiteral("lbUser"), QStringLiteral("USER"));
    ckIowaPrior = named<QCheckBox>(QStringLiteral("ckIowaPrior"), QStringLiteral("Iowa- Jan1 to Mar31, 2005"));
    ckIowaPrior->setToolTip(QStringLiteral("Check if calculating prior to April 1st 2005"));
    ckIowaPrior->setVisible(false);

    auto *leftColumn = new QVBoxLayout;
    leftColumn->addWidget(Frame2);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Frame4);
    buttonRow->addWidget(Frame3);
    leftColumn->addLayout(buttonRow);
    auto *periodRow = new QHBoxLayout;
    periodRow->addWidget(cmdSavePrev);
    periodRow->addWidget(cmdPeriod);
    leftColumn->addLayout(periodRow);
    leftColumn->addWidget(ckIowaPrior);
    leftColumn->addStretch();
    auto *rightColumn = new QVBoxLayout;
    rightColumn->addWidget(Frame5);
    rightColumn->addWidget(Frame1);
    rightColumn->addWidget(Frame6);
    rightColumn->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(leftColumn, 3);
    columns->addLayout(rightColumn, 2);
    auto *footer = new QHBoxLayout;
    footer->addWidget(lbUser);
    footer->addStretch();
    footer->addWidget(lbTableNotice);
    footer->addStretch();
    footer->addWidget(Label7);
    footer->addWidget(lbTaxVer);

    auto *root = new QVBoxLayout(this);
    buildMenus();
    root->setMenuBar(menuBar);
    root->addLayout(columns);
    root->addLayout(footer);

    setDefaultButton(cmdCal);
    setCancelButton(cmdClear);
    connect(cmdCal, &QPushButton::clicked, this, [this] { cmdCal_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { Clear_All(); });
    connect(cmdSavePrev, &QPushButton::clicked, this, [this] { cmdSavePrev_Click(); });
    connect(cmdPeriod, &QPushButton::clicked, this, [this] { cmdPeriod_Click(); });
    connect(cmdYear, &QPushButton::clicked, this, [] { records().showYearToDate(); });
    connect(cmdOT, &QPushButton::clicked, this, [] { records().showOvertime(); });
    connect(Command1, &QPushButton::clicked, this, [] { records().showVacation(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { mnuPrintSheetItem_Click(); });
    cmdYear->setEnabled(records().available());
    cmdOT->setEnabled(records().available());
    Command1->setEnabled(records().available());
    cmdPrint->setEnabled(printouts().available());
}

void Form1::buildMenus()
{
    menuBar = named<QMenuBar>(QStringLiteral("menuBar"));
    auto menu = [this](const char *name, const char *caption) {
        QMenu *m = menuBar->addMenu(QLatin1String(caption));
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu *m, const char *name, const char *caption, const char *key, auto handler) {
        QAction *a = m->addAction(QLatin1String(caption));
        a->setObjectName(QLatin1String(name));
        if (key)
            a->setShortcut(QKeySequence(QLatin1String(key)));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu *m, const char *name) { m->addSeparator()->setObjectName(QLatin1String(name)); };

    QMenu *file = menu("mnuFile", "File");
    mnuNew = item(file, "mnuNew", "&New", "Ctrl+N", [this] { mnuNew_Click(); });
    mnuOpen = item(file, "mnuOpen", "&Open", "Ctrl+O", [this] { mnuOpen_Click(); });
    mnuSave = item(file, "mnuSave", "&Save", "Ctrl+S", [this] { mnuSave_Click(); });
    separator(file, "mnuDash3");
    mnuChecks = item(file, "mnuChecks", "C&hecks", "Ctrl+H", [] { printouts().showChecks(); });
    separator(file, "mnuDash6");
    mnuPrintSheetItem = item(file, "mnuPrintSheetItem", "Print Sheet", nullptr, [this] { mnuPrintSheetItem_Click(); });
    mnuPrintItem = item(file, "mnuPrintItem", "&Print Image", "Ctrl+P", [this] { mnuPrintItem_Click(); });
    separator(file, "mnuDash1");
    mnuClearIitem = item(file, "mnuClearIitem", "&Clear", "Ctrl+C", [this] { Clear_All(); });
    mnuExitItem = item(file, "mnuExitItem", "E&xit", "Ctrl+X", [this] { mnuExitItem_Click(); });

    QMenu *forms = menu("mnuForms", "Forms");
    mnuVac = item(forms, "mnuVac", "&Vacation", "Ctrl+V", [] { records().showVacation(); });
    mnuOtItem = item(forms, "mnuOtItem", "OT %", nullptr, [] { records().showOvertime(); });
    mnuYear = item(forms, "mnuYear", "&Year to Date", "Ctrl+Y", [] { records().showYearToDate(); });

    QMenu *options = menu("mnuOptions", "Options");
    mnuHeader = item(options, "mnuHeader", "H&eader", "Ctrl+E", [] { printouts().showHeader(); });
    separator(options, "mnuDash2");
    mnuTaxInfoItem = item(options, "mnuTaxInfoItem", "&User Info", "Ctrl+U", [this] { mnuTaxInfoItem_Click(); });
    separator(options, "mnuDash5");
    mnuState = item(options, "mnuState", "S&tate Tax", "Ctrl+T", [this] { mnuState_Click(); });
    mnuCity = item(options, "mnuCity", "C&ity Tax", "Ctrl+I", [] { tableEditors().showCityEditor(); });
    mnuNonCity = item(options, "mnuNonCity", "Non City Tax", nullptr, [] { tableEditors().showNonCityEditor(); });

    QMenu *help = menu("mnuHelp", "Help");
    mnuHelpItem = item(help, "mnuHelpItem", "He&lp", "Ctrl+L", [this] { mnuHelpItem_Click(); });
    separator(help, "mnuDash4");
    mnuAboutItem = item(help, "mnuAboutItem", "&About", "Ctrl+A", [this] { mnuAboutItem_Click(); });

    // F10 opens the menu bar, so every item can be reached from the keyboard.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(QStringLiteral("menuKey"));
    connect(f10, &QShortcut::activated, this, [this] { menuBar->setActiveAction(menuBar->actions().constFirst()); });

    // The items of windows whose subsystem is not installed stay visible
    // but cannot be chosen: checks, print sheet and heading; vacation,
    // overtime and year to date; the table editors.
    for (QAction *a : {mnuChecks, mnuPrintSheetItem, mnuHeader})
        a->setEnabled(printouts().available());
    for (QAction *a : {mnuVac, mnuOtItem, mnuYear})
        a->setEnabled(records().available());
    for (QAction *a : {mnuState, mnuCity, mnuNonCity})
        a->setEnabled(tableEditors().available());
}

void Form1::clearResultLabels()
{
    for (QLabel *l : {Label13, lbNet, lbTaxes, lbDeduct, lbOverT, lbTips})
        l->clear();
}

void Form1::formLoad()
{
    // Saves cut short by a crash leave their temporary files behind.
    legacy::removeStaleTemporaries({});
    ProgramState &st = state();
    LoadFederalTables(st, programFolder());
    st.profile.DefaultPayRate = 7.5f;
    PayResult &res = st.result;
    res.GrossLessKPlan = res.NetPay = 0;
    values.TotDeduct = 0;
    values.TaxDeduct = 0;
    res.FedTax = 0;
    res.StateTax = VariantNumber{};
    res.SDIAmount = res.SUIAmount = 0;
    res.CityTax = VariantNumber{};
    clearResultLabels();
    lbTaxVer->setText(q(st.federal.TaxVersion));
    printouts().readHeading();
    try {
        if (tableEditors().iowaSwitchOn())
            ckIowaPrior->setVisible(true);
        showDeductionCaptions();
        // The pay frequency is known now: the year's gross counts toward
        // the wage bases from the first calculation on.
        records().readSavedYear();
    } catch (const std::exception &e) {
        // The loads write the settings files; a folder that cannot be
        // written must not stop the program.
        tell(e);
    }
}

void Form1::showDeductionCaptions()
{
    const auto boxes = Forms::get<frmTaxInfo>().captionBoxes();
    for (int i = 0; i < 5; ++i)
        lbTaxTag[5 + i]->setText(boxes[i]->text());
}

void Form1::showTableNotice()
{
    lbTableNotice->setText(state().profile.WeeklyPay != kFalse ? QStringLiteral("Weekly Tax Tables")
                                                               : QStringLiteral("Bi-Weekly Tax Tables"));
}

void Form1::showUser(bool caption)
{
    const QString name = q(state().CurrentUser);
    if (caption)
        setWindowTitle(QStringLiteral("  User:  ") + name);
    lbUser->setText(name);
}

void Form1::Clear_All()
{
    for (QLineEdit *box : txtAmount)
        box->clear();
    for (QLabel *l : lbTaxDed)
        l->clear();
    lbSDI->clear();
    lbSUI->clear();
    lbCafe->clear();
    PayResult &res = state().result;
    res.GrossLessKPlan = res.GrossPay = res.NetPay = 0;
    values.TotDeduct = 0;
    values.TaxDeduct = 0;
    res.FedTax = 0;
    res.StateTax = VariantNumber{};
    res.CityTax = VariantNumber{};
    res.SDIAmount = res.SUIAmount = res.SDIYtdGross = res.SUIYtdGross = 0;
    state().stateSettings.StateAdjust = 0;
    clearResultLabels();
    txtWeek->setText(QStringLiteral("00/00/05"));
}

void Form1::CleartxtBox()
{
    for (QLineEdit *box : txtAmount)
        if (legacy::val(box->text().toStdString()) == 0)
            box->clear();
}

void Form1::clearAllResults()
{
    clearResultLabels();
    for (QLabel *l : lbTaxDed)
        l->clear();
    for (QLabel *l : {lbSDI, lbSUI, lbCafe})
        l->clear();
}

bool Form1::Calcu_late()
{
    // Emptied first, so a refused period never shows the figures of the
    // last one beside its entries.
    clearAllResults();
    PayEntries entries;
    for (int i = 0; i < 8; ++i)
        entries.text[i] = txtAmount[i]->text().toStdString();
    try {
        validateEntries(entries.text);
    } catch (const EntryError &e) {
        Ui::message(BoxError(entryLabels[e.index]->text(), q(entries.text[e.index]), e.problem).message(), Buttons::Ok,
                    Icon::Exclamation);
        txtAmount[e.index]->setFocus();
        return false;
    }

    ProgramState &st = state();
    // A damaged file that has no copy: the loads below would tell it again,
    // and the save refuse it.
    try {
        checkDamagedSettingsFiles();
        records().checkDamagedLeaveFile();
        tableEditors().checkDamagedTableFiles();
    } catch (const std::exception &e) {
        tell(e);
        return false;
    }
    // What the press takes, loads and writes is one save: the loads' write-
    // backs join it, and its files are written only when all of them can
    // be. Refused anywhere, the press shows nothing and leaves the stores,
    // the windows and every file as they were.
    SaveTransaction save;
    save.also([this, kept = values] { values = kept; });
    // An open state editor's boxes are taken first: one that is not a
    // number stops the calculation before anything changes.
    if (!tableEditors().loadEditorsForCalculation(save))
        return false;
    LoadFederalTables(st, programFolder());
    lbTaxVer->setText(q(st.federal.TaxVersion));

    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    entries.opt1x = opt1x->isChecked();
    entries.optBiWeek = info.optBiWeek->isChecked();
    entries.optWeek = info.optWeek->isChecked();
    entries.ckFedExemp = isOn(info.ckFedExemp);
    entries.ckSSMediExemp = isOn(info.ckSSMediExemp);
    PayLabels shown;
    try {
        shown = computePayPeriod(st, entries, values, tableEditors().calcEnvironment());
    } catch (const StateBoxError &e) {
        Ui::message(q(e.message()), Buttons::Ok, Icon::Exclamation);
        return false;
    } catch (const CalculationRefused &e) {
        Ui::message(QString::fromUtf8(e.what()), Buttons::Ok, Icon::Exclamation);
        return false;
    } catch (const FederalTableError &) {
        Ui::message(QStringLiteral("A rate or amount of the federal table \"%1\" is too large to compute with. "
                                   "Check the file.")
                        .arg(QString::fromLatin1(kFederalFileName)),
                    Buttons::Ok, Icon::Exclamation);
        return false;
    } catch (const legacy::OverflowError &) {
        // The store was put back as it was; nothing is shown or saved.
        Ui::message(QStringLiteral("An amount is too large to compute. Check the entries and the User Info rates."),
                    Buttons::Ok, Icon::Exclamation);
        return false;
    }
    zeroFederalTables(st.federal);
    if (!Forms::get<frmSaveUser>().cmdSaveUser_Click())
        return false;

    for (int i = 0; i < 8; ++i)
        txtAmount[i]->setText(q(entries.text[i]));
    Label13->setText(q(shown.Label13));
    for (int i = 0; i < 11; ++i)
        lbTaxDed[i]->setText(q(shown.lbTaxDed[i]));
    lbSDI->setText(q(shown.lbSDI));
    lbSUI->setText(q(shown.lbSUI));
    lbCafe->setText(q(shown.lbCafe));
    lbTaxes->setText(q(shown.lbTaxes));
    lbDeduct->setText(q(shown.lbDeduct));
    lbNet->setText(q(shown.lbNet));
    lbOverT->setText(q(shown.lbOverT));
    lbTips->setText(q(shown.lbTips));

    CleartxtBox();
    tableEditors().unloadEditorsAfterCalculation();
    return true;
}

void Form1::cmdCal_Click()
{
    if (Calcu_late())
        txtAmount[0]->setFocus();
}

frmSaveUser::Outcome Form1::showSaveUser()
{
    QPointer<Form1> self(this);
    const bool endingBefore = ending_;
    QPointer<frmSaveUser> dialog(&Forms::get<frmSaveUser>());
    dialog->outcome = frmSaveUser::Outcome::NotSaved;
    Ui::showModal(dialog);
    // Quit in the dialog ran the closing rule: nothing may follow it.
    if (!self || !dialog || ending_ != endingBefore)
        return frmSaveUser::Outcome::Quit;
    return dialog->outcome;
}

namespace {

// The user is back in the program, every window as it was: the dialog was
// let go (its close box, Esc), or its save was refused and waits to be
// corrected.
bool backInTheProgram(frmSaveUser::Outcome outcome)
{
    return outcome == frmSaveUser::Outcome::Refused || outcome == frmSaveUser::Outcome::Cancelled;
}

// A command that asked for the save goes on only when it was answered, and
// the program was not ended from the dialog.
bool mayGoOn(frmSaveUser::Outcome outcome)
{
    return !backInTheProgram(outcome) && outcome != frmSaveUser::Outcome::Quit;
}

// The question before the program ends; Esc or its close button keeps the
// program running.
Answer askToSaveSettings()
{
    return Ui::message(QStringLiteral("     SAVE USER'S SETTINGS?"), Buttons::YesNoEscCancels, Icon::None,
                       QStringLiteral("Save?"));
}

}  // namespace

void Form1::mnuSave_Click() { showSaveUser(); }

void Form1::mnuNew_Click()
{
    if (!records().settleYearToDate())
        return;
    const Answer save = Ui::message(QStringLiteral("........SAVE PREVIOUS USER?"), Buttons::YesNoEscCancels, Icon::None,
                                    QStringLiteral("Save?"));
    if (save == Answer::Cancel || (save == Answer::Yes && !mayGoOn(showSaveUser())))
        return;
    const std::string name = Ui::input(QStringLiteral("Enter new user:"), QStringLiteral("File New")).toStdString();
    try {
        checkProfileName(name);
    } catch (const NameError &e) {
        Ui::message(e.message(), Buttons::Ok, Icon::Exclamation);
        return;
    }
    if (legacy::canOpenForReading(profileFileName(name, ".use"))) {
        Ui::message(QStringLiteral("........") + q(name) + QStringLiteral(" already exists. Use Open"));
        return;
    }
    ProgramState &st = state();
    // Nothing of the profile that was open is carried into the new one.
    st = newProfileState(st, name);
    Forms::get<frmSaveUser>().txtSaveUser->setText(q(name));
    showUser(true);
    raise();
    activateWindow();

    records().clearForNewProfile();
    Clear_All();
    {
        frmTaxInfo &info = Forms::get<frmTaxInfo>();
        info.hide();
        info.ClearAll();
        Forms::unload(frmTaxInfo::kName);
    }
    printouts().unloadChecks();
    tableEditors().newProfileTables();
    Calcu_late();
}

void Form1::mnuOpen_Click()
{
    if (records().settleYearToDate() && mayGoOn(showSaveUser()))
        OpenFile();
}

void Form1::OpenFile()
{
    const QString folderBefore = QDir::currentPath();
    records().openStarting();
    const std::optional<QString> chosen = Ui::openFile(QStringLiteral("Saved Files (*.use)|*.use"));
    if (!chosen || chosen->isEmpty())
        return;
    // Another folder is locked before anything in it is read; the folder
    // before keeps its lock until the open has succeeded, so a failed open
    // goes back to a folder that is still this program's.
    const QString folder = QDir::currentPath();
    const bool otherFolder = folder != folderBefore;
    platform::FolderLock folderLock;
    if (otherFolder && !folderLock.acquire(folder)) {
        QDir::setCurrent(folderBefore);
        platform::FolderLock::tellInUse(folder);
        return;
    }
    const QString title = QFileInfo(*chosen).fileName();
    const std::string name = title.left(title.size() - 4).toStdString();

    ProgramState &st = state();
    const ProgramState before = st;
    try {
        checkProfileName(name);
        // What the profile's files do not give takes the new-profile
        // values, never those of the profile open before.
        st = newProfileState(st, name);
        LoadUserSettings(SettingsRead::Open);
        records().LoadYearToDate();
        LoadFederalTables(st, programFolder());
        lbTaxVer->setText(q(st.federal.TaxVersion));
        tableEditors().openProfileTables();
        records().GetVac();
        records().FillInOT();
    } catch (const std::exception &e) {
        // Never leave a mixture of two profiles: go back to the one that
        // was open, in its folder, and show it as it was.
        st = before;
        QDir::setCurrent(folderBefore);
        records().openFailed();
        if (Forms::isLoaded(frmTaxInfo::kName))
            Forms::unload(frmTaxInfo::kName);
        tell(e);
        try {
            showDeductionCaptions();
        } catch (const std::exception &) {
        }
        return;
    }
    if (otherFolder) {
        // The folder before is released as the local lock goes.
        platform::FolderLock::ofRun().swap(folderLock);
        legacy::removeStaleTemporaries({});
    }
    showUser(true);
    Forms::get<frmSaveUser>().txtSaveUser->setText(q(st.CurrentUser));
    raise();
    activateWindow();
    frmTaxInfo &info = Forms::get<frmTaxInfo>();
    info.ckKpPer->setChecked(st.profile.KPlanIsPercent == 1);
    info.ckKpFix->setChecked(st.profile.KPlanIsFixed == 1);
    showDeductionCaptions();
    Clear_All();
}

void Form1::mnuExitItem_Click()
{
    if (!records().settleYearToDate())
        return;
    const Answer save = askToSaveSettings();
    if (save == Answer::Cancel || (save == Answer::Yes && !mayGoOn(showSaveUser())))
        return;
    // Ends at once: no window's closing rule runs.
    ending_ = true;
    endProgram();
}

bool Form1::formQueryUnload(bool fromCode)
{
    if (fromCode || ending_)
        return true;
    if (!records().settleYearToDate())
        return false;
    ending_ = true;
    const Answer save = askToSaveSettings();
    const frmSaveUser::Outcome left = save == Answer::Yes ? showSaveUser() : frmSaveUser::Outcome::NotSaved;
    // Quit in the dialog is a closing too: it goes on.
    if (save == Answer::Cancel || backInTheProgram(left)) {
        ending_ = false;
        return false;
    }
    records().closeWindows(false);
    Forms::unload(frmTaxInfo::kName);
    tableEditors().unloadEditors();
    printouts().unloadChecks();
    endProgram();
    return true;
}

void Form1::mnuPrintItem_Click()
{
    if (!Ui::choosePrinter(this))
        return;
    if (!platform::printWindowImage(this, Ui::currentPrinter()))
        Ui::message(QStringLiteral("The window could not be printed: the printer cannot be started."), Buttons::Ok,
                    Icon::Exclamation);
}

void Form1::mnuPrintSheetItem_Click()
{
    if (!Ui::choosePrinter(this))
        return;
    try {
        printouts().PrintText();
    } catch (const std::exception &e) {
        // Nothing ends a print command without a word.
        tell(e);
    }
}

void Form1::mnuTaxInfoItem_Click() { Ui::showModal(&Forms::get<frmTaxInfo>()); }

void Form1::mnuState_Click() { tableEditors().showStateEditor(); }

void Form1::mnuHelpItem_Click()
{
    // The help document: in the current folder, else beside the program.
    const QString name = QStringLiteral("Wdk2k.html");
    QString path = QDir::current().filePath(name);
    if (!QFileInfo::exists(path))
        path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (!QFileInfo::exists(path) || !Ui::showHelp(path))
        Ui::message(QStringLiteral("The help file \"%1\" cannot be found or opened.").arg(name), Buttons::Ok,
                    Icon::Exclamation);
}

void Form1::mnuAboutItem_Click() { Ui::showModal(&Forms::get<frmAboutSpcl>()); }

void Form1::txtWeek_Click() { Ui::showModal(&Forms::get<frmDateMain>()); }

void Form1::cmdSavePrev_Click()
{
    const std::string dateText = txtWeek->text().toStdString();
    const std::string fileName = payPeriodFileName(dateText, state().CurrentUser);
    std::array<float, 8> amounts{};
    try {
        checkProfileName(fileName);
        for (QLineEdit *box : txtAmount)
            if (box->text().isEmpty())
                box->setText(QStringLiteral("0"));
        for (int i = 0; i < 8; ++i)
            amounts[i] = strictFloat(txtAmount[i], entryLabels[i]->text());
        writePayPeriodFile(fileName, amounts);
    } catch (const std::exception &e) {
        tell(e);
    }
}

void Form1::cmdPeriod_Click()
{
    const std::optional<QString> chosen = Ui::openFile(QStringLiteral("Saved Files (*.prv)|*.prv"));
    if (!chosen || chosen->isEmpty())
        return;
    const std::string title = QFileInfo(*chosen).fileName().toStdString();
    try {
        if (legacy::canOpenForReading(title)) {
            const std::array<float, 8> amounts = readPayPeriodFile(title);
            for (int i = 0; i < 8; ++i)
                txtAmount[i]->setText(q(legacy::floatToText(amounts[i])));
        }
    } catch (const std::exception &e) {
        tell(e);
        return;
    }
    txtWeek->setText(q(payDateFromFileTitle(title)));
    Calcu_late();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtWeek && event->type() == QEvent::MouseButtonPress) {
        txtWeek_Click();
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The menu's keys win over the boxes' own editing keys (Ctrl+C
        // clears, Ctrl+U opens User Info), as menu keys always did here.
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction *a : menuBar->findChildren<QAction *>())
            if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int index = int(std::find(txtAmount.begin(), txtAmount.end(), watched) - txtAmount.begin());
    if (index >= 8)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: txtAmount[(index + 1) % 8]->setFocus(); return true;
    case Qt::Key_Up:
        if (index > 0)
            txtAmount[index - 1]->setFocus();
        return true;
    case Qt::Key_Down:
        if (index < 7)
            txtAmount[index + 1]->setFocus();
        return true;
    default: return false;
    }
}

}  // namespace wagedesk
