#include "platform/datepicker.h"

#include <QStringView>

namespace platform {

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QLatin1String(kFormat));
    // The editor reads a typed two-digit year in its current date's century.
    setDate(QDate(2000, 1, 1));
}

QString DatePicker::text() const { return date().toString(QLatin1String(kFormat)); }

namespace {

// One to maxDigits ASCII digits, the whole of the part; -1 otherwise.
int digits(QStringView part, qsizetype maxDigits)
{
    if (part.isEmpty() || part.size() > maxDigits)
        return -1;
    int value = 0;
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

}  // namespace

QDate DatePicker::parse(const QString &text)
{
    // By hand: Qt's own "yy" gives 19xx, and 02/29/00 must be a valid day.
    const QString trimmed = text.trimmed();
    const QStringView all(trimmed);
    const qsizetype first = all.indexOf(QLatin1Char('/'));
    const qsizetype second = first < 0 ? -1 : all.indexOf(QLatin1Char('/'), first + 1);
    if (second < 0)
        return {};
    const int month = digits(all.first(first), 2);
    const int day = digits(all.sliced(first + 1, second - first - 1), 2);
    const QStringView yearPart = all.sliced(second + 1);
    const int year = yearPart.size() == 2 ? digits(yearPart, 2) : -1;
    if (month < 0 || day < 0 || year < 0)
        return {};
    // QDate is invalid for a month or day that does not exist.
    return QDate(2000 + year, month, day);
}

}  // namespace platform
