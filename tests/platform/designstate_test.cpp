#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>

#include "platform/datepicker.h"
#include "platform/designstate.h"
#include "platform/forms.h"
#include "platform/ui.h"

namespace {

using platform::Form;
using platform::Forms;

// A window with one control of each kind, in a known design state, that
// counts every signal its controls send.
class DesignForm : public Form {
public:
    static constexpr const char *kName = "frmDesign";

    DesignForm() : Form(kName)
    {
        setWindowTitle(QStringLiteral("Design"));
        auto *layout = new QVBoxLayout(this);
        auto *bar = new QMenuBar(this);
        layout->setMenuBar(bar);
        mnuFile = bar->addMenu(QStringLiteral("&File"));
        mnuSave = mnuFile->addAction(QStringLiteral("&Save"));
        mnuWeekly = mnuFile->addAction(QStringLiteral("Weekly"));
        mnuWeekly->setCheckable(true);
        mnuWeekly->setChecked(true);
        auto *period = new QActionGroup(this);
        mnuWeek = period->addAction(QStringLiteral("Week"));
        mnuBiWeek = period->addAction(QStringLiteral("Bi-Week"));
        for (QAction *a : {mnuWeek, mnuBiWeek}) {
            a->setCheckable(true);
            mnuFile->addAction(a);
        }
        mnuWeek->setChecked(true);
        group = period;

        txtName = box("txtName", "design");
        txtOther = box("txtOther", "");
        txtLocked = box("txtLocked", "locked");
        txtLocked->setReadOnly(true);
        ckOn = new QCheckBox(QStringLiteral("On"));
        ckTri = new QCheckBox(QStringLiteral("Tri"));
        ckTri->setTristate(true);
        ckTri->setCheckState(Qt::Checked);
        grpPay = new QGroupBox(QStringLiteral("Pay period"));
        optWeek = new QRadioButton(QStringLiteral("Weekly"), grpPay);
        optBiWeek = new QRadioButton(QStringLiteral("Bi-weekly"), grpPay);
        optWeek->setChecked(true);
        auto *payLayout = new QHBoxLayout(grpPay);
        payLayout->addWidget(optWeek);
        payLayout->addWidget(optBiWeek);
        auto *none = new QWidget;
        optX = new QRadioButton(QStringLiteral("X"), none);
        optY = new QRadioButton(QStringLiteral("Y"), none);
        auto *noneLayout = new QHBoxLayout(none);
        noneLayout->addWidget(optX);
        noneLayout->addWidget(optY);
        lbCaption = new QLabel(QStringLiteral("Caption"));
        lbCaption->setStyleSheet(QStringLiteral("color: red"));
        lbHidden = new QLabel(QStringLiteral("Hidden"));
        lbHidden->hide();
        cmdGo = new QPushButton(QStringLiteral("Go"));
        cmdGo->setToolTip(QStringLiteral("Press"));
        cmdOff = new QPushButton(QStringLiteral("Off"));
        cmdOff->setEnabled(false);
        cboStatus = new QComboBox;
        cboStatus->addItem(QStringLiteral("Single"), 1);
        cboStatus->addItem(QStringLiteral("Married"), 2);
        cboDepend = new QComboBox;
        cboDepend->setEditable(true);
        cboDepend->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
        cboDepend->setCurrentIndex(1);
        dtPay = new platform::DatePicker;
        dtPay->setRange(QDate(2004, 12, 1), QDate(2006, 1, 7));
        dtPay->setDate(QDate(2005, 1, 1));
        for (QWidget *w :
             std::initializer_list<QWidget *>{txtName, txtOther, txtLocked, ckOn, ckTri, grpPay, none, lbCaption,
                                              lbHidden, cmdGo, cmdOff, cboStatus, cboDepend, dtPay})
            layout->addWidget(w);
        // Inside the test screen: a window would be moved inside when shown.
        setGeometry(120, 140, 640, 560);
        txtName->setFocus();

        auto count = [this] { ++fired; };
        for (QLineEdit *e : {txtName, txtOther, txtLocked})
            connect(e, &QLineEdit::textChanged, this, count);
        for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{ckOn, optWeek, optBiWeek, optX, optY, cmdGo})
            connect(b, &QAbstractButton::toggled, this, count);
        connect(ckTri, &QCheckBox::stateChanged, this, count);
        connect(cboStatus, &QComboBox::currentIndexChanged, this, count);
        connect(cboDepend, &QComboBox::editTextChanged, this, count);
        connect(dtPay, &QDateEdit::dateChanged, this, count);
        for (QAction *a : {mnuSave, mnuWeekly, mnuWeek, mnuBiWeek, mnuFile->menuAction()})
            connect(a, &QAction::changed, this, count);
        connect(period, &QActionGroup::triggered, this, count);
        connect(this, &QWidget::windowTitleChanged, this, count);
    }

