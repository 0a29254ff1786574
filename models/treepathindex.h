#ifndef TREEPATHINDEX_H
#define TREEPATHINDEX_H

#include <QHash>
#include <QString>

#include <deque>

class TreeNode;

// Finds the nodes of a tree by path without scanning the tree: for every path it knows the first
// node, in depth-first order, whose path (TreeNode::nodePath up to the root) it is.
//
// Paths are held as a trie of their "/"-separated parts, so that a deep chain costs memory in
// proportion to its nodes, not to the sum of its path lengths, and a path that grows by one part
// is looked up in time proportional to that part.
class TreePathIndex
{
public:
    struct Entry;
    // A path; null stands for no path at all, the state before the first part.
    using Key = Entry *;

    TreePathIndex();
    ~TreePathIndex();
    TreePathIndex(const TreePathIndex &) = delete;
    TreePathIndex &operator=(const TreePathIndex &) = delete;

    // Indexes every node below root.
    void rebuild(const TreeNode *root);
    // Indexes node and its subtree, just appended to an indexed node or to the root.
    // False when the parent is not indexed; the index is then out of date.
    bool add(const TreeNode *node);

    // The key of path, created if new.
    Key key(const QString &path);
    // The key of at + "/" + part, or of part alone for a null at; created if new.
    Key extend(Key at, const QString &part);
    // The first node whose path is the key's path; null if none.
    TreeNode *node(Key key) const;
    // Lookup without creating keys.
    TreeNode *find(const QString &path) const;

private:
    Entry *child(Entry *entry, const QString &part);
    Key keyOf(Key base, const QString &data);
    void place(const TreeNode *top, Key topBase, bool elsewhere);

    std::deque<Entry> m_entries; // m_entries[0] is the trie's root: no part yet
    const TreeNode *m_root = nullptr;
    // The key below which the paths of a node's children continue (a node with empty data adds
    // no part for its children).
    QHash<const TreeNode *, Key> m_childBase;
};

#endif // TREEPATHINDEX_H
