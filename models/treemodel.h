#ifndef TREEMODEL_H
#define TREEMODEL_H

#include "treepathindex.h"

#include <QAbstractItemModel>
#include <QJsonValue>

class TreeFileWatcher;
class TreeNode;

// A one-column tree for QML tree views, loaded from a JSON or XML menu file and reloaded when
// that file changes on disk. Every node below the invisible root is an index whose internal
// pointer is its TreeNode; QML reads the node's value through the display role.
class TreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit TreeModel(QObject *parent = nullptr);
    ~TreeModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Sets the node's data whatever the role; answers false all the same.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    Q_INVOKABLE QModelIndex rootIndex() const;
    Q_INVOKABLE int depth(const QModelIndex &index) const;
    Q_INVOKABLE void clear();
    Q_INVOKABLE bool isLeafAtIndex(const QModelIndex &index) const;
    Q_INVOKABLE QString getSelectionToRoot(const QModelIndex &index) const;

    TreeNode *rootItem() const { return m_root; }
    TreeNode *internalPointer(const QModelIndex &index) const;
    // The root when its data string is path, else the first node, depth first, whose path
    // (TreeNode::nodePath up to the root) is path; null when there is none.
    TreeNode *locate(const QString &path) const;
    // Moves node (with its subtree) to the end of parent's children, and the tree takes it over.
    // Refused, leaving everything as it was and node to the caller, when parent is node or below
    // it, or when another child of parent has the same data.
    bool addItem(TreeNode *parent, TreeNode *node);
    bool addTopLevelItem(TreeNode *node);
    // Takes node out of the tree; it is not deleted, and it leaves with no tree parent.
    void removeItem(TreeNode *node);

public Q_SLOTS:
    virtual void loadModelfromXml(const QString &xmlFilePath);
    virtual void loadModelfromJson(const QString &jsonFilePath);

Q_SIGNALS:
    void modelChanged();

private Q_SLOTS:
    void _loadModelfromJson(const QString &jsonFilePath);
    void _loadModelfromXml(const QString &xmlFilePath);

private:
    bool contains(const TreeNode *node) const;
    QModelIndex indexOf(TreeNode *node) const;
    TreeNode *nodeOf(const QModelIndex &index) const;
    bool indexCurrent() const;
    void adopt(TreeNode *parent, TreeNode *node);
    TreeNode *adoptPart(TreeNode *parent, const QString &part);
    void loadValue(const QJsonValue &value, TreeNode *node);
    void loadXml(const QString &text);
    void addXmlPath(const QString &path, TreePathIndex::Key rootKey);

    TreeNode *m_root;
    TreeFileWatcher *m_jsonWatcher;
    TreeFileWatcher *m_xmlWatcher;
    bool m_jsonReload = false;
    bool m_xmlReload = false;
    // The path index and the tree revision it describes; rebuilt on demand when out of date.
    mutable TreePathIndex m_index;
    mutable quint64 m_indexRevision = 0;
};

#endif // TREEMODEL_H
