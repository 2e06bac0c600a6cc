// Client controls as the libraries see them: small C interfaces whose calls,
// made on a worker, reach the control on the user-interface thread.
#pragma once

#include "abi/rankwise_abi.h"

#include <QPointer>
#include <QVector>

class QComboBox;
class QProgressBar;

namespace rw::client {

// A combo box; each item's id is kept as its item data.
class ComboRef {
public:
    explicit ComboRef(QComboBox* combo);
    ComboRef(const ComboRef&) = delete;
    ComboRef& operator=(const ComboRef&) = delete;
    const RwCombo* get() const { return &m_ref; }

private:
    QPointer<QComboBox> m_combo;
    RwCombo m_ref;
};

class ProgressRef {
public:
    explicit ProgressRef(QProgressBar* bar);
    ProgressRef(const ProgressRef&) = delete;
    ProgressRef& operator=(const ProgressRef&) = delete;
    const RwProgress* get() const { return &m_ref; }

private:
    QPointer<QProgressBar> m_bar;
    RwProgress m_ref;
};

// A grid's cells as taken on the user-interface thread when the request
// starts; the library reads this copy from its worker.
class GridSnapshot {
public:
    GridSnapshot() = default;
    explicit GridSnapshot(QVector<QVector<QByteArray>> rows);
    GridSnapshot(const GridSnapshot&) = delete;
    GridSnapshot& operator=(const GridSnapshot&) = delete;
    const RwGrid* get() const { return &m_ref; }

private:
    QVector<QVector<QByteArray>> m_rows; // [row][col], UTF-8
    RwGrid m_ref{};
};

} // namespace rw::client
