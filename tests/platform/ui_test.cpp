#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/datepicker.h"
#include "platform/ui.h"
#include "when_modal_shows.h"

// Readable dates in failure messages.
void PrintTo(const QDate &date, std::ostream *out) { *out << date.toString(Qt::ISODate).toStdString(); }

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::Question;
using platform::Ui;

// Every test starts scripted with an empty script, in its own current folder.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        Ui::reset();
        Ui::setScripted(true);
        Ui::setAppTitle(QStringLiteral("Paycheck Test"));
    }
    void TearDown() override
    {
        Ui::reset();
        Ui::setScripted(true);
        Ui::setAppTitle(QString());
        QDir::setCurrent(previous);
    }
    QString make(const QString &relative) const
    {
        const QString path = QDir(folder.path()).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return QFileInfo(path).absoluteFilePath();
    }

    QTemporaryDir folder;
    QString previous;
};

TEST_F(UiTest, ScriptedAnswersAreTakenInOrderAndEveryQuestionIsRecorded)
{
    QWidget window;
    window.setObjectName(QStringLiteral("frmWindow"));
    window.setWindowTitle(QStringLiteral("Window"));
    const QString chosen = make(QStringLiteral("pat.use"));
    bool shownDuringAction = false;

    Ui::script(Answer::Yes);
    Ui::script(QStringLiteral("staff1"));
    Ui::script(std::optional<QString>(chosen));
    Ui::script(false);
    Ui::script(Ui::ModalAction([&](QWidget *w) { shownDuringAction = w == &window && w->isVisible(); }));
    ASSERT_EQ(Ui::pendingAnswers(), 5u);

    EXPECT_EQ(Ui::message(QStringList{QStringLiteral("SAVE?"), QStringLiteral("Now")}, Buttons::YesNo, Icon::Question),
              Answer::Yes);
    EXPECT_EQ(Ui::input(QStringLiteral("Enter new user:"), QStringLiteral("File New")), QStringLiteral("staff1"));
    EXPECT_EQ(Ui::openFile(QStringLiteral("Saved Files (*.use)|*.use")), chosen);
    QPrinter printer;
    EXPECT_FALSE(Ui::printerDialog(printer));
    Ui::showModal(&window);
    EXPECT_TRUE(shownDuringAction);
    EXPECT_FALSE(window.isVisible()) << "a scripted modal window is hidden after its action";
    EXPECT_EQ(Ui::pendingAnswers(), 0u);

    const std::vector<Question> &asked = Ui::asked();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].kind, Question::Kind::Message);
    EXPECT_EQ(asked[0].title, QStringLiteral("Paycheck Test"));
    EXPECT_EQ(asked[0].text, QStringLiteral("SAVE?\r\nNow"));
    EXPECT_EQ(asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(asked[0].icon, Icon::Question);
    EXPECT_EQ(asked[1].kind, Question::Kind::Input);
    EXPECT_EQ(asked[1].title, QStringLiteral("File New"));
    EXPECT_EQ(asked[1].text, QStringLiteral("Enter new user:"));
    EXPECT_EQ(asked[2].kind, Question::Kind::OpenFile);
    EXPECT_EQ(asked[2].text, QStringLiteral("Saved Files (*.use)|*.use"));
    EXPECT_EQ(asked[3].kind, Question::Kind::Printer);
    EXPECT_EQ(asked[4].kind, Question::Kind::Modal);
    EXPECT_EQ(asked[4].text, QStringLiteral("frmWindow"));

    Ui::script(Answer::Ok);
    Ui::reset();
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
    EXPECT_TRUE(Ui::asked().empty());
}

