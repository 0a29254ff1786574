#include "treepathindex.h"

#include "treenode.h"

#include <vector>

struct TreePathIndex::Entry
{
    QHash<QString, Entry *> next;
    TreeNode *first = nullptr;
};

namespace {

// Whether a comes before b in depth-first order; both are below the same root.
bool comesBefore(const TreeNode *a, const TreeNode *b)
{
    int depthA = a->depth();
    int depthB = b->depth();
    // An ancestor comes before its descendants.
    for (; depthA > depthB; --depthA)
        a = a->parent();
    for (; depthB > depthA; --depthB)
        b = b->parent();
    if (a == b)
        return depthA < depthB;
    while (a->parent() != b->parent()) {
        a = a->parent();
        b = b->parent();
    }
    return a->row() < b->row();
}

} // namespace

TreePathIndex::TreePathIndex()
{
    m_entries.emplace_back();
}

TreePathIndex::~TreePathIndex() = default;

TreePathIndex::Entry *TreePathIndex::child(Entry *entry, const QString &part)
{
    Entry *&next = entry->next[part];
    if (!next) {
        m_entries.emplace_back();
        next = &m_entries.back();
    }
    return next;
}

TreePathIndex::Key TreePathIndex::extend(Key at, const QString &part)
{
    return child(at ? at : &m_entries.front(), part);
}

// The key of base + "/" + data (data alone for the trie's root); data may hold "/" itself.
TreePathIndex::Key TreePathIndex::keyOf(Key base, const QString &data)
{
    Key key = base;
    int from = 0;
    for (;;) {
        const int slash = data.indexOf(QLatin1Char('/'), from);
        key = child(key, data.mid(from, slash < 0 ? -1 : slash - from));
        if (slash < 0)
            return key;
        from = slash + 1;
    }
}

TreePathIndex::Key TreePathIndex::key(const QString &path)
{
    return keyOf(&m_entries.front(), path);
}

TreeNode *TreePathIndex::node(Key key) const
{
    return key ? key->first : nullptr;
}

TreeNode *TreePathIndex::find(const QString &path) const
{
    const Entry *entry = &m_entries.front();
    int from = 0;
    for (;;) {
        const int slash = path.indexOf(QLatin1Char('/'), from);
        const auto it = entry->next.constFind(path.mid(from, slash < 0 ? -1 : slash - from));
        if (it == entry->next.cend())
            return nullptr;
        entry = it.value();
        if (slash < 0)
            return entry->first;
        from = slash + 1;
    }
}

void TreePathIndex::rebuild(const TreeNode *root)
{
    m_entries.clear();
    m_entries.emplace_back();
    m_childBase.clear();
    m_root = root;
    for (int i = 0; root && i < root->childCount(); ++i)
        place(root->child(i), &m_entries.front(), false);
}

bool TreePathIndex::add(const TreeNode *node)
{
    const TreeNode *parent = node ? node->parent() : nullptr;
    if (!parent)
        return false;
    if (parent == m_root) {
        place(node, &m_entries.front(), true);
        return true;
    }
    const auto base = m_childBase.constFind(parent);
    if (base == m_childBase.cend())
        return false;
    place(node, base.value(), true);
    return true;
}

// Indexes the subtree of top, whose path continues from topBase, in depth-first order. Unless
// elsewhere is false, nodes indexed before may come after the subtree in depth-first order.
void TreePathIndex::place(const TreeNode *top, Key topBase, bool elsewhere)
{
    struct Step
    {
        const TreeNode *node;
        Key base;
    };
    std::vector<Step> pending { { top, topBase } };
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        auto *node = const_cast<TreeNode *>(step.node);
        const QString data = node->data().toString();
        Entry *entry = keyOf(step.base, data);
        if (!entry->first || (elsewhere && comesBefore(node, entry->first)))
            entry->first = node;
        const Key below = data.isEmpty() ? step.base : entry;
        m_childBase.insert(node, below);
        for (int i = node->childCount() - 1; i >= 0; --i)
            pending.push_back({ node->child(i), below });
    }
}
