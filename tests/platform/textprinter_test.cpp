#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "legacy/textpage.h"
#include "platform/textprinter.h"
#include "temp_folder.h"

namespace {

using legacy::TextPage;
using platform::PageFont;
using platform::PlacedText;
using platform::TextLayout;

// A font whose every character is one column wide, so the expected places
// can be worked by hand: a column is half the point size, a line twice it.
class FixedPitch : public platform::TextMetrics {
public:
    double columnWidth(const PageFont &font) const override { return font.points / 2; }
    double lineHeight(const PageFont &font) const override { return font.points * 2; }
    double advance(const PageFont &font, const std::string &text) const override
    {
        return static_cast<double>(text.size()) * font.points / 2;
    }
};

struct Place {
    std::string text;
    int page;
    int line;
    double x;
    double y;
};

struct LayoutCase {
    const char *name;
    std::function<void(TextPage &)> build;
    double pageHeight;
    std::vector<Place> expected;
    int pages;
};

// Test listings name a case, not its bytes.
void PrintTo(const LayoutCase &c, std::ostream *out) { *out << c.name; }

class TextLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(TextLayoutTest, PlacesEveryText)
{
    const LayoutCase &c = GetParam();
    TextPage page;
    c.build(page);
    const TextLayout layout = platform::layoutTextPage(page, FixedPitch(), c.pageHeight);
    ASSERT_EQ(layout.texts.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        const Place &want = c.expected[i];
        const PlacedText &got = layout.texts[i];
        SCOPED_TRACE("text \"" + want.text + "\"");
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.page, want.page);
        EXPECT_EQ(got.line, want.line);
        EXPECT_DOUBLE_EQ(got.x, want.x);
        EXPECT_DOUBLE_EQ(got.y, want.y);
        EXPECT_EQ(page.items()[got.item].text, want.text);
    }
    EXPECT_EQ(layout.pages, c.pages);
}

// 10 points: a column is 5 wide, a line 20 high, a character one column.
INSTANTIATE_TEST_SUITE_P(
    Cases, TextLayoutTest,
    ::testing::Values(
        LayoutCase{"ColumnsAndPosition",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.print("Name", 1);
                       p.print("Bob", 10);
                       p.print("!");
                       p.endLine();
                       p.print("x", 5);
                   },
                   1000,
                   {{"Name", 0, 0, 0, 0}, {"Bob", 0, 0, 45, 0}, {"!", 0, 0, 60, 0}, {"x", 0, 1, 20, 20}},
                   1},
        // A column left of the position goes to the next line; the column
        // the position stands on does not; 0 and below are column 1.
        LayoutCase{"ColumnLeftOfPositionWraps",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.print("abcdefgh", 1);
                       p.print("Z", 5);
                       p.print("Q", 6);
                       p.print("R", 0);
                       p.print("S", -3);
                   },
                   1000,
                   {{"abcdefgh", 0, 0, 0, 0}, {"Z", 0, 1, 20, 20}, {"Q", 0, 1, 25, 20}, {"R", 0, 2, 0, 40},
                    {"S", 0, 3, 0, 60}},
                   1},
        LayoutCase{"EmptyLines",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.endLine();
                       p.endLine();
                       p.print("a");
                       p.endLine();
                       p.printLine("b", 3);
                       p.print("c");
                   },
                   1000,
                   {{"a", 0, 2, 0, 40}, {"b", 0, 3, 10, 60}, {"c", 0, 4, 0, 80}},
                   1},
        // At 20 points a column is 10 wide and a line 40 high; a line ends
        // with the pitch of the font in force at its end.
        LayoutCase{"FontSizeSetsPitchAndColumns",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.printLine("a");
                       p.fontSize(20);
                       p.print("b", 3);
                       p.endLine();
                       p.fontSize(10);
                       p.print("c", 3);
                   },
                   1000,
                   {{"a", 0, 0, 0, 0}, {"b", 0, 1, 20, 20}, {"c", 0, 2, 10, 60}},
                   1},
        // Two lines of 20 fit in 50; empty lines after the last text make
        // no page of their own.
        LayoutCase{"NewPageWhenTheLineDoesNotFit",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.printLine("1");
                       p.printLine("2");
                       p.printLine("3", 4);
                       for (int i = 0; i < 5; ++i)
                           p.endLine();
                   },
                   50,
                   {{"1", 0, 0, 0, 0}, {"2", 0, 1, 0, 20}, {"3", 1, 0, 15, 0}},
                   2},
        // An empty line that does not fit takes the top of the next page.
        LayoutCase{"EmptyLineCarriesOver",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.printLine("1");
                       p.endLine();
                       p.endLine();
                       p.print("x");
                   },
                   50,
                   {{"1", 0, 0, 0, 0}, {"x", 1, 1, 0, 20}},
                   2},
        // A page for one sheet that is too long keeps its lines on it, drawn
        // closer together: the last text's line ends at the bottom.
        LayoutCase{"OneSheetDrawsTheLinesCloser",
                   [](TextPage &p) {
                       p.setOneSheet(true);
                       p.fontSize(10);
                       p.printLine("1");
                       p.endLine();
                       p.printLine("3", 4);
                       p.print("4");
                       for (int i = 0; i < 5; ++i)
                           p.endLine();
                   },
                   50,
                   {{"1", 0, 0, 0, 0}, {"3", 0, 2, 15, 20}, {"4", 0, 3, 0, 30}},
                   1},
        // One that fits is laid out as any page; the empty lines after its
        // last text need no room.
        LayoutCase{"OneSheetThatFitsIsUnchanged",
                   [](TextPage &p) {
                       p.setOneSheet(true);
                       p.fontSize(10);
                       p.printLine("1");
                       p.print("2");
                       for (int i = 0; i < 5; ++i)
                           p.endLine();
                   },
                   40,
                   {{"1", 0, 0, 0, 0}, {"2", 0, 1, 0, 20}},
                   1},
        // The first line of a page is printed even when taller than it.
        LayoutCase{"FirstLineAlwaysFits",
                   [](TextPage &p) {
                       p.fontSize(10);
                       p.printLine("big");
                       p.print("next");
                   },
                   10,
                   {{"big", 0, 0, 0, 0}, {"next", 1, 0, 0, 0}},
                   2}),
    [](const ::testing::TestParamInfo<LayoutCase> &test) { return std::string(test.param.name); });

