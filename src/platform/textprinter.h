// Prints a legacy::TextPage (the pay stub, the check, the year-to-date
// report) on a QPrinter: a real printer, or a PDF file when the printer
// dialog chose printing to a file.
//
// The page is laid out first, then painted, so tests can check where every
// text landed without reading the paper. The layout follows the page's
// rules (see legacy/textpage.h): tab column n starts (n - 1) average
// character widths of the current font from the left edge of the printable
// area; a column left of the print position continues on the next line;
// every line end moves down by the current font's line spacing, also on a
// line that holds nothing; a line that does not fit below the last one
// starts a new page. A page meant for one sheet never starts another: when
// it is taller than the printable area, its lines are drawn closer
// together, evenly, so that the last one ends at the bottom; the columns
// and the fonts stay as they are.
//
// The printable area is the printer's own: the page is printed without
// margins of Qt's or of the page setup, from the top left corner of the
// area the printer can reach (the corner of the paper for a PDF file).
//
// Until the page names a font, the text is set in "Arial" at 10 points.
// Text beyond the right edge of the page is not wrapped (the printer clips
// it).
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

#include "legacy/textpage.h"

class QFontMetricsF;
class QPrinter;

namespace platform {

// A font as the page asks for it: a family name and a size in points.
struct PageFont {
    std::string name = "Arial";
    double points = 10;
    bool operator==(const PageFont &) const = default;
};

// What the layout needs to know of the fonts, in the device units the page
// is painted in.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    // One tab column: the font's average character width.
    virtual double columnWidth(const PageFont &font) const = 0;
    // The distance from one line to the next.
    virtual double lineHeight(const PageFont &font) const = 0;
    // How far the print position moves past the text.
    virtual double advance(const PageFont &font, const std::string &text) const = 0;
};

// Where one Text item of the page landed.
struct PlacedText {
    std::size_t item = 0;  // index in TextPage::items()
    int page = 0;          // from 0
    int line = 0;          // line on its page, from 0
    double x = 0;          // from the left edge of the printable area
    double y = 0;          // top of the line, from the top of the printable area
    double column = 1;     // x in tab columns of the item's font: 1 + x / column width
    double width = 0;      // the text's advance
    double height = 0;     // the font's line spacing: the text lies between y and y + height
    PageFont font;
    std::string text;
};

struct TextLayout {
    std::vector<PlacedText> texts;  // in the order of the page's items
    int pages = 1;                  // pages that are printed (the first always is)
    // The printable area the page was laid out on. The width is known
    // only when printed; a layout alone has 0.
    double pageWidth = 0;
    double pageHeight = 0;
};

// A font's average character width, one tab column: the lowercase letters
// and the space weighted by their frequency in English, as the printers
// these pages were laid out for measured it. A font's own average
// (QFontMetricsF::averageCharWidth) may count every glyph instead: Liberation
// Sans, which stands in for Arial with Arial's widths, has 0.58 em there
// against Arial's 0.44, and the report's last columns would fall off the
// page.
double averageCharacterWidth(const QFontMetricsF &metrics);

// Lays the page out on pages of the given printable height; a page meant
// for one sheet is laid out on one.
TextLayout layoutTextPage(const legacy::TextPage &page, const TextMetrics &metrics, double pageHeight);

// The outcome of a print: ok, or the reason it failed, worded for a message
// box. On success `layout` holds where each text was printed, in the
// printer's device units.
struct PrintOutcome {
    bool ok = false;
    QString error;
    TextLayout layout;
    explicit operator bool() const { return ok; }
};

// Prints the page as one document on the printer's printable area. A page
// that asks for landscape is printed in landscape; any other page keeps
// the printer's orientation. The printer's page setup (orientation and
// margins) is put back afterwards, so the next document comes out as the
// user set it up. The printer must not be printing already.
PrintOutcome printTextPage(const legacy::TextPage &page, QPrinter &printer);

// The last document printed whole in this run, as it was laid out: what a
// test reads in place of the paper. Empty (no items) until one is printed.
struct PrintedDocument {
    legacy::TextPage page;
    TextLayout layout;
};
const PrintedDocument &lastPrinted();
void forgetLastPrinted();

}  // namespace platform