    void formLoad() override { ++loads; }

    QLineEdit *box(const char *name, const char *text)
    {
        auto *e = new QLineEdit(QString::fromLatin1(text));
        e->setObjectName(QLatin1String(name));
        return e;
    }

    QMenu *mnuFile;
    QAction *mnuSave, *mnuWeekly, *mnuWeek, *mnuBiWeek;
    QActionGroup *group;
    QLineEdit *txtName, *txtOther, *txtLocked;
    QCheckBox *ckOn, *ckTri;
    QGroupBox *grpPay;
    QRadioButton *optWeek, *optBiWeek, *optX, *optY;
    QLabel *lbCaption, *lbHidden;
    QPushButton *cmdGo, *cmdOff;
    QComboBox *cboStatus, *cboDepend;
    platform::DatePicker *dtPay;

    int loads = 0;  // a field: it keeps counting across loads
    int fired = 0;  // signals sent by the controls
};

// Two boxes and no focus given by the constructor.
class PlainForm : public Form {
public:
    static constexpr const char *kName = "frmPlain";
    PlainForm() : Form(kName)
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(first = new QLineEdit);
        layout->addWidget(second = new QLineEdit);
    }
    QLineEdit *first, *second;
};

struct Use {
    const char *what;
    std::function<void(DesignForm &)> use;
    std::function<bool(DesignForm &)> atDesign;
};

