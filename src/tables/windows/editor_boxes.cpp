#include "tables/windows/editor_boxes.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QVBoxLayout>

#include <memory>

#include "core/profile_files.h"
#include "core/windows/entry.h"
#include "core/windows/profile.h"
#include "legacy/numerics.h"
#include "legacy/seqfile.h"
#include "platform/ui.h"
#include "tables/table_files.h"

namespace wagedesk::tables {

using platform::Buttons;
using platform::Icon;
using platform::Ui;

TableBoxError::TableBoxError(QLineEdit *b, NumberProblem p)
    : std::runtime_error(numberMessage(b->objectName().toStdString(), p, b->text().toStdString())), box(b), problem(p)
{
}

void tellBoxError(const TableBoxError &e, const std::function<void()> &notANumberMessage)
{
    if (e.problem == NumberProblem::NotANumber)
        notANumberMessage();
    else
        Ui::message(QString::fromStdString(
                        numberMessage(e.box->accessibleName().toStdString(), e.problem, e.box->text().toStdString())),
                    Buttons::Ok, Icon::Exclamation);
    e.box->setFocus();
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
        return strictSingle(box->text().toStdString());
    } catch (const NumberError &e) {
        throw TableBoxError(box, e.problem);
    }
}

float lenientBox(QLineEdit *box)
{
    try {
        return lenientSingle(box->text().toStdString());
    } catch (const NumberError &e) {
        throw TableBoxError(box, e.problem);
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
    lines << QString::fromStdString(damagedCopyLine(fileName));
    Ui::message(lines, Buttons::Ok, Icon::Exclamation);
}

void tellCheckNumbers()
{
    Ui::message(
        QStringList{QStringLiteral("Check your numbers"), QStringLiteral("No blanks"), QStringLiteral("Only numbers")},
        Buttons::Ok, Icon::Exclamation);
}

void writeTableFile(const std::string &fileName, const std::function<void(legacy::SeqWriter &)> &fill,
                    legacy::SaveBatch *batch, TableFileFailure failure)
{
    const bool goOn = failure == TableFileFailure::TellAndGoOn;
    if (!batch)
        batch = legacy::SaveBatch::current();
    const auto tell = [](const legacy::FileError &e) { Ui::message(describeError(e), Buttons::Ok, Icon::Exclamation); };
    try {
        auto file = std::make_unique<legacy::SeqWriter>(fileName);
        fill(*file);
        if (batch)
            batch->add(std::move(file), {}, goOn ? legacy::SaveBatch::Failed(tell) : legacy::SaveBatch::Failed());
        else
            file->commit();
    } catch (const legacy::FileError &e) {
        if (!goOn)
            throw;
        tell(e);
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

}  // namespace wagedesk::tables
