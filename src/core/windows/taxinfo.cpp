#include "core/windows/taxinfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/saveuser.h"
#include "core/windows/transaction.h"
#include "legacy/seqfile.h"
#include "platform/limitededit.h"
#include "platform/ui.h"

namespace wagedesk {

using platform::Forms;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }
std::string s(const QString &t) { return t.toStdString(); }
QString num(float v) { return q(legacy::floatToText(v)); }

QLineEdit *amountBox(const char *name)
{
    auto *box = named<QLineEdit>(QLatin1String(name));
    makeNumericEntry(box);
    selectAllOnFocus(box);
    return box;
}

// The user types at most seven characters; a longer caption read from a
// file is shown and kept whole.
QLineEdit *captionBox(const char *name, const char *design)
{
    auto *box = named<platform::LimitedLineEdit>(QLatin1String(name), 7);
    box->setText(QLatin1String(design));
    return box;
}

// The lists hold only what the allowance tables can look up.
QComboBox *statusList(const char *name)
{
    auto *box = named<QComboBox>(QLatin1String(name));
    box->addItems({QStringLiteral("Single"), QStringLiteral("Married")});
    box->setToolTip(QStringLiteral("Set Status"));
    return box;
}

QComboBox *countList(const char *name)
{
    auto *box = named<QComboBox>(QLatin1String(name));
    for (int i = 0; i <= 9; ++i)
        box->addItem(QString::number(i));
    box->setToolTip(QStringLiteral("Set Exemptions"));
    return box;
}

QLabel *label(const char *name, const char *caption)
{
    return named<QLabel>(QLatin1String(name), QString::fromUtf8(caption));
}

QWidget *row(std::initializer_list<QWidget *> widgets)
{
    auto *w = new QWidget;
    auto *l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget *c : widgets)
        l->addWidget(c);
    return w;
}

}  // namespace