TEST_F(UiTest, TitlesAreTheProgramsWhenNoneIsGivenAndBlankForNoTitle)
{
    const struct {
        QString given;
        QString shown;
    } cases[] = {
        {QString(), QStringLiteral("Paycheck Test")},
        {QStringLiteral("Save?"), QStringLiteral("Save?")},
        {Ui::kNoTitle, QString()},
    };
    for (const auto &c : cases) {
        Ui::clearAsked();
        Ui::script(Answer::Ok);
        Ui::message(QStringLiteral("text"), Buttons::Ok, Icon::None, c.given);
        Ui::script(QString());
        Ui::input(QStringLiteral("prompt"), c.given);
        ASSERT_EQ(Ui::asked().size(), 2u);
        EXPECT_EQ(Ui::asked()[0].title, c.shown) << c.given.toStdString();
        EXPECT_EQ(Ui::asked()[1].title, c.shown) << c.given.toStdString();
    }
}

TEST_F(UiTest, AQuestionWithoutAFittingAnswerThrowsNamingItsText)
{
    auto thrownText = [](const std::function<void()> &ask) {
        try {
            ask();
        } catch (const platform::UnansweredQuestion &e) {
            return std::string(e.what());
        }
        return std::string("nothing thrown");
    };
    auto yesNo = [](const char *text) { return [text] { Ui::message(QString::fromLatin1(text), Buttons::YesNo); }; };
    // Nothing queued.
    EXPECT_NE(thrownText(yesNo("NO ANSWER HERE")).find("NO ANSWER HERE"), std::string::npos);
    // The next answer is of another kind: it stays queued for its own question.
    Ui::script(QStringLiteral("typed"));
    EXPECT_NE(thrownText(yesNo("WRONG KIND")).find("WRONG KIND"), std::string::npos);
    EXPECT_EQ(Ui::pendingAnswers(), 1u);
    EXPECT_EQ(Ui::input(QStringLiteral("prompt")), QStringLiteral("typed"));
    // An answer that is none of the box's buttons.
    Ui::script(Answer::Yes);
    EXPECT_NE(thrownText([] { Ui::message(QStringLiteral("OK OR CANCEL"), Buttons::OkCancel); }).find("OK OR CANCEL"),
              std::string::npos);
    EXPECT_EQ(Ui::pendingAnswers(), 1u);
    Ui::reset();
    QWidget window;
    EXPECT_NE(thrownText([&] { Ui::showModal(&window); }), "nothing thrown");
    EXPECT_FALSE(window.isVisible());
    // The failed questions were still recorded.
    EXPECT_EQ(Ui::asked().size(), 1u);
}

TEST_F(UiTest, AnOkOnlyBoxAnswersItselfAndTakesOnlyAnOkThatIsNext)
{
    EXPECT_EQ(Ui::message(QStringLiteral("Saved.")), Answer::Ok);
    Ui::script(Answer::No);
    EXPECT_EQ(Ui::message(QStringLiteral("Saved.")), Answer::Ok);
    EXPECT_EQ(Ui::pendingAnswers(), 1u) << "the No waits for its own box";
    Ui::reset();
    Ui::script(Answer::Ok);
    Ui::message(QStringLiteral("Saved."));
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
}

TEST_F(UiTest, ChoosingAFileMakesItsFolderCurrentAndCancelLeavesItAlone)
{
    const QString chosen = make(QStringLiteral("users/.use"));
    Ui::script(std::optional<QString>());
    EXPECT_EQ(Ui::openFile(QStringLiteral("Saved Files (*.use)|*.use")), std::nullopt);
    EXPECT_EQ(QDir::currentPath(), QDir(folder.path()).canonicalPath());

    // A relative path is read against the current folder before it moves.
    Ui::script(std::optional<QString>(QStringLiteral("users/.use")));
    EXPECT_EQ(Ui::openFile(QStringLiteral("Saved Files (*.use)|*.use")), chosen);
    EXPECT_EQ(QDir::currentPath(), QFileInfo(chosen).absolutePath());
}

