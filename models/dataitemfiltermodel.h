#pragma once

#include <QAbstractListModel>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QVector>

class DataItem;
class DataItemListModel;
class ListSortFilterProxyModel;

// The applicable items of a data item list model, with the same roles, for QML views. A
// ListSortFilterProxyModel made for the source does the filtering; this model passes on its
// rows as its own, with well-formed signals of its own. An item whose applicability changes
// leaves or joins the view as a row removal or insertion; invalidate() re-tests every row in
// one pass as a layout change. Between bulkChangeStart(true) and bulkChangeStart(false) no
// applicability change re-filters; the second call re-filters once.
class DataItemFilterModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(DataItemListModel *sourceModel READ sourceModel WRITE setSourceModel NOTIFY
                   sourceModelChanged)
    Q_PROPERTY(bool compCompleted READ compCompleted NOTIFY completedChanged)
public:
    explicit DataItemFilterModel(QObject *parent = nullptr);
    ~DataItemFilterModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const;
    DataItemListModel *sourceModel() const;
    void setSourceModel(DataItemListModel *model);
    bool compCompleted() const;

    Q_INVOKABLE int mapRowToSource(int row) const;
    Q_INVOKABLE int mapRowFromSource(int row) const;
    Q_INVOKABLE DataItem *itemAtIndex(int index) const;
    Q_INVOKABLE void bulkChangeStart(bool b);

Q_SIGNALS:
    void sourceModelChanged();
    void countChanged();
    void completedChanged();

public Q_SLOTS:
    void invalidate();

private Q_SLOTS:
    void compComp();

private:
    void connectProxy();
    void dropProxy();
    void sourceDestroyed();
    void sourceApplicableChanged();
    void sourceChangeStarted();
    void sourceChangeFinished();
    void layoutAboutToChange();
    void layoutDone();

    QPointer<DataItemListModel> m_source;
    // A child of the source: it dies with the source, and only this model deletes it otherwise.
    QPointer<ListSortFilterProxyModel> m_proxy;
    bool m_bulkChange = false;
    // Proxy signals are not passed on while this model resets around a new proxy.
    bool m_resetting = false;
    // The source is between the begin and the end of a change of its rows: a re-filter waits.
    bool m_sourceChanging = false;
    bool m_refilterPending = false;
    // Nested layout changes of the proxy are passed on as one.
    int m_layoutDepth = 0;
    QModelIndexList m_layoutFrom;
    QVector<QPersistentModelIndex> m_layoutProxy;
};
