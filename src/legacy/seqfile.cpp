// Sequential text files: reader and replace-on-commit writer.
#include "legacy/seqfile.h"

#include "legacy/numerics.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <type_traits>
#include <utility>

namespace legacy {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string errnoText(int err) { return std::generic_category().message(err); }

std::string quoteForMessage(std::string_view value, bool quoted) {
    // Fuzzed or damaged files can hold huge items; a message needs only a hint.
    constexpr std::size_t kMax = 40;
    std::string shown(value.substr(0, kMax));
    if (value.size() > kMax) shown += "...";
    return quoted ? '"' + shown + '"' : "'" + shown + "'";
}

// Parses a whole unquoted item as a finite number. Leading-dot forms are
// rewritten for from_chars, which (like the C locale's strtod) wants a
// digit before the point and no "+" sign.
bool parseNumber(std::string_view text, double &out) {
    std::string buf;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size()) return false;
    if (text[i] == '.') {
        if (i + 1 >= text.size() || !isDigit(text[i + 1])) return false;
        buf = "0";
    } else if (!isDigit(text[i])) {
        return false;  // also keeps out "inf" and "nan"
    }
    buf.append(text.substr(i));
    const char *first = buf.data();
    const char *last = buf.data() + buf.size();
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return false;
    out = negative ? -value : value;
    return true;
}

} // namespace

FileError::FileError(const fs::path &file, const std::string &what)
    : std::runtime_error(file.string() + ": " + what), file_(file) {}

bool canOpenForReading(const fs::path &file) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) return false;
    std::ifstream in(file, std::ios::binary);
    return in.is_open();
}

// ---------------------------------------------------------------- writer

SeqWriter::SeqWriter(fs::path file) : file_(std::move(file)) {
    std::error_code ec;
    if (fs::is_directory(file_, ec))
        throw FileAccessError(file_, "cannot be written: it is a folder");

    fs::path folder = file_.parent_path();
    std::string base = file_.filename().string();
    std::random_device rd;
    std::mt19937_64 gen((static_cast<std::uint64_t>(rd()) << 32) ^ rd());
    int err = 0;
    // "x" makes the creation exclusive, so two writers never share a file.
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp",
                      static_cast<unsigned long long>(gen()));
        fs::path candidate = folder / ("." + base + suffix);
        errno = 0;
        if (std::FILE *f = std::fopen(candidate.string().c_str(), "wbx")) {
            std::fclose(f);
            temp_ = std::move(candidate);
            return;
        }
        err = errno;
        if (err != EEXIST) break;
    }
    throw FileAccessError(file_, "cannot be written: " + errnoText(err));
}

SeqWriter::~SeqWriter() {
    if (!committed_ && !temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
    }
}

void SeqWriter::separate() {
    if (recordStarted_) buffer_ += ',';
    recordStarted_ = true;
}

SeqWriter &SeqWriter::text(std::string_view value) {
    separate();
    buffer_ += '"';
    for (char c : value) buffer_ += c == '"' ? '\'' : c;
    buffer_ += '"';
    return *this;
}

SeqWriter &SeqWriter::number(float value) {
    separate();
    buffer_ += floatToText(value);
    return *this;
}

SeqWriter &SeqWriter::number(double value) {
    separate();
    buffer_ += doubleToText(value);
    return *this;
}

SeqWriter &SeqWriter::number(std::int16_t value) {
    separate();
    buffer_ += std::to_string(value);
    return *this;
}

SeqWriter &SeqWriter::number(std::int32_t value) {
    separate();
    buffer_ += std::to_string(value);
    return *this;
}

SeqWriter &SeqWriter::boolean(bool value) {
    separate();
    buffer_ += value ? kTrue : kFalse;
    return *this;
}

SeqWriter &SeqWriter::empty() {
    separate();
    return *this;
}

SeqWriter &SeqWriter::variant(const Variant &value) {
    std::visit(
        [this](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Empty>)
                empty();
            else if constexpr (std::is_same_v<T, std::string>)
                text(v);
            else if constexpr (std::is_same_v<T, double>)
                number(v);
            else
                boolean(v);
        },
        value);
    return *this;
}

SeqWriter &SeqWriter::endRecord() {
    buffer_ += "\r\n";
    recordStarted_ = false;
    return *this;
}

void SeqWriter::commit() {
    if (committed_) throw FileAccessError(file_, "already written");
    if (recordStarted_) endRecord();

    auto failWith = [this](const std::string &why) {
        std::error_code ec;
        fs::remove(temp_, ec);
        throw FileAccessError(file_, "cannot be written: " + why);
    };

    errno = 0;
    std::FILE *f = std::fopen(temp_.string().c_str(), "wb");
    if (!f) failWith(errnoText(errno));
    bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), f) == buffer_.size();
    int err = errno;
    // fclose flushes; a full disk often shows only here.
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) failWith(errnoText(err));

    std::error_code ec;
    fs::file_status old = fs::status(file_, ec);
    if (!ec && fs::is_regular_file(old))
        fs::permissions(temp_, old.permissions(), ec);  // best effort

    fs::rename(temp_, file_, ec);
    if (ec) failWith(ec.message());
    committed_ = true;
}

