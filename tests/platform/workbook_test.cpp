#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "platform/workbook.h"
#include "temp_folder.h"

// Readable JSON in failure messages.
void PrintTo(const QJsonValue &value, std::ostream *out)
{
    *out << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}
void PrintTo(const QJsonArray &value, std::ostream *out)
{
    *out << QJsonDocument(value).toJson(QJsonDocument::Compact).toStdString();
}

namespace {

using platform::Workbook;
using platform::WorkbookError;

struct NumberCase {
    const char *text;
    std::optional<double> value;
};

TEST(CellNumber, ReadsTheNumbersTheScreenShowsAndNothingElse)
{
    const NumberCase cases[] = {
        {"1234.50", 1234.5},
        {"-12.00", -12},
        {".50", 0.5},
        {"0", 0},
        {"$1,234.56", 1234.56},
        {"-$5.00", -5},
        {"1,234,567", 1234567},
        {"12,345.6", 12345.6},
        {" 7 ", 7},
        {"\t+3\t", 3},
        {"12.", 12},
        {"-0.00", 0},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"$", std::nullopt},
        {"1/7/2005", std::nullopt},
        {"12-3", std::nullopt},
        {"1e3", std::nullopt},
        {"1,2", std::nullopt},
        {"1,23,456", std::nullopt},
        {"1234,567", std::nullopt},
        {",123", std::nullopt},
        {"1 500", std::nullopt},
        {"$-5", std::nullopt},
        {"123-45-6789", std::nullopt},
        {"TOTALS=", std::nullopt},
        {"1.2.3", std::nullopt},
        {"12.5%", std::nullopt},
    };
    for (const NumberCase &c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        const std::optional<double> got = platform::cellNumber(c.text);
        ASSERT_EQ(got.has_value(), c.value.has_value());
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.value);
            EXPECT_FALSE(std::signbit(*got) && *got == 0) << "negative zero";
        }
    }
    // Digits beyond a double's range are a text, not an infinity.
    EXPECT_FALSE(platform::cellNumber(std::string(400, '9')).has_value());
}

TEST(WorkbookCells, WidthIsTheLongestShownTextPlusOne)
{
    Workbook book;
    book.setText(1, 1, "Date");
    book.setText(2, 1, "01/07/2005");
    book.setNumber(3, 1, 1234.5);  // shown "1234.50"
    book.setText(1, 2, "Soc Sec");
    book.setNumber(2, 2, -123456.789);          // shown "-123456.79": ten characters
    book.setText(1, 3, "Wagedesk 2005\u00ae");  // fourteen characters, fifteen bytes
    book.setBold(1, 4);                         // formatted, but empty
    EXPECT_EQ(book.columnWidth(1), 11.0);
    EXPECT_EQ(book.columnWidth(2), 11.0);
    EXPECT_EQ(book.columnWidth(3), 15.0);
    EXPECT_EQ(book.columnWidth(4), std::nullopt);
    EXPECT_EQ(book.columnWidth(5), std::nullopt);
    book.setText(4, 5, std::string(300, 'x'));
    EXPECT_EQ(book.columnWidth(5), 255.0);
}

TEST(WorkbookCells, CellsOutsideTheSheetAndNumbersThatAreNone)
{
    Workbook book;
    EXPECT_THROW(book.setText(0, 1, "x"), std::out_of_range);
    EXPECT_THROW(book.setNumber(1, 0, 1), std::out_of_range);
    EXPECT_THROW(book.setBold(Workbook::kMaxRows + 1, 1), std::out_of_range);
    EXPECT_THROW(book.setFontColour(1, Workbook::kMaxColumns + 1, Workbook::kRed), std::out_of_range);
    EXPECT_THROW(book.setNumber(1, 1, std::numeric_limits<double>::infinity()), std::invalid_argument);
    EXPECT_THROW(book.setNumber(1, 1, std::numeric_limits<double>::quiet_NaN()), std::invalid_argument);
    book.setText(Workbook::kMaxRows, Workbook::kMaxColumns, "corner");
    ASSERT_NE(book.cell(Workbook::kMaxRows, Workbook::kMaxColumns), nullptr);
    EXPECT_EQ(book.cell(1, 1), nullptr);
}

// ---- written and read back with openpyxl ----

// Prints the workbook as JSON: document title, page setup, frozen cell,
// column widths and every cell with its value, type, number format, bold
// and colour.
const char *const kReadBack = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
def part(hf):
    return [hf.left.text or "", hf.center.text or "", hf.right.text or ""]
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is None and not c.has_style:
            continue
        color = c.font.color.rgb if c.font.color is not None and c.font.color.type == "rgb" else None
        cells[c.coordinate] = {"value": c.value, "type": c.data_type, "format": c.number_format,
                               "bold": bool(c.font.b), "color": color}
