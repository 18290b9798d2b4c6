// Shared rules of the entry boxes: the numeric key filter, select-all on
// focus, and naming controls by their names (arrays as "txtAmount(3)").
#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QComboBox;

namespace wagedesk {

// Only "0123456789 -." can be typed (Backspace and editing keys work).
void makeNumericEntry(QLineEdit *box);
// The whole text is selected when the box gets the focus.
void selectAllOnFocus(QLineEdit *box);
void selectAllOnFocus(QComboBox *box);

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

} // namespace wagedesk
