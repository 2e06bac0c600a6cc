#include "frame/module_windows.h"

#include <QWidget>

namespace rw::client {

QWidget* createModuleWindow(const QString& className)
{
    Q_UNUSED(className);
    return nullptr;
}

} // namespace rw::client
