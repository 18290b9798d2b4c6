#include "platform/ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <utility>

#include "platform/focuslink.h"
#include "platform/forms.h"
#include "platform/placement.h"

namespace platform {

// A sentinel no caller would use as a real title.
const QString Ui::kNoTitle = QStringLiteral("\u0001(no title)");

namespace {

struct State {
    bool scripted = false;
    std::deque<Ui::Scripted> queue;
    std::vector<Question> asked;
    QString appTitle;
    std::unique_ptr<QPrinter> printer;
    bool printerChosen = false;  // confirmed in a dialog during this run
    std::size_t openers = 0;     // document openers still running
};

State &state()
{
    static State s;
    return s;
}

const char *kindName(Question::Kind kind)
{
    switch (kind) {
    case Question::Kind::Message: return "message box";
    case Question::Kind::Input: return "input box";
    case Question::Kind::OpenFile: return "file-open dialog";
    case Question::Kind::Printer: return "printer dialog";
    case Question::Kind::Modal: return "modal window";
    case Question::Kind::Help: return "document";
    }
    return "question";
}

const char *answerName(const Ui::Scripted &answer)
{
    switch (answer.index()) {
    case 0: return "a message answer";
    case 1: return "an input text";
    case 2: return "a file choice";
    case 3: return "a bool (printer dialog or document)";
    case 4: return "a modal action";
    default: return "the document opener";
    }
}

std::string describe(const Question &q) { return std::string(kindName(q.kind)) + " \"" + q.text.toStdString() + "\""; }

// A copy: a nested question may grow the record while this one is open.
// Only a scripted run keeps the record: in a real one nothing reads it, and
// it would grow with every question for as long as the program runs.
Question record(Question q)
{
    if (state().scripted)
        state().asked.push_back(q);
    return q;
}

// The next scripted answer, which must be of the question's kind. A
// mismatch stays queued: the script is out of step and the test must fail.
template <class T> T take(const Question &q)
{
    auto &queue = state().queue;
    if (queue.empty())
        throw UnansweredQuestion("unanswered " + describe(q) + ": no scripted answer left");
    if (!std::holds_alternative<T>(queue.front()))
        throw UnansweredQuestion("unanswered " + describe(q) + ": the next scripted answer is " +
                                 answerName(queue.front()));
    T value = std::get<T>(std::move(queue.front()));
    queue.pop_front();
    return value;
}

// The title as the user reads it.
QString shownTitle(const QString &title)
{
    if (title == Ui::kNoTitle)
        return {};
    return title.isEmpty() ? Ui::appTitle() : title;
}

// The platform replaces an empty window title by the application's name,
// so an empty title bar needs a blank.
QString windowTitle(const QString &shown) { return shown.isEmpty() ? QStringLiteral(" ") : shown; }

bool fits(Answer answer, Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return answer == Answer::Ok;
    case Buttons::YesNo: return answer == Answer::Yes || answer == Answer::No;
    case Buttons::OkCancel: return answer == Answer::Ok || answer == Answer::Cancel;
    case Buttons::YesNoCancel:
    case Buttons::YesNoEscCancels: return answer != Answer::Ok;
    }
    return false;
}

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoEscCancels: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// A message box that, when asked to, lets Esc and its close button go
// without a button: QMessageBox would take No for them.
class MessageBox : public QMessageBox {
public:
    explicit MessageBox(bool escapeCancels) : escapeCancels_(escapeCancels) {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (escapeCancels_ && event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (escapeCancels_)
            QDialog::closeEvent(event);
        else
            QMessageBox::closeEvent(event);
    }

private:
    bool escapeCancels_;
};

// The program's window a question is asked from: the modal window on view
// (an editor shown modally, another question), else the active window,
// else the main window; nullptr when none of them is on view.
QWidget *askingWindow()
{
    for (QWidget *w : {QApplication::activeModalWidget(), QApplication::activeWindow(),
                       static_cast<QWidget *>(Forms::mainWindow())}) {
        if (!w)
            continue;
        w = w->window();
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::Popup && type != Qt::ToolTip && w->windowHandle())
            return w;
    }
    return nullptr;
}

// Makes a question's dialog belong to the window that asks it, without
// being its child (which would hand it that window's style sheet): the
// desktop keeps it above that window, on that window's screen, and Qt
// centres it over that window, inside the screen's available area.
void askedFrom(QDialog &dialog)
{
    QWidget *asker = askingWindow();
    if (!asker)
        return;
    dialog.winId();
    dialog.windowHandle()->setTransientParent(asker->windowHandle());
}

Answer showMessageBox(const Question &q)
{
    MessageBox box(q.buttons == Buttons::YesNoEscCancels);
    askedFrom(box);
    box.setWindowTitle(windowTitle(q.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(q.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon(boxIcon(q.icon));
    box.setStandardButtons(boxButtons(q.buttons));
    box.setDefaultButton(q.buttons == Buttons::Ok || q.buttons == Buttons::OkCancel ? QMessageBox::Ok
                                                                                    : QMessageBox::Yes);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: break;
    }
    // Closed without a button: the box's escape answer.
    switch (q.buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

// Ends a modal window's event loop when the window is hidden (minimizing
// sends a Hide event too, but leaves the window not hidden).
class HideWatch : public QObject {
public:
    explicit HideWatch(QEventLoop &loop) : loop_(loop) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && static_cast<QWidget *>(watched)->isHidden())
            loop_.quit();
        return false;
    }

private:
    QEventLoop &loop_;
};

}  // namespace

void Ui::setAppTitle(const QString &title) { state().appTitle = title; }

QString Ui::appTitle() { return state().appTitle.isEmpty() ? QCoreApplication::applicationName() : state().appTitle; }

Answer Ui::message(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    const Question q = record({Question::Kind::Message, shownTitle(title), text, buttons, icon});
    if (!state().scripted)
        return showMessageBox(q);
    // An OK-only box offers no choice: it needs no scripted answer, but
    // takes an Ok queued for it.
    if (buttons == Buttons::Ok) {
        auto &queue = state().queue;
        if (!queue.empty() && std::holds_alternative<Answer>(queue.front()) &&
            std::get<Answer>(queue.front()) == Answer::Ok)
            queue.pop_front();
        return Answer::Ok;
    }
    const Answer answer = take<Answer>(q);
    if (!fits(answer, buttons)) {
        state().queue.push_front(answer);
        throw UnansweredQuestion("unanswered " + describe(q) + ": the scripted answer is not one of its buttons");
    }
    return answer;
}

Answer Ui::message(const QStringList &lines, Buttons buttons, Icon icon, const QString &title)
{
    return message(lines.join(QStringLiteral("\r\n")), buttons, icon, title);
}

QString Ui::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    const Question q = record({Question::Kind::Input, shownTitle(title), prompt});
    if (state().scripted)
        return take<QString>(q);
    QInputDialog dialog;
    askedFrom(dialog);
    dialog.setWindowTitle(windowTitle(q.title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString qtFileFilter(const QString &filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString desc = parts[i].trimmed();
        QStringList patterns = i + 1 < parts.size() ? parts[i + 1].split(separators, Qt::SkipEmptyParts)
                                                    : QStringList();
        if (desc.isEmpty() && patterns.isEmpty())
            continue;
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        // Qt reads the patterns from the description's last parentheses;
        // keep a description that already shows exactly its patterns.
        const QRegularExpressionMatch shown = trailingPatterns.match(desc);
        if (shown.hasMatch() && shown.captured(1).split(separators, Qt::SkipEmptyParts) == patterns)
            out << desc;
        else
            out << (desc.isEmpty() ? QString() : desc + QLatin1Char(' ')) + QLatin1Char('(') +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> Ui::openFile(const QString &filter, const QString &title)
{
    const Question q = record(
        {Question::Kind::OpenFile, title.isEmpty() ? QStringLiteral("Open") : shownTitle(title), filter});
    std::optional<QString> chosen;
    if (state().scripted) {
        chosen = take<std::optional<QString>>(q);
    } else {
        QFileDialog dialog(nullptr, windowTitle(q.title), QDir::currentPath(), qtFileFilter(filter));
        // The native dialogs ignore the hidden-files filter, and saved
        // files may be dot-files such as ".use".
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFilter(dialog.filter() | QDir::Hidden);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        askedFrom(dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    const QFileInfo file(*chosen);
    QDir::setCurrent(file.absolutePath());
    return file.absoluteFilePath();
}

bool Ui::printerDialog(QPrinter &printer, QWidget *parent)
{
    const Question q = record({Question::Kind::Printer, QStringLiteral("Print"), QString()});
    if (state().scripted)
        return take<bool>(q);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QPrinter &Ui::currentPrinter()
{
    State &s = state();
    if (!s.printer) {
        // A printer engine must go before the application does.
        static const bool cleanUp = [] {
            qAddPostRoutine([] { state().printer.reset(); });
            return true;
        }();
        (void)cleanUp;
        s.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return *s.printer;
}

bool Ui::choosePrinter(QWidget *parent)
{
    if (!printerDialog(currentPrinter(), parent))
        return false;
    state().printerChosen = true;
    return true;
}

QPrinter *Ui::printerForPrinting(QWidget *parent)
{
    QPrinter &printer = currentPrinter();
    if (state().printerChosen) {
        if (printer.outputFormat() == QPrinter::NativeFormat)
            return &printer;
    } else if (!state().scripted) {
        const QPrinterInfo desktop = QPrinterInfo::defaultPrinter();
        if (!desktop.isNull()) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(desktop.printerName());
            return &printer;
        }
    }
    return choosePrinter(parent) ? &printer : nullptr;
}

void Ui::showModal(QWidget *window)
{
    if (!window)
        return;
    const Question q = record({Question::Kind::Modal, window->windowTitle(), window->objectName()});
    QPointer<QWidget> alive(window);
    if (state().scripted) {
        const ModalAction action = take<ModalAction>(q);
        // A window the action left open is closed as the user would close
        // it (a form runs its unload rule) and hidden when it refuses, even
        // when the action throws; the action may also have unloaded it.
        struct CloseAfter {
            QPointer<QWidget> &w;
            ~CloseAfter()
            {
                if (w && w->isVisible())
                    w->close();
                if (w && w->isVisible())
                    w->hide();
            }
        } closeAfter{alive};
        window->show();
        if (action)
            action(window);
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        dialog->exec();
        return;
    }
    const Qt::WindowModality before = window->windowModality();
    // Modality takes effect when the window is shown.
    if (window->isVisible())
        window->hide();
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatch watch(loop);
    window->installEventFilter(&watch);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    window->raise();
    window->activateWindow();
    if (alive && !alive->isHidden())
        loop.exec(QEventLoop::DialogExec);
    if (alive) {
        alive->removeEventFilter(&watch);
        alive->setWindowModality(before);
    }
}

namespace {

// Starts the desktop's opener for the file. The desktop's own services
// cannot be asked: they answer as soon as xdg-open has started, and its
// failure reaches the terminal only. Here its exit code is heard; a
// program it runs in the foreground keeps it alive until that program
// ends.
void startOpener(const QString &file, std::function<void()> failed)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (failed)
            failed();
        return;
    }
    // Parented to the application, so one still running at the program's
    // end is not leaked.
    auto *process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({file});
    // Its messages go where the program's go; it reads nothing.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    ++state().openers;
    struct Opening {
        std::function<void()> failed;
        bool ended = false;
    };
    // Each connection holds the state and the call keeps it: the caller's
    // message box runs an event loop of its own.
    const auto opening = std::make_shared<Opening>(Opening{std::move(failed)});
    const auto end = [process, opening](bool opened) {
        const std::shared_ptr<Opening> kept = opening;
        if (std::exchange(kept->ended, true))
            return;
        --state().openers;
        process->deleteLater();
        if (!opened && kept->failed)
            kept->failed();
    };
    // Failing to start is an error without a finish; a crash is both.
    QObject::connect(process, &QProcess::errorOccurred, process, [end](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(false);
    });
    QObject::connect(process, &QProcess::finished, process, [end](int code, QProcess::ExitStatus status) {
        end(status == QProcess::NormalExit && code == 0);
    });
    process->start();
}

}  // namespace

void Ui::openDocument(const QString &path, std::function<void()> failed)
{
    const Question q = record({Question::Kind::Help, appTitle(), path});
    const QFileInfo file(path);
    bool runOpener = !state().scripted;
    if (state().scripted) {
        auto &queue = state().queue;
        if (!queue.empty() && std::holds_alternative<RunOpener>(queue.front())) {
            queue.pop_front();
            runOpener = true;
        } else if (!take<bool>(q)) {
            if (failed)
                failed();
            return;
        }
    }
    if (!file.isFile()) {
        if (failed)
            failed();
        return;
    }
    if (runOpener)
        startOpener(file.absoluteFilePath(), std::move(failed));
}

std::size_t Ui::openersRunning() { return state().openers; }

namespace {

QPointer<QTextBrowser> &helpViewer()
{
    static QPointer<QTextBrowser> viewer;
    return viewer;
}

// A link the viewer follows itself: a place in the shown document or
// another local file.
bool followedInViewer(const QUrl &url)
{
    return url.isRelative() || url.isLocalFile() || url.scheme() == QLatin1String("qrc");
}

void openOnDesktop(const QUrl &url)
{
    record({Question::Kind::Help, Ui::appTitle(), url.toString()});
    if (!state().scripted)
        QDesktopServices::openUrl(url);
}

// Kept for the whole run and closed by the user as often as he likes.
class HelpViewer : public QTextBrowser {
protected:
    void closeEvent(QCloseEvent *event) override
    {
        QTextBrowser::closeEvent(event);
        if (event->isAccepted())
            dropFocusLink(this);
    }
};

QTextBrowser *makeHelpViewer()
{
    auto *viewer = new HelpViewer;
    viewer->setObjectName(QStringLiteral("HelpViewer"));
    // Links are sorted here, so a web link never loads into the viewer.
    viewer->setOpenLinks(false);
    viewer->resize(720, 560);
    QObject::connect(viewer, &QTextBrowser::anchorClicked, viewer, [viewer](const QUrl &url) {
        if (followedInViewer(url))
            viewer->setSource(url);
        else
            openOnDesktop(url);
    });
    QObject::connect(viewer, &QTextBrowser::sourceChanged, viewer, [viewer] {
        const QString title = viewer->documentTitle();
        viewer->setWindowTitle(title.isEmpty() ? Ui::appTitle() : title);
    });
    // Top-level windows are not deleted with the application.
    if (QCoreApplication::instance())
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, viewer, &Ui::closeHelp);
    return viewer;
}

// Sized at each opening as a window of the program's own: no larger than
// the available area of its screen, frame included, and kept whole in it.
void openingHelpViewer(QTextBrowser *viewer)
{
    const auto frame = [viewer] { return expectedFrame(viewer, Forms::mainWindow()); };
    const auto cut = [viewer](const QSize &room) { viewer->resize(viewer->size().boundedTo(room)); };
    const QRect area = availableAreaAt(viewer->frameGeometry().center(), viewer);
    const QMargins margins = frame();
    cut(area.size().shrunkBy(margins));
    // A window the program placed stays where it was; else the desktop places it.
    if (viewer->testAttribute(Qt::WA_Moved)) {
        const QRect placed(frameTopLeft(viewer, margins), viewer->size().grownBy(margins));
        moveFrameTo(viewer, keptInside(placed, area).topLeft(), margins);
    }
    keepWhole(viewer, {frame, cut});
}

}  // namespace

bool Ui::showHelp(const QString &path)
{
    record({Question::Kind::Help, appTitle(), path});
    const QFileInfo info(path);
    QFile file(info.absoluteFilePath());
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    QPointer<QTextBrowser> &viewer = helpViewer();
    if (!viewer)
        viewer = makeHelpViewer();
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    QUrl shown = viewer->source();
    shown.setFragment(QString());
    // The same document is read again: it may have changed since.
    if (shown == url)
        viewer->reload();
    else
        viewer->setSource(url);
    viewer->clearHistory();
    viewer->moveCursor(QTextCursor::Start);
    viewer->verticalScrollBar()->setValue(0);
    viewer->horizontalScrollBar()->setValue(0);
    if (viewer->isMinimized()) {
        viewer->showNormal();
    } else {
        if (!viewer->isVisible())
            openingHelpViewer(viewer);
        viewer->show();
    }
    viewer->raise();
    viewer->activateWindow();
    return true;
}

void Ui::closeHelp() { delete helpViewer().data(); }

void Ui::setScripted(bool on) { state().scripted = on; }
bool Ui::scripted() { return state().scripted; }
void Ui::script(Scripted answer) { state().queue.push_back(std::move(answer)); }
std::size_t Ui::pendingAnswers() { return state().queue.size(); }
const std::vector<Question> &Ui::asked() { return state().asked; }
void Ui::clearAsked() { state().asked.clear(); }

void Ui::reset()
{
    state().queue.clear();
    state().asked.clear();
    state().printer.reset();
    state().printerChosen = false;
}

bool printWindowImage(QWidget *window, QPrinter &printer)
{
    if (!window)
        return false;
    const QPixmap image = window->grab();
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The printer's device metrics are its printable area, where the
    // painter's origin sits.
    const QSize page(printer.width(), printer.height());
    const QSize size = image.deviceIndependentSize().toSize().scaled(page, Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    return painter.end();
}

}  // namespace platform
