#include "core/windows/datemain.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/windows/entry.h"
#include "core/windows/form1.h"
#include "platform/datepicker.h"
#include "platform/ui.h"

namespace wagedesk {

frmDateMain::frmDateMain() : platform::Form(kName)
{
    setWindowTitle(QString());
    DTPicker1 = named<platform::DatePicker>(QStringLiteral("DTPicker1"));
    DTPicker1->setDateRange(kPayDateMin, kPayDateMax);
    DTPicker1->setDate(QDate(2005, 1, 1));
    Command1 = named<QPushButton>(QStringLiteral("Command1"), QStringLiteral("Ok"));
    Command1->setDefault(true);
    setDefaultButton(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DTPicker1);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Every change of the picker shows in the box at once, and so does a
    // click on it or on a day of its calendar, changed or not.
    connect(DTPicker1, &QDateEdit::dateChanged, this, [this] { writeBox(); });
    connect(DTPicker1->calendarWidget(), &QCalendarWidget::clicked, this, [this] { writeBox(); });
    DTPicker1->installEventFilter(this);
}

bool frmDateMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DTPicker1 && event->type() == QEvent::MouseButtonPress)
        writeBox();
    return platform::Form::eventFilter(watched, event);
}

void frmDateMain::formLoad()
{
    QLineEdit *box = platform::Forms::get<Form1>().txtWeek;
    // Taking the box's date is no change of the user's.
    const QSignalBlocker quiet(DTPicker1);
    // The picker's range moves a day outside it (today, after 2005) to the
    // nearest end.
    const QDate typed = platform::DatePicker::parse(box->text());
    if (box->text().isEmpty()) {
        DTPicker1->setDate(today());
    } else if (!typed.isValid() || typed < kPayDateMin || typed > kPayDateMax) {
        DTPicker1->setDate(today());
        writeBox();
    } else {
        DTPicker1->setDate(typed);
    }
}

void frmDateMain::writeBox() { platform::Forms::get<Form1>().txtWeek->setText(DTPicker1->text()); }

void frmDateMain::Command1_Click()
{
    writeBox();
    platform::Forms::unload(kName);
}


} // namespace wagedesk
