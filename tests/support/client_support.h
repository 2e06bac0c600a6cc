// Common ground of the window tests: headless messages, the real libraries
// in app/Sbin, and a fresh database per test.
#pragma once

#include "fresh_database.h"

#include <QString>

class QWidget;

#include <memory>

namespace rwtest {

// Call from initTestCase(): messages are recorded instead of shown and the
// client finds its libraries in the build's app/ directory.
void setUpClient();

// What one window test starts from and leaves behind: a fresh database,
// no recorded messages or queued answers, the real libraries.
class ClientTestState {
public:
    ClientTestState();
    ~ClientTestState();
    FreshDatabase database;
};

// The app/ directory of a stand-in library built for the tests.
QString fakeAppDirectory(const char* name);

// Saves a picture of the widget when RW_SCREENSHOT_DIR names a directory,
// so a person can look at what the tests drove.
void saveScreenshot(QWidget* widget, const QString& name);

} // namespace rwtest
