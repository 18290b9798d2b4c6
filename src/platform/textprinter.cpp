#include "platform/textprinter.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace platform {

namespace {

// The page on pages of the given height, lines at the fonts' own spacing.
TextLayout layOut(const legacy::TextPage &page, const TextMetrics &metrics, double pageHeight)
{
    TextLayout out;
    out.pageHeight = pageHeight;
    PageFont font;
    double x = 0;
    double y = 0;
    int sheet = 0;
    int line = 0;
    bool lineBegun = false;

    // A line takes its place when its first text is printed or when it is
    // ended empty; the first line of a page always fits, however tall.
    auto beginLine = [&] {
        if (lineBegun)
            return;
        if (line > 0 && y + metrics.lineHeight(font) > pageHeight) {
            ++sheet;
            line = 0;
            y = 0;
        }
        lineBegun = true;
    };
    auto endLine = [&] {
        beginLine();
        y += metrics.lineHeight(font);
        ++line;
        x = 0;
        lineBegun = false;
    };

    const auto &items = page.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const legacy::PageItem &item = items[i];
        switch (item.kind) {
        case legacy::PageItem::Kind::FontName:
            if (!item.text.empty())
                font.name = item.text;
            break;
        case legacy::PageItem::Kind::FontSize:
            // A size no font can have leaves the current one.
            if (std::isfinite(item.size) && item.size > 0)
                font.points = item.size;
            break;
        case legacy::PageItem::Kind::EndLine: endLine(); break;
        case legacy::PageItem::Kind::Text: {
            const double columnWidth = metrics.columnWidth(font);
            if (item.column != legacy::kNoTab) {
                const double target = (std::max(item.column, 1) - 1) * columnWidth;
                // A text ending exactly on the column stays on its line;
                // the tolerance absorbs the rounding of the sums.
                if (target < x - 1e-9 * std::max(1.0, x))
                    endLine();
                x = target;
            }
            beginLine();
            PlacedText placed;
            placed.item = i;
            placed.page = sheet;
            placed.line = line;
            placed.x = x;
            placed.y = y;
            placed.column = columnWidth > 0 ? 1 + x / columnWidth : 1;
            placed.width = metrics.advance(font, item.text);
            placed.height = metrics.lineHeight(font);
            placed.font = font;
            placed.text = item.text;
            x += placed.width;
            out.pages = std::max(out.pages, sheet + 1);
            out.texts.push_back(std::move(placed));
            break;
        }
        }
    }
    return out;
}

}  // namespace

TextLayout layoutTextPage(const legacy::TextPage &page, const TextMetrics &metrics, double pageHeight)
{
    if (!page.oneSheet())
        return layOut(page, metrics, pageHeight);
    // All on one page first, then drawn closer together: the scale that
    // keeps every text's line within the page. Empty lines after the last
    // text print nothing and need no room.
    TextLayout out = layOut(page, metrics, std::numeric_limits<double>::infinity());
    out.pageHeight = pageHeight;
    double scale = 1;
    for (const PlacedText &t : out.texts)
        if (t.y > 0 && t.y + t.height > pageHeight)
            scale = std::min(scale, std::max(pageHeight - t.height, 0.0) / t.y);
    if (scale < 1)
        for (PlacedText &t : out.texts)
            t.y *= scale;
    return out;
}

namespace {

QFont toQFont(const PageFont &font)
{
    // Asked for by name; fontconfig puts a metric-compatible face in place
    // of one that is not installed ("Arial" becomes "Liberation Sans").
    QFont f(QString::fromStdString(font.name));
    f.setPointSizeF(font.points);
    return f;
}

}  // namespace

double averageCharacterWidth(const QFontMetricsF &metrics)
{
    // The lowercase letters and the space, weighted by how often they occur
    // in English text (per thousand).
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                         56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    static constexpr int kSpaceWeight = 166;
    double sum = kSpaceWeight * metrics.horizontalAdvance(QLatin1Char(' '));
    for (int i = 0; i < 26; ++i)
        sum += kWeights[i] * metrics.horizontalAdvance(QLatin1Char(char('a' + i)));
    return sum / 1000;
}

namespace {

// The fonts' measures at the printer's resolution.
class PrinterMetrics : public TextMetrics {
public:
    explicit PrinterMetrics(const QPaintDevice *device) : device_(device) {}

