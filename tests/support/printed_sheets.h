// Whether a printed document stayed on its sheets: every text of the text
// printer's recording within the printable area, and the number of pages
// of a PDF file as poppler's pdfinfo counts them.
#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/textprinter.h"

namespace wdtest {

// The papers the program is printed on: Letter in the United States, A4
// nearly everywhere else.
struct Paper {
    QPageSize::PageSizeId id;
    const char *name;
};
inline constexpr Paper kPapers[] = {{QPageSize::Letter, "Letter"}, {QPageSize::A4, "A4"}};

// Every text lies within the printable area the layout was made for, on
// the pages the layout counts; the bottom may be reached up to rounding.
// A page may ask for rules of hyphens longer than a sheet is wide (the pay
// stub's): those may run past the right edge when the caller says so.
inline void expectWithinPages(const platform::TextLayout &layout, int pages, bool rulesMayRunOff = false)
{
    EXPECT_EQ(layout.pages, pages);
    ASSERT_GT(layout.pageWidth, 0);
    for (const platform::PlacedText &t : layout.texts) {
        EXPECT_LT(t.page, pages) << t.text;
        EXPECT_GE(t.y, 0) << t.text;
        EXPECT_LE(t.y + t.height, layout.pageHeight * (1 + 1e-12)) << t.text;
        const bool rule = !t.text.empty() && t.text.find_first_not_of('-') == std::string::npos;
        EXPECT_LE((rule && rulesMayRunOff ? 0 : t.width) + t.x, layout.pageWidth) << t.text;
    }
}

// The pages of a PDF file; nothing when pdfinfo is not installed.
inline std::optional<int> pdfPages(const QString &file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(tool, {file});
    EXPECT_TRUE(p.waitForFinished(30000));
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    EXPECT_TRUE(m.hasMatch()) << info.toStdString() << p.readAllStandardError().toStdString();
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace wdtest
