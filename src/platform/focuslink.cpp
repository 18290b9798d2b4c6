#include "platform/focuslink.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

namespace platform {

void dropFocusLink(QWidget *window)
{
    QWindow *handle = window ? window->windowHandle() : nullptr;
    if (handle && QCoreApplication::instance())
        QObject::disconnect(handle, &QWindow::focusObjectChanged, QCoreApplication::instance(), nullptr);
}

}  // namespace platform
