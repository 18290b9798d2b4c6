// Every modal question the program asks goes through Ui: message boxes,
// input boxes, the file-open and printer dialogs, modal windows, the help
// viewer. The program shows the real Qt dialogs; a test scripts the answers
// beforehand (Ui::script()) and reads what was asked (Ui::asked()), so no
// person is needed and nothing blocks. A message box, an input box or the
// file dialog belongs to the program's window that asks it (the modal window
// on view, else the active window, else the main window): transient for it,
// and centred over it inside its screen's available area.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <variant>
#include <vector>

class QPrinter;
class QWidget;

namespace platform {

enum class Icon { None, Information, Exclamation, Critical, Question };
// YesNoEscCancels shows Yes and No; Esc or the box's close button answers
// Cancel, for a question whose No lets something go, so that a stray key
// costs nothing.
enum class Buttons { Ok, YesNo, OkCancel, YesNoCancel, YesNoEscCancels };
enum class Answer { Ok, Cancel, Yes, No };

// One question as it was asked, for tests to check.
struct Question {
    enum class Kind { Message, Input, OpenFile, Printer, Modal, Help };
    Kind kind;
    QString title;  // as shown: the program's title when none was given, "" for Ui::kNoTitle
    QString text;   // message text (lines joined by CR LF), input prompt, filter, window name, document path or link
    Buttons buttons = Buttons::Ok;  // message boxes only
    Icon icon = Icon::None;         // message boxes only
};

class Ui {
public:
    // The title of message and input boxes that do not name their own.
    // Until set, the application's name.
    static void setAppTitle(const QString &title);
    static QString appTitle();

    // A message box; lines are joined by CR LF. An empty title gives the
    // program's title; a title of Ui::kNoTitle shows an empty title bar.
    static Answer message(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                          const QString &title = {});
    static Answer message(const QStringList &lines, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                          const QString &title = {});
    static const QString kNoTitle;

    // An input box; Cancel gives "". Titles as for message().
    static QString input(const QString &prompt, const QString &title = {}, const QString &defaultText = {});

    // The file-open dialog. filter is in the form
    // "Saved Files (*.use)|*.use" (description|patterns, pairs). Dot-files are
    // shown. Choosing a file makes its folder the current folder. Returns the
    // chosen path (absolute), or nothing when cancelled. The title defaults
    // to "Open".
    static std::optional<QString> openFile(const QString &filter, const QString &title = {});

    // The printer dialog: true when the user confirmed.
    static bool printerDialog(QPrinter &printer, QWidget *parent = nullptr);

    // The program's printer of this run, which every printout and printed
    // window goes to: made on first use (the desktop's default printer, if
    // any), set up by the printer dialogs shown on it.
    static QPrinter &currentPrinter();
    // The printer dialog on the current printer; a confirmed dialog makes
    // its choice the printer that later printouts use without asking.
    static bool choosePrinter(QWidget *parent = nullptr);
    // The printer for a printout that shows no printer dialog of its own:
    // the current printer when one was confirmed in a dialog during this
    // run, else the desktop's default printer. The dialog is shown when
    // there is neither, and also when the last choice was printing to a
    // file, so that a file written before is never replaced unasked.
    // nullptr when that dialog is cancelled. A scripted run never finds a
    // desktop printer, so no test prints on paper.
    static QPrinter *printerForPrinting(QWidget *parent = nullptr);

    // Shows a window modally and returns when it is hidden or destroyed.
    // In a scripted run the window is shown, the next scripted Modal action
    // is run on it instead of waiting, and a window still visible afterwards
    // is closed as by the user (a Form runs its unload rule with
    // fromCode=false), or hidden when it refuses. Never blocks when scripted.
    static void showModal(QWidget *window);

    // Opens a document with the desktop's program (a workbook, say): the
    // desktop's opener, xdg-open found on PATH, is started for it, and the
    // program goes on without waiting for it. `failed` is called when the
    // document could not be opened: at once when the file does not exist
    // or no opener is found, later, from the event loop, when the opener
    // cannot be started or ends with a failure (as it does when no program
    // is set for the document's type). Recorded as a Help question (text:
    // the path). When scripted, the next answer decides: a bool says
    // whether the program "opened" the file (an existing one), and
    // Ui::RunOpener starts the opener for real.
    static void openDocument(const QString &path, std::function<void()> failed);
    // Openers started and not ended yet.
    static std::size_t openersRunning();

    // Shows an HTML help document in the program's own help viewer: one
    // modeless window (object name "HelpViewer", a QTextBrowser), reused by
    // every call and brought to the front, opened at the document's start.
    // Links within the document and to other local files are followed in
    // the viewer; other links (web pages, mail) go to the desktop. false,
    // with nothing shown, when the file does not exist or cannot be read.
    // Recorded as a Help question (text: the path) and shown also when
    // scripted, without taking a scripted answer; a link handed to the
    // desktop is recorded as a Help question with the link as its text, and
    // when scripted it is not opened.
    static bool showHelp(const QString &path);
    // Closes and destroys the help viewer (program end, tests); the next
    // showHelp() makes a new one.
    static void closeHelp();

    // ---- scripted answers, for tests ----
    using ModalAction = std::function<void(QWidget *)>;
    struct RunOpener {};
    using Scripted = std::variant<Answer, QString, std::optional<QString>, bool, ModalAction, RunOpener>;
    // Each question takes the next scripted answer, first in first out, and
    // it must be of the question's kind:
    // message -> Answer (one of its buttons; an OK-only box needs none, and
    // takes an Ok only when it is next); input -> QString ("" is
    // Cancel); openFile -> std::optional<QString> (the path; its folder
    // becomes current); printerDialog -> bool; showModal -> ModalAction;
    // openDocument -> bool (whether it "opened") or RunOpener.
    // While scripted, a question with no answer queued, or whose next answer
    // is of another kind, throws UnansweredQuestion (naming the question's
    // text) instead of showing a dialog; the mismatched answer stays queued.
    static void setScripted(bool on);
    static bool scripted();
    static void script(Scripted answer);
    static std::size_t pendingAnswers();
    // Everything asked while scripted since the last clearAsked(), in order.
    // A run that is not scripted records nothing.
    static const std::vector<Question> &asked();
    static void clearAsked();
    // Forget the script, the record and the current printer.
    static void reset();
};

struct UnansweredQuestion : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A filter of the form "Desc (*.a)|*.a|Other|*.b;*.c" in Qt's form
// "Desc (*.a);;Other (*.b *.c)".
QString qtFileFilter(const QString &filter);

// Prints an image of a window, scaled to fit the page (aspect kept, at the
// top left), on the printer. false when the printer cannot be started.
bool printWindowImage(QWidget *window, QPrinter &printer);

}  // namespace platform
