// Small helpers every window uses: list membership, questions, grid
// clearing, docking, navigation colours and the separator-splitting rules.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QListWidget;
class QWidget;

namespace rw::client {
class Grid;
}

namespace Public_s {

// Splits at one separator ("=", "," or "|"): a piece also ends at a line
// break; a single or double quote opens a stretch, up to the next quote of
// the same kind, in which separators do not split (the quotes are dropped);
// blanks are ordinary; no empty pieces.
QStringList Split_text(const QString& text, QChar separator);

// Trimmed as the client trims: blanks and control characters.
QString Trimmed(const QString& text);

bool Has_list_id(const QListWidget* list, const QString& id);
bool In_list(const QString& value, const QStringList& list);
bool In_list3(const QString& first, const QString& second, const QStringList& list);
bool In_list4(const QString& first, const QString& second, const QString& third, const QStringList& list);
// Whether the value is assigned under every entry "key=..." of the list.
bool In_key_list(const QStringList& list, const QString& value, const QString& key);

bool Msg_yes(const QString& text, const QString& title);
bool Is_float(const QString& text);

void Clear_asg(rw::client::Grid* grid, int rows);
void Clear_asg0(rw::client::Grid* grid, int rows);

void Set_form_size(QWidget* window, int width, int height, bool show);

// Docking into a host panel: one module window at a time.
void Free_dock(QWidget* host);
int Dock_form(QWidget* host, QWidget* window);
QWidget* Docked_form(const QWidget* host);

void Set_nav_color6(const std::array<QWidget*, 6>& entries, int index);
void Set_nav_color4(const std::array<QWidget*, 4>& entries, int index);
// The colour an entry shows (for tests and the entries' own painting).
QString Nav_color(const QWidget* entry);

// "共：" + count + "条数据"
QString Record_count_text(int count);

} // namespace Public_s