TEST_F(UiTest, FileFiltersTakeQtsForm)
{
    const struct {
        const char *legacy;
        const char *qt;
    } cases[] = {
        {"Saved Files (*.use)|*.use", "Saved Files (*.use)"},
        {"Text|*.txt;*.doc", "Text (*.txt *.doc)"},
        {"Saved Files (*.use)|*.use|All Files (*.*)|*.*", "Saved Files (*.use);;All Files (*.*)"},
        {"Old (*.a)|*.a;*.b", "Old (*.a) (*.a *.b)"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::qtFileFilter(QString::fromLatin1(c.legacy)), QString::fromLatin1(c.qt)) << c.legacy;
}

TEST_F(UiTest, AModalActionMayDestroyTheWindow)
{
    QPointer<QWidget> window = new QWidget;
    Ui::script(Ui::ModalAction([](QWidget *w) { delete w; }));
    Ui::showModal(window);
    EXPECT_TRUE(window.isNull());
}

// The caller hears of every document that was not opened: a scripted
// failure, and a missing file whatever the answer; a missing file starts
// no opener.
TEST_F(UiTest, ADocumentNotOpenedIsReported)
{
    const QString help = make(QStringLiteral("Help.html"));
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("Missing.html"));
    int failures = 0;
    const auto failed = [&failures] { ++failures; };
    const struct {
        const QString &path;
        bool opens;
        int failures;
    } cases[] = {{help, true, 0}, {help, false, 1}, {missing, true, 2}};
    for (const auto &c : cases) {
        Ui::script(c.opens);
        Ui::openDocument(c.path, failed);
        EXPECT_EQ(failures, c.failures) << c.path.toStdString() << " " << c.opens;
    }
    EXPECT_EQ(Ui::pendingAnswers(), 0u);
    ASSERT_EQ(Ui::asked().size(), 3u);
    EXPECT_EQ(Ui::asked()[0].kind, Question::Kind::Help);
    EXPECT_EQ(Ui::asked()[0].text, help);

    Ui::setScripted(false);
    Ui::openDocument(missing, failed);
    EXPECT_EQ(failures, 3);
    EXPECT_EQ(Ui::openersRunning(), 0u);
}

// The help viewer window, when one exists.
QTextBrowser *helpViewer()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("HelpViewer"))
            return qobject_cast<QTextBrowser *>(w);
    return nullptr;
}

// Clicks the link whose text is linkText, as the user would.
void clickLink(QTextBrowser *viewer, const QString &linkText)
{
    const QTextCursor found = viewer->document()->find(linkText);
    ASSERT_FALSE(found.isNull()) << linkText.toStdString();
    QTextCursor inside(viewer->document());
    inside.setPosition(found.selectionStart() + 1);
    const QPoint at = viewer->cursorRect(inside).center();
    ASSERT_FALSE(viewer->anchorAt(at).isEmpty()) << "no link under " << linkText.toStdString();
    QTest::mouseClick(viewer->viewport(), Qt::LeftButton, {}, at);
}

class HelpViewerTest : public UiTest {
protected:
    void TearDown() override
    {
        Ui::closeHelp();
        UiTest::TearDown();
    }
    QString write(const QString &name, const QByteArray &html) const
    {
        const QString path = QDir(folder.path()).filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
        return QFileInfo(path).absoluteFilePath();
    }
};

