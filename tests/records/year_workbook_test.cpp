// The workbook layout of the ledger as shown on screen.
#include "records/year_workbook.h"

#include <gtest/gtest.h>

#include <string>

using namespace wagedesk;
using namespace wagedesk::payrecords;

namespace {

ProfileSettings profile(std::int16_t weekly, std::int16_t biWeekly)
{
    ProfileSettings p;
    p.WeeklyPay = weekly;
    p.BiWeeklyPay = biWeekly;
    p.TaxCaption[5] = "CrUnion";
    p.TaxCaption[6] = "Bond";
    p.TaxCaption[7] = "";  // an unnamed deduction
    p.TaxCaption[8] = "Pension";
    p.TaxCaption[9] = "Misc.";
    p.EmployeeSSN = "123-45-6789";
    return p;
}

YearScreen screen()
{
    YearScreen s;
    s.rows[4] = {"01/28/05", "123.45", "61.20", "14.31", "40.00", ".00",   "12.50",  ".00",
                 ".00",      ".25",    "3.25",  "50.00", "abc",   "45.50", "650.41", "987.65"};
    s.rows[25].txtDate = "06/24/05";
    s.rows[26].txtDate = "07/01/05";
    s.rows[51].txtDate = "12/30/05";
    YearTotBoxes &t = s.totals;
    t = {"123.45", "61.20", "14.31", "40.00",  ".00",    "12.50", ".00",  ".00",  ".25",
         "3.25",   "50.00", "45.50", "650.41", "987.65", "25.00", "9.88", "2.10", "10.50"};
    return s;
}

// The text, boldness and colour of a cell; "-" when the sheet has none.
std::string show(const YearSheet &sheet, const char *address)
{
    const SheetCell *c = sheet.at(address);
    if (!c)
        return "-";
    std::string s = c->text;
    if (c->bold)
        s += " bold";
    if (c->colour == FontColour::Red)
        s += " red";
    if (c->colour == FontColour::Blue)
        s += " blue";
    return s;
}

void expectCells(const YearSheet &sheet, std::initializer_list<std::pair<const char *, const char *>> cells)
{
    for (const auto &[address, shown] : cells)
        EXPECT_EQ(show(sheet, address), shown) << address;
}

}  // namespace

TEST(YearWorkbook, WeeklySheet)
{
    const YearSheet sheet = yearWorkbook(screen(), "staff1", profile(kTrue, kFalse));
    // The cells as they stand on the sheet, row by row.
    // clang-format off
    expectCells(sheet, {
        {"A1", "Date bold red"},      {"B1", "Federal bold red"}, {"C1", "Soc Sec bold red"},
        {"D1", "Medicare bold red"},  {"G1", "CrUnion bold red"}, {"I1", " bold red"},
        {"K1", "Misc. bold red"},     {"L1", "Kplan bold red"},   {"M1", "Tips bold red"},
        {"N1", "OT bold red"},        {"O1", "Net bold red"},     {"P1", "Gross bold red"},
        {"Q1", "-"},
        // Grid row 4 on sheet row 6: net pay (txtGross) in O, gross (txtNet) in P.
        {"A6", "01/28/05"}, {"B6", "123.45"}, {"J6", ".25"}, {"M6", "abc"},
        {"N6", "45.50"},    {"O6", "650.41"}, {"P6", "987.65"},
        {"A2", ""},         {"A53", "12/30/05"},
        {"A54", "TOTALS= bold blue"}, {"B54", "123.45 bold blue"}, {"M54", "10.50 bold blue"},
        {"N54", "45.50 bold blue"},   {"O54", "650.41 bold blue"}, {"P54", "987.65 bold blue"},
        {"A55", "-"},
        {"A56", " bold red"}, {"B56", " bold red"}, {"C56", "SDI bold red"}, {"D56", "SUI bold red"},
        {"E56", "Cafe bold red"}, {"F56", "Tips bold red"}, {"G56", " bold red"}, {"H56", "-"},
        {"A57", " blue"}, {"C57", "9.88 blue"}, {"D57", "2.10 blue"}, {"E57", "25.00 blue"},
        {"F57", "10.50 blue"}, {"G57", " blue"}, {"H57", "-"}, {"A58", "-"},
    });
    // clang-format on
    EXPECT_EQ(sheet.frozenRows, 1);
    EXPECT_TRUE(sheet.autoFitColumns);
    EXPECT_EQ(sheet.title, "File: staff1   123-45-6789");

    SheetPageSetup page;
    page.leftFooter = "staff1    123-45-6789";
    page.centerFooter = "Wagedesk 2005\xc2\xae";
    EXPECT_EQ(sheet.page, page);
    EXPECT_TRUE(page.landscape);
    EXPECT_EQ(page.fitToPagesWide, 1);
    EXPECT_EQ(page.leftMargin, 0);
    EXPECT_TRUE(page.centerHorizontally);
    EXPECT_FALSE(page.centerVertically);
}

