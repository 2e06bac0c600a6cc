// Binding to the run-time libraries: Sbin/<library>.so beside the program,
// each export looked up by name when it is called.  A missing file or export
// is reported to the user and abandons the current operation.
#pragma once

#include "abi/rankwise_abi.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rw::client {

// Thrown to abandon the current operation silently, after the binding
// failure has been shown.  Workers end their run on it.
struct AbortRequest {};

// The platform file name of a library, for messages: "emp.so".
QString libraryFileName(const char* library);

// The export's address; shows "加载<file>失败" or "加载<export>函数失败！"
// (title "错误") and throws AbortRequest when it cannot be had.
void* bindExport(const char* library, const char* exportName);

template <typename Signature>
Signature* bind(const char* library, const char* exportName)
{
    return reinterpret_cast<Signature*>(bindExport(library, exportName));
}

// Takes over a list a library returned: its entries, the list itself
// released through that library.
QStringList takeList(const char* library, RwList* list);

// Owns the UTF-8 copy of a list argument for the length of a call.
class ListArgument {
public:
    explicit ListArgument(const QStringList& items);
    const RwList* get() const { return &m_list; }

private:
    QList<QByteArray> m_texts;
    QList<char*> m_pointers;
    RwList m_list{};
};

inline QByteArray utf8(const QString& text) { return text.toUtf8(); }

} // namespace rw::client
