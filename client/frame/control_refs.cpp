#include "control_refs.h"

#include <QComboBox>
#include <QProgressBar>

namespace rw::client {

namespace {

// Queued calls keep their order, and run only while the control exists.
template <typename Control, typename Change>
void post(const QPointer<Control>& control, Change&& change)
{
    if (control)
        QMetaObject::invokeMethod(
            control.data(),
            [control, change = std::forward<Change>(change)] {
                if (control)
                    change(control.data());
            },
            Qt::QueuedConnection);
}

QString text(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }

} // namespace

ComboRef::ComboRef(QComboBox* combo) : m_combo(combo)
{
    m_ref.ctx = this;
    m_ref.clear = [](void* ctx) { post(static_cast<ComboRef*>(ctx)->m_combo, [](QComboBox* c) { c->clear(); }); };
    m_ref.add_item = [](void* ctx, const char* label, const char* id) {
        const QString shown = text(label);
        const QVariant data = id ? QVariant(text(id)) : QVariant();
        post(static_cast<ComboRef*>(ctx)->m_combo, [shown, data](QComboBox* c) { c->addItem(shown, data); });
    };
    m_ref.set_index = [](void* ctx, int index) {
        post(static_cast<ComboRef*>(ctx)->m_combo, [index](QComboBox* c) { c->setCurrentIndex(index); });
    };
}

ProgressRef::ProgressRef(QProgressBar* bar) : m_bar(bar)
{
    m_ref.ctx = this;
    m_ref.set_total = [](void* ctx, int total) {
        post(static_cast<ProgressRef*>(ctx)->m_bar, [total](QProgressBar* b) { b->setRange(0, qMax(total, 0)); });
    };
    m_ref.set_position = [](void* ctx, int position) {
        post(static_cast<ProgressRef*>(ctx)->m_bar, [position](QProgressBar* b) { b->setValue(position); });
    };
}

GridSnapshot::GridSnapshot(QVector<QVector<QByteArray>> cells) : m_rows(std::move(cells))
{
    m_ref.ctx = this;
    m_ref.row_count = [](void* ctx) { return static_cast<int>(static_cast<GridSnapshot*>(ctx)->m_rows.size()); };
    m_ref.col_count = [](void* ctx) {
        const auto& rows = static_cast<GridSnapshot*>(ctx)->m_rows;
        return rows.isEmpty() ? 0 : static_cast<int>(rows.first().size());
    };
    m_ref.cell = [](void* ctx, int col, int row) -> const char* {
        const auto& rows = static_cast<GridSnapshot*>(ctx)->m_rows;
        if (row < 0 || row >= rows.size() || col < 0 || col >= rows[row].size())
            return "";
        return rows[row][col].constData();
    };
}

} // namespace rw::client
