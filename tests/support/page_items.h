// A printed page's items written out by hand in a test: a text (at a tab
// column or at the print position), a font size or name, a line end.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "legacy/textpage.h"

namespace wdtest {

using legacy::PageItem;
using Items = std::vector<PageItem>;

inline PageItem text(std::string t, int column = legacy::kNoTab)
{
    return {PageItem::Kind::Text, std::move(t), 0, column};
}
inline PageItem size(double points) { return {PageItem::Kind::FontSize, {}, points, legacy::kNoTab}; }
inline PageItem endLine() { return {PageItem::Kind::EndLine, {}, 0, legacy::kNoTab}; }
inline PageItem font(std::string name) { return {PageItem::Kind::FontName, std::move(name), 0, legacy::kNoTab}; }

}  // namespace wdtest
