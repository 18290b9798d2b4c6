// A small window that picks a date for a box of another window: a date
// picker and an OK button. The box follows the picker while the window is
// open (every change, and a click on the picker or on a day of its
// calendar); OK writes the date once more and closes the window. It belongs
// to the window that holds the box: it opens just below the box, and that
// window is on top and active again when it closes.
#pragma once

#include <QDate>
#include <QPointer>
#include <QString>

#include "platform/forms.h"

class QLineEdit;
class QPushButton;

namespace platform {

class DatePicker;

class DateForm : public Form {
    Q_OBJECT
public:
    // The picker's range, and the OK button's caption.
    DateForm(const char *name, const QDate &min, const QDate &max, const QString &okCaption);

    // The picker takes the box's date. An empty box gives today; a text that
    // is no date, or a date outside the range, gives today and is replaced
    // by it. Today outside the range is the range's nearest end.
    void formLoad() override;
    void Command1_Click();
    void setVisible(bool visible) override;

    DatePicker *DTPicker1;
    QPushButton *Command1;

protected:
    // The box the date goes to.
    virtual QLineEdit *box() const = 0;
    // Today, as the window sees it (tests set a fixed day).
    virtual QDate currentDate() const = 0;
    // The box's text as a date; invalid when it holds none. By default the
    // picker's own reading (DatePicker::parse).
    virtual QDate readDate(const QString &text) const;
    // A date as the box shows it. By default the picker's own form.
    virtual QString dateText(const QDate &date) const;

    bool eventFilter(QObject *watched, QEvent *event) override;
    QRect openingBox() const override;
    QWidget *ownerWindow() const override;

private:
    void writeBox();
    QDate min_, max_;
    // The window of the box while the picker is open.
    QPointer<QWidget> owner_;
};

}  // namespace platform
