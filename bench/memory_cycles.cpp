// Heap growth per open-and-close of the windows the user cycles most: the
// leave record, the check form and the overtime tracker, each opened through
// the main window's service and closed by its close box, and the
// year-to-date set, closed by its Close menu with No to the save. Each cycle
// waits for the window to be active, as the user's is, and runs the event
// loop after each step; the cycles run unscripted, as the program does.
//
// After a warm-up, the heap in use (mallinfo2's uordblks and hblkhd, the
// main arena) is read before and after N cycles and after each fifth of
// them: a cache that fills up and stops shows as a flat tail, a per-cycle
// leak keeps climbing. Also shown: the change in live widgets and the
// questions recorded by platform::Ui.
//
//   wd_memory_cycles [cycles=5000] [warm-up=200] [first letters of a window]
//
// To see what stays, run it twice under heaptrack with WD_MEMORY_HOLD=1
// (the run then ends without freeing anything) and compare the two:
//   heaptrack_print -f more.zst -d fewer.zst --print-leaks 1
//
// On the offscreen platform (the default here) a window closed by its close
// box costs some 60 bytes a cycle inside the platform plugin itself, which
// keeps a record per native window and gives the closed window a new one at
// each show; a bare QWidget does the same. Run with QT_QPA_PLATFORM=xcb
// (under xvfb-run, say) for a desktop's figures.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/app.h"
#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "core/windows/services.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "printing/windows/checks.h"
#include "records/windows/leave_window.h"
#include "records/windows/ledger.h"
#include "records/windows/tracker.h"

namespace {

using namespace wagedesk;
using platform::Forms;

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Large blocks are mapped on their own and not counted in uordblks.
std::size_t heapInUse()
{
    malloc_trim(0);
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// The user's No to the question the year-to-date set's Close asks, clicked
// in the real message box: the cycles run unscripted, as the program does.
void clickNoInTheNextMessageBox()
{
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        box->button(QMessageBox::No)->click();
    });
    timer->start();
}

struct Window {
    const char *name;
    std::function<QWidget *()> open;  // gives the window shown
    std::function<void()> close;

    // Opened and active, as the user's window is, then closed.
    void cycle() const
    {
        QWidget *shown = open();
        settle();
        (void)QTest::qWaitForWindowActive(shown);
        close();
        settle();
    }
};

void measure(const Window &w, int cycles, int warmUp)
{
    for (int i = 0; i < warmUp; ++i)
        w.cycle();
    settle();
    platform::Ui::clearAsked();
    const std::size_t widgetsBefore = QApplication::allWidgets().size();
    const std::size_t before = heapInUse();
    constexpr int kParts = 5;
    std::vector<long long> parts;
    std::size_t last = before;
    for (int p = 0; p < kParts; ++p) {
        for (int i = 0; i < cycles / kParts; ++i)
            w.cycle();
        settle();
        const std::size_t now = heapInUse();
        parts.push_back(static_cast<long long>(now) - static_cast<long long>(last));
        last = now;
    }
    const int done = cycles / kParts * kParts;
    const long long grown = static_cast<long long>(last) - static_cast<long long>(before);
    std::printf("%-22s %8.1f bytes/cycle  (%lld bytes over %d cycles; by fifths:", w.name,
                static_cast<double>(grown) / done, grown, done);
    for (long long g : parts)
        std::printf(" %lld", g);
    std::printf("; widgets %lld, questions recorded %zu)\n",
                static_cast<long long>(QApplication::allWidgets().size()) - static_cast<long long>(widgetsBefore),
                platform::Ui::asked().size());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int warmUp = argc > 2 ? std::atoi(argv[2]) : 200;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    // The offscreen platform's notes (no raise(), and so on) at every show.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    platform::Ui::setScripted(true);
    defineForms();
    resetState();
    Form1 &main = Forms::get<Form1>();
    main.showForm();
    main.txtAmount[0]->setText(QStringLiteral("40"));
    main.cmdCal_Click();
    settle();

    const std::vector<Window> windows{
        {"DialogVac (leave)",
         [] {
             records().showVacation();
             return &Forms::get<DialogVac>();
         },
         [] { Forms::get<DialogVac>().close(); }},
        {"frmChecks (check)",
         [] {
             printouts().showChecks();
             return &Forms::get<frmChecks>();
         },
         [] { Forms::get<frmChecks>().close(); }},
        {"MDIForm1 (year set)",
         [] {
             records().showYearToDate();
             return &Forms::get<MDIForm1>();
         },
         [] {
             clickNoInTheNextMessageBox();
             Forms::get<MDIForm1>().mnuClose_Click();
         }},
        {"Form2 (tracker)",
         [] {
             records().showOvertime();
             return &Forms::get<Form2>();
         },
         [] { Forms::get<Form2>().close(); }},
    };
    platform::Ui::setScripted(false);
    for (const Window &w : windows)
        if (only.isEmpty() || QLatin1String(w.name).startsWith(only))
            measure(w, cycles, warmUp);

    // For a heap profiler: end with everything still held, so that what
    // the cycles left behind shows as not freed.
    if (qEnvironmentVariableIsSet("WD_MEMORY_HOLD"))
        std::_Exit(0);
    Forms::unloadAll();
    return 0;
}
