#pragma once

#include "dataitemlist.h"

#include <QAbstractListModel>
#include <QHash>
#include <QQmlListProperty>
#include <QQmlParserStatus>

// The list model behind most list views of a page: one row per data item, whose roles combine
// the item's own properties with the live properties of its bound data object. The items live
// in a DataItemList owned by the model, which deletes them when it is cleared or destroyed.
class DataItemListModel : public QAbstractListModel, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QQmlListProperty<QObject> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(
        DataItem *currentItem READ currentItem WRITE setCurrentItem NOTIFY currentItemChanged)
    Q_PROPERTY(bool applicable READ applicable NOTIFY applicableChanged)
    Q_PROPERTY(bool compCompleted READ compCompleted NOTIFY completedChanged)
    Q_CLASSINFO("DefaultProperty", "items")
public:
    enum ItemRoles {
        IdRole = Qt::UserRole + 1,
        NameRole,
        TypeRole,
        LabelRole,
        FormatterRole,
        ReadOnlyRole,
        ValueRole,
        ValueStringRole,
        IsReadyRole,
        QualityCodeRole,
        ErrorRole,
        ApplicableRole,
        CompPathRole,
        ComponentRole,
        MinRangeRole,
        MaxRangeRole,
        UnitRole,
        InputTypeRole,
        IconSourceRole,
        ZebDataRole,
        DataItemRole,
        TextRole,
        SubTextRole,
        ActionRole,
        ItemIndex,
        EnabledRole
    };
    Q_ENUM(ItemRoles)

    explicit DataItemListModel(QObject *parent = nullptr);
    ~DataItemListModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    void classBegin() override;
    void componentComplete() override;

    QQmlListProperty<QObject> items();
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    DataItem *currentItem() const;
    void setCurrentItem(DataItem *item);
    bool applicable() const;
    bool compCompleted() const;

    Q_INVOKABLE void clear();
    Q_INVOKABLE void insertItem(int i, DataItem *item);
    Q_INVOKABLE void removeItem(DataItem *item);
    Q_INVOKABLE DataItem *itemAtIndex(int index) const;

    // C++ only: the position of a held item, -1 for any other, without a walk.
    int indexOfItem(DataItem *item) const;

Q_SIGNALS:
    void itemsChanged();
    void countChanged();
    void currentIndexChanged();
    void currentItemChanged();
    void applicableChanged();
    void completedChanged();
    void signalInsertingItem(DataItem *item);
    void signalRemovingItem(DataItem *item);

public Q_SLOTS:
    void cellDataChanged();

private:
    void appendItem(DataItem *item);
    void connectItem(DataItem *item);
    void disconnectItem(DataItem *item);
    void notifyRow(DataItem *item, const QVector<int> &roles);
    void renumber();
    void afterStructureChange();

    static void appendObject(QQmlListProperty<QObject> *property, QObject *object);
    static int countObjects(QQmlListProperty<QObject> *property);
    static QObject *objectAt(QQmlListProperty<QObject> *property, int index);
    static void clearObjects(QQmlListProperty<QObject> *property);

    DataItemList m_list;
    bool m_completed = false;
};
