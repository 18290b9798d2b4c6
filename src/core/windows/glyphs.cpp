#include "core/windows/glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace wagedesk {

QIcon glyphIcon(Glyph glyph)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
    case Glyph::Clear: {  // an eraser
        QPainterPath body;
        body.addPolygon(QPolygonF({{6, 22}, {18, 8}, {27, 16}, {15, 29}}));
        body.closeSubpath();
        p.fillPath(body, QColor(230, 150, 160));
        p.drawPath(body);
        p.drawLine(QPointF(11, 16), QPointF(21, 25));
        break;
    }
    case Glyph::Calculate:  // a check mark
        p.setPen(QPen(QColor(30, 130, 50), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({{5, 17}, {13, 25}, {27, 7}}));
        break;
    case Glyph::YearToDate:  // a ledger page with rows
        p.fillRect(QRectF(6, 4, 20, 24), Qt::white);
        p.drawRect(QRectF(6, 4, 20, 24));
        for (int y = 10; y <= 22; y += 4)
            p.drawLine(QPointF(10, y), QPointF(22, y));
        break;
    case Glyph::Overtime:  // a clock
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 19));
        break;
    case Glyph::Vacation: {  // a house
        p.setBrush(QColor(240, 220, 170));
        p.drawPolygon(QPolygonF({{4, 16}, {16, 5}, {28, 16}}));
        p.drawRect(QRectF(8, 16, 16, 12));
        p.drawRect(QRectF(14, 21, 4, 7));
        break;
    }
    case Glyph::Print:  // a printer with its sheet
        p.fillRect(QRectF(10, 4, 12, 10), Qt::white);
        p.drawRect(QRectF(10, 4, 12, 10));
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(4, 13, 24, 10), 2, 2);
        p.fillRect(QRectF(10, 20, 12, 8), Qt::white);
        p.drawRect(QRectF(10, 20, 12, 8));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace wagedesk
