// Shared rules of the entry boxes: the numeric key filter, select-all on
// focus, naming controls by their names (arrays as "txtAmount(3)"), and
// the widths that hold a computed text whole.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QComboBox;
class QFontMetrics;

namespace wagedesk {

// Only "0123456789 -." can be typed (Backspace and editing keys work).
void makeNumericEntry(QLineEdit *box);
// The whole text is selected when the box gets the focus.
void selectAllOnFocus(QLineEdit *box);
void selectAllOnFocus(QComboBox *box);

// Sets a box's or a label's text only when it differs, so that no change
// handler runs for the text already there.
void showText(QLineEdit *box, const std::string &text);
void showText(QLabel *label, const std::string &text);

// Check boxes hold the values the stored files keep: 0 off, 1 on, 2 the
// grayed state, which only a stored value sets and which counts as neither
// on nor off. Any other stored value shows as off. A grayed box clicked by
// the user goes on and then cycles between on and off again.
std::int16_t switchValue(const QCheckBox *box);
void setSwitch(QCheckBox *box, std::int16_t value);
// A switch counts as on at exactly 1.
inline bool isOn(const QCheckBox *box) { return switchValue(box) == 1; }

// Widths for texts the program computes, so that a label or a box shows
// the longest of them whole. A shape stands for every text of its length:
// each digit in it counts as the font's widest digit, so
// "-$000,000.00" holds "-$123,456.78" and any other such amount.
int shapeWidth(const QFontMetrics &metrics, const QString &shape);
// The width the label or the box needs for the widest of the shapes in its
// own font, its frame and margins included.
int widthToHold(const QLabel *label, std::initializer_list<QString> shapes);
int widthToHold(const QLineEdit *box, std::initializer_list<QString> shapes);

// Makes a child widget with the given object name.
template <class T, class... Args> T *named(const QString &name, Args &&...args)
{
    T *w = new T(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}
inline QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

}  // namespace wagedesk