frmTaxInfo::frmTaxInfo() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("User Info"));

    cboStatus = statusList("cboStatus");
    cboDepend = countList("cboDepend");
    cboStatus2 = statusList("cboStatus2");
    cboDepend2 = countList("cboDepend2");
    optWeek = named<QRadioButton>(QStringLiteral("optWeek"), QStringLiteral("Weekly"));
    optBiWeek = named<QRadioButton>(QStringLiteral("optBiWeek"), QStringLiteral("Bi-Weekly"));
    ckSelfEmp = named<QCheckBox>(QStringLiteral("ckSelfEmp"), QStringLiteral("Self Employed"));
    ckFedExemp = named<QCheckBox>(QStringLiteral("ckFedExemp"), QStringLiteral("Federal Tax Exempt"));
    ckNonCity = named<QCheckBox>(QStringLiteral("ckNonCity"), QStringLiteral("NON-CITY Resident"));
    ckSSMediExemp = named<QCheckBox>(QStringLiteral("ckSSMediExemp"), QStringLiteral("S.S. && Medicare Tax Exempt"));
    txtTax5 = captionBox("txtTax5", "Credit");
    txtTax6 = captionBox("txtTax6", "Bond");
    txtTax7 = captionBox("txtTax7", "Dues");
    txtTax8 = captionBox("txtTax8", "Pension");
    txtTax9 = captionBox("txtTax9", "Misc.");
    txtMuni = amountBox("txtMuni");
    txtBond = amountBox("txtBond");
    txtDues = amountBox("txtDues");
    txtPension = amountBox("txtPension");
    txtMisc = amountBox("txtMisc");
    txtKplan = amountBox("txtKplan");
    ckKpFix = named<QCheckBox>(QStringLiteral("ckKpFix"));
    ckKpPer = named<QCheckBox>(QStringLiteral("ckKpPer"));
    txtCafe = amountBox("txtCafe");
    ckCafeState = named<QCheckBox>(QStringLiteral("ckCafeState"), QStringLiteral("Deduct State"));
    txtHourRate = amountBox("txtHourRate");
    txtHourRate2 = amountBox("txtHourRate2");
    txtTipsRate = amountBox("txtTipsRate");
    txtFedAddL = amountBox("txtFedAddL");
    txtName = named<QLineEdit>(QStringLiteral("txtName"), QStringLiteral("Employee's Name"));
    txtAddress = named<QLineEdit>(QStringLiteral("txtAddress"), QStringLiteral("Employee's Address for Check"));
    txtStateCityZip = named<QLineEdit>(QStringLiteral("txtStateCityZip"), QStringLiteral("City, State, Zip Code"));
    txtSSnum = named<QLineEdit>(QStringLiteral("txtSSnum"), QStringLiteral("Social Security Number"));
    cmdOk = named<QPushButton>(QStringLiteral("cmdOk"), QStringLiteral("Save"));
    Command1 = named<QPushButton>(QStringLiteral("Command1"), QStringLiteral("Close"));
    for (QComboBox *box : {cboStatus, cboDepend, cboStatus2, cboDepend2})
        selectAllOnFocus(box);

    // Layout: statuses and switches on the left, deductions and rates on
    // the right, the buttons at the bottom right.
    auto frame = [](const char *name, const char *caption, QWidget *content) {
        auto *box = named<QGroupBox>(QLatin1String(name), QString::fromUtf8(caption));
        auto *l = new QVBoxLayout(box);
        l->addWidget(content);
        return box;
    };
    auto *left = new QVBoxLayout;
    auto *fed = new QGridLayout;
    fed->addWidget(label("Label14", "FEDERAL STATUS"), 0, 0, 1, 2);
    fed->addWidget(frame("Frame2", "Status", cboStatus), 1, 0);
    fed->addWidget(frame("Frame1", "Exemptions", cboDepend), 1, 1);
    fed->addWidget(label("Label13", "STATE & CITY STATUS"), 2, 0, 1, 2);
    fed->addWidget(frame("Frame3", "Status", cboStatus2), 3, 0);
    fed->addWidget(frame("Frame4", "Exemptions", cboDepend2), 3, 1);
    left->addLayout(fed);
    left->addWidget(row({optWeek, optBiWeek}));
    auto *switches = new QGridLayout;
    switches->addWidget(ckSelfEmp, 0, 0);
    switches->addWidget(ckFedExemp, 0, 1);
    switches->addWidget(ckNonCity, 1, 0);
    switches->addWidget(ckSSMediExemp, 1, 1);
    left->addLayout(switches);
    for (QLineEdit *box : {txtName, txtAddress, txtStateCityZip, txtSSnum})
        left->addWidget(box);
    left->addStretch();

    // The deductions, each caption box above its amount, three to a row.
    auto *deductionGrid = new QGridLayout;
    const std::array<std::pair<QLineEdit *, QLineEdit *>, 5> deductions{
        {{txtTax5, txtMuni}, {txtTax6, txtBond}, {txtTax7, txtDues}, {txtTax8, txtPension}, {txtTax9, txtMisc}}};
    for (int i = 0; i < 5; ++i) {
        const int col = i % 3, top = (i / 3) * 2;
        deductionGrid->addWidget(deductions[i].first, top, col);
        deductionGrid->addWidget(
            row({new QLabel(i == 3 ? QStringLiteral("%") : QStringLiteral("$")), deductions[i].second}), top + 1, col);
    }
    auto *amounts = new QGridLayout;
    int r = 0;
    amounts->addWidget(label("Label6", "K Plan"), r, 0);
    amounts->addWidget(txtKplan, r, 1);
    amounts->addWidget(row({label("Label17", "$"), ckKpFix, label("Label7", "%"), ckKpPer}), r, 2, 1, 2, Qt::AlignLeft);
    ++r;
    amounts->addWidget(label("Label10", "Cafeteria Plan"), r, 0);
    amounts->addWidget(txtCafe, r, 1);
    amounts->addWidget(ckCafeState, r, 2, 1, 2);
    ++r;
    amounts->addWidget(label("Label9", "Hourly Rate 1"), r, 0);
    amounts->addWidget(row({new QLabel(QStringLiteral("$")), txtHourRate}), r, 1);
    amounts->addWidget(label("Label11", "Hourly Rate 2"), r, 2);
    amounts->addWidget(row({new QLabel(QStringLiteral("$")), txtHourRate2}), r, 3);
    ++r;
    amounts->addWidget(label("Label1", "Tips Rate"), r, 0);
    amounts->addWidget(row({new QLabel(QStringLiteral("$")), txtTipsRate}), r, 1);
    ++r;
    amounts->addWidget(label("Label16", "Additional Federal Withholdings"), r, 0, 1, 3);
    amounts->addWidget(txtFedAddL, r, 3);
    auto *right = new QVBoxLayout;
    right->addLayout(deductionGrid);
    right->addSpacing(8);
    right->addLayout(amounts);
    right->addStretch();
    right->addWidget(row({Command1, cmdOk}), 0, Qt::AlignRight);

    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addSpacing(16);
    top->addLayout(right);

    cmdOk->setDefault(true);
    setDefaultButton(cmdOk);
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Ticking one K-plan box clears the other; clearing a box leaves both clear.
    connect(ckKpFix, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            ckKpPer->setChecked(false);
    });
    connect(ckKpPer, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            ckKpFix->setChecked(false);
    });
}

