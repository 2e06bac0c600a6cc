#include "library_binding.h"

#include "messages.h"
#include "program_paths.h"

#include <QFile>

#include <dlfcn.h>

namespace rw::client {

QString libraryFileName(const char* library)
{
    return QString::fromLatin1(library) + QStringLiteral(".so");
}

void* bindExport(const char* library, const char* exportName)
{
    const QString path = programDirectory() + QStringLiteral("Sbin/") + libraryFileName(library);
    // Loading again only adds a reference: the library, and the connection
    // it keeps, stay in memory until the program ends.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        Messages::error(QStringLiteral("加载") + libraryFileName(library) + QStringLiteral("失败"),
                        QStringLiteral("错误"));
        throw AbortRequest{};
    }
    void* symbol = dlsym(handle, exportName);
    if (!symbol) {
        Messages::error(QStringLiteral("加载") + QString::fromLatin1(exportName) + QStringLiteral("函数失败！"),
                        QStringLiteral("错误"));
        throw AbortRequest{};
    }
    return symbol;
}

QStringList takeList(const char* library, RwList* list)
{
    QStringList items;
    if (!list)
        return items;
    items.reserve(list->count);
    for (int i = 0; i < list->count; ++i)
        items.append(QString::fromUtf8(list->items[i]));
    bind<void(RwList*)>(library, "rw_list_free")(list);
    return items;
}

ListArgument::ListArgument(const QStringList& items)
{
    for (const QString& item : items)
        m_texts.append(item.toUtf8());
    for (QByteArray& text : m_texts)
        m_pointers.append(text.data());
    m_list.count = static_cast<int>(m_pointers.size());
    m_list.items = m_pointers.data();
}

} // namespace rw::client
