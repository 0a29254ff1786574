#include "treemodel.h"

#include "treefilewatcher.h"
#include "treenode.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>
#include <QtDebug>

#include <algorithm>
#include <vector>

namespace {

// Reads a menu file for `function`'s load. A missing file logs its line and reads as empty (the
// tree is emptied); a file that cannot be opened logs `openFailure` and gives false (the load is
// abandoned).
bool readMenuFile(const QString &path, const char *function, const char *openFailure,
                  QByteArray *content)
{
    QFile file(path);
    if (!file.exists()) {
        qWarning() << function << path << "file doesn't exist";
        return true;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning() << function << path << openFailure;
        return false;
    }
    *content = file.readAll();
    return true;
}

bool isBlank(const QString &text)
{
    for (const QChar c : text) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

// Reads to the end of the element just started and gives the text of its first child node, as a
// DOM reader sees it: whitespace-only text does not count as a node, a text or CDATA node gives
// its text, any other node (or none) gives none. False when the element does not end.
bool readFirstChildText(QXmlStreamReader &reader, QString *text)
{
    QString run; // the characters since the last other token: one DOM text node
    bool known = false;
    int depth = 1;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (!known) {
            const bool cdata = token == QXmlStreamReader::Characters && reader.isCDATA();
            if (token == QXmlStreamReader::Characters && !cdata) {
                run += reader.text();
                continue;
            }
            known = true;
            if (!isBlank(run))
                *text = run;
            else if (cdata)
                *text = reader.text().toString();
        }
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement && --depth == 0)
            return true;
    }
    return false;
}

} // namespace

TreeModel::TreeModel(QObject *parent)
    : QAbstractItemModel(parent)
    , m_root(new TreeNode)
    , m_jsonWatcher(new TreeFileWatcher(this))
    , m_xmlWatcher(new TreeFileWatcher(this))
{
    // The watchers deliver through the event loop, once per burst of changes.
    connect(m_jsonWatcher, &TreeFileWatcher::changed, this, &TreeModel::_loadModelfromJson);
    connect(m_xmlWatcher, &TreeFileWatcher::changed, this, &TreeModel::_loadModelfromXml);
}

TreeModel::~TreeModel()
{
    delete m_root;
}

TreeNode *TreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<TreeNode *>(index.internalPointer()) : m_root;
}

QModelIndex TreeModel::indexOf(TreeNode *node) const
{
    return node == m_root ? QModelIndex() : createIndex(node->row(), 0, node);
}

bool TreeModel::contains(const TreeNode *node) const
{
    while (node->m_holder)
        node = node->m_holder;
    return node == m_root;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    TreeNode *child = nodeOf(parent)->child(row);
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex &index) const
{
    if (!index.isValid())
        return QModelIndex();
    TreeNode *parent = nodeOf(index)->parent();
    if (!parent || parent == m_root)
        return QModelIndex();
    return createIndex(parent->row(), 0, parent);
}

int TreeModel::rowCount(const QModelIndex &parent) const
{
    return nodeOf(parent)->childCount();
}

int TreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant TreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    return nodeOf(index)->data();
}

bool TreeModel::setData(const QModelIndex &index, const QVariant &value, int)
{
    if (!index.isValid())
        return false;
    nodeOf(index)->setData(value);
    // Views show the display role; the edit role is what was written.
    Q_EMIT dataChanged(index, index, { Qt::DisplayRole, Qt::EditRole });
    return false;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractItemModel::flags(index);
}

QModelIndex TreeModel::rootIndex() const
{
    return QModelIndex();
}

int TreeModel::depth(const QModelIndex &index) const
{
    int depth = 0;
    if (!index.isValid())
        return depth;
    for (const TreeNode *node = nodeOf(index)->parent(); node && node != m_root;
         node = node->parent())
        ++depth;
    return depth;
}

void TreeModel::clear()
{
    beginResetModel();
    delete m_root;
    m_root = new TreeNode;
    endResetModel();
    Q_EMIT modelChanged();
}

bool TreeModel::isLeafAtIndex(const QModelIndex &index) const
{
    return index.isValid() && nodeOf(index)->isLeaf();
}

QString TreeModel::getSelectionToRoot(const QModelIndex &index) const
{
    if (!index.isValid())
        return QString();
    QStringList parts;
    for (const TreeNode *node = nodeOf(index); node; node = node->parent())
        parts.append(node->data().toString());
    std::reverse(parts.begin(), parts.end());
    return parts.join(QLatin1Char('/'));
}

