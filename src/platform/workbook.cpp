#include "platform/workbook.h"

#include <xlsxwriter.h>

#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <tuple>

#include "legacy/numerics.h"

namespace platform {

namespace fs = std::filesystem;

WorkbookError::WorkbookError(fs::path file, const std::string &why)
    : std::runtime_error("The workbook \"" + file.string() + "\" cannot be written: " + why), file_(std::move(file))
{
}

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// Characters as shown: UTF-8 code points, not bytes.
std::size_t shownLength(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string twoDecimals(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

// "&" starts a code in header and footer texts.
std::string headerPart(const std::string &text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

std::string headerText(const std::string &left, const std::string &centre, const std::string &right)
{
    std::string out;
    if (!left.empty())
        out += "&L" + headerPart(left);
    if (!centre.empty())
        out += "&C" + headerPart(centre);
    if (!right.empty())
        out += "&R" + headerPart(right);
    return out;
}

std::string errnoText(int err) { return err ? std::strerror(err) : "unknown error"; }

// libxlsxwriter prints numbers with the C library, which follows the
// thread's locale: the write runs in the "C" locale, whatever the process
// has set.
class CNumbers {
public:
    CNumbers()
        : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))),
          previous_(c_ ? uselocale(c_) : static_cast<locale_t>(nullptr))
    {
    }
    ~CNumbers()
    {
        if (c_) {
            uselocale(previous_);
            freelocale(c_);
        }
    }
    CNumbers(const CNumbers &) = delete;
    CNumbers &operator=(const CNumbers &) = delete;

private:
    locale_t c_;
    locale_t previous_;
};

// A temporary file beside the target, made exclusively so no other writer
// shares it; removed again unless it was renamed over the target.
class TempBeside {
public:
    explicit TempBeside(const fs::path &file)
    {
        std::random_device rd;
        std::mt19937_64 gen((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
        int err = 0;
        for (int attempt = 0; attempt < 16; ++attempt) {
            char suffix[32];
            std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(gen()));
            const fs::path candidate = file.parent_path() / ("." + file.filename().string() + suffix);
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                path_ = candidate;
                return;
            }
            err = errno;
            if (err != EEXIST)
                break;
        }
        throw WorkbookError(file, errnoText(err));
    }
    ~TempBeside()
    {
        if (!kept_) {
            std::error_code ec;
            fs::remove(path_, ec);
        }
    }
    TempBeside(const TempBeside &) = delete;
    TempBeside &operator=(const TempBeside &) = delete;

    const fs::path &path() const { return path_; }
    void keep() { kept_ = true; }

private:
    fs::path path_;
    bool kept_ = false;
};

// Flushes a written file to the disk; 0 or the errno.
int syncFile(const fs::path &path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = 0;
    if (::fsync(fd) != 0)
        err = errno;
    ::close(fd);
    return err;
}

}  // namespace

std::optional<double> cellNumber(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && blank(text[b]))
        ++b;
    while (e > b && blank(text[e - 1]))
        --e;
    const std::string_view t = text.substr(b, e - b);

    std::size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    if (i < t.size() && t[i] == '$')
        ++i;
    // Integer part: plain digits, or groups of three after a first group
    // of one to three.
    std::size_t digits = 0;
    std::size_t group = 0;
    bool grouped = false;
    for (; i < t.size(); ++i) {
        if (digit(t[i])) {
            ++digits;
            ++group;
        } else if (t[i] == ',') {
            if (group == 0 || group > 3 || (grouped && group != 3))
                return std::nullopt;
            grouped = true;
            group = 0;
        } else {
            break;
        }
    }
    if (grouped && group != 3)
        return std::nullopt;
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && digit(t[i]); ++i)
            ++digits;
    }
    if (i != t.size() || digits == 0)
        return std::nullopt;
    try {
        const double value = legacy::toDouble(t);
        if (!std::isfinite(value))
            return std::nullopt;
        return value == 0 ? 0.0 : value;  // no negative zero
    } catch (const std::exception &) {
        return std::nullopt;  // too large for a number: kept as text
    }
}

Workbook::Cell &Workbook::at(int row, int column)
{
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw std::out_of_range("cell row " + std::to_string(row) + ", column " + std::to_string(column) +
                                " lies outside the sheet");
    return cells_[{row, column}];
}

void Workbook::setText(int row, int column, std::string text)
{
    Cell &c = at(row, column);
    c.kind = text.empty() ? Cell::Kind::Empty : Cell::Kind::Text;
    c.text = std::move(text);
    c.number = 0;
}

void Workbook::setNumber(int row, int column, double value)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("a cell cannot hold an infinite or undefined number");
    Cell &c = at(row, column);
    c.kind = Cell::Kind::Number;
    c.text.clear();
    c.number = value == 0 ? 0.0 : value;
}

void Workbook::setCell(int row, int column, std::string_view text)
{
    if (const auto value = cellNumber(text))
        setNumber(row, column, *value);
    else
        setText(row, column, std::string(text));
}

void Workbook::setBold(int row, int column, bool on) { at(row, column).bold = on; }
void Workbook::setFontColour(int row, int column, std::uint32_t rgb) { at(row, column).colour = rgb & 0xFFFFFF; }

void Workbook::freezeRows(int rows)
{
    if (rows < 0 || rows >= kMaxRows)
        throw std::out_of_range("cannot freeze " + std::to_string(rows) + " rows");
    frozenRows_ = rows;
}

void Workbook::fitToPages(int wide, int tall)
{
    if (wide < 0 || tall < 0 || wide > 65535 || tall > 65535)
        throw std::out_of_range("a page count must be from 0 to 65535");
    fitWide_ = wide;
    fitTall_ = tall;
}

