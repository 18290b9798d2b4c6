// Renders every window of the program to PNG files, offscreen, so the
// windows can be looked at without a display. Usage: wd_render_windows DIR
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>

#include "app/app.h"
#include "platform/forms.h"
#include "platform/ui.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("windows");
    QDir().mkpath(out);
    const QString outDir = QDir(out).absolutePath();
    // Loading a window reads and writes profile files: keep them out of
    // the caller's folder.
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    // Loads may ask questions (a missing table file); answer none of them.
    platform::Ui::setScripted(true);
    wagedesk::defineForms();
    int written = 0;
    for (const auto &name : platform::Forms::defined()) {
        try {
            platform::Form &form = platform::Forms::get(name);
            form.show();
            app.processEvents();
            const QString file = QDir(outDir).filePath(QString::fromStdString(name) + QStringLiteral(".png"));
            if (form.grab().save(file))
                ++written;
            else
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        } catch (const std::exception &e) {
            std::fprintf(stderr, "%s: %s\n", name.c_str(), e.what());
        }
    }
    platform::Forms::unloadAll();
    std::printf("%d windows written to %s\n", written, qPrintable(outDir));
    return written > 0 ? 0 : 1;
}
