#include "treenode.h"

#include <QtTest>

class TestTreeNode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendChildRefuses();
    void duplicateCheckKeepsVariantEquality_data();
    void duplicateCheckKeepsVariantEquality();
    void rowsFollowRemoval();
    void deepChainGoesWithoutRecursion();
    void pathsSkipEmptyAncestors();
};

void TestTreeNode::appendChildRefuses()
{
    TreeNode parent(QStringLiteral("p"));
    auto *a = new TreeNode(QStringLiteral("a"));
    QVERIFY(parent.appendChild(a));
    TreeNode other;
    TreeNode sameData(QStringLiteral("a"));
    QVERIFY(!parent.appendChild(nullptr));
    QVERIFY(!parent.appendChild(&parent));
    QVERIFY(!parent.appendChild(a)); // already there
    QVERIFY(!other.appendChild(a)); // held by parent: two owners would delete it twice
    QVERIFY(!parent.appendChild(&sameData));
    QVERIFY(!a->appendChild(&parent)); // a cycle
    QCOMPARE(parent.childCount(), 1);
    QCOMPARE(sameData.row(), 0); // no tree parent
}

void TestTreeNode::duplicateCheckKeepsVariantEquality_data()
{
    QTest::addColumn<int>("siblings");
    QTest::newRow("few children, searched") << 3;
    QTest::newRow("many children, hashed") << 100;
}

void TestTreeNode::duplicateCheckKeepsVariantEquality()
{
    QFETCH(int, siblings);
    TreeNode parent;
    for (int i = 0; i < siblings; ++i)
        QVERIFY(parent.appendChild(new TreeNode(QStringLiteral("n%1").arg(i))));
    QVERIFY(parent.appendChild(new TreeNode(5.0)));
    TreeNode *number = parent.child(siblings);
    QCOMPARE(parent.childWithData(QStringLiteral("5")), number); // the text converts to 5
    QCOMPARE(parent.childWithData(QByteArray("n1")), parent.child(1));
    QVERIFY(!parent.childWithData(QStringLiteral("n1 ")));
    // A renamed child is found under its new data only.
    parent.child(1)->setData(QStringLiteral("renamed"));
    QVERIFY(!parent.childWithData(QStringLiteral("n1")));
    QCOMPARE(parent.childWithData(QStringLiteral("renamed")), parent.child(1));
    TreeNode *second = parent.child(2);
    delete parent.child(0); // leaves its parent
    QCOMPARE(parent.childWithData(QStringLiteral("n2")), second);
    QVERIFY(parent.appendChild(new TreeNode(QStringLiteral("n0"))));
}

void TestTreeNode::rowsFollowRemoval()
{
    TreeNode root;
    QVector<TreeNode *> nodes;
    for (const char *name : { "a", "b", "c", "d" }) {
        nodes.append(new TreeNode(QString::fromLatin1(name)));
        root.appendChild(nodes.last());
        nodes.last()->setParent(&root);
    }
    root.removeChild(nodes[1]);
    QCOMPARE(nodes[0]->row(), 0);
    QCOMPARE(nodes[2]->row(), 1);
    QCOMPARE(nodes[3]->row(), 2);
    QCOMPARE(nodes[1]->row(), -1); // its tree parent no longer holds it
    QCOMPARE(root.child(1), nodes[2]);
    delete nodes[1];
    // Deleting a node takes it out of its parent.
    delete nodes[2];
    QCOMPARE(root.childCount(), 2);
    QCOMPARE(nodes[3]->row(), 1);
}

void TestTreeNode::deepChainGoesWithoutRecursion()
{
    auto *top = new TreeNode(QStringLiteral("top"));
    TreeNode *node = top;
    for (int i = 0; i < 300000; ++i) {
        auto *child = new TreeNode(i);
        QVERIFY(node->appendChild(child));
        child->setParent(node);
        node = child;
    }
    QCOMPARE(node->depth(), 300000);
    QCOMPARE(top->locate(nullptr, QStringLiteral("top/0/1")), top->child(0)->child(0));
    // Nodes that are also QObject children of their tree parent or of another node are deleted
    // once.
    auto *owned = new TreeNode(QStringLiteral("owned"), node);
    node->appendChild(owned);
    node->appendChild(new TreeNode(QStringLiteral("grandchild of top's child"), top->child(0)));
    delete top;
}

void TestTreeNode::pathsSkipEmptyAncestors()
{
    TreeNode root;
    auto *a = new TreeNode(QStringLiteral("a"));
    auto *blank = new TreeNode(QString());
    auto *b = new TreeNode(QStringLiteral("b"));
    for (auto [parent, child] : { std::pair(&root, a), std::pair(a, blank), std::pair(blank, b) }) {
        parent->appendChild(child);
        child->setParent(parent);
    }
    QCOMPARE(TreeNode::nodePath(&root, b), QStringLiteral("a/b"));
    QCOMPARE(TreeNode::nodePath(&root, blank), QStringLiteral("a/"));
    QCOMPARE(TreeNode::nodePath(a, b), QStringLiteral("b"));
    QCOMPARE(root.locate(&root, QStringLiteral("a/b")), b);
    QCOMPARE(a->locate(&root, QStringLiteral("a/")), blank);
    QCOMPARE(a->locate(a, QStringLiteral("b")), b);
    QVERIFY(!a->locate(&root, QStringLiteral("b")));
    QCOMPARE(TreeNode::locateNode(&root, a, QStringLiteral("a")), a);
    QCOMPARE(b->depth(), 3);
}

QTEST_GUILESS_MAIN(TestTreeNode)
#include "tst_treenode.moc"
