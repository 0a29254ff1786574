#include "treenode.h"

#include <QtTest>

class TestTreeNode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendChildRefuses();
    void childrenByDataAndRow_data();
    void childrenByDataAndRow();
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

void TestTreeNode::childrenByDataAndRow_data()
{
    QTest::addColumn<int>("siblings");
    QTest::newRow("few children, searched") << 3;
    QTest::newRow("many children, hashed") << 100;
}

void TestTreeNode::childrenByDataAndRow()
{
    QFETCH(int, siblings);
    TreeNode parent;
    const auto add = [&parent](const QVariant &data) {
        auto *node = new TreeNode(data);
        node->setParent(&parent); // the tree parent pointer, as a model sets it
        return parent.appendChild(node);
    };
    for (int i = 0; i < siblings; ++i)
        QVERIFY(add(QStringLiteral("n%1").arg(i)));
    QVERIFY(add(5.0));
    TreeNode *number = parent.child(siblings);
    QCOMPARE(parent.childWithData(QStringLiteral("5")), number); // the text converts to 5
    QCOMPARE(parent.childWithData(QByteArray("n1")), parent.child(1));
    QVERIFY(!parent.childWithData(QStringLiteral("n1 ")));
    // A renamed child is found under its new data only.
    TreeNode *renamed = parent.child(1);
    renamed->setData(QStringLiteral("renamed"));
    QVERIFY(!parent.childWithData(QStringLiteral("n1")));
    QCOMPARE(parent.childWithData(QStringLiteral("renamed")), renamed);

    // A child deleted or taken out leaves its parent; the rows after it move up.
    delete parent.child(0);
    parent.removeChild(renamed);
    QCOMPARE(QList<int>({ renamed->row(), number->row(), parent.childCount() }),
             QList<int>({ -1, siblings - 2, siblings - 1 }));
    QVERIFY(!parent.childWithData(QStringLiteral("renamed")));
    QCOMPARE(parent.childWithData(QStringLiteral("n2")), parent.child(0));
    QVERIFY(add(QStringLiteral("n0")));
    delete renamed;
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
