#include "tablemodel.h"

#include "basedirectory.h"
#include "dataitemlist.h"
#include "sortfilterproxymodel.h"

#include <QQmlEngine>
#include <QtDebug>

#include <utility>

QString TableModel::defaultCellCompPath()
{
    return BaseDirectory::filePath(QStringLiteral("qml_4410/common/DataItemTableCell.qml"));
}

TableModel::TableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_proxy(new SortFilterProxyModel(this))
    , m_cellCompPath(defaultCellCompPath(), QUrl::TolerantMode)
{
    m_tableFont.setFamily(QStringLiteral("Roboto"));
    m_tableFont.setPixelSize(14);
    m_tableFont.setWeight(QFont::Normal);
}

TableModel::~TableModel()
{
    delete m_proxy;
    // The declared lists die later, with QML or as children: they must not call back.
    for (DataItemList *list : declaredLists())
        disconnect(list, nullptr, this, nullptr);
    for (DataItemList *list : std::as_const(derivedLists())) {
        disconnect(list, nullptr, this, nullptr);
        delete list;
    }
}

QVariant TableModel::modelData(int row, int col, int role)
{
    return m_proxy->data(m_proxy->index(row, col), role);
}

void TableModel::addColumn(DataItemList *list)
{
    addList(list, Orientation::ColumnBased);
}

void TableModel::addRow(DataItemList *list)
{
    addList(list, Orientation::RowBased);
}

void TableModel::addList(DataItemList *list, Orientation orientation)
{
    if (!list)
        return;
    if (m_orientation != Orientation::Undecided && m_orientation != orientation) {
        qCritical() << "Model can't be both row based and column based.";
        return;
    }
    if (declaredLists().contains(list)) {
        qDebug() << "TableModel: refused a list the table already holds";
        return;
    }
    const bool rowBased = orientation == Orientation::RowBased;
    beginReset();
    m_orientation = orientation;
    (rowBased ? m_rows : m_columns).append(list);
    list->setContainer(this);
    connect(list, &DataItemList::itemsChanged, this, &TableModel::itemsChanged);
    connect(list, &DataItem::applicableChanged, this,
            rowBased ? &TableModel::rowApplicableChanged : &TableModel::colApplicableChanged);
    connect(list, &QObject::destroyed, this, &TableModel::declaredListDestroyed);
    ++m_count;
    // A list that arrives after completion (or after clear()) joins as if it had been declared.
    if (m_initialized) {
        deriveCells(list);
        list->applicabilityInit();
        for (DataItemList *derived : std::as_const(derivedLists()))
            derived->applicabilityInit();
        pushDefaults(list);
    }
    endReset();
    if (m_initialized)
        emitCountSignals();
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns.size();
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.column() < 0)
        return QVariant();
    DataItem *cell = itemAtIndex(index.row(), index.column());
    if (!cell)
        return QVariant();
    if (role == ValueString)
        return cell->getText();
    if (role == DataItemRole)
        return QVariant::fromValue(cell);
    return QVariant();
}

void TableModel::classBegin() { }

void TableModel::componentComplete()
{
    allItemsInitialized();
    Q_EMIT componentCompleted();
}

void TableModel::allItemsInitialized()
{
    if (m_initialized) {
        qDebug() << "ERROR: TableModel::allItemsInitialized is called more than once";
        return;
    }
    m_initialized = true;
    finishConstruction();
    connect(this, &TableModel::tableFontChanged, this, &TableModel::fontChangedHandler);
    connect(this, &TableModel::cellCompPathChanged, this, &TableModel::cellCompPathChangedHandler);
    connect(this, &TableModel::cellComponentChanged, this,
            &TableModel::cellComponentChangedHandler);
    Q_EMIT tableFontChanged();
    Q_EMIT cellCompPathChanged();
    Q_EMIT cellComponentChanged();
    Q_EMIT itemsChanged();
    Q_EMIT rowCountChanged();
    Q_EMIT colCountChanged();
    Q_EMIT countChanged();
}

