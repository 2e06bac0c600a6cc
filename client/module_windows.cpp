#include "frame/module_windows.h"

#include "org/TFrm_gw_emp.h"

#include <QWidget>

namespace rw::client {

QWidget* createModuleWindow(const QString& className)
{
    if (className == QLatin1String("TFrm_gw_emp"))
        return new TFrm_gw_emp;
    return nullptr;
}

} // namespace rw::client
