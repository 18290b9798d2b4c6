#include "core/windows/entry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

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
}  // namespace

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

int shapeWidth(const QFontMetrics &metrics, const QString &shape)
{
    QChar widest = u'0';
    for (char16_t d = u'1'; d <= u'9'; ++d)
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest))
            widest = QChar(d);
    QString text = shape;
    for (QChar &c : text)
        if (c.isDigit())
            c = widest;
    // A label lays its text out whole, which rounds up where the advance
    // of the glyphs rounds to the nearest pixel.
    const QRect laidOut = metrics.boundingRect(QRect(0, 0, 1 << 16, 1 << 10), Qt::AlignLeft, text);
    return std::max(metrics.horizontalAdvance(text), laidOut.width());
}

namespace {
int widestShape(const QFontMetrics &metrics, std::initializer_list<QString> shapes)
{
    int widest = 0;
    for (const QString &s : shapes)
        widest = std::max(widest, shapeWidth(metrics, s));
    return widest;
}
}  // namespace

int widthToHold(const QLabel *label, std::initializer_list<QString> shapes)
{
    const QFontMetrics metrics = label->fontMetrics();
    // The frame and the contents margins take the same share at any width;
    // a framed label without an indent of its own keeps an "x" clear of it.
    int indent = label->indent();
    if (indent < 0)
        indent = label->frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) : 0;
    const int chrome = label->width() - label->contentsRect().width() + 2 * label->margin() + indent;
    return widestShape(metrics, shapes) + chrome;
}

int widthToHold(const QLineEdit *box, std::initializer_list<QString> shapes)
{
    // A box's size hint is seventeen "x" plus its frame, margins and
    // padding, in any style: what is left over after the x's is the chrome.
    const QFontMetrics metrics = box->fontMetrics();
    const int chrome = box->sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    // One pixel more for the cursor after the last character.
    return widestShape(metrics, shapes) + chrome + 1;
}

void selectAllOnFocus(QLineEdit *box) { box->installEventFilter(new SelectAllFilter(box)); }

void selectAllOnFocus(QComboBox *box)
{
    if (box->lineEdit())
        selectAllOnFocus(box->lineEdit());
}

}  // namespace wagedesk
