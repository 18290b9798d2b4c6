// What the three table editors share: their box arrays, reading and showing
// the numbers of the boxes, the messages of the table files, and the rule
// that an error never leaves a command's handler.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace wagedesk::tables {

// A box whose text is not a number where the settings store needs one.
class TableBoxError : public std::runtime_error {
public:
    explicit TableBoxError(QLineEdit *box);
    QLineEdit *box;
};

// A control array: element i is named "name(i)".
template <std::size_t N> using Boxes = std::array<QLineEdit *, N>;
QLineEdit *tableBox(const char *name, int index);
template <std::size_t N> Boxes<N> makeBoxes(const char *name)
{
    Boxes<N> boxes{};
    for (std::size_t i = 0; i < N; ++i)
        boxes[i] = tableBox(name, static_cast<int>(i));
    return boxes;
}

// Strict reading: the whole text is one number that a 32-bit float holds.
// Throws TableBoxError.
float strictBox(QLineEdit *box);
// Lenient reading: the leading number, 0 when there is none or when a
// 32-bit float cannot hold it.
float lenientNumber(const QString &text);
// A stored value as box text: at most seven significant digits ("0.0525").
QString boxText(float value);
void setBox(QLineEdit *box, std::string_view text);
// Fills the box only when its text is exactly empty.
void fillBlank(QLineEdit *box, std::string_view text);


// "You have corupted a file.", "Find file,", the file, "and delete it."
void tellCorrupted(const std::string &fileName);
// "Check your numbers", "No blanks", "Only numbers".
void tellCheckNumbers();
// Writes a table file from the store. A file that cannot be written is
// reported and the old one stays whole; the caller goes on.
void writeReporting(void (*writer)(const std::filesystem::path &), const std::string &fileName);

// Runs a command: whatever it throws is reported, never passed on to Qt.
void guarded(const std::function<void()> &command);

// A label in red (warnings and the red switches).
QLabel *redLabel(const char *name, const char *caption);
QLabel *label(const char *name, const char *caption);
// A borderless frame holding a column of labels that lines up with the
// grid rows beside it (the grid's spacing is set to match).
QFrame *numberColumn(const char *frameName, const std::vector<QLabel *> &labels, QGridLayout *grid);

// One table of an editor: the frequency caption and the title over it, a
// row of heads (the first over the row numbers), the row numbers in a frame
// of their own (returned in frame) and the columns of boxes beside them.
template <std::size_t N> std::vector<QLineEdit *> column(const Boxes<N> &boxes)
{
    return std::vector<QLineEdit *>(boxes.begin(), boxes.end());
}
QGridLayout *tableGrid(QLabel *frequency, QLabel *title, const std::vector<QLabel *> &heads, QFrame *&frame,
                       const char *frameName, const std::vector<QLabel *> &numbers,
                       const std::vector<std::vector<QLineEdit *>> &columns);

} // namespace wagedesk::tables
