#include "client_support.h"

#include "library.h"
#include "look.h"
#include "messages.h"
#include "program_paths.h"

#include <QApplication>
#include <QWidget>

namespace rwtest {

void setUpClient()
{
    rw::client::Messages::setHeadless(true);
    rw::client::overrideProgramDirectory(QString::fromStdString(appDirectory()));
    rw::client::look::installFontSubstitutes();
    qApp->setFont(rw::client::look::songti(12));
    qApp->setQuitOnLastWindowClosed(false);
}

ClientTestState::ClientTestState()
{
    rw::client::Messages::clearShown();
    rw::client::Messages::setNextAnswers({});
    rw::client::Messages::setNextFileNames({});
}

ClientTestState::~ClientTestState()
{
    rw::client::overrideProgramDirectory(QString::fromStdString(appDirectory()));
}

void saveScreenshot(QWidget* widget, const QString& name)
{
    const QString directory = qEnvironmentVariable("RW_SCREENSHOT_DIR");
    if (directory.isEmpty() || !widget)
        return;
    // Layouts settle over a few passes of the event loop.
    for (int pass = 0; pass < 3; ++pass)
        QApplication::processEvents();
    widget->grab().save(directory + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString fakeAppDirectory(const char* name)
{
    return QStringLiteral(RW_FAKES_DIR) + QLatin1Char('/') + QLatin1String(name);
}

} // namespace rwtest