TEST(TextLayout, FontUntilSetAndSettingsThatAreNoFont)
{
    TextPage page;
    page.print("a", 3);
    page.fontName("");
    page.fontSize(0);
    page.fontSize(-4);
    page.print("b", 3);
    page.fontName("Courier New");
    page.fontSize(8);
    page.print("c");
    const TextLayout layout = platform::layoutTextPage(page, FixedPitch(), 1000);
    ASSERT_EQ(layout.texts.size(), 3u);
    EXPECT_EQ(layout.texts[0].font, (PageFont{"Arial", 10}));
    EXPECT_DOUBLE_EQ(layout.texts[0].x, 10);
    // "a" ends at 15, beyond column 3 of the unchanged font.
    EXPECT_EQ(layout.texts[1].font, (PageFont{"Arial", 10}));
    EXPECT_EQ(layout.texts[1].line, 1);
    EXPECT_DOUBLE_EQ(layout.texts[1].x, 10);
    EXPECT_EQ(layout.texts[2].font, (PageFont{"Courier New", 8}));
    EXPECT_DOUBLE_EQ(layout.texts[2].x, 15);
    EXPECT_DOUBLE_EQ(layout.texts[2].column, 1 + 15 / 4.0);
}

// ---- on a printer: a PDF file, as when the printer dialog prints to a file ----

class TextPrinterTest : public wdtest::TempFolderTest {
protected:
    void pdfPrinter(QPrinter &printer, const std::string &name)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(at(name).string()));
    }

    static QFont arial(double points)
    {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(points);
        return f;
    }

    // Output of a poppler tool, or a skip when it is not installed.
    static std::string poppler(const char *tool, const QStringList &arguments, bool *missing)
    {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        *missing = exe.isEmpty();
        if (*missing)
            return {};
        QProcess p;
        p.start(exe, arguments);
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return p.readAllStandardOutput().toStdString();
    }

    static int pdfPages(const std::string &info)
    {
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromStdString(info));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
};

