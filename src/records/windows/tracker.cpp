#include "records/windows/tracker.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <limits>

#include "core/profile_files.h"
#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "platform/datepicker.h"
#include "platform/ui.h"
#include "records/windows/ledger.h"

namespace wagedesk {

using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

// ---- layout, in pixels: rows 270 twips apart ----
constexpr int kPitch = 18;
constexpr int kBoxHeight = 17;
constexpr int kTop = 32;
constexpr int kDateWidth = 80, kAmountWidth = 60;
constexpr int kNumberWidth = 32;
constexpr int kSetWidth = kDateWidth + 4 + kAmountWidth;
constexpr int kMiddleLeft = 184, kMiddleWidth = 150;  // at the least: results may need more
constexpr int kResultLeft = 8, kResultWidth = 100;
// Beyond the bi-weekly window's right edge.
constexpr int kSecondSetLeft = kMiddleLeft + kMiddleWidth + 4;
constexpr int kHeight = kTop + 26 * kPitch + 8;

QFrame *plainFrame(QWidget *parent, const char *name, QRect geometry)
{
    auto *f = named<QFrame>(QLatin1String(name));
    f->setParent(parent);
    f->setGeometry(geometry);
    return f;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *l = named<QLabel>(QLatin1String(name), text);
    l->setParent(parent);
    l->setGeometry(geometry);
    return l;
}

QLabel *result(QWidget *parent, const char *name, const char *tip, QRect geometry)
{
    QLabel *l = label(parent, name, QString(), geometry);
    l->setToolTip(QLatin1String(tip));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// The headings over one set of rows.
QFrame *headings(QWidget *parent, const char *name, int left)
{
    QFrame *f = plainFrame(parent, name, QRect(left, 4, kNumberWidth + kSetWidth, kTop - 6));
    int n = 0;
    for (auto [text, x] : {std::pair{"Week No.", 0}, std::pair{" Week Ending", kNumberWidth},
                           std::pair{" O.T. Only", kNumberWidth + kDateWidth + 4}}) {
        QLabel *l = label(f, nullptr, QLatin1String(text), QRect(x, 0, x == 0 ? kNumberWidth : kDateWidth, kTop - 6));
        l->setObjectName(QStringLiteral("%1Heading%2").arg(QLatin1String(name)).arg(n++));
        l->setWordWrap(true);
    }
    return f;
}

}  // namespace

Form2::Form2() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("OverTime Percentage"));
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    Frame9 = headings(this, "Frame9", 4);
    Frame8 = headings(this, "Frame8", kSecondSetLeft);
    Frame1 = plainFrame(this, "Frame1", QRect(4, kTop, kNumberWidth, 26 * kPitch));
    Frame2 = plainFrame(this, "Frame2", QRect(4 + kNumberWidth, kTop, kSetWidth, 26 * kPitch));
    Frame6 = plainFrame(this, "Frame6", QRect(kSecondSetLeft, kTop, kNumberWidth, 26 * kPitch));
    Frame5 = plainFrame(this, "Frame5", QRect(kSecondSetLeft + kNumberWidth, kTop, kSetWidth, 26 * kPitch));
    for (int i = 0; i < kRows; ++i) {
        QFrame *numbers = i < 26 ? Frame1 : Frame6;
        QFrame *boxes = i < 26 ? Frame2 : Frame5;
        const int y = (i % 26) * kPitch;
        Label2[i] = label(numbers, nullptr, QString::number(i + 1), QRect(0, y, kNumberWidth - 2, kBoxHeight));
        Label2[i]->setObjectName(indexed("Label2", i));
        Label2[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Text1[i] = named<QLineEdit>(indexed("Text1", i));
        Text1[i]->setParent(boxes);
        Text1[i]->setGeometry(0, y, kDateWidth, kBoxHeight);
        txtOT[i] = named<QLineEdit>(indexed("txtOT", i));
        txtOT[i]->setParent(boxes);
        txtOT[i]->setGeometry(kDateWidth + 4, y, kAmountWidth, kBoxHeight);
        txtOT[i]->setAlignment(Qt::AlignRight);
        makeNumericEntry(txtOT[i]);
        for (QLineEdit *box : {Text1[i], txtOT[i]}) {
            selectAllOnFocus(box);
            box->installEventFilter(this);
        }
    }
    Text1[26]->setToolTip(QStringLiteral("You have to go back 26 pay periods."));
    txtOT[51]->setToolTip(QStringLiteral("Fill in your o.t. for the past 26 weeks"));

    // Salary and percentage.
    Frame7 = named<QGroupBox>(QStringLiteral("Frame7"));
    Frame7->setParent(this);
    Frame7->setGeometry(kMiddleLeft, 4, kMiddleWidth, 104);
    label(Frame7, "Label3", QStringLiteral("Annual Salary"), QRect(8, 8, 136, 16));
    label(Frame7, "Label4", QStringLiteral("$"), QRect(8, 26, 10, 18));
    txtAnnual = named<QLineEdit>(QStringLiteral("txtAnnual"));
    txtAnnual->setParent(Frame7);
    txtAnnual->setGeometry(20, 26, 90, 18);
    txtAnnual->setToolTip(QStringLiteral("Look on your pay stub for SALARY"));
    lbPer = label(Frame7, "lbPer", QStringLiteral("Enter Your Approved Percentage"), QRect(8, 46, 136, 30));
    lbPer->setWordWrap(true);
    txtApPercent = named<QLineEdit>(QStringLiteral("txtApPercent"));
    txtApPercent->setParent(Frame7);
    txtApPercent->setGeometry(20, 78, 60, 18);
    label(Frame7, "Label5", QStringLiteral("%"), QRect(84, 78, 14, 18));
    for (QLineEdit *box : {txtAnnual, txtApPercent}) {
        makeNumericEntry(box);
        selectAllOnFocus(box);
    }

    // Results.
    Frame3 = named<QGroupBox>(QStringLiteral("Frame3"), QStringLiteral("Results"));
    Frame3->setParent(this);
    Frame3->setGeometry(kMiddleLeft, 112, kMiddleWidth, 176);
    label(Frame3, "Label6", QStringLiteral("OverTime Earned"), QRect(8, 16, 136, 14));
    lbEarned = result(Frame3, "lbEarned", "Total from O.T. Only boxes", QRect(kResultLeft, 30, kResultWidth, 16));
    QLabel *at = label(Frame3, "Label7", QStringLiteral("You are at"), QRect(8, 50, 136, 14));
    at->setToolTip(QStringLiteral("Present percent rate"));
    txtPercent = named<QLineEdit>(QStringLiteral("txtPercent"));
    txtPercent->setParent(Frame3);
    txtPercent->setGeometry(kResultLeft, 64, kResultWidth, 16);
    txtPercent->setReadOnly(true);
    txtPercent->setAlignment(Qt::AlignRight);
    QPalette face = txtPercent->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    txtPercent->setPalette(face);
    QLabel *max = label(Frame3, "Label8", QStringLiteral("Max. allowable amount at approved percentage "),
                        QRect(8, 84, 136, 28));
    max->setWordWrap(true);
    lbMax = result(Frame3, "lbMax", "Your limit at the approved % rate", QRect(kResultLeft, 112, kResultWidth, 16));
    label(Frame3, "Label9", QStringLiteral("Available overtime left"), QRect(8, 132, 136, 14));
    lbAvail = result(Frame3, "lbAvail", "The difference", QRect(kResultLeft, 148, kResultWidth, 16));

    // This period, as the main window shows it.
    label(this, "Label10", QStringLiteral("OT Earned:"), QRect(kMiddleLeft, 294, 62, 16));
    lb_OT = label(this, "lb_OT", QString(), QRect(kMiddleLeft + 64, 294, 84, 16));
    label(this, "Label11", QStringLiteral("On:"), QRect(kMiddleLeft, 312, 62, 16));
    lbWk = label(this, "lbWk", QString(), QRect(kMiddleLeft + 64, 312, 84, 16));
    for (QLabel *l : {lb_OT, lbWk})
        l->setStyleSheet(QStringLiteral("color: #00ff00; background-color: black;"));

    // Buttons.
    Frame4 = named<QGroupBox>(QStringLiteral("Frame4"));
    Frame4->setParent(this);
    Frame4->setGeometry(kMiddleLeft, 334, kMiddleWidth, kHeight - 338);
    auto button = [this](const char *name, const char *caption, int y) {
        auto *b = named<QPushButton>(QLatin1String(name), QLatin1String(caption));
        b->setParent(Frame4);
        b->setGeometry(25, y, 100, 24);
        return b;
    };
    cmdADD = button("cmdADD", "&TOTAL", 8);
    cmdAdvance = button("cmdAdvance", "&New Week", 36);
    cmdAdvance->setToolTip(QStringLiteral("Move up one pay period. Delete 1st wk, add new 26wk."));
    cmdClose = button("cmdClose", "&Back", 64);
    cmdUndo = button("cmdUndo", "&Undo", 92);
    cmdUndo->setToolTip(QStringLiteral("ONLY BACK TO WHEN FIRST OPENED"));
    cmdPrint = button("cmdPrint", "&Print", 120);
    cmdADD->setDefault(true);
    setDefaultButton(cmdADD);

    // Tab follows the rows, then the buttons, the rate and the two boxes.
    QWidget *previous = nullptr;
    auto chain = [&previous](QWidget *w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    for (int i = 0; i < kRows; ++i) {
        chain(Text1[i]);
        chain(txtOT[i]);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{cmdADD, cmdAdvance, cmdClose, cmdUndo, cmdPrint, txtPercent,
                                                       txtAnnual, txtApPercent})
        chain(w);

    connect(cmdADD, &QPushButton::clicked, this, [this] { cmdADD_Click(); });
    connect(cmdAdvance, &QPushButton::clicked, this, [this] { cmdAdvance_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdUndo, &QPushButton::clicked, this, [this] { cmdUndo_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });

    fitMiddleColumn();
    resize(weeklyWidth_, kHeight);
}

void Form2::fitMiddleColumn()
{
    // The longest results are those of the largest singles: every digit
    // of their whole part shows.
    constexpr float largest = std::numeric_limits<float>::max();
    const QString dollars = q(payrecords::dollarText(-largest)), rate = q(payrecords::percentText(-largest));
    const int results = std::max({kResultWidth, widthToHold(lbEarned, {dollars}), widthToHold(txtPercent, {rate})});
    const int thisPeriod = std::max(lb_OT->width(), widthToHold(lb_OT, {QLatin1String(kWidestAmount)}));
    const int middle = std::max({kMiddleWidth, results + 2 * kResultLeft, 64 + thisPeriod});
    for (QWidget *w : std::initializer_list<QWidget *>{lbEarned, txtPercent, lbMax, lbAvail})
        w->resize(results, w->height());
    for (QLabel *l : {lb_OT, lbWk})
        l->resize(thisPeriod, l->height());
    for (QWidget *w : std::initializer_list<QWidget *>{Frame7, Frame3, Frame4})
        w->resize(middle, w->height());
    for (QPushButton *b : {cmdADD, cmdAdvance, cmdClose, cmdUndo, cmdPrint})
        b->move((middle - b->width()) / 2, b->y());

    const int shift = middle - kMiddleWidth;
    for (QWidget *w : std::initializer_list<QWidget *>{Frame8, Frame6, Frame5})
        w->move(w->x() + shift, w->y());
    // At the least width of the middle column: 5055 and 7725 twips.
    biWeeklyWidth_ = kSecondSetLeft + shift - 1;
    weeklyWidth_ = kSecondSetLeft + shift + kNumberWidth + kSetWidth + 1;
}

payrecords::OvertimeLayout Form2::layout() const { return payrecords::overtimeLayout(state().profile.WeeklyPay); }

payrecords::OvertimeTexts Form2::texts() const
{
    payrecords::OvertimeTexts t;
    for (int i = 0; i < kRows; ++i) {
        t.Text1[i] = Text1[i]->text().toStdString();
        t.txtOT[i] = txtOT[i]->text().toStdString();
    }
    t.txtAnnual = txtAnnual->text().toStdString();
    t.txtApPercent = txtApPercent->text().toStdString();
    t.lbEarned = lbEarned->text().toStdString();
    t.txtPercent = txtPercent->text().toStdString();
    t.lbMax = lbMax->text().toStdString();
    t.lbAvail = lbAvail->text().toStdString();
    return t;
}

void Form2::showTexts(const payrecords::OvertimeTexts &t)
{
    for (int i = 0; i < kRows; ++i) {
        showText(Text1[i], t.Text1[i]);
        showText(txtOT[i], t.txtOT[i]);
    }
    showText(txtAnnual, t.txtAnnual);
    showText(txtApPercent, t.txtApPercent);
    showText(lbEarned, t.lbEarned);
    showText(txtPercent, t.txtPercent);
    showText(lbMax, t.lbMax);
    showText(lbAvail, t.lbAvail);
}

void Form2::formLoad()
{
    payrecords::OvertimeTexts t = texts();
    payrecords::Form_Load(state().overtime, t, layout());
    showTexts(t);
}

void Form2::FillInOT()
{
    payrecords::OvertimeTexts t = texts();
    payrecords::FillInOT(state().overtime, t, layout());
    showTexts(t);
}

void Form2::ClearAll()
{
    payrecords::OvertimeTexts t = texts();
    payrecords::ClearAll(state().overtime, t, layout());
    showTexts(t);
}

payrecords::OvertimeForSettings Form2::takeForSettings(payrecords::OvertimeLayout rows)
{
    payrecords::OvertimeTexts t = texts();
    payrecords::OvertimeForSettings taken = payrecords::takeForSettings(state().overtime, t, rows);
    showTexts(t);
    return taken;
}

void Form2::cmdADD_Click()
{
    payrecords::OvertimeTexts t = texts();
    const std::optional<payrecords::OvertimeMessage> message = payrecords::cmdADD_Click(state().overtime, t, layout());
    showTexts(t);
    if (message)
        Ui::message(q(message->text), Buttons::Ok, Icon::Exclamation, q(message->title));
}

void Form2::Form_Paint()
{
    payrecords::OvertimeTexts t = texts();
    payrecords::Form_Paint(t, layout());
    showTexts(t);
}

void Form2::cmdAdvance_Click()
{
    payrecords::OvertimeTexts t = texts();
    payrecords::cmdAdvance_Click(t, layout());
    showTexts(t);
}

void Form2::cmdClose_Click()
{
    payrecords::cmdClose_Click(state().overtime, texts(), layout());
    Forms::unload(kName);
}

bool Form2::formQueryUnload(bool fromCode)
{
    // The close button keeps what the window shows, as Back does; the
    // program's own closes (a save that has taken the rows, File New, the
    // end of the run) take nothing.
    if (!fromCode)
        payrecords::cmdClose_Click(state().overtime, texts(), layout());
    return true;
}

void Form2::cmdUndo_Click()
{
    try {
        LoadUserSettings(SettingsRead::Refill);
    } catch (const std::exception &e) {
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
        // A damaged file costs only its own values: what the others gave
        // is shown.
        if (!dynamic_cast<const SettingsFilesDamaged *>(&e))
            return;
    }
    // The layout of the frequency just read.
    payrecords::OvertimeTexts t = texts();
    payrecords::showSavedOvertime(state().overtime, t, layout());
    showTexts(t);
}

void Form2::cmdPrint_Click()
{
    if (!Ui::choosePrinter(this))
        return;
    if (!platform::printWindowImage(this, printer()))
        Ui::message(QStringLiteral("The window could not be printed: the printer cannot be started."), Buttons::Ok,
                    Icon::Exclamation);
}

QPrinter &Form2::printer() { return Ui::currentPrinter(); }

void Form2::Text1_Click(int index)
{
    DateRow = static_cast<std::int16_t>(index);
    Ui::showModal(&Forms::get<frmDate>());
}

bool Form2::event(QEvent *event)
{
    // Each time the window comes into view its results follow the boxes,
    // without a message: a box left empty must not bring one up again and
    // again. Only shown: when the desktop brings the window into view is
    // its business, so what is kept and saved must not depend on it.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate) {
        const bool handled = platform::Form::event(event);
        Form_Paint();
        return handled;
    }
    return platform::Form::event(event);
}

bool Form2::arrowKey(QObject *watched, int key)
{
    const int last = payrecords::rowCount(layout()) - 1;
    for (int i = 0; i < kRows; ++i) {
        QLineEdit *target = nullptr;
        if (watched == Text1[i]) {
            if (key == Qt::Key_Up && i > 0)
                target = Text1[i - 1];
            else if (key == Qt::Key_Down && i < last)
                target = Text1[i + 1];
            else if (key == Qt::Key_Right)
                target = txtOT[i];
        } else if (watched == txtOT[i]) {
            if (key == Qt::Key_Up && i > 0)
                target = txtOT[i - 1];
            else if (key == Qt::Key_Down && i < last)
                target = txtOT[i + 1];
            else if (key == Qt::Key_Left)
                target = Text1[i];
        } else {
            continue;
        }
        if (!target)
            return false;
        target->setFocus(Qt::OtherFocusReason);
        target->selectAll();
        return true;
    }
    return false;
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right) &&
            arrowKey(watched, key))
            return true;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const auto found = std::find(Text1.begin(), Text1.end(), watched);
        if (found != Text1.end())
            Text1_Click(int(found - Text1.begin()));
    }
    return platform::Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------- frmDate

frmDate::frmDate() : platform::DateForm(kName, kMin, kMax, QStringLiteral("&OK"))
{
    // The red is the picker window's own: its calendar drops in the
    // program's colours. The drop-down is a window of its own that would
    // take its parent's palette, so it stops taking it before the red is set.
    DTPicker1->calendarWidget()->window()->setAttribute(Qt::WA_WindowPropagation, false);
    setAutoFillBackground(true);
    QPalette red = palette();
    red.setColor(QPalette::Window, Qt::red);
    setPalette(red);
    DTPicker1->setDisplayFormat(QStringLiteral("M/d/yy"));
}

QDate frmDate::readDate(const QString &text) const
{
    const QDate full = QDate::fromString(text.trimmed(), QStringLiteral("M/d/yyyy"));
    return full.isValid() ? full : platform::DatePicker::parse(text);
}

QLineEdit *frmDate::box() const
{
    Form2 &tracker = Forms::get<Form2>();
    return tracker.Text1[tracker.DateRow];
}

QString frmDate::dateText(const QDate &date) const { return date.toString(QLatin1String(kDateText)); }

}  // namespace wagedesk
