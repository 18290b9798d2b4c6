#include "core/windows/datemain.h"

#include <QLineEdit>
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
}

void frmDateMain::formLoad()
{
    QLineEdit *box = platform::Forms::get<Form1>().txtWeek;
    // The range ends in January 2006: a day outside it opens on the nearest end.
    const QDate now = platform::clampDate(today(), kPayDateMin, kPayDateMax);
    const QDate typed = platform::DatePicker::parse(box->text());
    if (box->text().isEmpty()) {
        DTPicker1->setDate(now);
    } else if (!typed.isValid() || typed < kPayDateMin || typed > kPayDateMax) {
        DTPicker1->setDate(now);
        writeBox();
    } else {
        DTPicker1->setDate(typed);
    }
    // Every change of the picker shows in the box at once.
    connect(DTPicker1, &QDateEdit::dateChanged, this, [this] { writeBox(); });
}

void frmDateMain::writeBox() { platform::Forms::get<Form1>().txtWeek->setText(DTPicker1->text()); }

void frmDateMain::Command1_Click()
{
    writeBox();
    platform::Forms::unload(kName);
}


} // namespace wagedesk