#define POPPLER_OR_SKIP(out, tool, args)                                                                               \
    bool missing_##out = false;                                                                                        \
    const std::string out = poppler(tool, args, &missing_##out);                                                       \
    if (missing_##out)                                                                                                 \
    GTEST_SKIP() << tool << " is not installed (Debian's poppler-utils; scripts/setup.sh installs it)"

TEST_F(TextPrinterTest, ArialIsThereOrAMetricCompatibleFace)
{
    const QString family = QFontInfo(arial(10)).family();
    EXPECT_TRUE(family == QLatin1String("Arial") || family == QLatin1String("Liberation Sans"))
        << family.toStdString() << ": install fonts-liberation2 (scripts/setup.sh does)";
}

TEST_F(TextPrinterTest, ColumnsAndLinesFollowTheFontAtThePrinterResolution)
{
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, "metrics.pdf");
    TextPage page;
    page.fontName("Arial");
    page.fontSize(10);
    page.print("Name", 1);
    page.print("Bob", 20);
    page.endLine();
    page.fontSize(12);
    page.print("x", 20);
    page.endLine();
    page.print("y");
    const platform::PrintOutcome out = platform::printTextPage(page, printer);
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    ASSERT_EQ(out.layout.texts.size(), 4u);

    const QFontMetricsF ten(arial(10), &printer);
    const QFontMetricsF twelve(arial(12), &printer);
    const auto &t = out.layout.texts;
    const double tenColumn = platform::averageCharacterWidth(ten),
                 twelveColumn = platform::averageCharacterWidth(twelve);
    EXPECT_DOUBLE_EQ(t[1].x, 19 * tenColumn);
    EXPECT_DOUBLE_EQ(t[2].y, ten.lineSpacing());
    EXPECT_DOUBLE_EQ(t[2].x, 19 * twelveColumn);
    EXPECT_DOUBLE_EQ(t[3].y, ten.lineSpacing() + twelve.lineSpacing());
    // A larger size, wider columns and a larger pitch, about in proportion.
    EXPECT_NEAR(twelveColumn / tenColumn, 1.2, 0.06);
    EXPECT_NEAR(twelve.lineSpacing() / ten.lineSpacing(), 1.2, 0.06);
    // Arial's average character width is 904/2048 em; its stand-in has the same widths.
    EXPECT_NEAR(tenColumn, 10.0 / 72 * printer.resolution() * 904 / 2048, 10.0 / 72 * printer.resolution() * 0.005)
        << "the column is not a character width at the printer's resolution";
}

TEST_F(TextPrinterTest, PdfReadBackKeepsTextsOrderAndColumns)
{
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, "page.pdf");
    TextPage page;
    page.fontName("Arial");
    page.fontSize(10);
    page.print("Name", 1);
    page.print("Bob", 20);
    page.print("Tail", 40);
    page.endLine();
    page.endLine();
    page.print("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", 1);
    page.print("Wrapped", 10);
    page.endLine();
    page.print("Last");
    ASSERT_TRUE(platform::printTextPage(page, printer).ok);

    POPPLER_OR_SKIP(
        text, "pdftotext",
        (QStringList{QStringLiteral("-layout"), QString::fromStdString(at("page.pdf").string()), QStringLiteral("-")}));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    ASSERT_GE(lines.size(), 5u) << text;
    const std::string &first = lines[0];
    const auto name = first.find("Name"), bob = first.find("Bob"), tail = first.find("Tail");
    ASSERT_NE(tail, std::string::npos) << text;
    ASSERT_EQ(name, 0u);
    ASSERT_LT(name, bob);
    ASSERT_LT(bob, tail);
    // Columns 1, 20, 40: the second gap is 20/19 of the first.
    EXPECT_NEAR(double(tail - bob), double(bob - name) * 20 / 19, 2) << first;
    EXPECT_EQ(lines[1].find_first_not_of(' '), std::string::npos) << "no empty line:\n" << text;
    EXPECT_EQ(lines[2].find("AAAA"), 0u) << text;
    const auto wrapped = lines[3].find("Wrapped");
    ASSERT_NE(wrapped, std::string::npos) << text;
    EXPECT_GT(wrapped, 0u);
    EXPECT_LT(wrapped, lines[2].size() / 2);
    EXPECT_EQ(lines[3].find_first_not_of(' '), wrapped);
    EXPECT_EQ(lines[4].find("Last"), 0u) << text;
}

