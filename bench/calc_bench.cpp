// Times one Calculate press (computation, labels and the profile save it
// triggers), the same with the year-to-date ledger open (the save closes
// it), opening the ledger, and the start of the main window, in a
// temporary folder.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/app.h"
#include "core/windows/form1.h"
#include "core/windows/program.h"
#include "core/windows/services.h"
#include "platform/forms.h"
#include "platform/ui.h"
#include "records/windows/ledger.h"

namespace {

using namespace wagedesk;

void BM_CalculatePress(benchmark::State &bench)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    resetState();
    Form1 &f = platform::Forms::get<Form1>();
    for (auto _ : bench) {
        f.txtAmount[0]->setText(QStringLiteral("40"));
        f.txtAmount[3]->setText(QStringLiteral("2.5"));
        f.cmdCal_Click();
    }
    platform::Forms::unloadAll();
}
BENCHMARK(BM_CalculatePress)->Unit(benchmark::kMicrosecond);

// A press whose save finds the profile changed (the overtime row the
// tracker stand-in keeps alternates), so its files are written and flushed
// to disk: the uncommon path.
void BM_CalculatePressSavingChanges(benchmark::State &bench)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    resetState();
    Form1 &f = platform::Forms::get<Form1>();
    bool odd = false;
    for (auto _ : bench) {
        odd = !odd;
        state().overtime.OTAmount[0].assign(1, odd ? '1' : '2');
        f.txtAmount[0]->setText(QStringLiteral("40"));
        f.cmdCal_Click();
    }
    platform::Forms::unloadAll();
}
BENCHMARK(BM_CalculatePressSavingChanges)->Unit(benchmark::kMicrosecond);

// A profile whose year-to-date file holds one period in week 1.
Form1 &profileWithAYear(QTemporaryDir &folder)
{
    QDir::setCurrent(folder.path());
    resetState();
    Form1 &f = platform::Forms::get<Form1>();
    f.txtAmount[0]->setText(QStringLiteral("40"));
    f.cmdCal_Click();
    records().showYearToDate();
    payrecords::grid().PasteMe(0);
    platform::Ui::script(platform::Answer::Yes);
    platform::Forms::get<MDIForm1>().mnuClose_Click();
    return f;
}

void BM_CalculatePressWithTheLedgerOpen(benchmark::State &bench)
{
    QTemporaryDir folder;
    Form1 &f = profileWithAYear(folder);
    for (auto _ : bench) {
        bench.PauseTiming();
        records().showYearToDate();
        bench.ResumeTiming();
        f.txtAmount[0]->setText(QStringLiteral("40"));
        f.txtAmount[3]->setText(QStringLiteral("2.5"));
        f.cmdCal_Click();
    }
    platform::Forms::unloadAll();
}
BENCHMARK(BM_CalculatePressWithTheLedgerOpen)->Unit(benchmark::kMicrosecond);

// The main window's Year to Date: the window set shown, the file read into
// the store and the grid, the totals recomputed.
void BM_OpenTheLedger(benchmark::State &bench)
{
    QTemporaryDir folder;
    profileWithAYear(folder);
    for (auto _ : bench) {
        records().showYearToDate();
        bench.PauseTiming();
        records().closeWindows(false);
        bench.ResumeTiming();
    }
    platform::Forms::unloadAll();
}
BENCHMARK(BM_OpenTheLedger)->Unit(benchmark::kMicrosecond);

void BM_MainWindowStart(benchmark::State &bench)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    for (auto _ : bench) {
        resetState();
        platform::Forms::get<Form1>();
        bench.PauseTiming();
        platform::Forms::unloadAll();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowStart)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    platform::Ui::setScripted(true);
    defineForms();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
