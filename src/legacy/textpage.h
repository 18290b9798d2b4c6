// A printed document as the program lays it out: items of text, each at
// the print position or at a tab column, in the font set before it, with
// line ends and the page orientation. The platform's text printer renders
// it on a printer or into a PDF; tests read the items. Standard library only.
//
// Tab column n is character column n counted from 1 at the left edge of the
// printable area, one column being the average character width of the
// current font (a column below 1 is column 1). A move to a column left of
// the print position continues at that column of the next line. Ending a
// line on which nothing was printed makes an empty line; the end of the
// document sends a last line that was not ended.
//
// A page meant for one sheet of paper (the check on its pre-printed sheet)
// says so: the printer keeps it on that sheet, drawing its lines closer
// together when they would not fit.
#pragma once

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace legacy {

// No move to a tab column: the item goes at the print position. Any other
// column is a move, so an offset column of 0 or below still moves to
// column 1 (and so to the next line when the position lies beyond it).
inline constexpr int kNoTab = std::numeric_limits<int>::min();

struct PageItem {
    enum class Kind { FontName, FontSize, Text, EndLine };
    Kind kind = Kind::Text;
    std::string text;     // Text: the item; FontName: the font's name
    double size = 0;      // FontSize: points
    int column = kNoTab;  // Text: the tab column to move to first
    bool operator==(const PageItem &) const = default;
};

class TextPage {
public:
    void setLandscape(bool on) { landscape_ = on; }
    bool landscape() const { return landscape_; }
    void setOneSheet(bool on) { oneSheet_ = on; }
    bool oneSheet() const { return oneSheet_; }

    void fontName(std::string name) { items_.push_back({PageItem::Kind::FontName, std::move(name), 0, kNoTab}); }
    void fontSize(double points) { items_.push_back({PageItem::Kind::FontSize, {}, points, kNoTab}); }
    // An item at the print position, or after a move to tab column `column`
    // (counted from 1; below 1 is column 1); the position is left behind it.
    void print(std::string text, int column = kNoTab)
    {
        items_.push_back({PageItem::Kind::Text, std::move(text), 0, column});
    }
    // An item, then the end of its line.
    void printLine(std::string text = {}, int column = kNoTab)
    {
        if (!text.empty() || column != kNoTab)
            print(std::move(text), column);
        endLine();
    }
    void endLine() { items_.push_back({PageItem::Kind::EndLine, {}, 0, kNoTab}); }

    const std::vector<PageItem> &items() const { return items_; }

private:
    bool landscape_ = false;
    bool oneSheet_ = false;
    std::vector<PageItem> items_;
};

}  // namespace legacy