void frmTaxInfo::setStatus(QComboBox *box, const std::string &text)
{
    const int i = box->findText(q(text));
    if (i >= 0)
        box->setCurrentIndex(i);
}

void frmTaxInfo::formLoad()
{
    ProfileSettings &p = state().profile;
    if (p.FedExemptions.empty())
        p.FedExemptions = "0";
    if (p.FedStatus.empty())
        p.FedStatus = "Single";
    if (p.StateStatus.empty() || p.StateStatus == "0")
        p.StateStatus = "Single";
    if (p.EmployeeName.empty())
        p.EmployeeName = "Employee's Name";
    if (p.EmployeeAddress.empty())
        p.EmployeeAddress = "Employee's Address for Check";
    if (p.EmployeeCityStateZip.empty())
        p.EmployeeCityStateZip = "City, State Zip Code";
    if (p.EmployeeSSN.empty())
        p.EmployeeSSN = "Soc Sec #";

    if (p.WeeklyPay == kFalse && p.BiWeeklyPay == kFalse) {
        p.WeeklyPay = kTrue;
        optWeek->setChecked(true);
    }
    if (p.KPlanIsPercent == 0 && p.KPlanIsFixed == 0) {
        p.KPlanIsPercent = 1;
        ckKpPer->setChecked(true);
    } else if (p.KPlanIsPercent == 1) {
        ckKpPer->setChecked(true);
        p.KPlanIsFixed = 0;
    } else if (p.KPlanIsFixed == 1) {
        ckKpFix->setChecked(true);
        p.KPlanIsPercent = 0;
    }

    showSettings(true);
    const auto boxes = captionBoxes();
    static const std::array<const char *, 5> defaults{"CrUnion", "Bond", "Dues", "Pension", "Misc."};
    for (int i = 0; i < 5; ++i)
        if (boxes[i]->text().isEmpty())
            boxes[i]->setText(QLatin1String(defaults[i]));
    try {
        if (lenientValue(txtHourRate, QStringLiteral("Hourly Rate 1")) == 0)
            txtHourRate->setText(QStringLiteral("7.5"));
        fillVar_();
    } catch (const legacy::FileError &) {
        // The write-back of what was just read, which nobody asked for,
        // could not be made. The save the user asks for makes the same
        // files and tells why (a damaged file that has no copy is told
        // where it was found): told here too, one problem would be told
        // at every window that loads this one.
    } catch (const std::exception &e) {
        // Loading happens behind every reader of these boxes; a box that
        // cannot be read is reported, not fatal.
        platform::Ui::message(describeError(e), platform::Buttons::Ok, platform::Icon::Exclamation);
    }
}

