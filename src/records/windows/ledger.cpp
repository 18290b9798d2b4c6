#include "records/windows/ledger.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <optional>

#include "core/version.h"
#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "core/windows/profile.h"
#include "core/windows/program.h"
#include "core/windows/taxinfo.h"
#include "platform/ui.h"
#include "platform/workbook.h"
#include "records/year_file.h"
#include "records/year_ledger.h"
#include "records/year_report.h"
#include "records/year_workbook.h"

namespace wagedesk {

using payrecords::twips;
using platform::Answer;
using platform::Buttons;
using platform::Forms;
using platform::Icon;
using platform::Ui;

namespace {

QString q(const std::string &s) { return QString::fromStdString(s); }

// A child's frame in the container: it never closes (the set closes as a
// whole, through the program) and the user cannot size it.
class ChildFrame : public QMdiSubWindow {
public:
    ChildFrame()
    {
        setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setSystemMenu(nullptr);
        setWidget(page_ = new Page);
    }
    QWidget *page() const { return page_; }

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }

private:
    // Holds the child window at its top left; as large as the child, but
    // the frame may be lower (the grid's second block lies below its edge).
    class Page : public QWidget {
    public:
        QSize sizeHint() const override
        {
            QSize size;
            for (const QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                size = size.expandedTo(w->size());
            return size;
        }
        QSize minimumSizeHint() const override { return {0, 0}; }
    };
    QWidget *page_;
};

// Messages of one command: a nested reload (the windows' loads read the
// file again) says nothing the command has said already.
class Session {
public:
    Session() { ++depth(); }
    ~Session()
    {
        if (--depth() == 0)
            shown().clear();
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    static void tell(const QString &text, Icon icon)
    {
        if (shown().contains(text))
            return;
        shown() << text;
        Ui::message(text, Buttons::Ok, icon);
    }

private:
    static int &depth()
    {
        static int d = 0;
        return d;
    }
    static QStringList &shown()
    {
        static QStringList s;
        return s;
    }
};

void tellNonNumber() { Session::tell(QLatin1String(payrecords::kNonNumberMessage), Icon::None); }

// The pay frequency the profile is set to, as the user information window
// shows it; with that window closed, as the profile's flag says (a reading
// by a printout loads no window for it).
payrecords::PayFrequency profileFrequency()
{
    const std::int16_t weeklyPay = state().profile.WeeklyPay;
    if (Forms::isLoaded<frmTaxInfo>())
        return {weeklyPay, Forms::get<frmTaxInfo>().optWeek->isChecked()};
    return {weeklyPay, weeklyPay == kTrue};
}

// A profile's year file for a pay frequency, in a folder: by its bare name
// in the current one.
std::filesystem::path yearFileIn(const QString &folder, const std::string &user, std::int16_t weeklyPay)
{
    const std::string name = payrecords::yearFileName(user, weeklyPay);
    if (folder == QDir::currentPath())
        return name;
    return QDir(folder).filePath(q(name)).toStdString();
}

// The current profile's year file, for the frequency it is set to.
std::filesystem::path yearFile()
{
    return yearFileIn(QDir::currentPath(), state().CurrentUser, state().profile.WeeklyPay);
}

payrecords::YearScreen readScreen(const frmYear &grid, const frmYearTot &totals)
{
    payrecords::YearScreen screen;
    for (int i = 0; i < frmYear::kRows; ++i)
        screen.rows[i] = grid.cells(i);
    screen.totals = totals.boxes();
    return screen;
}

// Runs a ledger operation on the store and what the windows show, and
// shows the result.
template <class Op> auto withLedger(Op op)
{
    Session session;
    frmYear &g = payrecords::grid();
    frmYearTot &t = payrecords::totalsWindow();
    payrecords::YearScreen screen = readScreen(g, t);
    auto result = op(payrecords::yearLedger(), screen);
    for (int i = 0; i < frmYear::kRows; ++i)
        g.showCells(i, screen.rows[i]);
    g.fitColumns();
    t.showBoxes(screen.totals);
    payrecords::copyYearView();
    return result;
}

// The open set's view, or nothing when the set is closed.
std::optional<payrecords::YearSetView> openView()
{
    if (!Forms::isLoaded<MDIForm1>() || !Forms::isLoaded<frmYear>() || !Forms::isLoaded<frmYearTot>())
        return std::nullopt;
    return payrecords::YearSetView{QDir::currentPath(), state().CurrentUser, payrecords::openSetFrequency(),
                                   payrecords::yearLedger(),
                                   readScreen(Forms::get<frmYear>(), Forms::get<frmYearTot>())};
}

// The year file of a view's profile, in the view's folder.
std::filesystem::path fileOf(const payrecords::YearSetView &view)
{
    return yearFileIn(view.folder, view.user, view.frequency.WeeklyPay);
}

// What the year file holds, as a ledger opened on it from an empty store
// shows it and a close with Yes takes it: its rows, or an empty year where
// there is no file (or it cannot be read); and whether there is a file.
struct SavedYear {
    payrecords::YearLedger ledger;
    bool fileThere = false;
};
// Nothing when its totals cannot be formed.
std::optional<SavedYear> savedYear(const std::filesystem::path &file, payrecords::PayFrequency frequency)
{
    SavedYear saved;
    payrecords::YearScreen screen;
    const payrecords::LoadResult read = payrecords::fillBoxes(saved.ledger, screen, file, frequency.WeeklyPay);
    if (!payrecords::UpdateAndAdd(saved.ledger, screen, frequency))
        return std::nullopt;
    saved.fileThere = read.read || read.fileProblem.has_value();
    return saved;
}

// Whether letting the set go would lose something: what its Close with Yes
// would save differs from what its year file holds. Without a file, a year
// of nothing holds nothing new: the "0" Clear All leaves in a date cell is
// no date.
bool holdsUnsaved(const payrecords::YearSetView &view)
{
    payrecords::YearLedger shown = view.ledger;
    payrecords::YearScreen shownScreen = view.screen;
    const std::optional<SavedYear> saved = savedYear(fileOf(view), view.frequency);
    if (!saved || !payrecords::UpdateAndAdd(shown, shownScreen, view.frequency))
        return true;
    if (!saved->fileThere)
        for (payrecords::YearRow &row : shown.rows)
            if (row.Date == "0")
                row.Date.clear();
    return shown != saved->ledger;
}

// The save of a close with Yes: the ledger's values into the store, the
// totals recomputed, the year file written. What went wrong, for the
// message, or nothing.
std::optional<QString> saveYear(payrecords::YearLedger &ledger, payrecords::YearScreen &screen,
                                payrecords::PayFrequency frequency, const std::filesystem::path &file,
                                std::int16_t weeklyPay)
{
    if (!payrecords::UpdateAndAdd(ledger, screen, frequency))
        return QLatin1String(payrecords::kNonNumberMessage);
    try {
        if (!payrecords::SaveAnnual(ledger, screen, file, weeklyPay))
            return QLatin1String(payrecords::kNonNumberMessage);
    } catch (const legacy::FileAccessError &e) {
        return describeError(e);
    }
    return std::nullopt;
}

void tellSaveProblem(const QString &problem)
{
    Ui::message(problem, Buttons::Ok,
                problem == QLatin1String(payrecords::kNonNumberMessage) ? Icon::None : Icon::Exclamation);
}

// Yes or No; Esc or the box's close button (Cancel) lets the question go,
// and whatever asked it stops with the ledger as it is.
Answer askToSaveYear()
{
    return Ui::message(QStringLiteral("     Do you want to save YTD"), Buttons::YesNoEscCancels, Icon::None,
                       QStringLiteral("Save?"));
}

// The open set saved as its Close with Yes saves it, into the year file it
// was read from; false, with the message shown and the set left open, when
// nothing could be written.
bool saveOpenSet()
{
    const payrecords::PayFrequency read = payrecords::openSetFrequency();
    const std::optional<QString> problem = withLedger([&read](payrecords::YearLedger &l, payrecords::YearScreen &s) {
        return saveYear(l, s, read, yearFileIn(QDir::currentPath(), state().CurrentUser, read.WeeklyPay),
                        read.WeeklyPay);
    });
    if (problem)
        tellSaveProblem(*problem);
    return !problem;
}

// The store as the profile's year file holds it (empty without one, or
// when it is damaged), with no window loaded.
payrecords::LoadResult storeTheSavedYear()
{
    payrecords::YearLedger ledger;
    payrecords::YearScreen screen;
    const payrecords::LoadResult result = payrecords::LoadYearToDate(ledger, screen, yearFile(),
                                                                     state().profile.WeeklyPay);
    payrecords::yearLedger() = ledger;
    payrecords::openSetFrequency() = profileFrequency();
    payrecords::copyYearView();
    return result;
}

// A ledger the user let go: no later calculation counts what was
// discarded.
void keepOnlyTheSavedYear() { (void)storeTheSavedYear(); }

// A view of the current profile in this folder, of whichever frequency.
bool ofTheProfile(const payrecords::YearSetView &view)
{
    return view.folder == QDir::currentPath() && view.user == state().CurrentUser;
}

bool belongsToTheProfile(const payrecords::YearSetView &view)
{
    return ofTheProfile(view) && view.frequency.WeeklyPay == state().profile.WeeklyPay;
}

// A view back into the set, which is loaded when closed.
void showView(const payrecords::YearSetView &view)
{
    payrecords::yearLedger() = view.ledger;
    frmYear &g = payrecords::grid();
    frmYearTot &t = payrecords::totalsWindow();
    for (int i = 0; i < frmYear::kRows; ++i)
        g.showCells(i, view.screen.rows[i]);
    t.showBoxes(view.screen.totals);
    payrecords::copyYearView();
}

void report(const payrecords::LoadResult &result)
{
    if (result.totalsFailed)
        tellNonNumber();
    if (result.fileProblem)
        Session::tell(q(*result.fileProblem), Icon::Exclamation);
}

std::string text(const QLabel *label) { return label->text().toStdString(); }
std::string text(const QLineEdit *box) { return box->text().toStdString(); }

// A child frame's height, the user unable to change it.
void setFrameHeight(QMdiSubWindow *frame, int height) { frame->setFixedSize(frame->sizeHint().width(), height); }

bool weeklyOption() { return Forms::get<frmTaxInfo>().optWeek->isChecked(); }

// ---- the grid's layout, in pixels ----
constexpr int kRowPitch = 13;
constexpr int kBlockRows = 26;
constexpr int kHeadingHeight = 16;
constexpr int kLowerBlockTop = 390;  // below the lower edge of a 26-row window
constexpr int kWeekWidth = 20;
constexpr int kDateLeft = 21, kDateWidth = 58;
constexpr int kAmountWidth = 44;  // at the least: a column widens for its longest text
constexpr int kColumnGap = 1;
constexpr int kGridHeight = kLowerBlockTop + kHeadingHeight + kBlockRows * kRowPitch + 22;

// ---- the totals window's layout, in pixels ----
constexpr int kTotalsLeft = 4, kTotalsBoxWidth = 50, kTotalsLine = 16;  // boxes widen for their text
constexpr int kLowerRowTop = 2 * kTotalsLine + 4;

constexpr std::array<const char *, 16> kCaptions{"Week", "Federal", "SS",    "Medi",   "State", "City", "MCU", "Bond",
                                                 "Dues", "Pension", "Misc.", "K-Plan", "Tips",  "OT",   "Net", "Gross"};
constexpr std::array<const char *, 16> kUpperNames{"lbWeek",  "Label1",  "Label3",  "Label4",  "Label5",  "Label6",
                                                   "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label12",
                                                   "Label32", "Label16", "Label15", "Label17"};
constexpr std::array<const char *, 16> kLowerNames{"Label13", "Label31", "Label30", "Label29", "Label28", "Label27",
                                                   "Label26", "Label25", "Label24", "Label23", "Label22", "Label21",
                                                   "Label33", "Label19", "Label20", "Label18"};
constexpr const char *kHint = "LEFT CLICK ON WEEK NUMBER TO PASTE IN DATA.     RIGHT CLICK TO DELETE ROW";

int rowTop(int row)
{
    return (row < kBlockRows ? 0 : kLowerBlockTop) + kHeadingHeight + (row % kBlockRows) * kRowPitch;
}

// The width a cell, a box or a heading needs for its text, given what its
// frame and margins take; one pixel more for the rounding of a laid-out
// text.
template <class Control> int textWidth(const QFontMetrics &metrics, const Control *c, int chrome)
{
    return c->text().isEmpty() ? 0 : metrics.horizontalAdvance(c->text()) + 1 + chrome;
}

QLabel *cellLabel(QWidget *parent, const char *name, int index)
{
    auto *l = named<QLabel>(indexed(name, index));
    l->setParent(parent);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit *cellBox(QWidget *parent, const char *name, int index)
{
    auto *b = named<QLineEdit>(indexed(name, index));
    b->setParent(parent);
    b->setFrame(false);
    b->setAlignment(Qt::AlignRight);
    return b;
}

}  // namespace

// ---------------------------------------------------------------- MDIForm1

MDIForm1::MDIForm1() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Year To Date"));
    menuBar = named<QMenuBar>(QStringLiteral("menuBar"));
    auto item = [this](const char *name, const char *caption, auto handler) {
        QAction *a = menuBar->addAction(QLatin1String(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mnuClose = item("mnuClose", "&Close", [this] { mnuClose_Click(); });
    mnuPrint = item("mnuPrint", "&Print", [this] { mnuPrint_Click(); });
    mnuClear = menuBar->addMenu(QStringLiteral("C&lear"));
    mnuClear->setObjectName(QStringLiteral("mnuClear"));
    mnuClearAll = mnuClear->addAction(QStringLiteral("&Clear All"));
    mnuClearAll->setObjectName(QStringLiteral("mnuClearAll"));
    connect(mnuClearAll, &QAction::triggered, this, [this] { mnuClearAll_Click(); });
    mnuAdd = item("mnuAdd", "&Add", [this] { mnuAdd_Click(); });
    mnuExcel = item("mnuExcel", "&Excel", [this] { mnuExcel_Click(); });

    area = named<QMdiArea>(QStringLiteral("area"));
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    gridFrame_ = new ChildFrame;
    totalsFrame_ = new ChildFrame;
    for (QMdiSubWindow *frame : {gridFrame_, totalsFrame_}) {
        area->addSubWindow(frame, frame->windowFlags());
        frame->hide();
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(area);
    resize(twips(11412 + 425) + 40, 600);
}

QMdiSubWindow *MDIForm1::frameOf(platform::Form *child) const
{
    return child->objectName() == QLatin1String(frmYearTot::kName) ? totalsFrame_ : gridFrame_;
}

void MDIForm1::showChild(platform::Form *child)
{
    auto *frame = static_cast<ChildFrame *>(frameOf(child));
    if (child->parentWidget() != frame->page()) {
        child->setParent(frame->page());
        child->move(0, 0);
        frame->setWindowTitle(child->windowTitle());
        frame->resize(frame->sizeHint());
    }
    child->show();
    frame->show();
}

void MDIForm1::hideChild(platform::Form *child) { frameOf(child)->hide(); }

void MDIForm1::fitChild(platform::Form *child)
{
    auto *frame = static_cast<ChildFrame *>(frameOf(child));
    if (child->parentWidget() != frame->page())
        return;
    if (frame == gridFrame_)
        setFrameHeight(frame, frame->height());
    else
        frame->resize(frame->sizeHint().width(), frame->height());
    MDIForm_Activate();
}

void MDIForm1::fitHeight()
{
    const int wanted = menuBar->sizeHint().height() + gridFrame_->height() + totalsFrame_->height() + 8;
    int height = wanted;
    if (QScreen *s = screen())
        height = std::min(wanted, s->availableGeometry().height() - 40);
    resizeOnScreen(QSize(width(), std::max(height, 200)));
}

void MDIForm1::formLoad()
{
    Session session;
    payrecords::LoadYearToDate();
    showChild(&payrecords::grid());
    showChild(&payrecords::totalsWindow());
    fitHeight();
    show();
    MDIForm_Activate();
}

bool MDIForm1::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        MDIForm_Activate();
    return platform::Form::event(event);
}

void MDIForm1::MDIForm_Activate()
{
    // A minimized or maximized window takes no width.
    if (isMinimized() || isMaximized())
        return;
    // At most the screen's width: the area scrolls the grid.
    resizeOnScreen(QSize(gridFrame_->width() + twips(425), height()));
}

bool MDIForm1::formQueryUnload(bool fromCode)
{
    // The program closes the set only after saying so; a close from the
    // program's end (fromCode without permission) is let through as well.
    YearStore &year = state().year;
    if (year.YearCloseAllowed == kTrue || fromCode) {
        year.YearCloseAllowed = kFalse;
        Forms::unload(frmYear::kName);
        Forms::unload(frmYearTot::kName);
        return true;
    }
    // Refused: the windows stay as they are, typed values included.
    Ui::message(QStringLiteral("USE CLOSE INSTEAD"));
    return false;
}

void MDIForm1::mnuClose_Click()
{
    const Answer save = askToSaveYear();
    if (save == Answer::Cancel)
        return;
    if (save == Answer::Yes) {
        // Nothing is written unless every total could be formed and the
        // file was written whole; the set then stays open with the message.
        if (!saveOpenSet())
            return;
    } else {
        Forms::get<Form1>().showForm();
        keepOnlyTheSavedYear();
    }
    // The user has answered for the ledger: nothing set aside stays.
    payrecords::yearSetAside().reset();
    payrecords::closeYearSet();
}

void MDIForm1::mnuPrint_Click()
{
    if (!Ui::choosePrinter(this))
        return;
    const platform::PrintOutcome printed = payrecords::grid().PrintYr(printer());
    if (!printed)
        Ui::message(QStringLiteral("The year-to-date report could not be printed.\r\n") + printed.error, Buttons::Ok,
                    Icon::Exclamation);
}

void MDIForm1::mnuClearAll_Click() { payrecords::grid().ClearAll(); }

void MDIForm1::mnuAdd_Click()
{
    if (!withLedger([](payrecords::YearLedger &l, payrecords::YearScreen &s) {
            return payrecords::UpdateAndAdd(l, s, payrecords::openSetFrequency());
        }))
        tellNonNumber();
}

void MDIForm1::mnuExcel_Click() { payrecords::grid().ToExcel(); }

QPrinter &MDIForm1::printer() { return Ui::currentPrinter(); }

// ---------------------------------------------------------------- frmYear

frmYear::frmYear() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Pay Periods"));
    QFont small = font();
    small.setPointSizeF(7);
    setFont(small);

    for (int block = 0; block < 2; ++block) {
        const int top = block == 0 ? 0 : kLowerBlockTop;
        auto &headings = block == 0 ? upperHeadings : lowerHeadings;
        const auto &names = block == 0 ? kUpperNames : kLowerNames;
        for (int c = 0; c < 16; ++c) {
            headings[c] = named<QLabel>(QLatin1String(names[c]), QLatin1String(kCaptions[c]));
            headings[c]->setParent(this);
            headings[c]->setAlignment(Qt::AlignCenter);
        }
        for (int r = 0; r < kBlockRows; ++r) {
            const int i = block * kBlockRows + r;
            const int y = rowTop(i);
            Label2[i] = named<QLabel>(indexed("Label2", i), QString::number(i + 1));
            Label2[i]->setParent(this);
            Label2[i]->setAlignment(Qt::AlignCenter);
            Label2[i]->setToolTip(QStringLiteral("Click on a week number to paste in data."));
            Label2[i]->setCursor(Qt::PointingHandCursor);
            Label2[i]->setGeometry(0, y, kWeekWidth, kRowPitch);
            Label2[i]->installEventFilter(this);

            auto &row = cells_[i];
            row[0] = txtDate[i] = cellLabel(this, "txtDate", i);
            txtDate[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            row[1] = txtFed[i] = cellLabel(this, "txtFed", i);
            row[2] = txtSS[i] = cellLabel(this, "txtSS", i);
            row[3] = txtMedi[i] = cellLabel(this, "txtMedi", i);
            row[4] = txtState[i] = cellLabel(this, "txtState", i);
            row[5] = txtCity[i] = cellLabel(this, "txtCity", i);
            row[6] = txtMuni[i] = cellLabel(this, "txtMuni", i);
            row[7] = txtBond[i] = cellLabel(this, "txtBond", i);
            row[8] = txtDues[i] = cellLabel(this, "txtDues", i);
            row[9] = txtPen[i] = cellLabel(this, "txtPen", i);
            row[10] = txtMisc[i] = cellLabel(this, "txtMisc", i);
            row[11] = txtKplan[i] = cellLabel(this, "txtKplan", i);
            row[12] = txtTips[i] = cellBox(this, "txtTips", i);
            row[13] = txtOT[i] = cellLabel(this, "txtOT", i);
            row[14] = txtGross[i] = cellBox(this, "txtGross", i);
            row[15] = txtNet[i] = cellBox(this, "txtNet", i);
            makeNumericEntry(txtGross[i]);
            makeNumericEntry(txtNet[i]);
        }
        Label14[block] = named<QLabel>(indexed("Label14", block), QLatin1String(kHint));
        Label14[block]->setParent(this);
        Label14[block]->setGeometry(kDateLeft, top + kHeadingHeight + kBlockRows * kRowPitch + 2, 520, 18);
    }
    cmdBack = named<QPushButton>(QStringLiteral("cmdBack"), QStringLiteral("&Close"));
    cmdBack->setParent(this);
    cmdBack->resize(80, 20);
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
    widths_.fill(kAmountWidth);
    widths_[0] = kDateWidth;
    placeColumns();
}

void frmYear::placeColumns()
{
    int left = kDateLeft;
    for (int c = 0; c < 16; ++c) {
        upperHeadings[c]->setGeometry(left, 0, widths_[c], kHeadingHeight);
        lowerHeadings[c]->setGeometry(left, kLowerBlockTop, widths_[c], kHeadingHeight);
        for (int i = 0; i < kRows; ++i)
            cells_[i][c]->setGeometry(left, rowTop(i), widths_[c], kRowPitch);
        left += widths_[c] + kColumnGap;
    }
    const int width = left + 6;
    cmdBack->move(width - 90, kHeadingHeight + kBlockRows * kRowPitch + 1);
    setFixedSize(width, kGridHeight);
}

void frmYear::fitColumns()
{
    // What a framed cell, a plain box and a heading take besides the text.
    const int cellChrome = widthToHold(txtFed[0], {}), boxChrome = widthToHold(txtTips[0], {});
    const int headingChrome = widthToHold(upperHeadings[0], {});
    // Cells and headings have the window's font.
    const QFontMetrics m = fontMetrics();
    std::array<int, 16> widths{};
    for (int c = 0; c < 16; ++c) {
        int w = c == 0 ? kDateWidth : kAmountWidth;
        w = std::max({w, textWidth(m, upperHeadings[c], headingChrome), textWidth(m, lowerHeadings[c], headingChrome)});
        for (int i = 0; i < kRows; ++i) {
            if (auto *box = qobject_cast<QLineEdit *>(cells_[i][c]))
                w = std::max(w, textWidth(m, box, boxChrome));
            else
                w = std::max(w, textWidth(m, static_cast<QLabel *>(cells_[i][c]), cellChrome));
        }
        widths[c] = w;
    }
    if (widths == widths_)
        return;
    widths_ = widths;
    placeColumns();
    if (Forms::isLoaded<MDIForm1>())
        Forms::get<MDIForm1>().fitChild(this);
}

void frmYear::formLoad()
{
    Session session;
    MDIForm1 &mdi = Forms::get<MDIForm1>();
    mdi.showChild(this);
    mdi.gridFrame()->move(0, 0);
    setFrameHeight(mdi.gridFrame(), twips(weeklyOption() ? 12075 : 6165));
    // Fills the rows of the stored frequency with plain texts and sets the
    // headings.
    payrecords::LoadYearToDate();
}

void frmYear::formUnload()
{
    if (Forms::isLoaded<MDIForm1>())
        Forms::get<MDIForm1>().hideChild(this);
}

payrecords::YearCells frmYear::cells(int i) const
{
    payrecords::YearCells c;
    c.txtDate = text(txtDate[i]);
    c.txtFed = text(txtFed[i]);
    c.txtSS = text(txtSS[i]);
    c.txtMedi = text(txtMedi[i]);
    c.txtState = text(txtState[i]);
    c.txtCity = text(txtCity[i]);
    c.txtMuni = text(txtMuni[i]);
    c.txtBond = text(txtBond[i]);
    c.txtDues = text(txtDues[i]);
    c.txtPen = text(txtPen[i]);
    c.txtMisc = text(txtMisc[i]);
    c.txtKplan = text(txtKplan[i]);
    c.txtTips = text(txtTips[i]);
    c.txtOT = text(txtOT[i]);
    c.txtGross = text(txtGross[i]);
    c.txtNet = text(txtNet[i]);
    return c;
}

void frmYear::showCells(int i, const payrecords::YearCells &c)
{
    showText(txtDate[i], c.txtDate);
    showText(txtFed[i], c.txtFed);
    showText(txtSS[i], c.txtSS);
    showText(txtMedi[i], c.txtMedi);
    showText(txtState[i], c.txtState);
    showText(txtCity[i], c.txtCity);
    showText(txtMuni[i], c.txtMuni);
    showText(txtBond[i], c.txtBond);
    showText(txtDues[i], c.txtDues);
    showText(txtPen[i], c.txtPen);
    showText(txtMisc[i], c.txtMisc);
    showText(txtKplan[i], c.txtKplan);
    showText(txtTips[i], c.txtTips);
    showText(txtOT[i], c.txtOT);
    showText(txtGross[i], c.txtGross);
    showText(txtNet[i], c.txtNet);
}

void frmYear::showDeductionHeadings(bool lowerBlockToo)
{
    const auto &captions = state().profile.TaxCaption;
    for (int k = 0; k < 5; ++k) {
        showText(upperHeadings[6 + k], captions[5 + k]);
        if (lowerBlockToo)
            showText(lowerHeadings[6 + k], captions[5 + k]);
    }
    fitColumns();
}

void frmYear::fillBoxes()
{
    Session session;
    payrecords::LoadResult result = withLedger([](payrecords::YearLedger &l, payrecords::YearScreen &s) {
        return payrecords::fillBoxes(l, s, yearFile(), state().profile.WeeklyPay);
    });
    showDeductionHeadings(state().profile.WeeklyPay == kTrue);
    report(result);
}

bool frmYear::PasteMe(int index)
{
    const Form1 &f = Forms::get<Form1>();
    payrecords::PastePeriod period;
    period.txtWeek = f.txtWeek->text().toStdString();
    for (int k = 0; k < 11; ++k)
        period.lbTaxDed[k] = f.lbTaxDed[k]->text().toStdString();
    period.lbSDI = f.lbSDI->text().toStdString();
    period.lbSUI = f.lbSUI->text().toStdString();
    period.lbCafe = f.lbCafe->text().toStdString();
    period.TotalOt = f.values.TotalOt;
    period.TotalTips = f.values.TotalTips;
    period.GrossPay = state().result.GrossPay;
    period.NetPay = state().result.NetPay;
    const bool done = withLedger([&](payrecords::YearLedger &l, payrecords::YearScreen &s) {
        return payrecords::PasteMe(l, s, index, period, payrecords::openSetFrequency());
    });
    if (!done)
        tellNonNumber();
    return done;
}

bool frmYear::DeleteRow(int index)
{
    const bool done = withLedger([&](payrecords::YearLedger &l, payrecords::YearScreen &s) {
        return payrecords::DeleteRow(l, s, index, payrecords::openSetFrequency());
    });
    if (!done)
        tellNonNumber();
    return done;
}

bool frmYear::ClearAll()
{
    const bool done = withLedger([](payrecords::YearLedger &l, payrecords::YearScreen &s) {
        return payrecords::ClearAll(l, s, payrecords::openSetFrequency());
    });
    if (!done)
        tellNonNumber();
    return done;
}

void frmYear::cmdBack_Click() { Forms::get<MDIForm1>().mnuClose_Click(); }

platform::PrintOutcome frmYear::PrintYr(QPrinter &printer)
{
    const ProgramState &st = state();
    payrecords::YearReportInput in;
    // The lines in memory: the heading file's, read at start-up, or as the
    // heading dialog left them.
    in.heading = st.heading.lines();
    in.CurrentUser = st.CurrentUser;
    in.WeeklyPay = st.profile.WeeklyPay;
    in.today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
    in.major = kVersion.major;
    in.minor = kVersion.minor;
    in.revision = kVersion.revision;
    return platform::printTextPage(payrecords::yearReport(payrecords::yearLedger(), in), printer);
}

void frmYear::ToExcel()
{
    const ProgramState &st = state();
    const payrecords::YearSheet sheet = payrecords::yearWorkbook(readScreen(*this, payrecords::totalsWindow()),
                                                                 st.CurrentUser, st.profile);
    platform::Workbook book;
    for (const payrecords::SheetCell &c : sheet.cells) {
        if (c.amount)
            book.setCell(c.row, c.column, c.text);
        else
            book.setText(c.row, c.column, c.text);
        if (c.bold)
            book.setBold(c.row, c.column);
        if (c.colour == payrecords::FontColour::Red)
            book.setFontColour(c.row, c.column, platform::Workbook::kRed);
        else if (c.colour == payrecords::FontColour::Blue)
            book.setFontColour(c.row, c.column, platform::Workbook::kBlue);
    }
    book.freezeRows(sheet.frozenRows);
    const payrecords::SheetPageSetup &p = sheet.page;
    book.setLandscape(p.landscape);
    book.fitToPages(p.fitToPagesWide, p.fitToPagesTall);
    book.setMargins({p.leftMargin, p.rightMargin, p.topMargin, p.bottomMargin, p.headerMargin, p.footerMargin});
    book.setCentred(p.centerHorizontally, p.centerVertically);
    book.setHeader({}, p.centerHeader, {});
    book.setFooter(p.leftFooter, p.centerFooter, {});
    book.setTitle(sheet.title);

    const QString path = QDir::current().absoluteFilePath(q(payrecords::workbookFileName(st.CurrentUser)));
    // The workbook of an earlier export may hold what the user added to it.
    if (QFileInfo(path).isFile() &&
        Ui::message(QStringLiteral("The workbook \"%1\" already exists.\r\nDo you want to replace it?").arg(path),
                    Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    try {
        book.save(path.toStdString());
    } catch (const platform::WorkbookError &e) {
        Ui::message(QString::fromUtf8(e.what()), Buttons::Ok, Icon::Exclamation);
        return;
    }
    // The opener may fail long after this returns; the user learns then
    // where the workbook is.
    Ui::openDocument(path, [path] {
        Ui::message(
            QStringLiteral("The workbook \"%1\" was written, but no program could be found to open it.").arg(path),
            Buttons::Ok, Icon::Information);
    });
}

bool frmYear::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto found = std::find(Label2.begin(), Label2.end(), watched);
        if (found != Label2.end()) {
            const int index = int(found - Label2.begin());
            switch (static_cast<QMouseEvent *>(event)->button()) {
            case Qt::LeftButton: PasteMe(index); break;
            case Qt::RightButton: DeleteRow(index); break;
            default: break;
            }
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------- frmYearTot

frmYearTot::frmYearTot() : platform::Form(kName)
{
    setWindowTitle(QStringLiteral("Totals"));
    QFont small = font();
    small.setPointSizeF(7);
    setFont(small);

    auto caption = [this](const char *name, const QString &textOf) {
        auto *l = named<QLabel>(QLatin1String(name), textOf);
        l->setParent(this);
        return l;
    };
    auto box = [this](const char *name) {
        auto *b = named<QLineEdit>(QLatin1String(name));
        b->setParent(this);
        b->setAlignment(Qt::AlignRight);
        return b;
    };
    struct Column {
        const char *label, *caption, *box;
        QLineEdit *frmYearTot::*member;
    };
    const std::array<Column, 14> columns{{
        {"Label1", "Federal", "txtTotFed", &frmYearTot::txtTotFed},
        {"Label2", "SS", "txtTotSS", &frmYearTot::txtTotSS},
        {"Label3", "Medi", "txtTotMedi", &frmYearTot::txtTotMedi},
        {"Label4", "State", "txtTotState", &frmYearTot::txtTotState},
        {"Label5", "City", "txtTotCity", &frmYearTot::txtTotCity},
        {"Label7", "MCU", "txtTotMuni", &frmYearTot::txtTotMuni},
        {"Label8", "Bond", "txtTotBond", &frmYearTot::txtTotBond},
        {"Label9", "Dues", "txtTotDues", &frmYearTot::txtTotDues},
        {"Label10", "Pension", "txtTotPen", &frmYearTot::txtTotPen},
        {"Label11", "Misc.", "txtTotMisc", &frmYearTot::txtTotMisc},
        {"Label12", "K-Plan", "txtTotKplan", &frmYearTot::txtTotKplan},
        {"Label13", "OT", "txtTotOT", &frmYearTot::txtTotOT},
        {"Label14", "Net", "txtTotGross", &frmYearTot::txtTotGross},
        {"Label15", "Gross", "txtTotNet", &frmYearTot::txtTotNet},
    }};
    for (std::size_t k = 0; k < columns.size(); ++k) {
        QLabel *l = caption(columns[k].label, QLatin1String(columns[k].caption));
        l->setAlignment(Qt::AlignCenter);
        if (k >= 5 && k < 10)
            Label7to11[k - 5] = l;
        columnCaptions_[k] = l;
        columnBoxes_[k] = this->*columns[k].member = box(columns[k].box);
    }
    caption("Label16", QStringLiteral("TOTALS:"))->setGeometry(kTotalsLeft, kLowerRowTop, 50, kTotalsLine);
    rowCaptions_ = {caption("Label17", QStringLiteral("Cafeteria Plan:")), caption("Label18", QStringLiteral("SDI:")),
                    caption("Label19", QStringLiteral("SUI:")), caption("Label20", QStringLiteral("Tips:"))};
    txtTotCafe = box("txtTotCafe");
    txtTotSdi = box("txtTotSdi");
    txtTotSui = box("txtTotSui");
    txtTotTips = box("txtTotTips");
    rowBoxes_ = {txtTotCafe, txtTotSdi, txtTotSui, txtTotTips};
    makeNumericEntry(txtTotGross);
    makeNumericEntry(txtTotNet);
    columnWidths_.fill(kTotalsBoxWidth);
    rowWidths_.fill(kTotalsBoxWidth);
    placeBoxes();
}

void frmYearTot::placeBoxes()
{
    int x = kTotalsLeft;
    for (std::size_t k = 0; k < columnBoxes_.size(); ++k) {
        columnCaptions_[k]->setGeometry(x, 0, columnWidths_[k], kTotalsLine);
        columnBoxes_[k]->setGeometry(x, kTotalsLine, columnWidths_[k], kTotalsLine);
        x += columnWidths_[k] + 2;
    }
    int right = x - 2;
    // The lower row: each caption with its box, 20 pixels between pairs.
    constexpr std::array<int, 4> kCaptionWidths{80, 30, 30, 30};
    x = 70;
    for (std::size_t k = 0; k < rowBoxes_.size(); ++k) {
        rowCaptions_[k]->setGeometry(x, kLowerRowTop, kCaptionWidths[k], kTotalsLine);
        rowBoxes_[k]->setGeometry(x + kCaptionWidths[k], kLowerRowTop, rowWidths_[k], kTotalsLine);
        x += kCaptionWidths[k] + rowWidths_[k] + 20;
    }
    right = std::max(right, x - 20);
    setFixedSize(std::max(twips(11112), right + 11), 3 * kTotalsLine + 6);
}

void frmYearTot::fitBoxes()
{
    const int boxChrome = widthToHold(txtTotFed, {}), captionChrome = widthToHold(columnCaptions_[0], {});
    const QFontMetrics m = fontMetrics();
    std::array<int, 14> columns{};
    for (std::size_t k = 0; k < columns.size(); ++k)
        columns[k] = std::max({kTotalsBoxWidth, textWidth(m, columnBoxes_[k], boxChrome),
                               textWidth(m, columnCaptions_[k], captionChrome)});
    std::array<int, 4> row{};
    for (std::size_t k = 0; k < row.size(); ++k)
        row[k] = std::max(kTotalsBoxWidth, textWidth(m, rowBoxes_[k], boxChrome));
    if (columns == columnWidths_ && row == rowWidths_)
        return;
    columnWidths_ = columns;
    rowWidths_ = row;
    placeBoxes();
    if (Forms::isLoaded<MDIForm1>())
        Forms::get<MDIForm1>().fitChild(this);
}

void frmYearTot::formLoad()
{
    Session session;
    MDIForm1 &mdi = Forms::get<MDIForm1>();
    mdi.showChild(this);
    // Directly below the grid window (which is loaded first when it is not).
    payrecords::grid();
    QMdiSubWindow *grid = mdi.gridFrame();
    mdi.totalsFrame()->move(0, grid->y() + grid->height());
    showBoxes(payrecords::plainTotals(payrecords::yearLedger().totals));
    const auto &captions = state().profile.TaxCaption;
    for (int k = 0; k < 5; ++k)
        showText(Label7to11[k], captions[5 + k]);
    fitBoxes();
}

void frmYearTot::formUnload()
{
    if (Forms::isLoaded<MDIForm1>())
        Forms::get<MDIForm1>().hideChild(this);
}

payrecords::YearTotBoxes frmYearTot::boxes() const
{
    payrecords::YearTotBoxes b;
    b.txtTotFed = text(txtTotFed);
    b.txtTotSS = text(txtTotSS);
    b.txtTotMedi = text(txtTotMedi);
    b.txtTotState = text(txtTotState);
    b.txtTotCity = text(txtTotCity);
    b.txtTotMuni = text(txtTotMuni);
    b.txtTotBond = text(txtTotBond);
    b.txtTotDues = text(txtTotDues);
    b.txtTotPen = text(txtTotPen);
    b.txtTotMisc = text(txtTotMisc);
    b.txtTotKplan = text(txtTotKplan);
    b.txtTotOT = text(txtTotOT);
    b.txtTotGross = text(txtTotGross);
    b.txtTotNet = text(txtTotNet);
    b.txtTotCafe = text(txtTotCafe);
    b.txtTotSdi = text(txtTotSdi);
    b.txtTotSui = text(txtTotSui);
    b.txtTotTips = text(txtTotTips);
    return b;
}

void frmYearTot::showBoxes(const payrecords::YearTotBoxes &b)
{
    showText(txtTotFed, b.txtTotFed);
    showText(txtTotSS, b.txtTotSS);
    showText(txtTotMedi, b.txtTotMedi);
    showText(txtTotState, b.txtTotState);
    showText(txtTotCity, b.txtTotCity);
    showText(txtTotMuni, b.txtTotMuni);
    showText(txtTotBond, b.txtTotBond);
    showText(txtTotDues, b.txtTotDues);
    showText(txtTotPen, b.txtTotPen);
    showText(txtTotMisc, b.txtTotMisc);
    showText(txtTotKplan, b.txtTotKplan);
    showText(txtTotOT, b.txtTotOT);
    showText(txtTotGross, b.txtTotGross);
    showText(txtTotNet, b.txtTotNet);
    showText(txtTotCafe, b.txtTotCafe);
    showText(txtTotSdi, b.txtTotSdi);
    showText(txtTotSui, b.txtTotSui);
    showText(txtTotTips, b.txtTotTips);
    fitBoxes();
}

// ---------------------------------------------------------------- procedures

namespace payrecords {

frmYear &grid()
{
    if (!Forms::isLoaded<MDIForm1>())
        Forms::get<MDIForm1>();
    return Forms::get<frmYear>();
}

frmYearTot &totalsWindow()
{
    if (!Forms::isLoaded<MDIForm1>())
        Forms::get<MDIForm1>();
    return Forms::get<frmYearTot>();
}

namespace {

// Rows set aside that hold what their year file does not get the ledger's
// question: Yes saves them into it, No lets them go (the store keeps only
// the saved year). Either way nothing stays set aside. False, the rows
// still set aside, when the question was let go or the save was refused
// (the user was told).
bool settleTheSetAside()
{
    std::optional<YearSetView> &aside = yearSetAside();
    if (aside && holdsUnsaved(*aside)) {
        const Answer save = askToSaveYear();
        if (save == Answer::Cancel)
            return false;
        if (save == Answer::Yes) {
            YearSetView view = *aside;
            if (const std::optional<QString> problem = saveYear(view.ledger, view.screen, view.frequency, fileOf(view),
                                                                view.frequency.WeeklyPay)) {
                tellSaveProblem(*problem);
                return false;
            }
            if (belongsToTheProfile(view)) {
                yearLedger() = view.ledger;
                openSetFrequency() = view.frequency;
                copyYearView();
            }
        } else {
            keepOnlyTheSavedYear();
        }
    }
    aside.reset();
    return true;
}

// The step before every showing of the set: the Year to Date opener takes
// it before the set loads, and the reading every load runs (LoadYearToDate,
// the pay stub's and the check's too) takes it first. The profile's rows
// set aside for another frequency are answered for, as settleYear answers
// for them: a set shown for this frequency never stands beside them, so
// its Close, which lets go what is set aside, cannot take them along.
// False, the rows still set aside, when the question was let go or the save
// refused: nothing may be shown.
bool settleBeforeShowing()
{
    const std::optional<YearSetView> &aside = yearSetAside();
    return !aside || !ofTheProfile(*aside) || belongsToTheProfile(*aside) || settleTheSetAside();
}

}  // namespace

bool LoadYearToDate()
{
    Session session;
    if (!settleBeforeShowing())
        return false;
    const LoadResult result = withLedger([](YearLedger &l, YearScreen &s) {
        // Rows of another frequency's year (set aside, or read before the
        // frequency changed) are not this one's: a year without a file of
        // its own, or with fewer rows, would show them and save them.
        if (openSetFrequency().WeeklyPay != state().profile.WeeklyPay)
            l = YearLedger{};
        return payrecords::LoadYearToDate(l, s, yearFile(), state().profile.WeeklyPay);
    });
    openSetFrequency() = profileFrequency();
    grid().showDeductionHeadings(state().profile.WeeklyPay == kTrue);
    report(result);
    return !result.fileProblem;
}

void readSavedYear()
{
    Session session;
    report(storeTheSavedYear());
}

void showYearToDate()
{
    Session session;
    // The ledger shown is the frequency the profile is set to.
    if (!settleBeforeShowing())
        return;
    MDIForm1 &mdi = Forms::get<MDIForm1>();
    mdi.showForm();
    QMdiSubWindow *gridFrame = mdi.gridFrame();
    setFrameHeight(gridFrame, twips(weeklyOption() ? 12075 : 6130));
    mdi.totalsFrame()->move(0, gridFrame->y() + gridFrame->height());
    LoadYearToDate();
    grid().fillBoxes();
    // What the program closed without asking comes back as it was: the
    // reading above is of the profile's frequency, so its rows fit the set.
    std::optional<YearSetView> &aside = yearSetAside();
    if (aside && belongsToTheProfile(*aside)) {
        showView(*aside);
        aside.reset();
    }
    if (!withLedger([](YearLedger &l, YearScreen &s) { return UpdateAndAdd(l, s, openSetFrequency()); }))
        tellNonNumber();
    mdi.fitHeight();
    mdi.MDIForm_Activate();
}

void closeYearSet()
{
    Forms::unload(frmYear::kName);
    Forms::unload(frmYearTot::kName);
    if (Forms::isLoaded<MDIForm1>()) {
        state().year.YearCloseAllowed = kTrue;
        Forms::unload(MDIForm1::kName);
    }
}

bool settleYear()
{
    Session session;
    if (const std::optional<YearSetView> open = openView(); open && holdsUnsaved(*open)) {
        const Answer save = askToSaveYear();
        if (save == Answer::Cancel)
            return false;
        if (save == Answer::Yes) {
            if (!saveOpenSet())
                return false;
        } else {
            keepOnlyTheSavedYear();
        }
        closeYearSet();
    }
    return settleTheSetAside();
}

void setYearSetAside()
{
    std::optional<YearSetView> view = openView();
    if (view && holdsUnsaved(*view))
        yearSetAside() = std::move(view);
    closeYearSet();
}

std::optional<YearSetView> &yearSetAside()
{
    static std::optional<YearSetView> aside;
    return aside;
}

PayFrequency &openSetFrequency()
{
    static PayFrequency read;
    return read;
}

OpenYearSetKept::OpenYearSetKept() : view_(openView())
{
    // A closed set is opened by the reading: the profile's rows set aside
    // come back into it afterwards, as the Year to Date opener brings them
    // back, and are no longer set aside.
    if (const std::optional<YearSetView> &aside = yearSetAside(); !view_ && aside && belongsToTheProfile(*aside)) {
        view_ = aside;
        wasSetAside_ = true;
    }
}

OpenYearSetKept::~OpenYearSetKept()
{
    if (view_ && Forms::isLoaded<MDIForm1>()) {
        showView(*view_);
        openSetFrequency() = view_->frequency;
        if (wasSetAside_)
            yearSetAside().reset();
    }
}

void clearYearForNewProfile()
{
    yearSetAside().reset();
    // Nothing of the profile before is kept, not even the rows beyond the
    // layout.
    yearLedger() = YearLedger{};
    if (!withLedger([](YearLedger &l, YearScreen &s) {
            s = YearScreen{};
            return ClearAll(l, s, openSetFrequency());
        }))
        tellNonNumber();
    Forms::unload(frmYear::kName);
}

void copyYearView()
{
    const YearTotals &t = yearLedger().totals;
    YearStore &year = state().year;
    year.TotGross = t.TotGross;
    year.TotSS = t.TotSS;
    year.TotMedi = t.TotMedi;
}

}  // namespace payrecords

}  // namespace wagedesk
