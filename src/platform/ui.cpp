#include "platform/ui.h"
namespace platform {
void Ui::setAppTitle(const QString &) {}
void Ui::setScripted(bool) {}
}