pr = ws.sheet_properties.pageSetUpPr
m = ws.page_margins
print(json.dumps({
    "sheets": len(wb.worksheets),
    "title": wb.properties.title,
    "freeze": ws.freeze_panes,
    "orientation": ws.page_setup.orientation,
    "fitToPage": bool(pr is not None and pr.fitToPage),
    # 1 is the file format's default, which the file leaves out.
    "fitWidth": 1 if ws.page_setup.fitToWidth is None else ws.page_setup.fitToWidth,
    "fitHeight": 1 if ws.page_setup.fitToHeight is None else ws.page_setup.fitToHeight,
    "margins": [m.left, m.right, m.top, m.bottom, m.header, m.footer],
    "hcenter": bool(ws.print_options.horizontalCentered),
    "vcenter": bool(ws.print_options.verticalCentered),
    "header": part(ws.oddHeader), "footer": part(ws.oddFooter),
    "widths": {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth},
    "cells": cells}))
)PY";

class WorkbookFileTest : public wdtest::TempFolderTest {
protected:
    // A Python that has openpyxl: Debian's first, whatever else PATH holds.
    static QString python()
    {
        for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
            const QString found = QFileInfo(candidate).isAbsolute()
                                      ? (QFileInfo(candidate).isExecutable() ? candidate : QString())
                                      : QStandardPaths::findExecutable(candidate);
            if (found.isEmpty())
                continue;
            QProcess p;
            p.start(found, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
            if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
                return found;
        }
        return {};
    }

    // The workbook as openpyxl reads it; an empty object when it cannot.
    QJsonObject readBack(const wdtest::fs::path &file)
    {
        QProcess p;
        p.start(py, {QStringLiteral("-c"), QString::fromUtf8(kReadBack), QString::fromStdString(file.string())});
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const QByteArray out = p.readAllStandardOutput();
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
        return doc.object();
    }

    void SetUp() override
    {
        TempFolderTest::SetUp();
        py = python();
        if (py.isEmpty())
            GTEST_SKIP() << "python3 with openpyxl is not installed (Debian's python3-openpyxl; "
                            "scripts/setup.sh installs it)";
    }

    // A small export: header row, numbers from texts, a text that is none,
    // an empty cell with a format, the page set up as the export does it.
    static Workbook sample()
    {
        Workbook book;
        const char *headers[] = {"Date", "Federal", "Soc Sec", "Net"};
        for (int c = 1; c <= 4; ++c) {
            book.setCell(1, c, headers[c - 1]);
            book.setBold(1, c);
            book.setFontColour(1, c, Workbook::kRed);
        }
        book.setCell(2, 1, "01/07/2005");
        book.setCell(2, 2, "1234.50");
        book.setCell(2, 3, "-12.00");
        book.setCell(2, 4, ".50");
        book.setCell(3, 1, "TOTALS=");
        book.setCell(3, 2, "$1,234.56");
        book.setCell(3, 3, "n/a");
        book.setNumber(3, 4, 1234567.891);
        for (int c = 1; c <= 5; ++c) {
            book.setBold(3, c);
            book.setFontColour(3, c, Workbook::kBlue);
        }
        book.freezeRows(1);
        book.setLandscape(true);
        book.fitToPages(1, 1);
        book.setMargins({0, 0, 0, 0, 0, 0});
        book.setCentred(true, true);
        book.setHeader("", "", "");
        book.setFooter("smith    123-45-6789", "Wagedesk 2005\u00ae", "R & D");
        book.setTitle("File: smith   123-45-6789");
        return book;
    }

    QString py;
};