void TableModel::finishConstruction()
{
    beginReset();
    for (DataItemList *list : declaredLists())
        deriveCells(list);
    for (DataItemList *list : declaredLists())
        list->applicabilityInit();
    for (DataItemList *list : std::as_const(derivedLists()))
        list->applicabilityInit();
    endReset();
    m_proxy->setSourceModel(this);
    m_proxy->setDynamicSortFilter(true);
}

void TableModel::deriveCells(DataItemList *declared)
{
    const bool columnBased = m_orientation == Orientation::ColumnBased;
    QVector<DataItemList *> &derived = derivedLists();
    if (!m_derived) {
        // The first list sets the size of the other dimension.
        m_derived = true;
        derived.reserve(declared->count());
        for (int j = 0; j < declared->count(); ++j) {
            // Owned by the table, never by QML's collector, and deleting no cell.
            DataItemList *list = new DataItemList(this);
            list->setOwnsItems(false);
            list->reserve(declaredLists().size());
            QQmlEngine::setObjectOwnership(list, QQmlEngine::CppOwnership);
            connect(list, &DataItem::applicableChanged, this,
                    columnBased ? &TableModel::rowApplicableChanged
                                : &TableModel::colApplicableChanged);
            derived.append(list);
        }
    }
    for (int j = 0; j < declared->count(); ++j) {
        if (j < derived.size()) {
            derived.at(j)->appendItem(declared->itemAtIndex(j));
        } else if (columnBased) {
            qDebug() << "ERROR in MODEL: One Clumn has more items that others";
        } else {
            qDebug() << "ERROR in MODEL: One Row has more items that others";
        }
    }
}

void TableModel::rowApplicableChanged()
{
    if (m_resetting)
        return;
    m_proxy->refilter();
    Q_EMIT rowCountChanged();
}

void TableModel::colApplicableChanged()
{
    if (m_resetting)
        return;
    m_proxy->refilter();
    Q_EMIT colCountChanged();
}

void TableModel::fontChangedHandler()
{
    for (DataItemList *list : declaredLists()) {
        if (list->font() == QFont())
            list->setFont(m_tableFont);
    }
}

void TableModel::cellCompPathChangedHandler()
{
    for (DataItemList *list : declaredLists()) {
        if (list->compPath().isEmpty())
            list->setCompPath(m_cellCompPath);
    }
}

void TableModel::cellComponentChangedHandler()
{
    for (DataItemList *list : declaredLists()) {
        if (!list->component())
            list->setComponent(m_cellComponent);
    }
}

void TableModel::pushDefaults(DataItemList *list)
{
    if (list->font() == QFont())
        list->setFont(m_tableFont);
    if (list->compPath().isEmpty())
        list->setCompPath(m_cellCompPath);
    if (!list->component())
        list->setComponent(m_cellComponent);
}

void TableModel::declaredListDestroyed(QObject *object)
{
    // Its cells died before it and have left the derived lists already.
    QVector<DataItemList *> &declared
        = m_orientation == Orientation::ColumnBased ? m_columns : m_rows;
    for (int i = 0; i < declared.size(); ++i) {
        if (static_cast<QObject *>(declared.at(i)) == object) {
            beginReset();
            declared.remove(i);
            --m_count;
            endReset();
            emitCountSignals();
            return;
        }
    }
}

const QVector<DataItemList *> &TableModel::declaredLists() const
{
    return m_orientation == Orientation::ColumnBased ? m_columns : m_rows;
}

QVector<DataItemList *> &TableModel::derivedLists()
{
    return m_orientation == Orientation::ColumnBased ? m_rows : m_columns;
}

void TableModel::beginReset()
{
    beginResetModel();
    m_resetting = true;
}

void TableModel::endReset()
{
    m_resetting = false;
    endResetModel();
}

void TableModel::emitCountSignals()
{
    Q_EMIT itemsChanged();
    Q_EMIT countChanged();
    Q_EMIT rowCountChanged();
    Q_EMIT colCountChanged();
}

QQmlListProperty<DataItemList> TableModel::items()
{
    return QQmlListProperty<DataItemList>(this, nullptr, &TableModel::appendList,
                                          &TableModel::countLists, &TableModel::listAt,
                                          &TableModel::clearLists);
}