TEST(YearWorkbook, BiWeeklySheet)
{
    const YearSheet sheet = yearWorkbook(screen(), "staff1", profile(kFalse, kTrue));
    // clang-format off
    expectCells(sheet, {
        {"A1", "Date bold red"}, {"A6", "01/28/05"}, {"A27", "06/24/05"},
        {"A28", "TOTALS= bold blue"}, {"P28", "987.65 bold blue"}, {"A29", "-"}, {"A30", "-"},
        {"A31", " bold red"}, {"C31", "SDI bold red"}, {"F31", "Tips bold red"}, {"G31", "-"},
        {"C32", "9.88 blue"}, {"F32", "10.50 blue"}, {"F32", "10.50 blue"}, {"G32", "-"},
        {"A53", "-"}, {"A54", "-"},
    });
    // clang-format on
    EXPECT_EQ(sheet.frozenRows, 1);
    for (std::size_t i = 1; i < sheet.cells.size(); ++i) {
        const SheetCell &a = sheet.cells[i - 1], &b = sheet.cells[i];
        EXPECT_TRUE(a.row < b.row || (a.row == b.row && a.column < b.column)) << "cells in order";
    }
}

// Only the amounts become numbers: the dates (a deleted row's "0"
// included), the headings (a deduction named "401") and the labels stay
// texts.
TEST(YearWorkbook, OnlyTheAmountsAreNumbers)
{
    YearScreen shown = screen();
    shown.rows[0] = YearCells{};
    shown.rows[0].txtDate = "0";
    ProfileSettings named = profile(kTrue, kFalse);
    named.TaxCaption[6] = "401";
    const struct {
        const char *address;
        bool amount;
    } weekly[] = {{"A1", false},  {"H1", false}, {"A2", false},  {"B2", true},  {"A6", false}, {"B6", true},
                  {"M6", true},   {"P53", true}, {"A54", false}, {"B54", true}, {"P54", true}, {"C56", false},
                  {"A57", false}, {"C57", true}, {"F57", true},  {"G57", false}};
    const YearSheet sheet = yearWorkbook(shown, "staff1", named);
    for (const auto &c : weekly) {
        const SheetCell *cell = sheet.at(c.address);
        ASSERT_NE(cell, nullptr) << c.address;
        EXPECT_EQ(cell->amount, c.amount) << c.address << " \"" << cell->text << "\"";
    }
    EXPECT_EQ(sheet.at("A2")->text, "0");
    EXPECT_EQ(sheet.at("H1")->text, "401");

    const YearSheet biWeekly = yearWorkbook(shown, "staff1", profile(kFalse, kTrue));
    for (const auto &[address, amount] : {std::pair{"A27", false},
                                          {"P27", true},
                                          {"B28", true},
                                          {"C31", false},
                                          {"C32", true},
                                          {"F32", true},
                                          {"A32", false}})
        EXPECT_EQ(biWeekly.at(address)->amount, amount) << address;
}

TEST(YearWorkbook, WithNeitherFrequencyOnlyTheHeaderIsWritten)
{
    const YearSheet sheet = yearWorkbook(screen(), "", profile(kFalse, kFalse));
    EXPECT_EQ(sheet.cells.size(), 16u);
    EXPECT_EQ(show(sheet, "P1"), "Gross");  // the fonts come with a layout
    EXPECT_EQ(sheet.frozenRows, 0);
    EXPECT_EQ(sheet.title, "File:    123-45-6789");
    EXPECT_EQ(sheet.page.leftFooter, "    123-45-6789");
}

TEST(YearWorkbook, Names)
{
    EXPECT_EQ(workbookFileName("staff1"), "staff1 Year To Date.xlsx");
    EXPECT_EQ(workbookFileName(""), "Year To Date.xlsx");
    EXPECT_EQ(cellAddress(54, 2), "B54");
    EXPECT_EQ(cellAddress(1, 16), "P1");
    EXPECT_EQ(cellAddress(3, 27), "AA3");
}
