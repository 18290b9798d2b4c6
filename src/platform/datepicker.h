// The date picker control: a date edit with a calendar popup, shown and
// read as "MM/dd/yy" with two-digit years in 2000-2099. (The editor reads a
// typed two-digit year in the century of its current date, which a range
// within 2000-2099 keeps there; parse() always gives 20xx.)
#pragma once

#include <QDate>
#include <QDateEdit>
#include <QString>

namespace platform {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    static constexpr const char *kFormat = "MM/dd/yy";

    explicit DatePicker(QWidget *parent = nullptr);

    // The allowed dates; a date outside them is moved to the nearest end.
    void setRange(const QDate &min, const QDate &max) { setDateRange(min, max); }

    // The shown date as "MM/dd/yy".
    QString text() const;

    // "M/d/yy" or "MM/dd/yy" (one or two digits for the month and the day,
    // two for the year; surrounding blanks allowed) as a date in 2000-2099;
    // invalid when the text is no such date.
    static QDate parse(const QString &text);
};

}  // namespace platform
