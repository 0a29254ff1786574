#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlListProperty>
#include <QQmlParserStatus>
#include <QUrl>
#include <QVector>

class DataItem;
class DataItemList;
class SortFilterProxyModel;

// A two-dimensional table of data items for QML views. A page declares either rows or columns;
// when the declaration is complete the table derives the other dimension, so every cell is
// reachable by row and by column. An internal filter hides rows and columns that are not
// applicable. The declared lists belong to QML; the derived lists belong to the table and only
// reference the cells.
class TableModel : public QAbstractTableModel, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QQmlListProperty<DataItemList> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int rowCount READ filteredRowCount NOTIFY rowCountChanged)
    Q_PROPERTY(int colCount READ filteredColCount NOTIFY colCountChanged)
    Q_PROPERTY(QFont tableFont READ tableFont WRITE setTableFont NOTIFY tableFontChanged)
    Q_PROPERTY(FontSize fontSize READ fontSize WRITE setFontSize NOTIFY tableFontChanged)
    Q_PROPERTY(QUrl cellCompPath READ cellCompPath WRITE setCellCompPath NOTIFY cellCompPathChanged)
    Q_PROPERTY(QQmlComponent *cellComponent READ cellComponent WRITE setCellComponent NOTIFY
                   cellComponentChanged)
    Q_CLASSINFO("DefaultProperty", "items")
public:
    enum ItemRoles { Id = 257, value = 258, ValueString = 259, DataItemRole = 260 };
    Q_ENUM(ItemRoles)
    enum FontSize { SmallFont = 0, MediumFont, LargeFont, XLargeFont, XXLargeFont };
    Q_ENUM(FontSize)

    // The cell component file of the instrument's user interface; it need not exist elsewhere.
    // The installed cell component, below the base directory.
    static QString defaultCellCompPath();

    explicit TableModel(QObject *parent = nullptr);
    ~TableModel() override;

    // In filtered coordinates: hidden rows and columns are skipped.
    Q_INVOKABLE virtual QVariant modelData(int row, int col, int role = DataItemRole);
    virtual void addColumn(DataItemList *list);
    virtual void addRow(DataItemList *list);
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void classBegin() override;
    void componentComplete() override;

    QQmlListProperty<DataItemList> items();
    int count() const;
    int filteredRowCount() const;
    int filteredColCount() const;
    QFont tableFont() const;
    void setTableFont(const QFont &font);
    FontSize fontSize() const;
    void setFontSize(FontSize size);
    QUrl cellCompPath() const;
    void setCellCompPath(const QUrl &path);
    QQmlComponent *cellComponent() const;
    void setCellComponent(QQmlComponent *component);

    // In unfiltered coordinates.
    Q_INVOKABLE DataItemList *rowAtIndex(int index) const;
    Q_INVOKABLE DataItemList *colAtIndex(int index) const;
    Q_INVOKABLE DataItem *itemAtIndex(int rowInd, int colInd) const;
    Q_INVOKABLE void clear();

    SortFilterProxyModel *proxy() const;

Q_SIGNALS:
    void itemsChanged();
    void countChanged();
    void rowCountChanged();
    void colCountChanged();
    void tableFontChanged();
    void cellCompPathChanged();
    void cellComponentChanged();
    void componentCompleted();

private Q_SLOTS:
    void rowApplicableChanged();
    void colApplicableChanged();
    void fontChangedHandler();
    void cellCompPathChangedHandler();
    void cellComponentChangedHandler();
    void declaredListDestroyed(QObject *object);

private:
    enum class Orientation { Undecided, RowBased, ColumnBased };

    void addList(DataItemList *list, Orientation orientation);
    void allItemsInitialized();
    void finishConstruction();
    void deriveCells(DataItemList *declared);
    void pushDefaults(DataItemList *list);
    const QVector<DataItemList *> &declaredLists() const;
    QVector<DataItemList *> &derivedLists();
    void beginReset();
    void endReset();
    void emitCountSignals();

    static void appendList(QQmlListProperty<DataItemList> *property, DataItemList *list);
    static int countLists(QQmlListProperty<DataItemList> *property);
    static DataItemList *listAt(QQmlListProperty<DataItemList> *property, int index);
    static void clearLists(QQmlListProperty<DataItemList> *property);

    int m_count = 0;
    Orientation m_orientation = Orientation::Undecided;
    bool m_initialized = false;
    // The derived lists are made from the first list that arrives after completion or clear().
    bool m_derived = false;
    // A reset re-filters anyway; no filter pass inside one.
    bool m_resetting = false;
    SortFilterProxyModel *m_proxy;
    QVector<DataItemList *> m_rows;
    QVector<DataItemList *> m_columns;
    QFont m_tableFont;
    FontSize m_fontSize = MediumFont;
    QUrl m_cellCompPath;
    QPointer<QQmlComponent> m_cellComponent;
};
