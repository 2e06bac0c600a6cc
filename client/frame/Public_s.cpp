#include "Public_s.h"

#include "grid.h"
#include "look.h"
#include "messages.h"

#include <QLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace Public_s {

namespace {

// Docked windows are marked so that the host can tell them from its own
// children; the newest is last.
const char* const kDockedProperty = "rw_docked";

QList<QWidget*> dockedForms(const QWidget* host)
{
    QList<QWidget*> forms;
    for (QWidget* child : host->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->property(kDockedProperty).toBool())
            forms.append(child);
    return forms;
}

template <size_t N>
void colourEntries(const std::array<QWidget*, N>& entries, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return;
    for (int i = 0; i < static_cast<int>(N); ++i) {
        if (!entries[i])
            continue;
        const QColor colour = i == index ? rw::client::look::kEntrySelected : rw::client::look::kEntryNormal;
        entries[i]->setProperty("navColour", colour.name().toUpper());
        QPalette palette = entries[i]->palette();
        palette.setColor(QPalette::Window, colour);
        entries[i]->setPalette(palette);
        entries[i]->setAutoFillBackground(true);
        entries[i]->update();
    }
}

// Groups of 'size' entries whose first fields equal the values.
bool inGroups(const QStringList& values, const QStringList& list, int size)
{
    const int groups = static_cast<int>(list.size()) / size;
    for (int g = 0; g < groups; ++g) {
        bool all = true;
        for (int k = 0; k < values.size() && all; ++k)
            all = Trimmed(list[g * size + k]) == Trimmed(values[k]);
        if (all)
            return true;
    }
    return false;
}

} // namespace

QString Trimmed(const QString& text)
{
    qsizetype begin = 0, end = text.size();
    auto blank = [](QChar c) { return c.unicode() <= 0x20 || c.unicode() == 0x7F; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QStringList Split_text(const QString& text, QChar separator)
{
    QStringList pieces;
    QString piece;
    QChar quote;
    auto finish = [&] {
        if (!piece.isEmpty())
            pieces.append(piece);
        piece.clear();
    };
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                piece.append(c);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == separator || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            finish();
        } else {
            piece.append(c);
        }
    }
    finish();
    return pieces;
}

bool Has_list_id(const QListWidget* list, const QString& id)
{
    if (!list)
        return true;
    for (int i = 0; i < list->count(); ++i) {
        const QVariant data = list->item(i)->data(Qt::UserRole);
        if (!data.isValid() || Trimmed(data.toString()) == Trimmed(id))
            return true;
    }
    return false;
}

bool In_list(const QString& value, const QStringList& list)
{
    for (const QString& entry : list)
        if (Trimmed(entry) == Trimmed(value))
            return true;
    return false;
}

bool In_list3(const QString& first, const QString& second, const QStringList& list)
{
    return inGroups({first, second}, list, 3);
}

bool In_list4(const QString& first, const QString& second, const QString& third, const QStringList& list)
{
    return inGroups({first, second, third}, list, 4);
}

bool In_key_list(const QStringList& list, const QString& value, const QString& key)
{
    const QString wanted = Trimmed(value);
    for (const QString& entry : list) {
        const QStringList parts = Split_text(entry, QLatin1Char('='));
        if (parts.isEmpty() || Trimmed(parts[0]) != Trimmed(key))
            continue;
        if (parts.size() < 2)
            return true; // malformed: counts as assigned
        const QString assigned = Trimmed(parts[1]);
        if (assigned == QLatin1String("0"))
            return false;
        bool found = false;
        for (const QString& item : Split_text(assigned, QLatin1Char(','))) {
            const QStringList fields = Split_text(item, QLatin1Char('|'));
            if (fields.size() < 2)
                return true;
            if (Trimmed(fields[1]) == wanted) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

bool Msg_yes(const QString& text, const QString& title)
{
    return rw::client::Messages::question(text, title);
}

bool Is_float(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

void Clear_asg(rw::client::Grid* grid, int rows)
{
    if (!grid)
        return;
    // A grid keeps its header row and at least one data row.
    if (grid->rowCount() > rows)
        grid->setRowCount(qMax(rows, 2));
    if (grid->rowCount() < 2)
        grid->setRowCount(2);
    grid->clearRow(1);
    grid->setRowHeightOf(1, 21);
}

void Clear_asg0(rw::client::Grid* grid, int rows)
{
    if (!grid)
        return;
    if (grid->rowCount() > rows)
        grid->setRowCount(qMax(rows, 1));
    if (grid->rowCount() < 1)
        grid->setRowCount(1);
    grid->clearRow(0);
}

void Set_form_size(QWidget* window, int width, int height, bool show)
{
    if (!window)
        return;
    // A window of no size is simply out of sight here.
    if (show) {
        window->resize(width, height);
        window->show();
    } else {
        window->hide();
    }
}

QWidget* Docked_form(const QWidget* host)
{
    const QList<QWidget*> forms = host ? dockedForms(host) : QList<QWidget*>();
    return forms.isEmpty() ? nullptr : forms.last();
}

void Free_dock(QWidget* host)
{
    if (!host)
        return;
    QList<QWidget*> forms = dockedForms(host);
    while (!forms.isEmpty()) {
        QWidget* form = forms.takeLast();
        if (host->layout())
            host->layout()->removeWidget(form);
        form->hide();
        delete form;
    }
}

int Dock_form(QWidget* host, QWidget* window)
{
    if (!host || !window)
        return -1;
    const bool replaced = !dockedForms(host).isEmpty();
    if (replaced)
        Free_dock(host);
    if (!host->layout()) {
        auto* layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    window->setParent(host);
    window->setWindowFlags(Qt::Widget);
    window->setProperty(kDockedProperty, true);
    host->layout()->addWidget(window);
    window->show();
    return replaced ? 1 : 0;
}

void Set_nav_color6(const std::array<QWidget*, 6>& entries, int index)
{
    colourEntries(entries, index);
}

void Set_nav_color4(const std::array<QWidget*, 4>& entries, int index)
{
    colourEntries(entries, index);
}

QString Nav_color(const QWidget* entry)
{
    return entry ? entry->property("navColour").toString() : QString();
}

QString Record_count_text(int count)
{
    return QStringLiteral("共：") + QString::number(count) + QStringLiteral("条数据");
}

} // namespace Public_s
