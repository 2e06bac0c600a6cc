#include "grid.h"

#include "look.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace rw::client {

namespace {

// Header texts of the designs begin with a carriage return; it is kept for
// readers of the cell but not drawn.
constexpr int kRawTextRole = Qt::UserRole + 1;

QString displayed(const QString& text)
{
    QString shown = text;
    while (shown.startsWith(QLatin1Char('\r')) || shown.startsWith(QLatin1Char('\n')))
        shown.remove(0, 1);
    return shown;
}

// Numbers compare as numbers, everything else as text.
bool lessThan(const QString& a, const QString& b)
{
    bool aNumber = false, bNumber = false;
    const double x = a.trimmed().toDouble(&aNumber);
    const double y = b.trimmed().toDouble(&bNumber);
    if (aNumber && bNumber)
        return x < y;
    if (aNumber != bNumber)
        return aNumber;
    return QString::localeAwareCompare(a, b) < 0;
}

const QColor kFixedColor{0xF0, 0xF0, 0xF0};

} // namespace

Grid::Grid(int fixedRows, QWidget* parent) : QTableWidget(parent), m_fixedRows(qBound(0, fixedRows, 1))
{
    setFont(look::songti(12));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFont(look::songti(12));
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    if (m_fixedRows == 0)
        horizontalHeader()->hide();
    else
        horizontalHeader()->setFixedHeight(30);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(true);
    setStyleSheet(QStringLiteral("QHeaderView::section { background: #F0F0F0; border: 0px; "
                                 "border-right: 1px solid #C8C8C8; border-bottom: 1px solid #C8C8C8; }"));
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &Grid::onHeaderClicked);
}

int Grid::rowCount() const
{
    return QTableWidget::rowCount() + m_fixedRows;
}

void Grid::setRowCount(int rows)
{
    QTableWidget::setRowCount(qMax(rows - m_fixedRows, 0));
}

int Grid::addRow()
{
    const int row = rowCount();
    setRowCount(row + 1);
    return row;
}

void Grid::insertRowAt(int row)
{
    if (tableRow(row) >= 0)
        insertRow(qMin(tableRow(row), QTableWidget::rowCount()));
}

void Grid::removeRowAt(int row)
{
    if (tableRow(row) >= 0 && tableRow(row) < QTableWidget::rowCount())
        removeRow(tableRow(row));
}

QTableWidgetItem* Grid::itemAt(int col, int row, bool create)
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= rowCount())
        return nullptr;
    if (tableRow(row) < 0) {
        QTableWidgetItem* header = horizontalHeaderItem(col);
        if (!header && create) {
            header = new QTableWidgetItem;
            setHorizontalHeaderItem(col, header);
        }
        return header;
    }
    QTableWidgetItem* it = item(tableRow(row), col);
    if (!it && create) {
        it = new QTableWidgetItem;
        setItem(tableRow(row), col, it);
    }
    return it;
}

const QTableWidgetItem* Grid::itemAt(int col, int row) const
{
    return const_cast<Grid*>(this)->itemAt(col, row, false);
}

void Grid::clearRow(int row)
{
    if (tableRow(row) < 0) {
        for (int col = 0; col < columnCount(); ++col)
            setCell(col, row, QString());
        return;
    }
    if (tableRow(row) >= QTableWidget::rowCount())
        return;
    for (int col = 0; col < columnCount(); ++col) {
        if (rowSpan(tableRow(row), col) > 1 || columnSpan(tableRow(row), col) > 1)
            setSpan(tableRow(row), col, 1, 1);
        delete takeItem(tableRow(row), col);
    }
}

QString Grid::cell(int col, int row) const
{
    const QTableWidgetItem* it = itemAt(col, row);
    return it ? it->data(kRawTextRole).toString() : QString();
}

void Grid::setCell(int col, int row, const QString& text)
{
    if (QTableWidgetItem* it = itemAt(col, row, true)) {
        it->setData(kRawTextRole, text);
        it->setText(displayed(text));
    }
}

int Grid::rowHeightOf(int row) const
{
    if (tableRow(row) < 0)
        return horizontalHeader()->height();
    return rowHeight(tableRow(row));
}

void Grid::setRowHeightOf(int row, int height)
{
    if (tableRow(row) < 0)
        horizontalHeader()->setFixedHeight(height);
    else if (tableRow(row) < QTableWidget::rowCount())
        setRowHeight(tableRow(row), height);
}

void Grid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    verticalHeader()->setDefaultSectionSize(height);
}

void Grid::setColWidth(int col, int width)
{
    if (col < 0 || col >= columnCount())
        return;
    setColumnHidden(col, width <= 0);
    if (width > 0)
        setColumnWidth(col, width);
}

int Grid::colWidth(int col) const
{
    return isColumnHidden(col) ? 0 : columnWidth(col);
}

void Grid::mergeCells(int col, int row, int cols, int rows)
{
    if (tableRow(row) >= 0 && (cols > 1 || rows > 1))
        setSpan(tableRow(row), col, qMax(rows, 1), qMax(cols, 1));
}

