// Times a load and an unload of a window of 300 boxes: built anew each time
// (construction, load, destruction) against the registry's reuse of the
// built window (design state put back, load, hide).
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include "platform/forms.h"

namespace {

using platform::Form;
using platform::Forms;

constexpr int kBoxes = 300;

// A table editor's shape: 30 rows of 10 boxes and a label per row. With
// fill set, its load writes every box, as the table editors' loads do.
class BenchForm : public Form {
public:
    BenchForm(const char *name, bool fill) : Form(name), fill_(fill)
    {
        auto *grid = new QGridLayout(this);
        for (int i = 0; i < kBoxes; ++i) {
            auto *box = new QLineEdit;
            box->setObjectName(QStringLiteral("txtBox(%1)").arg(i));
            grid->addWidget(box, i / 10, 1 + i % 10);
            boxes_[i] = box;
        }
        for (int row = 0; row < kBoxes / 10; ++row)
            grid->addWidget(new QLabel(QStringLiteral("Line %1").arg(row + 1)), row, 0);
    }
    void formLoad() override
    {
        if (!fill_)
            return;
        for (int i = 0; i < kBoxes; ++i)
            boxes_[i]->setText(QStringLiteral("999999"));
    }

private:
    bool fill_;
    QLineEdit *boxes_[kBoxes];
};

constexpr const char *kFilled = "frmBenchFilled";
constexpr const char *kQuiet = "frmBenchQuiet";

// The cost of a window built for every load and destroyed at every unload.
void BM_BuiltForEveryLoad(benchmark::State &bench, bool fill)
{
    for (auto _ : bench) {
        auto *form = new BenchForm(fill ? kFilled : kQuiet, fill);
        form->formLoad();
        delete form;
    }
}
BENCHMARK_CAPTURE(BM_BuiltForEveryLoad, load_fills_boxes, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BuiltForEveryLoad, load_quiet, false)->Unit(benchmark::kMicrosecond);

// The registry's first touch: construction, design capture, load; then the
// unload and the teardown that the next first touch needs.
void BM_FirstTouchAndTeardown(benchmark::State &bench, bool fill)
{
    const char *name = fill ? kFilled : kQuiet;
    for (auto _ : bench) {
        Forms::get(name);
        Forms::unload(name);
        Forms::unloadAll();
    }
}
BENCHMARK_CAPTURE(BM_FirstTouchAndTeardown, load_fills_boxes, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FirstTouchAndTeardown, load_quiet, false)->Unit(benchmark::kMicrosecond);

// Every later load and unload of the run: the built window reused.
void BM_ReusedLoadAndUnload(benchmark::State &bench, bool fill)
{
    const char *name = fill ? kFilled : kQuiet;
    Forms::get(name);
    Forms::unload(name);
    for (auto _ : bench) {
        Forms::get(name);
        Forms::unload(name);
    }
    Forms::unloadAll();
}
BENCHMARK_CAPTURE(BM_ReusedLoadAndUnload, load_fills_boxes, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReusedLoadAndUnload, load_quiet, false)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Forms::define(kFilled, [] { return new BenchForm(kFilled, true); });
    Forms::define(kQuiet, [] { return new BenchForm(kQuiet, false); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
