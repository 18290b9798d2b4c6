#include "core/windows/entry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "platform/charfilter.h"

namespace wagedesk {

void makeNumericEntry(QLineEdit *box) { platform::allowOnlyCharacters(box, u"0123456789 -."); }

namespace {
// Selects the text after the focus change has settled (a mouse press would
// otherwise place the cursor and undo the selection).
class SelectAllFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (auto *edit = qobject_cast<QLineEdit *>(watched))
                QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        }
        return false;
    }
};
} // namespace

void showText(QLineEdit *box, const std::string &text)
{
    const QString t = QString::fromStdString(text);
    if (box->text() != t)
        box->setText(t);
}

void showText(QLabel *label, const std::string &text)
{
    const QString t = QString::fromStdString(text);
    if (label->text() != t)
        label->setText(t);
}

std::int16_t switchValue(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void setSwitch(QCheckBox *box, std::int16_t value)
{
    if (value != 2) {
        box->setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
        return;
    }
    // The user's clicks never lead back to the grayed state.
    static const char *const kGrayable = "wdGrayable";
    if (!box->property(kGrayable).toBool()) {
        box->setProperty(kGrayable, true);
        QObject::connect(box, &QCheckBox::stateChanged, box, [box](int s) {
            if (s != Qt::PartiallyChecked)
                box->setTristate(false);
        });
    }
    box->setCheckState(Qt::PartiallyChecked);
}

void selectAllOnFocus(QLineEdit *box) { box->installEventFilter(new SelectAllFilter(box)); }

void selectAllOnFocus(QComboBox *box)
{
    if (box->lineEdit())
        selectAllOnFocus(box->lineEdit());
}

} // namespace wagedesk