TEST_F(HelpViewerTest, TheHelpOpensInTheProgramsViewerAtItsStartAndFollowsItsLinks)
{
    QByteArray body =
        "<html><head><title>Test Help</title></head><body>"
        "<h1 id=\"contents\">Contents</h1>"
        "<p><a href=\"#last\">Last part</a></p>"
        "<p><a href=\"other.html\">Other page</a></p>"
        "<p><a href=\"https://example.com/page\">Web page</a></p>";
    for (int i = 0; i < 200; ++i)
        body += "<p>Filler paragraph " + QByteArray::number(i) + "</p>";
    body += "<h2 id=\"last\">The last part</h2></body></html>";
    const QString help = write(QStringLiteral("Help.html"), body);
    const QString other = write(QStringLiteral("other.html"), "<html><body><p>Elsewhere</p></body></html>");

    ASSERT_TRUE(Ui::showHelp(help));
    QTextBrowser *viewer = helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(viewer->source(), QUrl::fromLocalFile(help));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Test Help"));
    EXPECT_EQ(viewer->verticalScrollBar()->value(), 0);
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked()[0].kind, Question::Kind::Help);
    EXPECT_EQ(Ui::asked()[0].text, help);
    EXPECT_EQ(Ui::pendingAnswers(), 0u);

    // A place in the document: the viewer scrolls there.
    clickLink(viewer, QStringLiteral("Last part"));
    EXPECT_EQ(viewer->source().fragment(), QStringLiteral("last"));
    EXPECT_GT(viewer->verticalScrollBar()->value(), 0);

    // Asked again: the same window, back at the start.
    ASSERT_TRUE(Ui::showHelp(help));
    EXPECT_EQ(helpViewer(), viewer);
    EXPECT_EQ(viewer->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(viewer->isBackwardAvailable());

    // Another local file opens in the viewer; asked again, the help is back.
    clickLink(viewer, QStringLiteral("Other page"));
    EXPECT_EQ(viewer->source(), QUrl::fromLocalFile(other));
    ASSERT_TRUE(Ui::showHelp(help));
    EXPECT_EQ(viewer->source(), QUrl::fromLocalFile(help));

    // A web link goes to the desktop (scripted: only recorded).
    Ui::clearAsked();
    clickLink(viewer, QStringLiteral("Web page"));
    EXPECT_EQ(viewer->source(), QUrl::fromLocalFile(help));
    ASSERT_EQ(Ui::asked().size(), 1u);
    EXPECT_EQ(Ui::asked()[0].kind, Question::Kind::Help);
    EXPECT_EQ(Ui::asked()[0].text, QStringLiteral("https://example.com/page"));
}

// The viewer is kept for the run: closed by the user and asked for again,
// as often as he likes, it still tells the application of a focus change
// once (for the input method).
TEST_F(HelpViewerTest, TheViewerClosedAndOpenedAgainTellsTheApplicationOfAFocusChangeOnce)
{
    const QString help = write(QStringLiteral("Help.html"), "<html><body><p>Words</p></body></html>");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(Ui::showHelp(help));
        ASSERT_TRUE(QTest::qWaitForWindowActive(helpViewer()));
        ASSERT_TRUE(helpViewer()->close());
    }
    ASSERT_TRUE(Ui::showHelp(help));
    QTextBrowser *viewer = helpViewer();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    viewer->clearFocus();

    int told = 0;
    QObject counter;
    QObject::connect(qApp, &QGuiApplication::focusObjectChanged, &counter, [&] { ++told; });
    viewer->setFocus();
    EXPECT_EQ(told, 1);
}

TEST_F(HelpViewerTest, AHelpFileThatCannotBeReadShowsNothing)
{
    EXPECT_FALSE(Ui::showHelp(QDir(folder.path()).filePath(QStringLiteral("Missing.html"))));
    EXPECT_FALSE(Ui::showHelp(folder.path())) << "a folder is no document";
    EXPECT_EQ(helpViewer(), nullptr);
    ASSERT_EQ(Ui::asked().size(), 2u);
    EXPECT_EQ(Ui::asked()[0].kind, Question::Kind::Help);

    // The viewer shows the document read afresh, also when it is the same path.
    const QString help = write(QStringLiteral("Help.html"), "<html><body><p>First words</p></body></html>");
    ASSERT_TRUE(Ui::showHelp(help));
    write(QStringLiteral("Help.html"), "<html><body><p>Second words</p></body></html>");
    ASSERT_TRUE(Ui::showHelp(help));
    EXPECT_EQ(helpViewer()->toPlainText(), QStringLiteral("Second words"));
}

// The real dialogs, answered by a timer once they show.
class RealDialogs : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Ui::setScripted(false);
    }
};