void Grid::setCellColor(int col, int row, const QColor& color)
{
    if (QTableWidgetItem* it = itemAt(col, row, true))
        it->setBackground(color);
}

QColor Grid::cellColor(int col, int row) const
{
    const QTableWidgetItem* it = itemAt(col, row);
    return it && it->background().style() != Qt::NoBrush ? it->background().color() : QColor();
}

void Grid::setCellBold(int col, int row, bool bold)
{
    if (QTableWidgetItem* it = itemAt(col, row, true)) {
        QFont f = it->font();
        f.setBold(bold);
        it->setFont(f);
    }
}

void Grid::addCheckBox(int col, int row, bool checked)
{
    if (QTableWidgetItem* it = itemAt(col, row, true)) {
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

bool Grid::hasCheckBox(int col, int row) const
{
    const QTableWidgetItem* it = itemAt(col, row);
    return it && (it->flags() & Qt::ItemIsUserCheckable);
}

bool Grid::isChecked(int col, int row) const
{
    const QTableWidgetItem* it = itemAt(col, row);
    return it && (it->flags() & Qt::ItemIsUserCheckable) && it->checkState() == Qt::Checked;
}

void Grid::setChecked(int col, int row, bool checked)
{
    if (hasCheckBox(col, row))
        itemAt(col, row, true)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void Grid::refreshRowStyle(int row)
{
    if (m_flagColumn < 0 || tableRow(row) < 0)
        return;
    const bool fixedStyle = !cell(m_flagColumn, row).trimmed().isEmpty();
    for (int col = 0; col < columnCount(); ++col) {
        QTableWidgetItem* it = itemAt(col, row, true);
        it->setBackground(fixedStyle ? QBrush(kFixedColor) : QBrush());
        QFont f = font();
        f.setBold(fixedStyle);
        it->setFont(f);
    }
}

QList<int> Grid::selectedRowNumbers() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row() + m_fixedRows);
    if (rows.isEmpty() && currentRow() >= 0)
        rows.append(currentRow() + m_fixedRows);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Grid::selectRow(int row)
{
    if (tableRow(row) >= 0 && tableRow(row) < QTableWidget::rowCount()) {
        setCurrentCell(tableRow(row), 0);
        QTableWidget::selectRow(tableRow(row));
    }
}

void Grid::selectRows(const QList<int>& rows)
{
    clearSelection();
    bool first = true;
    for (int row : rows) {
        if (tableRow(row) < 0 || tableRow(row) >= QTableWidget::rowCount())
            continue;
        const QModelIndex index = model()->index(tableRow(row), 0);
        if (first) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            first = false;
        }
        selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

int Grid::currentRowNumber() const
{
    return currentRow() < 0 ? -1 : currentRow() + m_fixedRows;
}

void Grid::sortRowsBy(int col, Qt::SortOrder order)
{
    const int rows = QTableWidget::rowCount();
    struct Row {
        QList<QTableWidgetItem*> items;
        int height;
        QString key;
    };
    QVector<Row> taken;
    taken.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        Row row{{}, rowHeight(r), item(r, col) ? item(r, col)->data(kRawTextRole).toString() : QString()};
        for (int c = 0; c < columnCount(); ++c)
            row.items.append(takeItem(r, c));
        taken.append(row);
    }
    std::stable_sort(taken.begin(), taken.end(), [order](const Row& a, const Row& b) {
        return order == Qt::AscendingOrder ? lessThan(a.key, b.key) : lessThan(b.key, a.key);
    });
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columnCount(); ++c)
            setItem(r, c, taken[r].items[c]);
        setRowHeight(r, taken[r].height);
    }
}

void Grid::onHeaderClicked(int col)
{
    emit headerClicked(col);
    if (!m_sortOnClick)
        return;
    m_sortOrder = (col == m_sortColumn && m_sortOrder == Qt::AscendingOrder) ? Qt::DescendingOrder
                                                                             : Qt::AscendingOrder;
    m_sortColumn = col;
    sortRowsBy(col, m_sortOrder);
}

int Grid::wrappedLines(int col, const QString& text) const
{
    if (text.isEmpty())
        return 1;
    const int width = qMax(colWidth(col) - 6, 1);
    const QFontMetrics metrics(font());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text);
    return qMax(1, (bounds.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing());
}

void Grid::fitRowHeight(int row, int lineHeight)
{
    int lines = 1;
    for (int col = 0; col < columnCount(); ++col)
        if (!isColumnHidden(col))
            lines = qMax(lines, wrappedLines(col, cell(col, row)));
    setRowHeightOf(row, qMax(m_defaultRowHeight, lines > 1 ? lines * lineHeight : m_defaultRowHeight));
}

QVector<QVector<QByteArray>> Grid::snapshot() const
{
    QVector<QVector<QByteArray>> rows(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        rows[row].resize(columnCount());
        for (int col = 0; col < columnCount(); ++col)
            rows[row][col] = cell(col, row).toUtf8();
    }
    return rows;
}

} // namespace rw::client
