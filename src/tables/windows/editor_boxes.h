// What the three table editors share: reading and showing the numbers of
// the boxes, the messages of the table files, and the rule that an error
// never leaves a command's handler.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/numbers.h"

namespace legacy {
class SaveBatch;
class SeqWriter;
}  // namespace legacy

class QLabel;
class QLineEdit;

namespace wagedesk::tables {

// A box whose text is not a number where the settings store needs one, or
// one too large for a 32-bit float.
class TableBoxError : public std::runtime_error {
public:
    TableBoxError(QLineEdit *box, NumberProblem problem);
    QLineEdit *box;
    NumberProblem problem;
};

// Tells the user about the box and puts the focus there: the editor's own
// message for a text that is not a number, one naming the box (its
// accessible name) for a number too large.
void tellBoxError(const TableBoxError &error, const std::function<void()> &notANumberMessage);

// A number box of a table: element i of the control array `name` is named
// "name(i)".
QLineEdit *tableBox(const char *name, int index);

// Strict reading: the whole text is one number that a 32-bit float holds.
// Throws TableBoxError.
float strictBox(QLineEdit *box);
// Lenient reading: the leading number, 0 when there is none. Throws
// TableBoxError for a number a 32-bit float cannot hold.
float lenientBox(QLineEdit *box);
// A stored value as box text: at most seven significant digits ("0.0525").
QString boxText(float value);
void setBox(QLineEdit *box, std::string_view text);
// Fills the box only when its text is exactly empty.
void fillBlank(QLineEdit *box, std::string_view text);

// "You have corupted a file.", "Find file,", the file, "and delete it.", and
// where a copy of its bytes is kept now.
void tellCorrupted(const std::string &fileName);
// "Check your numbers", "No blanks", "Only numbers".
void tellCheckNumbers();
// What a save does with a table file that cannot be written: the
// profile's saves tell it and go on without it (its old file stays whole);
// an editor's own SAVE, whose file it is, is refused.
enum class TableFileFailure { TellAndGoOn, RefuseTheSave };

// Writes a table file from the store, `fill` putting in its records. Given
// a batch, or called while one is made (legacy::SaveBatch::current()), the
// file is added to it, written (or failing) with the rest of its save. A
// file that cannot be written is reported once the rest is written and the
// caller goes on; with RefuseTheSave its legacy::FileError refuses the save
// (thrown, from the batch's commit given one) and is not reported here.
void writeTableFile(const std::string &fileName, const std::function<void(legacy::SeqWriter &)> &fill,
                    legacy::SaveBatch *batch = nullptr, TableFileFailure failure = TableFileFailure::TellAndGoOn);

// Runs a command: whatever it throws is reported, never passed on to Qt.
void guarded(const std::function<void()> &command);

// A label in red (warnings and the red switches).
QLabel *redLabel(const char *name, const char *caption);
QLabel *label(const char *name, const char *caption);

}  // namespace wagedesk::tables