TEST_F(RealDialogs, MessageBoxesShowTheirTitleTextAndButtons)
{
    const struct {
        QString title;
        QString windowTitle;
        Buttons buttons;
        QMessageBox::StandardButton press;
        Answer answer;
    } cases[] = {
        {QString(), QStringLiteral("Paycheck Test"), Buttons::YesNo, QMessageBox::No, Answer::No},
        {Ui::kNoTitle, QStringLiteral(" "), Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
        {QStringLiteral("Save?"), QStringLiteral("Save?"), Buttons::OkCancel, QMessageBox::Ok, Answer::Ok},
    };
    for (const auto &c : cases) {
        QString title, text;
        QMessageBox::StandardButtons buttons;
        wdtest::whenModalShows([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            box->button(c.press)->click();
        });
        EXPECT_EQ(Ui::message(QStringList{QStringLiteral("one"), QStringLiteral("two")}, c.buttons, Icon::Exclamation,
                              c.title),
                  c.answer);
        EXPECT_EQ(title, c.windowTitle);
        EXPECT_EQ(text, QStringLiteral("one\ntwo"));
        EXPECT_TRUE(buttons & c.press);
    }
    EXPECT_TRUE(Ui::asked().empty()) << "a real run keeps no record growing with every question";
}

// A question whose No lets something go: Esc and the close button answer
// Cancel, not No; a plain Yes/No box still takes them for No.
TEST_F(RealDialogs, EscAndTheCloseButtonCancelOnlyWhereAskedTo)
{
    const auto escape = [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); };
    const auto closeButton = [](QMessageBox *box) { box->close(); };
    const auto yes = [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); };
    const auto no = [](QMessageBox *box) { box->button(QMessageBox::No)->click(); };
    const struct {
        const char *name;
        Buttons buttons;
        std::function<void(QMessageBox *)> act;
        Answer answer;
    } cases[] = {
        {"Esc", Buttons::YesNoEscCancels, escape, Answer::Cancel},
        {"close button", Buttons::YesNoEscCancels, closeButton, Answer::Cancel},
        {"Yes", Buttons::YesNoEscCancels, yes, Answer::Yes},
        {"No", Buttons::YesNoEscCancels, no, Answer::No},
        {"Esc on a plain Yes/No box", Buttons::YesNo, escape, Answer::No},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QMessageBox::StandardButtons shown;
        wdtest::whenModalShows([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_NE(box, nullptr);
            shown = box->standardButtons();
            c.act(box);
        });
        EXPECT_EQ(Ui::message(QStringLiteral("     Do you want to save YTD"), c.buttons), c.answer);
        EXPECT_EQ(shown, QMessageBox::Yes | QMessageBox::No) << "no button is added";
    }
}

TEST_F(RealDialogs, CancellingAnInputBoxGivesNothing)
{
    wdtest::whenModalShows([](QWidget *w) {
        auto *dialog = qobject_cast<QInputDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), QStringLiteral("draft"));
        dialog->reject();
    });
    EXPECT_EQ(Ui::input(QStringLiteral("Enter new user:"), QString(), QStringLiteral("draft")), QString());
}

TEST_F(RealDialogs, TheFileDialogShowsDotFilesAndMovesTheCurrentFolder)
{
    const QString chosen = make(QStringLiteral("users/.use"));
    wdtest::whenModalShows([&](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->filter() & QDir::Hidden);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Saved Files (*.use)")});
        dialog->selectFile(chosen);
        static_cast<QDialog *>(dialog)->accept();  // QFileDialog hides its accept()
    });
    EXPECT_EQ(Ui::openFile(QStringLiteral("Saved Files (*.use)|*.use")), chosen);
    EXPECT_EQ(QDir::currentPath(), QFileInfo(chosen).absolutePath());
}