    double columnWidth(const PageFont &font) const override { return averageCharacterWidth(metrics(font)); }
    double lineHeight(const PageFont &font) const override { return metrics(font).lineSpacing(); }
    double advance(const PageFont &font, const std::string &text) const override
    {
        return metrics(font).horizontalAdvance(QString::fromStdString(text));
    }
    double ascent(const PageFont &font) const { return metrics(font).ascent(); }

private:
    const QFontMetricsF &metrics(const PageFont &font) const
    {
        for (const auto &[known, m] : cache_)
            if (known == font)
                return m;
        cache_.emplace_back(font, QFontMetricsF(toQFont(font), device_));
        return cache_.back().second;
    }

    const QPaintDevice *device_;
    // A page uses a handful of fonts.
    mutable std::vector<std::pair<PageFont, QFontMetricsF>> cache_;
};

bool toFile(const QPrinter &printer) { return printer.outputFormat() == QPrinter::PdfFormat; }

QString destination(const QPrinter &printer)
{
    return toFile(printer) ? QDir::toNativeSeparators(printer.outputFileName()) : printer.printerName();
}

QString startFailure(const QPrinter &printer)
{
    if (toFile(printer)) {
        if (printer.outputFileName().isEmpty())
            return QStringLiteral("No file was chosen to print to.");
        return QStringLiteral("The file \"%1\" cannot be written.").arg(destination(printer));
    }
    if (printer.printerName().isEmpty())
        return QStringLiteral("No printer is available.");
    return QStringLiteral("The printer \"%1\" cannot be started.").arg(destination(printer));
}

QString printFailure(const QPrinter &printer)
{
    return toFile(printer) ? QStringLiteral("Printing to the file \"%1\" failed.").arg(destination(printer))
                           : QStringLiteral("Printing on \"%1\" failed.").arg(destination(printer));
}

PrintedDocument &printed()
{
    static PrintedDocument last;
    return last;
}

// Puts the printer's page setup back when the document is done.
class PageSetupKept {
public:
    explicit PageSetupKept(QPrinter &printer) : printer_(printer), before_(printer.pageLayout()) {}
    ~PageSetupKept() { printer_.setPageLayout(before_); }
    PageSetupKept(const PageSetupKept &) = delete;
    PageSetupKept &operator=(const PageSetupKept &) = delete;

private:
    QPrinter &printer_;
    QPageLayout before_;
};

}  // namespace

const PrintedDocument &lastPrinted() { return printed(); }

void forgetLastPrinted() { printed() = PrintedDocument{}; }

PrintOutcome printTextPage(const legacy::TextPage &page, QPrinter &printer)
{
    PrintOutcome out;
    if (printer.printerState() == QPrinter::Active) {
        out.error = QStringLiteral("The printer \"%1\" is busy with another document.").arg(destination(printer));
        return out;
    }
    // The page setup takes effect for the document that begins next.
    const PageSetupKept kept(printer);
    if (page.landscape())
        printer.setPageOrientation(QPageLayout::Landscape);
    // Columns and lines count from the corner of the printer's printable
    // area, as on the printers these pages were laid out for: margins of
    // Qt's or of the page setup would move the check on its pre-printed
    // sheet and leave too little room for the check and both stubs on
    // Letter paper. The printer's own limits are the margins it cannot
    // print in, so they go after the orientation, which turns them.
    QPageLayout printable = printer.pageLayout();
    printable.setMode(QPageLayout::StandardMode);
    printable.setMargins(printable.minimumMargins());
    printer.setPageLayout(printable);

    QPainter painter;
    if (!painter.begin(&printer)) {
        out.error = startFailure(printer);
        return out;
    }
    const PrinterMetrics metrics(&printer);
    // The painter's origin is the top left of the printable area, whose
    // size the printer's device metrics give.
    out.layout = layoutTextPage(page, metrics, printer.height());
    out.layout.pageWidth = printer.width();

    int current = 0;
    bool fontSet = false;
    PageFont font;
    bool ok = true;
    for (const PlacedText &t : out.layout.texts) {
        while (ok && current < t.page) {
            ok = printer.newPage();
            ++current;
        }
        if (!ok)
            break;
        if (t.text.empty())
            continue;
        if (!fontSet || !(t.font == font)) {
            font = t.font;
            painter.setFont(toQFont(font));
            fontSet = true;
        }
        painter.drawText(QPointF(t.x, t.y + metrics.ascent(t.font)), QString::fromStdString(t.text));
    }
    if (!ok) {
        printer.abort();
        painter.end();
        out.error = printFailure(printer);
        return out;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        out.error = printFailure(printer);
        return out;
    }
    out.ok = true;
    printed() = PrintedDocument{page, out.layout};
    return out;
}

}  // namespace platform
