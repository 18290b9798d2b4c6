#include "tables/editor_boxes.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QVBoxLayout>

#include <cfloat>
#include <cmath>

#include "core/entry.h"
#include "core/profile.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "platform/ui.h"
#include "tables/table_files.h"

namespace wagedesk::tables {

using platform::Buttons;
using platform::Icon;
using platform::Ui;

namespace {
constexpr int kRowSpacing = 4;
}

TableBoxError::TableBoxError(QLineEdit *b)
    : std::runtime_error("not a number in " + b->objectName().toStdString() + ": " + b->text().toStdString()), box(b)
{
}

QLineEdit *tableBox(const char *name, int index)
{
    auto *box = named<QLineEdit>(indexed(name, index));
    makeNumericEntry(box);
    box->setAlignment(Qt::AlignRight);
    box->setMinimumWidth(80);
    box->setMaximumWidth(84);
    return box;
}

float strictBox(QLineEdit *box)
{
    try {
        return legacy::toFloat(box->text().toStdString());
    } catch (const legacy::NumberFormatError &) {
    } catch (const legacy::OverflowError &) {
    }
    throw TableBoxError(box);
}

float lenientNumber(const QString &text)
{
    try {
        const double v = legacy::val(text.toStdString());
        return std::fabs(v) <= FLT_MAX ? static_cast<float>(v) : 0.0f;
    } catch (const legacy::OverflowError &) {
        return 0;
    }
}

QString boxText(float value) { return QString::fromStdString(legacy::floatToText(value)); }

void setBox(QLineEdit *box, std::string_view text)
{
    box->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void fillBlank(QLineEdit *box, std::string_view text)
{
    if (box->text().isEmpty())
        setBox(box, text);
}


void tellCorrupted(const std::string &fileName)
{
    QStringList lines;
    for (const std::string &line : corruptedFileLines(fileName))
        lines << QString::fromStdString(line);
    Ui::message(lines, Buttons::Ok, Icon::Exclamation);
}

void tellCheckNumbers()
{
    Ui::message(QStringList{QStringLiteral("Check your numbers"), QStringLiteral("No blanks"),
                            QStringLiteral("Only numbers")},
                Buttons::Ok, Icon::Exclamation);
}

void writeReporting(void (*writer)(const std::filesystem::path &), const std::string &fileName)
{
    try {
        writer(fileName);
    } catch (const legacy::FileError &e) {
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
    }
}

void guarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation);
    }
}

QLabel *label(const char *name, const char *caption)
{
    return named<QLabel>(QLatin1String(name), QString::fromUtf8(caption));
}

QLabel *redLabel(const char *name, const char *caption)
{
    QLabel *l = label(name, caption);
    l->setStyleSheet(QStringLiteral("color: red;"));
    return l;
}

QFrame *numberColumn(const char *frameName, const std::vector<QLabel *> &labels, QGridLayout *grid)
{
    auto *frame = named<QFrame>(QLatin1String(frameName));
    frame->setFrameShape(QFrame::NoFrame);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kRowSpacing);
    for (QLabel *l : labels) {
        l->setAlignment(Qt::AlignCenter);
        column->addWidget(l);
    }
    grid->setVerticalSpacing(kRowSpacing);
    return frame;
}

QGridLayout *tableGrid(QLabel *frequency, QLabel *title, const std::vector<QLabel *> &heads, QFrame *&frame,
                       const char *frameName, const std::vector<QLabel *> &numbers,
                       const std::vector<std::vector<QLineEdit *>> &columns)
{
    auto *grid = new QGridLayout;
    const int width = int(columns.size()) + 1;
    const int rows = columns.empty() ? 0 : int(columns.front().size());
    grid->addWidget(frequency, 0, 0, 1, width, Qt::AlignLeft);
    grid->addWidget(title, 1, 0, 1, width, Qt::AlignCenter);
    for (int c = 0; c < int(heads.size()); ++c)
        grid->addWidget(heads[c], 2, c, Qt::AlignBottom | Qt::AlignHCenter);
    frame = numberColumn(frameName, numbers, grid);
    grid->addWidget(frame, 3, 0, rows, 1);
    for (int c = 0; c < int(columns.size()); ++c)
        for (int r = 0; r < rows; ++r)
            grid->addWidget(columns[c][r], 3 + r, c + 1);
    grid->setRowStretch(3 + rows, 1);
    return grid;
}

} // namespace wagedesk::tables