TEST_F(WorkbookFileTest, CellsFormatsAndPageSetupReadBack)
{
    const auto file = at("year.xlsx");
    sample().save(file);
    const QJsonObject book = readBack(file);
    ASSERT_FALSE(book.isEmpty());

    EXPECT_EQ(book["sheets"].toInt(), 1);
    EXPECT_EQ(book["title"].toString(), QStringLiteral("File: smith   123-45-6789"));
    EXPECT_EQ(book["freeze"].toString(), QStringLiteral("A2"));
    EXPECT_EQ(book["orientation"].toString(), QStringLiteral("landscape"));
    EXPECT_TRUE(book["fitToPage"].toBool());
    EXPECT_EQ(book["fitWidth"].toInt(), 1);
    EXPECT_EQ(book["fitHeight"].toInt(), 1);
    EXPECT_EQ(book["margins"].toArray(), (QJsonArray{0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(book["hcenter"].toBool());
    EXPECT_TRUE(book["vcenter"].toBool());
    EXPECT_EQ(book["footer"].toArray(), (QJsonArray{QStringLiteral("smith    123-45-6789"),
                                                    QStringLiteral("Wagedesk 2005\u00ae"), QStringLiteral("R && D")}))
        << "the sheet codes a plain \"&\" as \"&&\"";
    EXPECT_EQ(book["header"].toArray(), (QJsonArray{QString(), QString(), QString()}));

    const QJsonObject cells = book["cells"].toObject();
    struct Want {
        const char *at;
        QJsonValue value;
        const char *type;    // "s" text, "n" number
        const char *format;  // number format
        bool bold;
        QJsonValue colour;
    };
    const QJsonValue red = QStringLiteral("FFFF0000"), blue = QStringLiteral("FF0000FF"), none;
    const Want wants[] = {
        {"A1", QStringLiteral("Date"), "s", "General", true, red},
        {"D1", QStringLiteral("Net"), "s", "General", true, red},
        {"A2", QStringLiteral("01/07/2005"), "s", "General", false, none},
        {"B2", 1234.5, "n", "0.00", false, none},
        {"C2", -12.0, "n", "0.00", false, none},
        {"D2", 0.5, "n", "0.00", false, none},
        {"A3", QStringLiteral("TOTALS="), "s", "General", true, blue},
        {"B3", 1234.56, "n", "0.00", true, blue},
        {"C3", QStringLiteral("n/a"), "s", "General", true, blue},
        {"D3", 1234567.891, "n", "0.00", true, blue},
        {"E3", QJsonValue::Null, "n", "General", true, blue},
    };
    for (const Want &w : wants) {
        SCOPED_TRACE(w.at);
        ASSERT_TRUE(cells.contains(QLatin1String(w.at)));
        const QJsonObject c = cells[QLatin1String(w.at)].toObject();
        EXPECT_EQ(c["value"], w.value);
        EXPECT_EQ(c["type"].toString(), QLatin1String(w.type));
        EXPECT_EQ(c["format"].toString(), QLatin1String(w.format));
        EXPECT_EQ(c["bold"].toBool(), w.bold);
        EXPECT_EQ(c["color"], w.colour);
    }
    EXPECT_FALSE(cells.contains(QStringLiteral("E2")));

    // Widths in characters: the longest shown text plus one, which the
    // sheet stores with its cell padding of 5 pixels in 7-pixel characters.
    const QJsonObject widths = book["widths"].toObject();
    const struct {
        const char *column;
        double characters;
    } longest[] = {{"A", 11}, {"B", 8}, {"C", 8}, {"D", 11}};  // "01/07/2005", "Federal", "Soc Sec", "1234567.89"
    for (const auto &l : longest) {
        SCOPED_TRACE(l.column);
        EXPECT_NEAR(widths[QLatin1String(l.column)].toDouble(), l.characters + 5.0 / 7, 0.01);
    }
    EXPECT_FALSE(widths.contains(QStringLiteral("E"))) << "an empty column keeps the default width";
}

TEST_F(WorkbookFileTest, NumbersAreWrittenWithAPointUnderACommaLocale)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale (scripts/test.sh generates it)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    const std::string shown = probe;
    Workbook book = sample();
    book.setMargins({0.25, 0.5, 0.75, 1.25, 0.3, 0.35});
    const auto file = at("comma.xlsx");
    bool saved = false;
    try {
        book.save(file);
        saved = true;
    } catch (...) {
    }
    std::setlocale(LC_ALL, before.c_str());
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(shown, "0,5") << "the locale does not use a comma";
    ASSERT_TRUE(saved);

    const QJsonObject read = readBack(file);
    ASSERT_FALSE(read.isEmpty());
    const QJsonObject cells = read["cells"].toObject();
    EXPECT_EQ(cells["B2"].toObject()["value"], QJsonValue(1234.5));
    EXPECT_EQ(cells["D2"].toObject()["value"], QJsonValue(0.5));
    EXPECT_EQ(cells["D3"].toObject()["value"], QJsonValue(1234567.891));
    EXPECT_EQ(read["margins"].toArray(), (QJsonArray{0.25, 0.5, 0.75, 1.25, 0.3, 0.35}));
    EXPECT_NEAR(read["widths"].toObject()["A"].toDouble(), 11 + 5.0 / 7, 0.01);
}

TEST_F(WorkbookFileTest, SaveReplacesTheFileAndAFailedSaveLeavesItWhole)
{
    const auto file = at("year.xlsx");
    wdtest::put(file, "the old workbook");
    Workbook book;
    book.setCell(1, 1, "42");
    book.save(file);
    EXPECT_EQ(readBack(file)["cells"].toObject()["A1"].toObject()["value"], QJsonValue(42));
    const std::string written = wdtest::slurp(file);
    EXPECT_EQ(entries(), 1u);

    // A cell text longer than a sheet holds fails in the middle of the
    // write: the file keeps the last workbook and no temporary file stays.
    Workbook tooLong;
    tooLong.setText(1, 1, std::string(40000, 'x'));
    try {
        tooLong.save(file);
        ADD_FAILURE() << "the save did not fail";
    } catch (const WorkbookError &e) {
        EXPECT_EQ(e.file(), file);
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(wdtest::slurp(file), written);
    EXPECT_EQ(entries(), 1u);

    // So does a footer too long for the sheet.
    Workbook longFooter;
    longFooter.setFooter(std::string(300, 'f'), "", "");
    EXPECT_THROW(longFooter.save(file), WorkbookError);
    EXPECT_EQ(wdtest::slurp(file), written);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(WorkbookFileTest, SaveWhereNoFileCanBeWrittenNamesTheFile)
{
    Workbook book;
    book.setCell(1, 1, "x");
    for (const auto &target : {at("missing folder") / "year.xlsx", dir_}) {
        SCOPED_TRACE(target.string());
        try {
            book.save(target);
            ADD_FAILURE() << "the save did not fail";
        } catch (const WorkbookError &e) {
            EXPECT_EQ(e.file(), target);
            EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(entries(), 0u);
}

}  // namespace
