#include "core/entry.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace wagedesk {

void makeNumericEntry(QLineEdit *box)
{
    static const QRegularExpression allowed(QStringLiteral("[0-9 .\\-]*"));
    box->setValidator(new QRegularExpressionValidator(allowed, box));
}

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

void selectAllOnFocus(QLineEdit *box) { box->installEventFilter(new SelectAllFilter(box)); }

void selectAllOnFocus(QComboBox *box)
{
    if (box->lineEdit())
        selectAllOnFocus(box->lineEdit());
}

} // namespace wagedesk
