#include "platform/limitededit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <memory>

namespace platform {

LimitedLineEdit::LimitedLineEdit(int limit, QWidget *parent) : QLineEdit(parent), limit_(limit) {}

int LimitedLineEdit::room() const { return limit_ - int(text().size() - selectedText().size()); }

void LimitedLineEdit::insertLimited(const QString &text)
{
    const int n = room();
    if (n > 0)
        insert(text.left(n));
}

void LimitedLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            insertLimited(QApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier) &&
        room() < typed.size()) {
        event->accept();  // the box is full: nothing more is typed
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() && room() < commit.size()) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(commit.left(std::max(room(), 0)), event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&cut);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { insertLimited(QApplication::clipboard()->text()); });
    }
    menu->exec(event->globalPos());
}

void LimitedLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The selection paste of the middle button.
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        insertLimited(QApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void LimitedLineEdit::dropEvent(QDropEvent *event)
{
    if (event->mimeData()->hasText() && !isReadOnly()) {
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        insertLimited(event->mimeData()->text());
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

}  // namespace platform
