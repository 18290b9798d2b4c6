#include "platform/dateform.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/datepicker.h"

namespace platform {

DateForm::DateForm(const char *name, const QDate &min, const QDate &max, const QString &okCaption)
    : Form(name), min_(min), max_(max)
{
    setWindowTitle(QString());
    DTPicker1 = new DatePicker;
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDateRange(min, max);
    DTPicker1->setDate(QDate(2005, 1, 1));
    Command1 = new QPushButton(okCaption);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    setDefaultButton(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DTPicker1);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(DTPicker1, &QDateEdit::dateChanged, this, [this] { writeBox(); });
    connect(DTPicker1->calendarWidget(), &QCalendarWidget::clicked, this, [this] { writeBox(); });
    DTPicker1->installEventFilter(this);
}

QDate DateForm::readDate(const QString &text) const { return DatePicker::parse(text); }

QString DateForm::dateText(const QDate &date) const { return date.toString(QLatin1String(DatePicker::kFormat)); }

void DateForm::formLoad()
{
    QLineEdit *target = box();
    // Putting the picker at the box's date is no change of the user's.
    const QSignalBlocker quiet(DTPicker1);
    // The range moves a day outside it to its nearest end.
    const QDate typed = readDate(target->text());
    if (target->text().isEmpty()) {
        DTPicker1->setDate(currentDate());
    } else if (!typed.isValid() || typed < min_ || typed > max_) {
        DTPicker1->setDate(currentDate());
        writeBox();
    } else {
        DTPicker1->setDate(typed);
    }
}

bool DateForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DTPicker1 && event->type() == QEvent::MouseButtonPress)
        writeBox();
    return Form::eventFilter(watched, event);
}

QRect DateForm::openingBox() const
{
    const QLineEdit *target = box();
    return target && target->isVisible() ? QRect(target->mapToGlobal(QPoint(0, 0)), target->size()) : QRect();
}

QWidget *DateForm::ownerWindow() const { return owner_ ? owner_.data() : Form::ownerWindow(); }

void DateForm::setVisible(bool visible)
{
    const bool opening = visible && isWindow() && !isVisible();
    const bool closing = !visible && isVisible();
    if (opening) {
        // Kept, not asked for again at the closing: reaching the box then
        // would load its window again when that has been unloaded first.
        const QLineEdit *target = box();
        owner_ = target && target->isVisible() ? target->window() : nullptr;
    }
    Form::setVisible(visible);
    if (closing && owner_ && owner_->isVisible()) {
        owner_->raise();
        owner_->activateWindow();
    }
}

void DateForm::writeBox() { box()->setText(dateText(DTPicker1->date())); }

void DateForm::Command1_Click()
{
    writeBox();
    Forms::unload(objectName().toStdString());
}

}  // namespace platform