const std::vector<Use> &uses()
{
    static const std::vector<Use> table = {
        {"a box typed into", [](DesignForm &f) { QTest::keyClicks(f.txtName, QStringLiteral("x")); },
         [](DesignForm &f) { return f.txtName->text() == QLatin1String("design") && !f.txtName->isModified(); }},
        {"a read-only box made editable", [](DesignForm &f) { f.txtLocked->setReadOnly(false); },
         [](DesignForm &f) { return f.txtLocked->isReadOnly(); }},
        {"a switch ticked", [](DesignForm &f) { f.ckOn->click(); }, [](DesignForm &f) { return !f.ckOn->isChecked(); }},
        {"a tri-state box grayed", [](DesignForm &f) { f.ckTri->setCheckState(Qt::PartiallyChecked); },
         [](DesignForm &f) { return f.ckTri->checkState() == Qt::Checked && f.ckTri->isTristate(); }},
        {"the other option chosen", [](DesignForm &f) { f.optBiWeek->click(); },
         [](DesignForm &f) { return f.optWeek->isChecked() && !f.optBiWeek->isChecked(); }},
        {"an option chosen where none was", [](DesignForm &f) { f.optX->click(); },
         [](DesignForm &f) { return !f.optX->isChecked() && !f.optY->isChecked(); }},
        {"a label's caption changed", [](DesignForm &f) { f.lbCaption->setText(QStringLiteral("Other")); },
         [](DesignForm &f) { return f.lbCaption->text() == QLatin1String("Caption"); }},
        {"a button's caption changed", [](DesignForm &f) { f.cmdGo->setText(QStringLiteral("Stop")); },
         [](DesignForm &f) { return f.cmdGo->text() == QLatin1String("Go"); }},
        {"a group box retitled", [](DesignForm &f) { f.grpPay->setTitle(QStringLiteral("Other")); },
         [](DesignForm &f) { return f.grpPay->title() == QLatin1String("Pay period"); }},
        {"the window retitled", [](DesignForm &f) { f.setWindowTitle(QStringLiteral("  User:  pat")); },
         [](DesignForm &f) { return f.windowTitle() == QLatin1String("Design"); }},
        {"a hidden control shown", [](DesignForm &f) { f.lbHidden->show(); },
         [](DesignForm &f) { return f.lbHidden->isHidden(); }},
        {"a shown control hidden", [](DesignForm &f) { f.txtOther->hide(); },
         [](DesignForm &f) { return !f.txtOther->isHidden() && f.txtOther->isVisibleTo(&f); }},
        {"a disabled control enabled", [](DesignForm &f) { f.cmdOff->setEnabled(true); },
         [](DesignForm &f) { return !f.cmdOff->isEnabled(); }},
        {"a frame disabled with its controls", [](DesignForm &f) { f.grpPay->setEnabled(false); },
         [](DesignForm &f) { return f.grpPay->isEnabled() && f.optBiWeek->isEnabled(); }},
        {"a combo box's selection changed", [](DesignForm &f) { f.cboStatus->setCurrentIndex(1); },
         [](DesignForm &f) { return f.cboStatus->currentIndex() == 0; }},
        {"a combo box's items replaced",
         [](DesignForm &f) {
             f.cboStatus->clear();
             f.cboStatus->addItem(QStringLiteral("Widowed"), 9);
         },
         [](DesignForm &f) {
             return f.cboStatus->count() == 2 && f.cboStatus->itemText(1) == QLatin1String("Married") &&
                    f.cboStatus->itemData(1) == QVariant(2) && f.cboStatus->currentText() == QLatin1String("Single");
         }},
        {"an editable combo box typed into",
         [](DesignForm &f) {
             f.cboDepend->lineEdit()->selectAll();
             QTest::keyClicks(f.cboDepend->lineEdit(), QStringLiteral("7"));
         },
         [](DesignForm &f) {
             return f.cboDepend->currentText() == QLatin1String("1") && f.cboDepend->currentIndex() == 1;
         }},
        {"a date picked outside the range moved",
         [](DesignForm &f) {
             f.dtPay->setRange(QDate(2010, 1, 1), QDate(2010, 12, 31));
             f.dtPay->setDate(QDate(2010, 6, 1));
         },
         [](DesignForm &f) {
             return f.dtPay->date() == QDate(2005, 1, 1) && f.dtPay->minimumDate() == QDate(2004, 12, 1) &&
                    f.dtPay->maximumDate() == QDate(2006, 1, 7) && f.dtPay->text() == QLatin1String("01/01/05");
         }},
        {"a menu item disabled and renamed",
         [](DesignForm &f) {
             f.mnuSave->setEnabled(false);
             f.mnuSave->setText(QStringLiteral("Gone"));
         },
         [](DesignForm &f) { return f.mnuSave->isEnabled() && f.mnuSave->text() == QLatin1String("&Save"); }},
        {"a checked menu item put off and hidden",
         [](DesignForm &f) {
             f.mnuWeekly->setChecked(false);
             f.mnuWeekly->setVisible(false);
         },
         [](DesignForm &f) { return f.mnuWeekly->isChecked() && f.mnuWeekly->isVisible(); }},
        {"the other item of an exclusive group chosen", [](DesignForm &f) { f.mnuBiWeek->trigger(); },
         [](DesignForm &f) {
             return f.mnuWeek->isChecked() && !f.mnuBiWeek->isChecked() && f.group->checkedAction() == f.mnuWeek;
         }},
        {"a menu retitled", [](DesignForm &f) { f.mnuFile->setTitle(QStringLiteral("Other")); },
         [](DesignForm &f) { return f.mnuFile->title() == QLatin1String("&File"); }},
        {"the focus moved", [](DesignForm &f) { f.txtOther->setFocus(); },
         [](DesignForm &f) { return f.focusWidget() == f.txtName; }},
        {"the window moved and resized by the program",
         [](DesignForm &f) {
             f.move(300, 200);
             f.resize(700, 800);
         },
         [](DesignForm &f) { return f.pos() == QPoint(120, 140) && f.size() == QSize(640, 560); }},
        {"a tool tip and a style sheet changed",
         [](DesignForm &f) {
             f.cmdGo->setToolTip(QString());
             f.lbCaption->setStyleSheet(QString());
         },
         [](DesignForm &f) {
             return f.cmdGo->toolTip() == QLatin1String("Press") &&
                    f.lbCaption->styleSheet() == QLatin1String("color: red");
         }},
        {"the window made modal", [](DesignForm &f) { f.setWindowModality(Qt::ApplicationModal); },
         [](DesignForm &f) { return f.windowModality() == Qt::NonModal; }},
    };
    return table;
}

class FormReuseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Forms::define(DesignForm::kName, [] { return new DesignForm; });
        Forms::define(PlainForm::kName, [] { return new PlainForm; });
    }
    void TearDown() override
    {
        Forms::unloadAll();
        platform::Ui::reset();
    }
    // Loaded and shown, as the user sees it.
    static DesignForm &open()
    {
        DesignForm &f = Forms::get<DesignForm>();
        f.showForm();
        return f;
    }
};

TEST_F(FormReuseTest, AReloadedWindowStartsFromItsDesignStateWithNoHandlerRunning)
{
    for (const Use &u : uses()) {
        DesignForm &f = open();
        ASSERT_TRUE(u.atDesign(f)) << "on its load: " << u.what;
        u.use(f);
        ASSERT_FALSE(u.atDesign(f)) << "the use did not change it: " << u.what;
        ASSERT_TRUE(Forms::unload<DesignForm>());
        const int fired = f.fired;
        DesignForm &again = Forms::get<DesignForm>();
        EXPECT_EQ(&again, &f);
        EXPECT_TRUE(u.atDesign(again)) << u.what;
        EXPECT_EQ(again.fired, fired) << "a handler ran while putting back " << u.what;
        ASSERT_TRUE(Forms::unload<DesignForm>());
    }
}

