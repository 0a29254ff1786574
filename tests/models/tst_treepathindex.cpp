#include "treenode.h"
#include "treepathindex.h"
#include "treetesthelpers.h"

#include <QRandomGenerator>
#include <QtTest>

class TestTreePathIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsWhatThePlainSearchFinds();
};

namespace {

// Data that makes paths collide: empty names vanish from their children's paths, and names
// holding "/" spell the same path as two nodes.
const QStringList names { "a", "b", "", "a/b", "/", "oem" };

void addRandomNodes(QRandomGenerator &rng, TreeNode *root, QVector<TreeNode *> &nodes,
                    TreePathIndex *index, int count)
{
    for (int i = 0; i < count; ++i) {
        TreeNode *parent = nodes.at(rng.bounded(nodes.size()));
        auto *node = new TreeNode(names.at(rng.bounded(names.size())));
        if (!parent->appendChild(node)) {
            delete node;
            continue;
        }
        node->setParent(parent);
        nodes.append(node);
        if (index)
            QVERIFY(index->add(node));
    }
    Q_UNUSED(root)
}

} // namespace

void TestTreePathIndex::findsWhatThePlainSearchFinds()
{
    QRandomGenerator rng(7);
    for (int round = 0; round < 300; ++round) {
        TreeNode root;
        QVector<TreeNode *> nodes { &root };
        addRandomNodes(rng, &root, nodes, nullptr, rng.bounded(40));
        TreePathIndex index;
        index.rebuild(&root);
        // Nodes added later may come before indexed nodes with the same path.
        addRandomNodes(rng, &root, nodes, &index, rng.bounded(20));

        QStringList paths { "", "/", "//", "a//b", "x" };
        for (const TreeNode *node : qAsConst(nodes))
            paths << plainPath(&root, node) << plainPath(&root, node) + QStringLiteral("/b");
        for (const QString &path : qAsConst(paths)) {
            TreeNode *expected = plainLocate(&root, path);
            if (expected == &root)
                continue; // the root is the model's business, not the index's
            QCOMPARE(index.find(path), expected);
            QCOMPARE(index.node(index.key(path)), expected);
            QCOMPARE(root.locate(&root, path), expected);
        }
    }
}

QTEST_GUILESS_MAIN(TestTreePathIndex)
#include "tst_treepathindex.moc"
