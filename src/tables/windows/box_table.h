// One table of a table editor as a grid of number boxes: Rows lines, one
// column of boxes per field of Row, each box named "<column>(<line>)" as
// the control arrays are named, with the line numbers in a frame of their
// own beside the boxes and the column heads above them. The widget shows a
// table, reads it back, fills blank boxes with built-in texts and sets every
// line to one text (clearing a table); the special-state presets write into
// its boxes. Used for the bracket tables, the allowance tables and the
// non-resident lines of all three editors.
#pragma once

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/windows/entry.h"
#include "tables/table_defaults.h"
#include "tables/windows/editor_boxes.h"

namespace wagedesk::tables {

template <class Row, class TextRow, std::size_t Columns, std::size_t Rows> class BoxTable : public QWidget {
public:
    using Values = std::array<Row, Rows>;
    using Texts = std::array<TextRow, Rows>;
    using Column = std::array<QLineEdit *, Rows>;
    // Which member of a row (and of its text row) each column shows.
    using Fields = std::array<float Row::*, Columns>;
    using TextFields = std::array<std::string_view TextRow::*, Columns>;

    // The layout: the frequency caption and the title over the table, the
    // heads (the first over the line numbers), the line numbers in a frame
    // named frameName, the boxes beside them.
    BoxTable(const std::array<const char *, Columns> &names, const Fields &fields, const TextFields &textFields,
             QLabel *frequency, QLabel *title, const std::vector<QLabel *> &heads, const char *frameName,
             const std::vector<QLabel *> &numbers)
        : fields_(fields), textFields_(textFields)
    {
        // Each box is named for the user as the table shows it: "Table for
        // SINGLE Persons, Minimum Range, 4".
        for (std::size_t c = 0; c < Columns; ++c)
            for (std::size_t r = 0; r < Rows; ++r) {
                QLineEdit *box = tableBox(names[c], static_cast<int>(r));
                const QString head = c + 1 < heads.size() ? heads[c + 1]->text() : QString();
                const QString line = r < numbers.size() ? numbers[r]->text() : QString::number(r + 1);
                box->setAccessibleName(title->text() + QStringLiteral(", ") + head + QStringLiteral(", ") + line);
                columns_[c][r] = box;
            }

        auto *grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        constexpr int kRowSpacing = 4;
        grid->setVerticalSpacing(kRowSpacing);
        const int width = int(Columns) + 1;
        grid->addWidget(frequency, 0, 0, 1, width, Qt::AlignLeft);
        grid->addWidget(title, 1, 0, 1, width, Qt::AlignCenter);
        for (int c = 0; c < int(heads.size()); ++c)
            grid->addWidget(heads[c], 2, c, Qt::AlignBottom | Qt::AlignHCenter);
        frame_ = named<QFrame>(QLatin1String(frameName));
        frame_->setFrameShape(QFrame::NoFrame);
        auto *lineNumbers = new QVBoxLayout(frame_);
        lineNumbers->setContentsMargins(0, 0, 0, 0);
        lineNumbers->setSpacing(kRowSpacing);
        for (QLabel *l : numbers) {
            l->setAlignment(Qt::AlignCenter);
            lineNumbers->addWidget(l);
        }
        grid->addWidget(frame_, 3, 0, int(Rows), 1);
        for (std::size_t c = 0; c < Columns; ++c)
            for (std::size_t r = 0; r < Rows; ++r)
                grid->addWidget(columns_[c][r], 3 + int(r), int(c) + 1);
        grid->setRowStretch(3 + int(Rows), 1);
    }

    const Column &column(std::size_t c) const { return columns_[c]; }
    QLineEdit *box(std::size_t c, std::size_t line) const { return columns_[c][line]; }
    QFrame *frame() const { return frame_; }

    // Every box shows its value (seven significant digits at most).
    void show(const Values &values)
    {
        for (std::size_t r = 0; r < Rows; ++r)
            for (std::size_t c = 0; c < Columns; ++c)
                columns_[c][r]->setText(boxText(values[r].*fields_[c]));
    }

    // The boxes read strictly, line by line; throws TableBoxError for the
    // first box that is not a number, and then `values` is unchanged.
    Values read(Values values) const
    {
        for (std::size_t r = 0; r < Rows; ++r)
            for (std::size_t c = 0; c < Columns; ++c)
                values[r].*fields_[c] = strictBox(columns_[c][r]);
        return values;
    }

    // Every box gets its text, whatever it holds.
    void setTexts(const Texts &texts)
    {
        for (std::size_t c = 0; c < Columns; ++c)
            for (std::size_t r = 0; r < Rows; ++r)
                setBox(columns_[c][r], texts[r].*textFields_[c]);
    }

    // Only the boxes whose text is exactly empty get their text.
    void fillBlanks(const Texts &texts)
    {
        for (std::size_t c = 0; c < Columns; ++c)
            for (std::size_t r = 0; r < Rows; ++r)
                fillBlank(columns_[c][r], texts[r].*textFields_[c]);
    }

    // Every line gets the same texts ("999999", "0", "0" clears a bracket
    // table).
    void setAll(const TextRow &line)
    {
        for (std::size_t r = 0; r < Rows; ++r)
            for (std::size_t c = 0; c < Columns; ++c)
                setBox(columns_[c][r], line.*textFields_[c]);
    }

    void setBoxesEnabled(bool on)
    {
        for (const Column &column : columns_)
            for (QLineEdit *box : column)
                box->setEnabled(on);
    }

private:
    Fields fields_;
    TextFields textFields_;
    std::array<Column, Columns> columns_{};
    QFrame *frame_ = nullptr;
};

// The tables of the editors.
using BracketBoxes = BoxTable<BracketRow, BracketTextRow, 3, 10>;
using AllowanceBoxes = BoxTable<AllowanceRow, AllowanceTextRow, 2, 10>;
using NonResidentBoxes = BoxTable<NonResidentRow, NonResidentTextRow, 2, 8>;

inline const BracketBoxes::Fields kBracketFields{&BracketRow::minimum, &BracketRow::amount, &BracketRow::percentage};
inline const BracketBoxes::TextFields kBracketTextFields{&BracketTextRow::minimum, &BracketTextRow::amount,
                                                         &BracketTextRow::percentage};
inline const AllowanceBoxes::Fields kAllowanceFields{&AllowanceRow::single, &AllowanceRow::married};
inline const AllowanceBoxes::TextFields kAllowanceTextFields{&AllowanceTextRow::single, &AllowanceTextRow::married};
inline const NonResidentBoxes::Fields kNonResidentFields{&NonResidentRow::minimum, &NonResidentRow::subtract};
inline const NonResidentBoxes::TextFields kNonResidentTextFields{&NonResidentTextRow::minimum,
                                                                 &NonResidentTextRow::subtract};

// A line that is not used, and an allowance of nothing.
inline constexpr BracketTextRow kUnusedLine{"999999", "0", "0"};
inline constexpr AllowanceTextRow kNoAllowance{"0", "0"};

}  // namespace wagedesk::tables