TEST_F(FormReuseTest, EveryChangeAtOnceIsPutBackByOneLoadAndTheFieldsStay)
{
    DesignForm &f = open();
    for (const Use &u : uses())
        u.use(f);
    ASSERT_TRUE(f.close()) << "closed by the user";
    const int fired = f.fired;
    DesignForm &again = Forms::get<DesignForm>();
    for (const Use &u : uses())
        EXPECT_TRUE(u.atDesign(again)) << u.what;
    EXPECT_EQ(again.fired, fired);
    EXPECT_EQ(again.loads, 2) << "the load ran each time, and the field kept its count";
    EXPECT_FALSE(again.isVisible()) << "a load does not show the window";
}

TEST_F(FormReuseTest, ARestoredExclusiveMenuGroupStillKeepsOneItemOn)
{
    DesignForm &f = open();
    f.mnuBiWeek->trigger();
    ASSERT_TRUE(Forms::unload<DesignForm>());
    DesignForm &again = Forms::get<DesignForm>();
    again.mnuBiWeek->trigger();
    EXPECT_TRUE(again.mnuBiWeek->isChecked());
    EXPECT_FALSE(again.mnuWeek->isChecked());
    again.mnuWeek->trigger();
    EXPECT_FALSE(again.mnuBiWeek->isChecked());
    EXPECT_EQ(again.group->checkedAction(), again.mnuWeek);
}

TEST_F(FormReuseTest, AWindowWhoseConstructorGaveNoFocusFocusesItsFirstBoxAgain)
{
    PlainForm &f = Forms::get<PlainForm>();
    f.showForm();
    f.second->setFocus();
    ASSERT_EQ(f.focusWidget(), f.second);
    ASSERT_TRUE(Forms::unload<PlainForm>());
    PlainForm &again = Forms::get<PlainForm>();
    EXPECT_EQ(again.focusWidget(), nullptr);
    again.showForm();
    EXPECT_NE(again.focusWidget(), again.second);
}

TEST_F(FormReuseTest, AnUnloadedWindowIsNotLoadedByAskingAndAModalUseLeavesNoTrace)
{
    using platform::Ui;
    DesignForm &f = Forms::get<DesignForm>();
    Ui::script(Ui::ModalAction([](QWidget *w) {
        auto &form = static_cast<DesignForm &>(*w);
        form.txtName->setText(QStringLiteral("typed"));
        form.ckOn->setChecked(true);
    }));
    Ui::showModal(&f);
    EXPECT_FALSE(Forms::isLoaded<DesignForm>());
    EXPECT_FALSE(Forms::isLoaded<DesignForm>());
    EXPECT_EQ(f.loads, 1) << "asking does not load";
    EXPECT_EQ(f.txtName->text(), QStringLiteral("typed")) << "nothing is put back before the next load";

    QString seen;
    Ui::script(Ui::ModalAction([&seen](QWidget *w) { seen = static_cast<DesignForm &>(*w).txtName->text(); }));
    Ui::showModal(&Forms::get<DesignForm>());
    EXPECT_EQ(seen, QStringLiteral("design"));
    EXPECT_FALSE(f.ckOn->isChecked());
    EXPECT_EQ(f.loads, 2);
}

TEST(DesignState, PagesAreWalkedAndChildFormsAndLaterControlsAreLeftAlone)
{
    QWidget window;
    auto *area = new QScrollArea(&window);
    auto *page = new QWidget;
    auto *inScroll = new QLineEdit(QStringLiteral("scroll"), page);
    area->setWidget(page);
    auto *tabs = new QTabWidget(&window);
    auto *tab = new QWidget;
    auto *inTab = new QLineEdit(QStringLiteral("tab"), tab);
    tabs->addTab(tab, QStringLiteral("Tab"));
    auto *child = new Form("frmChild", &window);
    auto *inChild = new QLineEdit(QStringLiteral("child"), child);
    auto *doomed = new QLineEdit(QStringLiteral("doomed"), &window);
    auto *combo = new QComboBox(&window);
    combo->addItem(QStringLiteral("one"));

    const platform::DesignState design = platform::DesignState::capture(&window);
    // The window, the area, its page and box, the tabs, the page and box,
    // the doomed box and the combo box; not the combo box's own parts.
    EXPECT_EQ(design.size(), 9u);

    inScroll->setText(QStringLiteral("x"));
    inTab->setText(QStringLiteral("x"));
    inChild->setText(QStringLiteral("x"));
    delete doomed;
    auto *later = new QLineEdit(QStringLiteral("later"), &window);
    design.restore();
    EXPECT_EQ(inScroll->text(), QStringLiteral("scroll"));
    EXPECT_EQ(inTab->text(), QStringLiteral("tab"));
    EXPECT_EQ(inChild->text(), QStringLiteral("x")) << "a child form is a window of its own";
    EXPECT_EQ(later->text(), QStringLiteral("later"));
}

}  // namespace