TEST_F(RealDialogs, AModalWindowReturnsWhenHiddenOrDestroyed)
{
    QWidget window;
    wdtest::whenModalShows([](QWidget *w) { w->hide(); });
    Ui::showModal(&window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.windowModality(), Qt::NonModal) << "the modality is the window's own again";

    QPointer<QWidget> doomed = new QWidget;
    wdtest::whenModalShows([](QWidget *w) { delete w; });
    Ui::showModal(doomed);
    EXPECT_TRUE(doomed.isNull());
}

TEST(PrintWindowImage, PrintsAWindowToAPdfFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QLabel window(QStringLiteral("NET PAY 1,234.56"));
    window.resize(320, 200);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("window.pdf")));
    ASSERT_TRUE(platform::printWindowImage(&window, printer));
    QFile pdf(dir.filePath(QStringLiteral("window.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    // A printer that cannot start: its file's folder does not exist.
    QPrinter broken(QPrinter::HighResolution);
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder/window.pdf")));
    EXPECT_FALSE(platform::printWindowImage(&window, broken));
}

TEST(DatePicker, ReadsShortAndFullMonthDayYearInThisCentury)
{
    const struct {
        const char *text;
        QDate date;
    } cases[] = {
        // The full form, and two-digit years in 2000-2099.
        {"03/18/05", QDate(2005, 3, 18)},
        {"02/29/00", QDate(2000, 2, 29)},
        {"12/31/99", QDate(2099, 12, 31)},
        // One digit for the month, the day, or both; blanks around.
        {"1/7/05", QDate(2005, 1, 7)},
        {"3/18/05", QDate(2005, 3, 18)},
        {"01/7/05", QDate(2005, 1, 7)},
        {"1/07/05", QDate(2005, 1, 7)},
        {" 01/07/06 ", QDate(2006, 1, 7)},
        {"\t1/7/05  ", QDate(2005, 1, 7)},
        // Days and months that do not exist.
        {"13/1/05", QDate()},
        {"2/30/05", QDate()},
        {"2/29/05", QDate()},
        {"00/00/05", QDate()},
        {"0/7/05", QDate()},
        {"1/0/05", QDate()},
        // Not one of the two forms.
        {"", QDate()},
        {"1/7/5", QDate()},
        {"1/7/2005", QDate()},
        {"001/7/05", QDate()},
        {"1/007/05", QDate()},
        {"1//05", QDate()},
        {"/7/05", QDate()},
        {"1/7/", QDate()},
        {"1/7", QDate()},
        {"1/7/05/", QDate()},
        {"1/7/05x", QDate()},
        {"+1/7/05", QDate()},
        {"1 /7/05", QDate()},
        {"1-7-05", QDate()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::DatePicker::parse(QString::fromLatin1(c.text)), c.date) << c.text;
    // Digits of other scripts are not month or day digits.
    EXPECT_EQ(platform::DatePicker::parse(QStringLiteral("\u0661/7/05")), QDate());
}

TEST(DatePicker, ShowsMonthDayYearAndKeepsToItsRange)
{
    platform::DatePicker picker;
    picker.setRange(QDate(2004, 12, 1), QDate(2006, 1, 7));
    EXPECT_TRUE(picker.calendarPopup());
    picker.setDate(QDate(2005, 3, 8));
    EXPECT_EQ(picker.text(), QStringLiteral("03/08/05"));
    picker.setDate(QDate(2026, 12, 10));
    EXPECT_EQ(picker.date(), QDate(2006, 1, 7));

    // Typed by the user (each section moves on after two digits), the year
    // is read as 20xx, also where the range would allow the 1900s.
    picker.setDate(QDate(2005, 1, 1));
    picker.show();
    picker.setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(&picker, QStringLiteral("070405"));
    picker.interpretText();
    EXPECT_EQ(picker.date(), QDate(2005, 7, 4));

    platform::DatePicker open;
    open.show();
    open.setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(&open, QStringLiteral("99"));
    open.interpretText();
    EXPECT_EQ(open.date(), QDate(2099, 1, 1));
}

}  // namespace