TreeNode *TreeModel::internalPointer(const QModelIndex &index) const
{
    return static_cast<TreeNode *>(index.internalPointer());
}

bool TreeModel::indexCurrent() const
{
    return m_indexRevision == TreeNode::revision();
}

TreeNode *TreeModel::locate(const QString &path) const
{
    if (m_root->data().toString() == path)
        return m_root;
    if (!indexCurrent()) {
        m_index.rebuild(m_root);
        m_indexRevision = TreeNode::revision();
    }
    return m_index.find(path);
}

bool TreeModel::addItem(TreeNode *parent, TreeNode *node)
{
    if (!parent || !node)
        return false;
    for (const TreeNode *up = parent; up; up = up->m_holder) {
        if (up == node)
            return false;
    }
    // Checked before anything moves, so that no row is announced for a node that is refused.
    const TreeNode *same = parent->childWithData(node->data());
    if (same && same != node)
        return false;
    if (TreeNode *old = node->m_holder) {
        const bool shown = contains(old);
        if (shown)
            beginRemoveRows(indexOf(old), node->m_row, node->m_row);
        old->removeChild(node);
        if (shown)
            endRemoveRows();
    }
    const bool shown = contains(parent);
    if (shown)
        beginInsertRows(indexOf(parent), parent->childCount(), parent->childCount());
    parent->appendChild(node);
    node->setParent(parent);
    if (shown)
        endInsertRows();
    return true;
}

bool TreeModel::addTopLevelItem(TreeNode *node)
{
    return addItem(m_root, node);
}

void TreeModel::removeItem(TreeNode *node)
{
    if (!node)
        return;
    if (TreeNode *old = node->m_holder) {
        const bool shown = contains(old);
        if (shown)
            beginRemoveRows(indexOf(old), node->m_row, node->m_row);
        old->removeChild(node);
        if (shown)
            endRemoveRows();
    }
    // Out of the tree, a parent pointer could outlive the parent.
    node->setParent(nullptr);
    Q_EMIT modelChanged();
}

void TreeModel::_loadModelfromJson(const QString &jsonFilePath)
{
    m_jsonReload = true;
    loadModelfromJson(jsonFilePath);
    m_jsonReload = false;
}

void TreeModel::_loadModelfromXml(const QString &xmlFilePath)
{
    m_xmlReload = true;
    loadModelfromXml(xmlFilePath);
    m_xmlReload = false;
}

void TreeModel::loadModelfromJson(const QString &jsonFilePath)
{
    // A file that goes missing while watched is waited for; one missing from the start is not.
    const bool followMissing = m_jsonReload;
    m_jsonReload = false;
    clear();
    m_jsonWatcher->watch(jsonFilePath, followMissing);

    QByteArray content;
    if (!readMenuFile(jsonFilePath, "virtual void TreeModel::loadModelfromJson(const QString&)",
                      " json file cannot be open", &content))
        return;

    // The tree is built inside the reset: views see it whole, with no row signals of its own.
    beginResetModel();
    const QJsonDocument document = QJsonDocument::fromJson(content);
    loadValue(document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object()),
              m_root);
    endResetModel();
    Q_EMIT modelChanged();
}

void TreeModel::loadModelfromXml(const QString &xmlFilePath)
{
    const bool followMissing = m_xmlReload;
    m_xmlReload = false;
    clear();
    m_xmlWatcher->watch(xmlFilePath, followMissing);

    QByteArray content;
    if (!readMenuFile(xmlFilePath, "virtual void TreeModel::loadModelfromXml(const QString&)",
                      " cann't open xml file", &content))
        return;
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    beginResetModel();
    loadXml(text);
    endResetModel();
    Q_EMIT modelChanged();
}

// Called inside a reset: no row signals. A node whose data a sibling already has is dropped with
// its subtree.
void TreeModel::adopt(TreeNode *parent, TreeNode *node)
{
    if (!parent->appendChild(node)) {
        delete node;
        return;
    }
    node->setParent(parent);
}

