// A one-sheet spreadsheet workbook (.xlsx) written with libxlsxwriter: the
// year-to-date export fills it cell by cell, then saves it.
//
// The workbook is kept in memory until save(): cells with texts or numbers,
// bold and font colour per cell, the frozen rows, the page setup, header
// and footer, and the document title. Column widths are not set one by one:
// save() fits every column to its longest text, as shown (a number in its
// two-decimal form).
//
// Rows and columns are counted from 1 as the sheet shows them: row 1 is
// the top row, column 1 is column A.
//
// Numbers are written with "." whatever the process locale is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The workbook could not be written; the message names the file.
class WorkbookError : public std::runtime_error {
public:
    WorkbookError(std::filesystem::path file, const std::string &why);
    const std::filesystem::path &file() const { return file_; }

private:
    std::filesystem::path file_;
};

// The number a cell's text shows, when it shows one: a plain decimal with
// "." as the point, an optional sign, an optional "$" after the sign and
// thousands commas in groups of three ("1234.50", "-12.00", ".50",
// "$1,234.56", "-$5.00"); blanks around it are allowed. Nothing for any
// other text (empty, "1/7/2005", "12-3", "1e3", "1,2", ".").
std::optional<double> cellNumber(std::string_view text);

class Workbook {
public:
    // Colours as 0xRRGGBB.
    static constexpr std::uint32_t kRed = 0xFF0000;
    static constexpr std::uint32_t kBlue = 0x0000FF;

    // Excel's limits: 1048576 rows, 16384 columns. A cell outside them
    // throws std::out_of_range.
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxColumns = 16384;

    // A text cell; an empty text leaves the cell empty.
    void setText(int row, int column, std::string text);
    // A number cell, shown with two decimals ("0.00") so it reads as on
    // screen and can be summed.
    void setNumber(int row, int column, double value);
    // A number cell when the text shows a number (cellNumber), else a text
    // cell.
    void setCell(int row, int column, std::string_view text);

    // Formats apply to the cell whatever it holds, also to an empty one.
    void setBold(int row, int column, bool on = true);
    void setFontColour(int row, int column, std::uint32_t rgb);

    // The top `rows` rows stay in view when the sheet scrolls (0: none).
    void freezeRows(int rows);

    // Page setup.
    void setLandscape(bool on) { landscape_ = on; }
    // Printed scaled down to fit so many pages wide and tall (0 for either:
    // as many as it takes that way). Until called, printed at full size.
    void fitToPages(int wide, int tall);
    // Margins in inches, from 0 up (std::invalid_argument otherwise); the
    // defaults are the sheet's own.
    struct Margins {
        double left = 0.7, right = 0.7, top = 0.75, bottom = 0.75, header = 0.3, footer = 0.3;
    };
    void setMargins(const Margins &margins);
    void setCentred(bool horizontally, bool vertically)
    {
        centreHorizontally_ = horizontally;
        centreVertically_ = vertically;
    }
    // Left, centre and right parts of the printed header and footer, plain
    // texts ("&" prints as itself). Each of header and footer is limited to
    // 255 characters once coded; save() reports a longer one.
    void setHeader(std::string left, std::string centre, std::string right);
    void setFooter(std::string left, std::string centre, std::string right);

    // The document's title property.
    void setTitle(std::string title) { title_ = std::move(title); }

    // Writes the workbook to `file`, replacing it whole: the workbook goes
    // to a temporary file in the same folder, is flushed to the disk and
    // renamed over the target, so a failed save leaves an existing file as
    // it was. Throws WorkbookError naming the file.
    void save(const std::filesystem::path &file) const;

    // ---- what the workbook holds, for tests and callers ----
    struct Cell {
        enum class Kind { Empty, Text, Number };
        Kind kind = Kind::Empty;
        std::string text;
        double number = 0;
        bool bold = false;
        std::optional<std::uint32_t> colour;
    };
    // The cell, or nothing when it was never touched.
    const Cell *cell(int row, int column) const;
    // The width save() gives the column: its longest shown text in
    // characters plus one for the margin; nothing for an empty column,
    // which keeps the default width.
    std::optional<double> columnWidth(int column) const;

private:
    Cell &at(int row, int column);

    std::map<std::pair<int, int>, Cell> cells_;
    int frozenRows_ = 0;
    bool landscape_ = false;
    int fitWide_ = 0;
    int fitTall_ = 0;
    Margins margins_;
    bool centreHorizontally_ = false;
    bool centreVertically_ = false;
    std::string header_;
    std::string footer_;
    std::string title_;
};

}  // namespace platform