void frmTaxInfo::showSettings(bool withStateItems)
{
    const ProfileSettings &p = state().profile;
    txtHourRate->setText(num(p.PayRate1));
    txtHourRate2->setText(num(p.PayRate2));
    txtTipsRate->setText(num(p.TipsRate));
    setStatus(cboDepend, p.FedExemptions);
    setStatus(cboStatus, p.FedStatus);
    if (withStateItems) {
        setStatus(cboDepend2, std::to_string(p.StateExemptions));
        setStatus(cboStatus2, p.StateStatus);
        txtFedAddL->setText(num(p.FedAdditional));
        setSwitch(ckFedExemp, p.FedExempt);
        setSwitch(ckSSMediExemp, p.SSMediExempt);
    }
    txtPension->setText(num(p.PensionPercent));
    txtMuni->setText(num(p.DeductMuni));
    txtBond->setText(num(p.DeductBond));
    txtMisc->setText(num(p.DeductMisc));
    txtDues->setText(num(p.DeductDues));
    txtKplan->setText(num(p.KPlan));
    txtCafe->setText(num(p.CafeteriaPlan));
    setSwitch(ckNonCity, p.NonCityResident);
    if (p.WeeklyPay != kFalse)
        optWeek->setChecked(true);
    if (p.BiWeeklyPay != kFalse)
        optBiWeek->setChecked(true);
    setSwitch(ckCafeState, p.CafeDeductState);
    setSwitch(ckSelfEmp, p.SelfEmployed);
    setSwitch(ckKpFix, p.KPlanIsFixed);
    setSwitch(ckKpPer, p.KPlanIsPercent);
    txtAddress->setText(q(p.EmployeeAddress));
    txtStateCityZip->setText(q(p.EmployeeCityStateZip));
    txtSSnum->setText(q(p.EmployeeSSN));
    txtName->setText(q(p.EmployeeName));
    const auto boxes = captionBoxes();
    for (int i = 0; i < 5; ++i)
        boxes[i]->setText(q(p.TaxCaption[5 + i]));
}

void frmTaxInfo::fillVar_()
{
    // On view, the boxes are the user's: a rate of 0 shown as 7.5 is put
    // back with the rest when the save is refused.
    if (SaveTransaction *save = SaveTransaction::current(); save && isVisible())
        save->keep(this);
    ProfileSettings &p = state().profile;
    // Every number is read before the store changes: a box that cannot be
    // read changes nothing.
    const std::int16_t stateExemptions = strictInt16(cboDepend2, QStringLiteral("STATE & CITY Exemptions"));
    const float rate2 = strictFloat(txtHourRate2, QStringLiteral("Hourly Rate 2"));
    const float tips = strictFloat(txtTipsRate, QStringLiteral("Tips Rate"));
    const auto boxes = captionBoxes();
    const float pension = lenientFloat(txtPension, boxes[3]->text());
    const float muni = lenientFloat(txtMuni, boxes[0]->text());
    const float bond = lenientFloat(txtBond, boxes[1]->text());
    const float misc = lenientFloat(txtMisc, boxes[4]->text());
    const float dues = lenientFloat(txtDues, boxes[2]->text());
    const float kplan = lenientFloat(txtKplan, QStringLiteral("K Plan"));
    const float fedAdditional = lenientFloat(txtFedAddL, QStringLiteral("Additional Federal Withholdings"));
    const float cafeteria = lenientFloat(txtCafe, QStringLiteral("Cafeteria Plan"));
    if (lenientValue(txtHourRate, QStringLiteral("Hourly Rate 1")) == 0)
        txtHourRate->setText(QStringLiteral("7.5"));
    const float rate1 = strictFloat(txtHourRate, QStringLiteral("Hourly Rate 1"));

    p.FedExemptions = s(cboDepend->currentText());
    p.FedStatus = s(cboStatus->currentText());
    p.StateExemptions = stateExemptions;
    p.StateStatus = s(cboStatus2->currentText());
    p.PensionPercent = pension;
    p.DeductMuni = muni;
    p.DeductBond = bond;
    p.DeductMisc = misc;
    p.DeductDues = dues;
    p.KPlan = kplan;
    p.NonCityResident = switchValue(ckNonCity);
    p.FedExempt = switchValue(ckFedExemp);
    p.SSMediExempt = switchValue(ckSSMediExemp);
    p.FedAdditional = fedAdditional;
    p.WeeklyPay = optWeek->isChecked() ? kTrue : kFalse;
    p.BiWeeklyPay = optBiWeek->isChecked() ? kTrue : kFalse;
    p.KPlanIsPercent = switchValue(ckKpPer);
    p.KPlanIsFixed = switchValue(ckKpFix);
    p.CafeteriaPlan = cafeteria;
    p.CafeDeductState = switchValue(ckCafeState);
    p.SelfEmployed = switchValue(ckSelfEmp);
    p.PayRate2 = rate2;
    p.TipsRate = tips;
    p.EmployeeAddress = s(txtAddress->text());
    p.EmployeeCityStateZip = s(txtStateCityZip->text());
    p.EmployeeSSN = s(txtSSnum->text());
    p.EmployeeName = s(txtName->text());
    for (int i = 0; i < 5; ++i)
        p.TaxCaption[5 + i] = s(boxes[i]->text());

    Form1 &main = Forms::get<Form1>();
    main.showDeductionCaptions();
    p.PayRate1 = rate1;
    main.showTableNotice();
    SaveOT();
}

