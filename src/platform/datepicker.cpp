#include "platform/datepicker.h"

#include <QRegularExpression>

namespace platform {

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QLatin1String(kFormat));
    // The editor reads a typed two-digit year in its current date's century.
    setDate(QDate(2000, 1, 1));
}

QString DatePicker::text() const { return date().toString(QLatin1String(kFormat)); }

QDate DatePicker::parse(const QString &text)
{
    // By hand: Qt's own "yy" gives 19xx, and 02/29/00 must be a valid day.
    static const QRegularExpression form(QStringLiteral("^(\\d\\d)/(\\d\\d)/(\\d\\d)$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    return QDate(2000 + m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
}

} // namespace platform
