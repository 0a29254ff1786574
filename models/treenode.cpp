#include "treenode.h"

#include <QHash>
#include <QMultiHash>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

std::atomic<quint64> treeRevision { 1 };

void touchTrees()
{
    treeRevision.fetch_add(1, std::memory_order_relaxed);
}

// Text-like values equal each other only with equal text, so text is a sound hash key for them.
bool isText(const QVariant &value)
{
    const int type = value.userType();
    return type == QMetaType::QString || type == QMetaType::QByteArray;
}

// Linear search below this many children; a hash pays off only for wide nodes.
constexpr int childIndexThreshold = 32;

} // namespace

// Children by data. QVariant equality converts between types (the text "1" equals the number 1,
// any text but "false" and "0" equals true), so only text values are hashed; the others stay in a
// list that every search also looks through.
struct TreeNode::ChildIndex
{
    QMultiHash<QString, TreeNode *> byText;
    QVector<TreeNode *> others;

    void add(TreeNode *child)
    {
        if (isText(child->m_data))
            byText.insert(child->m_data.toString(), child);
        else
            others.append(child);
    }
};

TreeNode::TreeNode(QObject *parent)
    : QObject(parent)
{
}

TreeNode::TreeNode(const QVariant &data, QObject *parent)
    : QObject(parent)
    , m_data(data)
{
}

TreeNode::~TreeNode()
{
    if (m_holder)
        m_holder->removeChild(this);
    // The subtree goes without recursion: a long chain of nodes must not exhaust the stack.
    // Nodes waiting here leave their QObject parents, which could otherwise delete them a second
    // time (and recursively) when they go first.
    std::vector<TreeNode *> pending;
    const auto take = [&pending](TreeNode *node) {
        node->m_holder = nullptr;
        if (node->QObject::parent())
            node->QObject::setParent(nullptr);
        pending.push_back(node);
    };
    for (TreeNode *child : qAsConst(m_children))
        take(child);
    m_children.clear();
    while (!pending.empty()) {
        TreeNode *node = pending.back();
        pending.pop_back();
        for (TreeNode *child : qAsConst(node->m_children))
            take(child);
        node->m_children.clear();
        delete node;
    }
    touchTrees();
}

void TreeNode::setParent(TreeNode *parent)
{
    m_parentNode = parent;
    touchTrees();
}

TreeNode *TreeNode::child(int i) const
{
    return i >= 0 && i < m_children.size() ? m_children.at(i) : nullptr;
}

int TreeNode::depth() const
{
    int depth = 0;
    for (const TreeNode *node = m_parentNode; node; node = node->m_parentNode)
        ++depth;
    return depth;
}

int TreeNode::row() const
{
    if (!m_parentNode)
        return 0;
    if (m_holder == m_parentNode)
        return m_row;
    return m_parentNode->m_children.indexOf(const_cast<TreeNode *>(this));
}

void TreeNode::setData(const QVariant &data)
{
    m_data = data;
    if (m_holder)
        m_holder->m_childIndex.reset();
    touchTrees();
}

bool TreeNode::appendChild(TreeNode *child)
{
    if (!child || child == this || child->m_holder)
        return false;
    // Only a node with children can be an ancestor; leaves, the usual case, skip the walk.
    if (!child->m_children.isEmpty()) {
        for (const TreeNode *node = m_holder; node; node = node->m_holder) {
            if (node == child)
                return false;
        }
    }
    if (childWithData(child->m_data))
        return false;
    child->m_holder = this;
    child->m_row = m_children.size();
    m_children.append(child);
    if (m_childIndex)
        m_childIndex->add(child);
    touchTrees();
    return true;
}

void TreeNode::removeChild(TreeNode *child)
{
    if (!child || child->m_holder != this)
        return;
    m_children.remove(child->m_row);
    for (int i = child->m_row; i < m_children.size(); ++i)
        m_children.at(i)->m_row = i;
    child->m_holder = nullptr;
    child->m_row = -1;
    m_childIndex.reset();
    touchTrees();
}

TreeNode *TreeNode::childWithData(const QVariant &data) const
{
    if (!m_childIndex && m_children.size() >= childIndexThreshold) {
        m_childIndex = std::make_unique<ChildIndex>();
        for (TreeNode *child : m_children)
            m_childIndex->add(child);
    }
    if (!m_childIndex || !isText(data)) {
        for (TreeNode *child : m_children) {
            if (data == child->m_data)
                return child;
        }
        return nullptr;
    }
    TreeNode *first = nullptr;
    const auto consider = [&](TreeNode *child) {
        if ((!first || child->m_row < first->m_row) && data == child->m_data)
            first = child;
    };
    const QString text = data.toString();
    for (auto it = m_childIndex->byText.constFind(text);
         it != m_childIndex->byText.cend() && it.key() == text; ++it)
        consider(it.value());
    for (TreeNode *child : qAsConst(m_childIndex->others))
        consider(child);
    return first;
}

QString TreeNode::nodePath(const TreeNode *stop, const TreeNode *node)
{
    if (!node)
        return QString();
    QStringList parts(node->m_data.toString());
    for (const TreeNode *up = node->m_parentNode; up && up != stop; up = up->m_parentNode) {
        const QString text = up->m_data.toString();
        if (!text.isEmpty())
            parts.append(text);
    }
    std::reverse(parts.begin(), parts.end());
    return parts.join(QLatin1Char('/'));
}

TreeNode *TreeNode::locateNode(const TreeNode *stop, TreeNode *node, const QString &path)
{
    if (!node)
        return nullptr;
    if (nodePath(stop, node) == path)
        return node;
    return node->locate(stop, path);
}

TreeNode *TreeNode::locate(const TreeNode *stop, const QString &path) const
{
    // Every path below this node starts with the same prefix; as long as a node's prefix is the
    // start of path, the prefix is fully described by its length, so no string is built.
    QStringList above;
    for (const TreeNode *up = this; up && up != stop; up = up->m_parentNode) {
        const QString text = up->m_data.toString();
        if (!text.isEmpty())
            above.append(text);
    }
    int start = 0;
    for (auto it = above.crbegin(); it != above.crend(); ++it) {
        if (!path.midRef(start).startsWith(*it) || path.size() <= start + it->size()
            || path.at(start + it->size()) != QLatin1Char('/'))
            return nullptr;
        start += it->size() + 1;
    }

    struct Step
    {
        TreeNode *node;
        int prefix; // length of the part of path that the ancestors spell
    };
    std::vector<Step> pending;
    for (int i = m_children.size() - 1; i >= 0; --i)
        pending.push_back({ m_children.at(i), start });
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        const QString text = step.node->m_data.toString();
        const QStringRef rest = path.midRef(step.prefix);
        if (rest == text)
            return step.node;
        int below = step.prefix;
        if (!text.isEmpty()) {
            if (rest.size() <= text.size() || !rest.startsWith(text)
                || rest.at(text.size()) != QLatin1Char('/'))
                continue; // no path below this node can match
            below += text.size() + 1;
        }
        const QVector<TreeNode *> &children = step.node->m_children;
        for (int i = children.size() - 1; i >= 0; --i)
            pending.push_back({ children.at(i), below });
    }
    return nullptr;
}

quint64 TreeNode::revision()
{
    return treeRevision.load(std::memory_order_relaxed);
}