// ---------------------------------------------------------------- reader

SeqReader::SeqReader(fs::path file) : file_(std::move(file)) {
    std::error_code ec;
    if (fs::is_directory(file_, ec))
        throw FileAccessError(file_, "cannot be read: it is a folder");
    errno = 0;
    std::ifstream in(file_, std::ios::binary);
    if (!in) throw FileAccessError(file_, "cannot be read: " + errnoText(errno));
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) throw FileAccessError(file_, "cannot be read");
    data_ = std::move(all).str();
}

SeqReader::SeqReader(std::string contents, fs::path name)
    : file_(std::move(name)), data_(std::move(contents)) {}

bool SeqReader::atEnd() const {
    std::size_t p = pos_;
    while (p < data_.size() && isBlank(data_[p])) ++p;
    return p >= data_.size() && !afterComma_;
}

void SeqReader::fail(const std::string &what) const { throw FileFormatError(file_, what); }

void SeqReader::wrongKind(const Item &item, const std::string &kind) const {
    std::size_t line = 1;
    for (std::size_t i = 0; i < item.start && i < data_.size(); ++i) {
        if (data_[i] == '\n' || (data_[i] == '\r' && (i + 1 >= data_.size() || data_[i + 1] != '\n')))
            ++line;
    }
    fail("line " + std::to_string(line) + ", item " + std::to_string(items_) + ": " +
         quoteForMessage(item.value, item.quoted) + " is not " + kind);
}

SeqReader::Item SeqReader::next() {
    const std::size_t size = data_.size();
    while (pos_ < size && isBlank(data_[pos_])) ++pos_;

    Item item;
    item.start = pos_;
    if (pos_ >= size) {
        if (!afterComma_)
            fail("the file ends too early (item " + std::to_string(items_ + 1) + " is missing)");
        // A final comma still promised one (empty) item.
        afterComma_ = false;
        ++items_;
        return item;
    }

    // Consumes the comma or line end at pos_, if any, and notes which it was.
    auto endItem = [this, size] {
        afterComma_ = false;
        if (pos_ >= size) return;
        if (data_[pos_] == ',') {
            afterComma_ = true;
            ++pos_;
        } else if (data_[pos_] == '\r') {
            ++pos_;
            if (pos_ < size && data_[pos_] == '\n') ++pos_;
        } else if (data_[pos_] == '\n') {
            ++pos_;
        }
    };

    if (data_[pos_] == '"') {
        item.quoted = true;
        std::size_t close = data_.find('"', pos_ + 1);
        if (close == std::string::npos) close = size;  // unclosed: the rest is the text
        item.value.assign(data_, pos_ + 1, close - pos_ - 1);
        pos_ = close < size ? close + 1 : size;
        while (pos_ < size && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
        endItem();
    } else {
        std::size_t end = pos_;
        while (end < size && data_[end] != ',' && !isLineEnd(data_[end])) ++end;
        std::size_t last = end;
        while (last > pos_ && isBlank(data_[last - 1])) --last;
        item.value.assign(data_, pos_, last - pos_);
        pos_ = end;
        endItem();
    }
    ++items_;
    return item;
}

std::string SeqReader::text() { return next().value; }

double SeqReader::toNumber(const Item &item) const {
    if (item.quoted) wrongKind(item, "a number");
    if (item.value.empty()) return 0;
    double value = 0;
    if (!parseNumber(item.value, value)) wrongKind(item, "a number");
    return value;
}

double SeqReader::number() { return toNumber(next()); }

float SeqReader::numberF() {
    // Beyond this a double rounds to float infinity (and the cast is undefined).
    constexpr double kFloatLimit = 0x1.ffffffp127;
    Item item = next();
    double value = toNumber(item);
    if (!(std::abs(value) < kFloatLimit)) wrongKind(item, "within the range of a float");
    return static_cast<float>(value);
}

std::int16_t SeqReader::int16() {
    Item item = next();
    double value = toNumber(item);
    try {
        return toInt16(value);
    } catch (const OverflowError &) {
    } catch (const NumberFormatError &) {
    }
    wrongKind(item, "a 16-bit integer");
}

bool SeqReader::boolean() {
    Item item = next();
    if (item.quoted) wrongKind(item, "true or false");
    if (item.value == kTrue) return true;
    if (item.value == kFalse) return false;
    if (item.value.empty()) return false;
    double value = 0;
    if (!parseNumber(item.value, value)) wrongKind(item, "true or false");
    return value != 0;
}

Variant SeqReader::variant() {
    Item item = next();
    if (item.quoted) return std::move(item.value);
    if (item.value.empty()) return Empty{};
    if (item.value == kTrue) return true;
    if (item.value == kFalse) return false;
    double value = 0;
    if (parseNumber(item.value, value)) return value;
    return std::move(item.value);
}

void SeqReader::skip() { next(); }

} // namespace legacy