void Workbook::setMargins(const Margins &margins)
{
    for (double m : {margins.left, margins.right, margins.top, margins.bottom, margins.header, margins.footer})
        if (!std::isfinite(m) || m < 0)
            throw std::invalid_argument("a margin must be a number of inches from 0 up");
    margins_ = margins;
}

void Workbook::setHeader(std::string left, std::string centre, std::string right)
{
    header_ = headerText(left, centre, right);
}

void Workbook::setFooter(std::string left, std::string centre, std::string right)
{
    footer_ = headerText(left, centre, right);
}

const Workbook::Cell *Workbook::cell(int row, int column) const
{
    const auto found = cells_.find({row, column});
    return found == cells_.end() ? nullptr : &found->second;
}

std::optional<double> Workbook::columnWidth(int column) const
{
    std::size_t longest = 0;
    for (const auto &[where, c] : cells_) {
        if (where.second != column)
            continue;
        if (c.kind == Cell::Kind::Text)
            longest = std::max(longest, shownLength(c.text));
        else if (c.kind == Cell::Kind::Number)
            longest = std::max(longest, twoDecimals(c.number).size());
    }
    if (longest == 0)
        return std::nullopt;
    // The sheet's widest column is 255 characters.
    return std::min(255.0, static_cast<double>(longest) + 1);
}

void Workbook::save(const fs::path &file) const
{
    std::error_code ec;
    if (file.filename().empty())
        throw WorkbookError(file, "no file name");
    if (fs::is_directory(file, ec))
        throw WorkbookError(file, "it is a folder");

    TempBeside temp(file);
    std::string failure;
    {
        const CNumbers cLocale;
        lxw_workbook *book = workbook_new(temp.path().c_str());
        if (!book)
            throw WorkbookError(file, "the workbook cannot be made");
        auto check = [&failure](lxw_error err) {
            if (err != LXW_NO_ERROR && failure.empty())
                failure = lxw_strerror(err);
        };
        lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
        if (!sheet)
            failure = "the worksheet cannot be made";

        // One format per combination the cells use.
        std::map<std::tuple<bool, std::optional<std::uint32_t>, bool>, lxw_format *> formats;
        auto formatFor = [&](const Cell &c) -> lxw_format * {
            const bool number = c.kind == Cell::Kind::Number;
            if (!number && !c.bold && !c.colour)
                return nullptr;
            auto &f = formats[{c.bold, c.colour, number}];
            if (!f) {
                f = workbook_add_format(book);
                if (c.bold)
                    format_set_bold(f);
                if (c.colour)
                    format_set_font_color(f, *c.colour);
                if (number)
                    format_set_num_format(f, "0.00");
            }
            return f;
        };

        if (sheet) {
            for (const auto &[where, c] : cells_) {
                const auto row = static_cast<lxw_row_t>(where.first - 1);
                const auto col = static_cast<lxw_col_t>(where.second - 1);
                lxw_format *format = formatFor(c);
                switch (c.kind) {
                case Cell::Kind::Empty:
                    if (format)
                        check(worksheet_write_blank(sheet, row, col, format));
                    break;
                case Cell::Kind::Text: check(worksheet_write_string(sheet, row, col, c.text.c_str(), format)); break;
                case Cell::Kind::Number: check(worksheet_write_number(sheet, row, col, c.number, format)); break;
                }
            }
            int lastColumn = 0;
            for (const auto &[where, c] : cells_)
                lastColumn = std::max(lastColumn, where.second);
            for (int column = 1; column <= lastColumn; ++column)
                if (const auto width = columnWidth(column))
                    check(worksheet_set_column(sheet, static_cast<lxw_col_t>(column - 1),
                                               static_cast<lxw_col_t>(column - 1), *width, nullptr));
            if (frozenRows_ > 0)
                worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(frozenRows_), 0);
            if (landscape_)
                worksheet_set_landscape(sheet);
            if (fitWide_ > 0 || fitTall_ > 0)
                worksheet_fit_to_pages(sheet, static_cast<std::uint16_t>(fitWide_),
                                       static_cast<std::uint16_t>(fitTall_));
            worksheet_set_margins(sheet, margins_.left, margins_.right, margins_.top, margins_.bottom);
            if (!header_.empty())
                check(worksheet_set_header(sheet, header_.c_str()));
            if (!footer_.empty())
                check(worksheet_set_footer(sheet, footer_.c_str()));
            // The library's header and footer setters refuse a margin of 0,
            // which a sheet printed without margins needs; it writes these
            // fields as they stand.
            sheet->margin_header = margins_.header;
            sheet->margin_footer = margins_.footer;
            if (centreHorizontally_)
                worksheet_center_horizontally(sheet);
            if (centreVertically_)
                worksheet_center_vertically(sheet);
        }
        std::string title = title_;  // the library wants a writable text
        if (!title.empty()) {
            lxw_doc_properties properties{};
            properties.title = title.data();
            check(workbook_set_properties(book, &properties));
        }
        // Closing writes the file and frees the workbook, also after a
        // failure above.
        const lxw_error closed = workbook_close(book);
        if (failure.empty() && closed != LXW_NO_ERROR)
            failure = lxw_strerror(closed);
    }
    if (!failure.empty())
        throw WorkbookError(file, failure);

    if (const int err = syncFile(temp.path(), O_RDONLY))
        throw WorkbookError(file, errnoText(err));
    const fs::file_status old = fs::status(file, ec);
    if (!ec && fs::is_regular_file(old))
        fs::permissions(temp.path(), old.permissions(), ec);  // best effort
    fs::rename(temp.path(), file, ec);
    if (ec)
        throw WorkbookError(file, ec.message());
    temp.keep();
    // The rename itself reaches the disk with the folder.
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    syncFile(folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace platform
