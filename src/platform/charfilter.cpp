#include "platform/charfilter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace platform {

bool onlyCharacters(QStringView text, QStringView allowed)
{
    for (const QChar c : text) {
        bool found = false;
        for (const QChar a : allowed) {
            if (c == a) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

namespace {

QString clipboardText(QClipboard::Mode mode)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(mode) : QString();
}

// The key puts text into the box: it has characters other than control
// characters (Backspace, Enter, Esc and the Ctrl+letter commands give those),
// and it is not a Ctrl or Ctrl+Shift command, which a box never types.
bool typesText(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    for (const QChar c : key->text())
        if (c.category() != QChar::Other_Control)
            return true;
    return false;
}

}  // namespace

CharacterFilter::CharacterFilter(QLineEdit *box, QStringView allowed) : QObject(box), allowed_(allowed.toString())
{
    box->installEventFilter(this);
}

bool CharacterFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || box->isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            // Ctrl+Shift+Insert pastes the selection where there is one.
            const bool selection = key->key() == Qt::Key_Insert &&
                                   key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                                   QGuiApplication::clipboard()->supportsSelection();
            return !accepts(clipboardText(selection ? QClipboard::Selection : QClipboard::Clipboard));
        }
        return typesText(key) && !accepts(key->text());
    }
    case QEvent::InputMethod: return !accepts(static_cast<QInputMethodEvent *>(event)->commitString());
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->mimeData() && drop->mimeData()->hasText() && !accepts(drop->mimeData()->text())) {
            drop->ignore();
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        return mouse->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
               !accepts(clipboardText(QClipboard::Selection));
    }
    case QEvent::ContextMenu:
        if (accepts(clipboardText(QClipboard::Clipboard)))
            return false;
        return showContextMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
    default: return false;
    }
}

// The box's own menu with its Paste item off, as the clipboard holds a text
// the box does not take.
bool CharacterFilter::showContextMenu(QLineEdit *box, const QPoint &globalPos)
{
    QMenu *menu = box->createStandardContextMenu();
    if (!menu)
        return false;
    // The Paste item is named in newer Qt versions; in every version it is
    // the one item wired to the box's paste(), whatever the language.
    for (QAction *action : menu->actions())
        if (action->objectName() == QLatin1String("edit-paste") ||
            QObject::disconnect(action, SIGNAL(triggered()), box, SLOT(paste())) ||
            QObject::disconnect(action, &QAction::triggered, box, &QLineEdit::paste))
            action->setEnabled(false);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
    return true;
}

CharacterFilter *allowOnlyCharacters(QLineEdit *box, QStringView allowed)
{
    return box ? new CharacterFilter(box, allowed) : nullptr;
}

}  // namespace platform
