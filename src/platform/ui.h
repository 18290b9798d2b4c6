// Every modal question the program asks goes through Ui: message boxes,
// input boxes, the file-open and printer dialogs, modal windows, the help
// viewer. The program shows the real Qt dialogs; a test scripts the answers
// beforehand (Ui::script()) and reads what was asked (Ui::asked()), so no
// person is needed and nothing blocks.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

class QPrinter;
class QWidget;

namespace platform {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, YesNo, OkCancel, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// One question as it was asked, for tests to check.
struct Question {
    enum class Kind { Message, Input, OpenFile, Printer, Modal, Help };
    Kind kind;
    QString title;
    QString text;  // message text (lines joined by CR LF), input prompt, filter, window name
};

class Ui {
public:
    // The title of message boxes that do not name their own.
    static void setAppTitle(const QString &title);
    static QString appTitle();

    // A message box; lines are joined by CR LF. An empty title gives the
    // program's title; a title of Ui::kNoTitle shows an empty title bar.
    static Answer message(const QString &text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                          const QString &title = {});
    static Answer message(const QStringList &lines, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                          const QString &title = {});
    static const QString kNoTitle;

    // An input box; Cancel gives "".
    static QString input(const QString &prompt, const QString &title = {}, const QString &defaultText = {});

    // The file-open dialog. filter is in the original's form
    // "Saved Files (*.use)|*.use" (description|patterns, pairs). Dot-files are
    // shown. Choosing a file makes its folder the current folder. Returns the
    // chosen path, or nothing when cancelled.
    static std::optional<QString> openFile(const QString &filter, const QString &title = {});

    // The printer dialog: true when the user confirmed.
    static bool printerDialog(QPrinter &printer, QWidget *parent = nullptr);

    // Shows a window modally and returns when it is closed. In a scripted
    // run the next scripted Modal action is run on the shown window instead
    // of waiting; a window still visible afterwards is closed.
    static void showModal(QWidget *window);

    // Opens a document (the help file) with the desktop's viewer. false when
    // it cannot be opened.
    static bool openDocument(const QString &path);

    // ---- scripted answers, for tests ----
    using ModalAction = std::function<void(QWidget *)>;
    using Scripted = std::variant<Answer, QString, std::optional<QString>, bool, ModalAction>;
    // Each question takes the next scripted answer of its kind:
    // message -> Answer; input -> QString; openFile -> std::optional<QString>
    // (the path; its folder becomes current); printerDialog -> bool;
    // showModal -> ModalAction; openDocument -> bool (whether it "opened").
    // Turning scripting on makes an unanswered question a test failure
    // (it throws UnansweredQuestion) instead of showing a dialog.
    static void setScripted(bool on);
    static bool scripted();
    static void script(Scripted answer);
    static std::size_t pendingAnswers();
    // Everything asked since the last clearAsked(), in order.
    static const std::vector<Question> &asked();
    static void clearAsked();
    // Forget the script and the record.
    static void reset();
};

struct UnansweredQuestion : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The date picker control: a date in a range, shown as "MM/dd/yy".
// Outside the range the nearest end is used.
QDate clampDate(const QDate &date, const QDate &min, const QDate &max);

// Prints an image of a window, scaled to the page, on the printer. false when
// the printer cannot be started.
bool printWindowImage(QWidget *window, QPrinter &printer);

} // namespace platform