TEST_F(TextPrinterTest, LandscapeWhenThePageSaysSoOtherwiseThePrintersChoice)
{
    QPrinter landscape(QPrinter::HighResolution);
    pdfPrinter(landscape, "landscape.pdf");
    landscape.setPageOrientation(QPageLayout::Portrait);
    TextPage wide;
    wide.setLandscape(true);
    wide.printLine("wide");
    const platform::PrintOutcome out = platform::printTextPage(wide, landscape);
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    // Landscape for that document only: the next one is as the user set it up.
    EXPECT_EQ(landscape.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_TRUE(platform::lastPrinted().page.landscape());

    // A page that names no orientation keeps the one the user chose.
    QPrinter chosen(QPrinter::HighResolution);
    pdfPrinter(chosen, "chosen.pdf");
    chosen.setPageOrientation(QPageLayout::Landscape);
    TextPage plain;
    plain.printLine("plain");
    ASSERT_TRUE(platform::printTextPage(plain, chosen).ok);
    EXPECT_EQ(chosen.pageLayout().orientation(), QPageLayout::Landscape);

    POPPLER_OR_SKIP(info, "pdfinfo", (QStringList{QString::fromStdString(at("landscape.pdf").string())}));
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"))
                       .match(QString::fromStdString(info));
    ASSERT_TRUE(m.hasMatch()) << info;
    EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble()) << info;
}

// The margins the printer was set up with do not move the page: it starts
// at the corner of what the printer can print, the paper's corner for a
// PDF file. The setup is the user's again afterwards.
TEST_F(TextPrinterTest, PrintedFromThePrintableCornerWithTheSetupPutBack)
{
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, "corner.pdf");
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(20, 30, 20, 30), QPageLayout::Millimeter);
    const QPageLayout before = printer.pageLayout();
    TextPage page;
    page.fontName("Arial");
    page.fontSize(10);
    page.printLine("Corner", 1);
    const platform::PrintOutcome out = platform::printTextPage(page, printer);
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(printer.pageLayout(), before);
    EXPECT_NEAR(out.layout.pageWidth, 8.5 * printer.resolution(), 1);
    EXPECT_NEAR(out.layout.pageHeight, 11 * printer.resolution(), 1);

    POPPLER_OR_SKIP(
        box, "pdftotext",
        (QStringList{QStringLiteral("-bbox"), QString::fromStdString(at("corner.pdf").string()), QStringLiteral("-")}));
    const auto m = QRegularExpression(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>Corner<"))
                       .match(QString::fromStdString(box));
    ASSERT_TRUE(m.hasMatch()) << box;
    // In points from the top left of the paper: no 20 mm (57 points) of margin.
    EXPECT_LT(m.captured(1).toDouble(), 2) << box;
    EXPECT_LT(m.captured(2).toDouble(), 4) << box;
}

TEST_F(TextPrinterTest, LongDocumentBreaksPagesAndTrailingEmptyLinesAddNone)
{
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, "long.pdf");
    TextPage page;
    page.fontName("Arial");
    page.fontSize(10);
    for (int i = 1; i <= 150; ++i)
        page.printLine("line " + std::to_string(i), 5);
    for (int i = 0; i < 200; ++i)
        page.endLine();
    const platform::PrintOutcome out = platform::printTextPage(page, printer);
    ASSERT_TRUE(out.ok) << out.error.toStdString();

    const double pitch = QFontMetricsF(arial(10), &printer).lineSpacing();
    const int perPage = static_cast<int>(out.layout.pageHeight / pitch);
    ASSERT_GT(perPage, 10);
    const int pages = (150 + perPage - 1) / perPage;
    EXPECT_EQ(out.layout.pages, pages);
    for (std::size_t i = 0; i < out.layout.texts.size(); ++i) {
        const PlacedText &t = out.layout.texts[i];
        ASSERT_EQ(t.page, int(i) / perPage) << t.text;
        ASSERT_EQ(t.line, int(i) % perPage) << t.text;
        ASSERT_LE(t.y + pitch, out.layout.pageHeight) << t.text;
    }

    POPPLER_OR_SKIP(info, "pdfinfo", (QStringList{QString::fromStdString(at("long.pdf").string())}));
    EXPECT_EQ(pdfPages(info), pages) << info;
}

TEST_F(TextPrinterTest, PrinterThatCannotStartGivesTheReason)
{
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, "no such folder/out.pdf");
    TextPage page;
    page.printLine("x");
    const platform::PrintOutcome out = platform::printTextPage(page, printer);
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(static_cast<bool>(out));
    EXPECT_TRUE(out.error.contains(QStringLiteral("no such folder/out.pdf"))) << out.error.toStdString();
    EXPECT_TRUE(out.layout.texts.empty());
    EXPECT_FALSE(wdtest::fs::exists(at("no such folder")));
}

}  // namespace
