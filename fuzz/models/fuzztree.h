#ifndef FUZZTREE_H
#define FUZZTREE_H

// Writes the input to a menu file and loads it into a TreeModel. Besides crashes, sanitizer
// reports and stack overflows it checks what holds for every tree: each node is at its row below
// its parent, siblings differ in data, and every node is found again by its path, at least as a
// node with the same path.
#include "treemodel.h"
#include "treenode.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

void check(bool condition)
{
    if (!condition)
        std::abort();
}

int fuzzTreeFile(const uint8_t *data, size_t size, bool xml)
{
    static int argc = 1;
    static char name[] = "fuzz_tree";
    static char *argv[] = { name, nullptr };
    static QCoreApplication app(argc, argv);
    static const bool quiet = (qInstallMessageHandler(ignoreMessages), true);
    Q_UNUSED(quiet)
    static const QTemporaryDir dir;
    static TreeModel model;
    check(dir.isValid());

    const QString path
        = dir.filePath(xml ? QStringLiteral("menu.xml") : QStringLiteral("menu.json"));
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    check(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    file.close();
    if (xml)
        model.loadModelfromXml(path);
    else
        model.loadModelfromJson(path);

    // Paths are looked up for the upper levels only: a full check costs the square of the depth.
    TreeNode *root = model.rootItem();
    std::vector<std::pair<TreeNode *, int>> pending { { root, 0 } };
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        for (int i = 0; i < node->childCount(); ++i) {
            TreeNode *child = node->child(i);
            check(child->parent() == node && child->row() == i);
            check(node->childWithData(child->data()) == child);
            if (depth < 32) {
                const QString path = TreeNode::nodePath(root, child);
                const TreeNode *found = model.locate(path);
                check(found && TreeNode::nodePath(root, found) == path);
            }
            pending.push_back({ child, depth + 1 });
        }
    }
    return 0;
}

} // namespace

#endif // FUZZTREE_H
