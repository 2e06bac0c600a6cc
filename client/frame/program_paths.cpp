#include "program_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>

namespace rw::client {

namespace {
QMutex overrideMutex;
QString overridden;
} // namespace

QString programDirectory()
{
    {
        QMutexLocker lock(&overrideMutex);
        if (!overridden.isEmpty())
            return overridden;
    }
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void overrideProgramDirectory(const QString& directory)
{
    QMutexLocker lock(&overrideMutex);
    overridden = directory.isEmpty() || directory.endsWith(QLatin1Char('/')) ? directory : directory + QLatin1Char('/');
}

} // namespace rw::client
