// A key filter for entry boxes: the user can type or paste only texts made
// of a given set of characters. A plain character check, so it costs next to
// nothing; texts the program sets (setText, insert) are never filtered.
#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

class QLineEdit;

namespace platform {

// Whether every character of text is one of allowed. The empty text is.
bool onlyCharacters(QStringView text, QStringView allowed);

// Installed on one box (and owned by it). What the user types, pastes (the
// paste keys, the context menu, the middle button), drops or enters by an
// input method goes in only when all of its characters are allowed; anything
// else is refused whole. Backspace, Delete, the cursor keys, Enter, Esc and
// the Ctrl key commands (copy, cut, undo, select all) are not text and pass.
// A text already in the box (set by the program) does not matter: what is
// checked is the text being put in.
class CharacterFilter : public QObject {
    Q_OBJECT
public:
    CharacterFilter(QLineEdit *box, QStringView allowed);

    const QString &allowed() const { return allowed_; }
    bool accepts(QStringView text) const { return onlyCharacters(text, allowed_); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool showContextMenu(QLineEdit *box, const QPoint &globalPos);

    QString allowed_;
};

// Lets the user put only the allowed characters into the box, e.g.
// allowOnlyCharacters(box, u"0123456789 -."). Returns the installed filter.
CharacterFilter *allowOnlyCharacters(QLineEdit *box, QStringView allowed);

}  // namespace platform
