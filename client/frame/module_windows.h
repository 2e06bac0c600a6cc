// Creates the module window a navigation entry opens, by its class name;
// null while that module does not exist in this build.
#pragma once

#include <QString>

class QWidget;

namespace rw::client {

QWidget* createModuleWindow(const QString& className);

} // namespace rw::client