int TableModel::count() const
{
    return m_rows.size() * m_columns.size();
}

int TableModel::filteredRowCount() const
{
    return m_proxy->rowCount();
}

int TableModel::filteredColCount() const
{
    return m_proxy->columnCount();
}

QFont TableModel::tableFont() const
{
    return m_tableFont;
}

void TableModel::setTableFont(const QFont &font)
{
    QFont adjusted = font;
    adjusted.setPixelSize(m_tableFont.pixelSize());
    if (adjusted == m_tableFont)
        return;
    m_tableFont = adjusted;
    Q_EMIT tableFontChanged();
}

TableModel::FontSize TableModel::fontSize() const
{
    return m_fontSize;
}

void TableModel::setFontSize(FontSize size)
{
    if (m_fontSize == size)
        return;
    static const int pixelSizes[] = { 12, 14, 16, 20, 30 };
    if (size >= SmallFont && size <= XXLargeFont)
        m_tableFont.setPixelSize(pixelSizes[size]);
    m_fontSize = size;
    Q_EMIT tableFontChanged();
}

QUrl TableModel::cellCompPath() const
{
    return m_cellCompPath;
}

void TableModel::setCellCompPath(const QUrl &path)
{
    if (m_cellCompPath == path)
        return;
    m_cellCompPath = path;
    Q_EMIT cellCompPathChanged();
}

QQmlComponent *TableModel::cellComponent() const
{
    return m_cellComponent;
}

void TableModel::setCellComponent(QQmlComponent *component)
{
    if (m_cellComponent == component)
        return;
    m_cellComponent = component;
    Q_EMIT cellComponentChanged();
}

DataItemList *TableModel::rowAtIndex(int index) const
{
    return m_rows.value(index);
}

DataItemList *TableModel::colAtIndex(int index) const
{
    return m_columns.value(index);
}

DataItem *TableModel::itemAtIndex(int rowInd, int colInd) const
{
    if (rowInd < 0 || colInd < 0 || rowInd >= m_rows.size())
        return nullptr;
    // A column-based table reads the declared column: after a short column the derived rows
    // hold fewer cells, and their positions no longer match the columns.
    if (m_orientation == Orientation::ColumnBased)
        return colInd < m_columns.size() ? m_columns.at(colInd)->itemAtIndex(rowInd) : nullptr;
    return m_rows.at(rowInd)->itemAtIndex(colInd);
}

void TableModel::clear()
{
    beginReset();
    // The declared lists and their cells belong to QML: let go of them, do not delete them.
    for (DataItemList *list : declaredLists()) {
        disconnect(list, nullptr, this, nullptr);
        list->setContainer(nullptr);
    }
    const QVector<DataItemList *> derived = std::exchange(derivedLists(), {});
    for (DataItemList *list : derived) {
        disconnect(list, nullptr, this, nullptr);
        delete list;
    }
    m_rows.clear();
    m_columns.clear();
    m_count = 0;
    m_orientation = Orientation::Undecided;
    m_derived = false;
    endReset();
    emitCountSignals();
}

SortFilterProxyModel *TableModel::proxy() const
{
    return m_proxy;
}

void TableModel::appendList(QQmlListProperty<DataItemList> *property, DataItemList *list)
{
    TableModel *table = static_cast<TableModel *>(property->object);
    const DataItem::DataItemType type = list ? list->type() : DataItem::EMPTY;
    if (type == DataItem::TableModelRow)
        table->addRow(list);
    else if (type == DataItem::TableModelColumn)
        table->addColumn(list);
    else
        qWarning() << "append_modelItems: wrong object.";
}

int TableModel::countLists(QQmlListProperty<DataItemList> *property)
{
    return static_cast<TableModel *>(property->object)->m_count;
}

DataItemList *TableModel::listAt(QQmlListProperty<DataItemList> *property, int index)
{
    const TableModel *table = static_cast<TableModel *>(property->object);
    return table->declaredLists().value(index);
}

void TableModel::clearLists(QQmlListProperty<DataItemList> *property)
{
    static_cast<TableModel *>(property->object)->clear();
}