void TreeModel::loadValue(const QJsonValue &value, TreeNode *node)
{
    // An explicit stack: nesting is limited only by the JSON parser.
    struct Frame
    {
        QJsonValue value;
        TreeNode *node; // the node this value fills
        int next; // the member or element to load next
        TreeNode *adoptBy; // when set, node is new and goes below it once filled
    };
    std::vector<Frame> frames { { value, node, 0, nullptr } };
    while (!frames.empty()) {
        Frame &frame = frames.back();
        TreeNode *const target = frame.node;
        QJsonValue member(QJsonValue::Undefined); // stays undefined once the frame is done
        QString key;
        if (frame.value.isObject()) {
            const QJsonObject object = frame.value.toObject();
            if (frame.next < object.size()) {
                // Members come in the object's (sorted) key order.
                const auto it = object.constBegin() + frame.next++;
                key = it.key();
                member = it.value();
            }
        } else if (frame.value.isArray()) {
            const QJsonArray array = frame.value.toArray();
            if (frame.next < array.size()) {
                // Elements load into the same node.
                const QJsonValue element = array.at(frame.next++);
                if (element.isObject() || element.isArray())
                    frames.push_back({ element, target, 0, nullptr });
                else
                    qWarning() << "void TreeModel::loadValue(const QJsonValue&, TreeNode*)"
                               << "Nothing to do, value:" << element;
                continue;
            }
        } else {
            qWarning() << "void TreeModel::loadValue(const QJsonValue&, TreeNode*)"
                       << "Nothing to do, value:" << frame.value;
        }
        if (member.isUndefined()) {
            const Frame done = frame;
            frames.pop_back();
            if (done.adoptBy)
                adopt(done.adoptBy, done.node);
            continue;
        }
        // Array members load into the same node, object members become nodes named by their key,
        // anything else names the node being filled.
        if (member.isArray())
            frames.push_back({ member, target, 0, nullptr });
        else if (member.isObject())
            frames.push_back({ member, new TreeNode(key), 0, target });
        else
            target->setData(member.toVariant());
    }
}

void TreeModel::loadXml(const QString &text)
{
    m_index.rebuild(m_root);
    const TreePathIndex::Key rootKey = m_index.key(m_root->data().toString());
    QXmlStreamReader reader(text);
    // The document element's own tag is not looked at; Path elements count at any depth below
    // it, except inside Path and MenuName elements. The walk needs no stack of its own.
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::StartElement) { }
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef tag = reader.qualifiedName();
        if (tag == QLatin1String("Path")) {
            QString path;
            // An element that a broken or truncated file cuts short may hold part of a name.
            if (readFirstChildText(reader, &path))
                addXmlPath(path, rootKey);
        } else if (tag == QLatin1String("MenuName")) {
            reader.skipCurrentElement();
        }
    }
    m_indexRevision = TreeNode::revision();
}

// Creates the nodes of one menu path: each part not found by its running path becomes a node
// below the node of the previous part. "oem" parts are skipped.
void TreeModel::addXmlPath(const QString &path, TreePathIndex::Key rootKey)
{
    TreeNode *parent = m_root;
    TreePathIndex::Key running = nullptr; // null while the running path is empty
    int from = path.startsWith(QLatin1Char('/')) ? 1 : 0;
    for (;;) {
        const int slash = path.indexOf(QLatin1Char('/'), from);
        const QString part = path.mid(from, slash < 0 ? -1 : slash - from);
        if (part != QLatin1String("oem")) {
            // An empty running path takes the part alone, and stays empty for an empty part.
            const TreePathIndex::Key key = m_index.extend(running, part);
            if (running || !part.isEmpty())
                running = key;
            TreeNode *found = key == rootKey ? m_root : m_index.node(key);
            parent = found ? found : adoptPart(parent, part);
        }
        if (slash < 0)
            return;
        from = slash + 1;
    }
}

// The node for a part that its running path did not find. A sibling with the same data can
// exist (a path holding "//" names nodes that their running paths do not find again); the path
// then continues below that sibling instead of below a node outside the tree.
TreeNode *TreeModel::adoptPart(TreeNode *parent, const QString &part)
{
    // Stored as text, not as UTF-8 bytes: QML would see bytes as an ArrayBuffer, which compares
    // unequal to any string.
    const QVariant data(part);
    if (TreeNode *same = parent->childWithData(data))
        return same;
    auto *node = new TreeNode(data);
    parent->appendChild(node);
    node->setParent(parent);
    m_index.add(node);
    return node;
}