void frmTaxInfo::ClearAll()
{
    ProfileSettings &p = state().profile;
    p.PayRate1 = p.PayRate2 = p.TipsRate = 0;
    p.FedExemptions = "0";
    p.FedStatus = p.StateStatus = "Single";
    p.StateExemptions = 0;
    p.EmployeeAddress = "Employee's Address for Check";
    p.FedAdditional = p.PensionPercent = p.DeductMuni = p.DeductBond = p.DeductMisc = p.DeductDues = 0;
    p.KPlan = p.CafeteriaPlan = 0;
    p.NonCityResident = p.FedExempt = p.SSMediExempt = 0;
    p.WeeklyPay = kTrue;
    p.BiWeeklyPay = kFalse;
    p.KPlanIsPercent = 1;
    p.KPlanIsFixed = 0;
    p.CafeDeductState = p.SelfEmployed = 0;
    p.EmployeeCityStateZip = "State, City Zip Code";
    p.EmployeeSSN = "Soc Sec #";
    p.EmployeeName = "Employee's Name";

    cboDepend->setCurrentIndex(0);
    cboStatus->setCurrentIndex(0);
    cboDepend2->setCurrentIndex(0);
    cboStatus2->setCurrentIndex(0);
    for (QCheckBox *box : {ckSelfEmp, ckFedExemp, ckKpFix, ckNonCity, ckSSMediExemp, ckCafeState})
        box->setChecked(false);
    ckKpPer->setChecked(true);
    optWeek->setChecked(true);
    for (QLineEdit *box : {txtPension, txtMuni, txtBond, txtMisc, txtDues, txtKplan, txtCafe})
        box->setText(QStringLiteral("0"));
    txtHourRate->setText(QStringLiteral("7.5"));
    for (QLineEdit *box : {txtTipsRate, txtHourRate2, txtFedAddL})
        box->setText(QStringLiteral("0"));
    txtName->setText(QStringLiteral("Employee's Name"));
    txtAddress->setText(QStringLiteral("Employee's Address for Check"));
    txtStateCityZip->setText(QStringLiteral("State, City Zip Code"));
    txtSSnum->setText(QStringLiteral("Soc Sec #"));
    txtTax5->setText(QStringLiteral("CrUnion"));
    txtTax6->setText(QStringLiteral("Bond"));
    txtTax7->setText(QStringLiteral("Dues"));
    txtTax8->setText(QStringLiteral("Pension"));
    txtTax9->setText(QStringLiteral("Misc."));
    const auto boxes = captionBoxes();
    for (int i = 0; i < 5; ++i)
        p.TaxCaption[5 + i] = s(boxes[i]->text());
}

void frmTaxInfo::cmdOk_Click()
{
    // Refused, the OK changes no setting (a Close after it leaves them as
    // they were); the window keeps what the user typed, to try again. The
    // save-user Save below writes the settings files with every other file
    // of the profile, in this one save.
    SaveTransaction save;
    try {
        fillVar_();
    } catch (const std::exception &e) {
        // A box that is not a number, a file that cannot be made: the
        // window stays open for a correction.
        platform::Ui::message(describeError(e), platform::Buttons::Ok, platform::Icon::Exclamation);
        return;
    }
    if (!Forms::get<frmSaveUser>().cmdSaveUser_Click())
        return;
    Forms::unload(kName);
}

void frmTaxInfo::Command1_Click() { Forms::unload(kName); }

}  // namespace wagedesk
