#ifndef TREENODE_H
#define TREENODE_H

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <memory>

// One node of a menu tree: a display value and the child nodes it owns. The QObject parent plays
// no part in the tree; parent() and setParent() are the tree parent.
class TreeNode : public QObject
{
    Q_OBJECT
public:
    explicit TreeNode(QObject *parent = nullptr);
    explicit TreeNode(const QVariant &data, QObject *parent = nullptr);
    ~TreeNode() override;

    TreeNode *parent() const { return m_parentNode; }
    void setParent(TreeNode *parent);

    TreeNode *child(int i) const;
    int childCount() const { return m_children.size(); }
    bool isLeaf() const { return m_children.isEmpty(); }
    int depth() const;
    int row() const;

    QVariant data() const { return m_data; }
    void setData(const QVariant &data);

    // Appends child at the end unless it is null, this node or one of its ancestors, already held
    // by a node, or its data equals that of a child here; a refused child is left to the caller.
    // Does not set the child's tree parent.
    bool appendChild(TreeNode *child);
    // Takes child out of the children without deleting it.
    void removeChild(TreeNode *child);
    // The first child whose data the given data equals (QVariant equality), or null.
    TreeNode *childWithData(const QVariant &data) const;

    // The data strings of node and of its ancestors below stop, the empty ones of the ancestors
    // left out, joined by "/".
    static QString nodePath(const TreeNode *stop, const TreeNode *node);
    // node itself when its path is path, else the first match among its descendants, depth first.
    static TreeNode *locateNode(const TreeNode *stop, TreeNode *node, const QString &path);
    // The first node below this one, depth first, whose path up to stop is path.
    TreeNode *locate(const TreeNode *stop, const QString &path) const;

    // Changes with every change of any tree: lets a cache built over a tree know it is current.
    static quint64 revision();

private:
    struct ChildIndex;
    friend class TreeModel;

    QVector<TreeNode *> m_children;
    QVariant m_data;
    TreeNode *m_parentNode = nullptr;
    // The node whose children hold this one, and the position there. Kept apart from the tree
    // parent, which callers set themselves, so that ownership and rows are always exact.
    TreeNode *m_holder = nullptr;
    int m_row = -1;
    // Children by data, built once a node has many children.
    mutable std::unique_ptr<ChildIndex> m_childIndex;
};

#endif // TREENODE_H
