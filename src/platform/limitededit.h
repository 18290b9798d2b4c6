// A line edit whose length limit binds what the user types, pastes or
// drops, never a text the program sets (QLineEdit::setMaxLength cuts both).
#pragma once

#include <QLineEdit>

namespace platform {

class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit LimitedLineEdit(int limit, QWidget *parent = nullptr);
    int limit() const { return limit_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // How many characters the user may still add in place of the selection.
    int room() const;
    // Inserts as much of the text as the limit leaves room for.
    void insertLimited(const QString &text);
    int limit_;
};

}  // namespace platform
