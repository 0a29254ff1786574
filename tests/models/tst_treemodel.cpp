#include "treefilewatcher.h"
#include "treemodel.h"
#include "treenode.h"
#include "treetesthelpers.h"

#include <QAbstractItemModelTester>
#include <QDomDocument>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Tester = QAbstractItemModelTester;

// The XML menu reading as the plain DOM walk says it, with plainLocate for every part. A part
// whose node a sibling's data blocks continues below that sibling.
void plainXml(const QString &text, TreeNode *root)
{
    const auto addPath = [root](QString path) {
        if (path.startsWith(QLatin1Char('/')))
            path.remove(0, 1);
        QString running;
        TreeNode *parent = root;
        for (const QString &part : path.split(QLatin1Char('/'))) {
            if (part == QLatin1String("oem"))
                continue;
            running = running.isEmpty() ? part : running + QLatin1Char('/') + part;
            TreeNode *node = plainLocate(root, running);
            for (int i = 0; !node && i < parent->childCount(); ++i)
                node = QVariant(part) == parent->child(i)->data() ? parent->child(i) : nullptr;
            if (!node) {
                node = new TreeNode(part);
                parent->appendChild(node);
                node->setParent(parent);
            }
            parent = node;
        }
    };
    QDomDocument document;
    document.setContent(text);
    const std::function<void(const QDomElement &)> walk = [&](const QDomElement &element) {
        for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
            if (e.tagName() == QLatin1String("Path"))
                addPath(e.firstChild().toText().data());
            else if (e.tagName() != QLatin1String("MenuName"))
                walk(e);
        }
    };
    walk(document.documentElement());
}

QString randomMenuXml(QRandomGenerator &rng)
{
    static const QStringList parts { "a", "b", "oem", "OEM", "", "é", "x&amp;y" };
    QString xml = QStringLiteral("<Menu><MenuName>m</MenuName>");
    int open = 0;
    for (int n = rng.bounded(25); n > 0; --n) {
        QStringList path;
        for (int i = 1 + rng.bounded(4); i > 0; --i)
            path << parts.at(rng.bounded(parts.size()));
        const QString text = (rng.bounded(3) ? QStringLiteral("/") : QString()) + path.join('/');
        static const QStringList forms { "<Path>%1</Path>", "<Path><![CDATA[%1]]></Path>",
                                         "<Path> <!--note-->%1</Path>",
                                         "<MenuName><Path>%1</Path></MenuName>",
                                         "<Path>\n %1<Path>/inner</Path> </Path>" };
        const int form = rng.bounded(forms.size() + 2);
        if (form == forms.size())
            xml += "<Group>", ++open;
        else if (form > forms.size() && open)
            xml += "</Group>", --open;
        else
            xml += forms.at(form % forms.size()).arg(text);
    }
    return xml + QString("</Group>").repeated(open) + "</Menu>";
}

} // namespace

class TestTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // For the spies on layout signals.
        qRegisterMetaType<QList<QPersistentModelIndex>>();
        qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>();
    }
    void jsonMembersBecomeNodes();
    void xmlPathsBecomeNodes();
    void xmlLoadsLikeThePlainDomWalk();
    void badFilesLoadAsFarAsTheyCan();
    void missingAndUnreadableFilesAreReported();
    void largeMenuFile();
    void structureChangesAreAnnounced();
    void setDataNotifiesDisplay();
    void indexQueries();
    void locateFollowsChanges();
    void watchedFileFollowsEditsRenamesAndDeletion();

private:
    QString file(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        return writeFile(path, content) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestTreeModel::jsonMembersBecomeNodes()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    QSignalSpy changed(&model, &TreeModel::modelChanged);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy layout(&model, &QAbstractItemModel::layoutAboutToBeChanged);
    // Keys come in sorted order; a string member names its node; an array only groups; a node
    // named like an earlier sibling is dropped with its subtree.
    model.loadModelfromJson(file("menu.json", R"({
        "zeta": {}, "A": { "X": {}, "Y": {} }, "Größe": { "Frequenz 频率": {} },
        "mid": { "name": "Renamed", "sub": {} },
        "list": [ { "A": { "lost": {} } }, { "extra": {} } ] })"));
    QCOMPARE(dump(model.rootItem()),
             "A\n X\n Y\nGröße\n Frequenz 频率\nextra\nRenamed\n sub\nzeta");
    QCOMPARE(changed.count(), 2); // cleared, then loaded
    QCOMPARE(inserted.count(), 0); // the load is one reset
    QCOMPARE(layout.count(), 0);

    QTest::ignoreMessage(QtWarningMsg,
                         "void TreeModel::loadValue(const QJsonValue&, TreeNode*) "
                         "Nothing to do, value: QJsonValue(double, 1)");
    model.loadModelfromJson(file("array.json", R"([ 1, { "only": "Named" } ])"));
    QCOMPARE(model.rootItem()->data(), QVariant("Named"));
    QCOMPARE(model.rowCount(), 0);
}

void TestTreeModel::xmlPathsBecomeNodes()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    QSignalSpy layout(&model, &QAbstractItemModel::layoutAboutToBeChanged);
    model.loadModelfromXml(file("menu.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
        <Menu><MenuName>Main</MenuName>
          <Path>/oem/Setup/Network</Path>
          <Group><Path>/oem/Setup/Display</Path></Group>
          <Path>/OEM/Menü/設定</Path>
          <Path>/Tools//Probe</Path>
          <Path>/Tools//Probe/Cal</Path>
          <Path>/Tools/End/</Path>
        </Menu>)"));
    QCOMPARE(dump(model.rootItem()),
             "Setup\n Network\n Display\nOEM\n Menü\n  設定\nTools\n \n  Probe\n   Cal\n End\n  ");
    QCOMPARE(model.locate("Tools/Probe"), model.rootItem()->child(2)->child(0)->child(0));
    QCOMPARE(model.locate("Tools/End/"), model.rootItem()->child(2)->child(1)->child(0));
    // Names are text, which QML shows and compares as strings.
    QCOMPARE(model.index(0, 0).data().userType(), int(QMetaType::QString));
    QCOMPARE(layout.count(), 0);
}

void TestTreeModel::xmlLoadsLikeThePlainDomWalk()
{
    QRandomGenerator rng(11);
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    const QString path = m_dir.filePath("random.xml");
    for (int round = 0; round < 400; ++round) {
        const QString xml = randomMenuXml(rng);
        QVERIFY(writeFile(path, xml.toUtf8()));
        model.loadModelfromXml(path);
        TreeNode expected;
        plainXml(xml, &expected);
        QCOMPARE(dump(model.rootItem()), dump(&expected));
    }
}

void TestTreeModel::badFilesLoadAsFarAsTheyCan()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    const auto json = [&](const QByteArray &content) {
        model.loadModelfromJson(file("bad.json", content));
        return model.rowCount();
    };
    const auto xml = [&](const QByteArray &content) {
        model.loadModelfromXml(file("bad.xml", content));
        return dump(model.rootItem());
    };
    QCOMPARE(json(""), 0);
    QCOMPARE(json(R"({"a": {"b": {})"), 0); // unparsable JSON gives nothing
    QCOMPARE(json(QByteArray(100000, '[')), 0);
    QCOMPARE(json(QByteArray("{\"a\":").repeated(1000) + "{}" + QByteArray(1000, '}')), 1);
    QCOMPARE(xml(""), "");
    QCOMPARE(xml("<m><Path>/a/b</Path><Path>/c/d"), "a\n b");
    QCOMPARE(xml("<m><Path>/a</Path><Path>/b</Pth><Path>/c</Path></m>"), "a");
    QCOMPARE(xml("<m>" + QByteArray("<g>").repeated(100000) + "<Path>/deep</Path>"), "deep");

    // A path of a hundred thousand parts is a chain as deep.
    QStringList parts;
    for (int i = 0; i < 100000; ++i)
        parts << QString::number(i);
    model.loadModelfromXml(
        file("long.xml", "<m><Path>/" + parts.join('/').toUtf8() + "</Path></m>"));
    QModelIndex deepest = model.index(0, 0);
    while (model.rowCount(deepest))
        deepest = model.index(0, 0, deepest);
    QCOMPARE(model.depth(deepest), 99999);
    QCOMPARE(model.locate(parts.join('/')), model.internalPointer(deepest));
    QCOMPARE(model.getSelectionToRoot(deepest).size(), parts.join('/').size() + 1);
}

void TestTreeModel::missingAndUnreadableFilesAreReported()
{
    TreeModel model;
    QSignalSpy changed(&model, &TreeModel::modelChanged);
    const QString missing = m_dir.filePath("missing.json");
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable("virtual void TreeModel::loadModelfromJson(const QString&) \""
                                    + missing + "\" file doesn't exist"));
    model.loadModelfromJson(missing);
    QCOMPARE(changed.count(), 2); // loaded as empty
    // A folder exists but cannot be read: the load stops after clearing.
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable("virtual void TreeModel::loadModelfromXml(const QString&) \""
                                    + m_dir.path() + "\"  cann't open xml file"));
    model.loadModelfromXml(m_dir.path());
    QCOMPARE(changed.count(), 3);
    // Created later, a file missing at load time is not loaded.
    file("missing.json", R"({"late": {}})");
    QTest::qWait(3 * TreeFileWatcher::burstInterval);
    QCOMPARE(model.rowCount(), 0);
}

void TestTreeModel::largeMenuFile()
{
    QByteArray xml = "<Menu>";
    for (int i = 0; i < 20000; ++i)
        xml += QStringLiteral("<Path>/oem/Group %1/Item %2</Path>").arg(i % 50).arg(i).toUtf8();
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    model.loadModelfromXml(file("large.xml", xml + "</Menu>"));
    QCOMPARE(model.rowCount(), 50);
    QCOMPARE(model.rowCount(model.index(49, 0)), 400);
    QCOMPARE(model.locate("Group 7/Item 19957")->row(), 399);
}

void TestTreeModel::structureChangesAreAnnounced()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &TreeModel::modelChanged);
    // A subtree built apart from the model is announced once, when it joins.
    auto *a = new TreeNode(QStringLiteral("a"));
    auto *b = new TreeNode(QStringLiteral("b"));
    QVERIFY(model.addItem(a, b));
    QVERIFY(model.addTopLevelItem(a));
    QCOMPARE(inserted.count(), 1);

    TreeNode sameData(QStringLiteral("b"));
    QVERIFY(!model.addItem(a, &sameData));
    QVERIFY(!model.addItem(b, a)); // below its own child
    QVERIFY(!model.addItem(a, a));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(sameData.parent(), nullptr);

    QVERIFY(model.addTopLevelItem(b)); // moves
    QCOMPARE(removed.count(), 1);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(dump(model.rootItem()), "a\nb");

    model.removeItem(b);
    QCOMPARE(removed.count(), 2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(b->parent(), nullptr);
    QCOMPARE(model.rowCount(), 1);
    delete b;
}

void TestTreeModel::setDataNotifiesDisplay()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    model.addTopLevelItem(new TreeNode(QStringLiteral("old")));
    QSignalSpy dataChanged(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("new"), Qt::EditRole));
    QCOMPARE(model.index(0, 0).data(), QVariant("new"));
    QCOMPARE(dataChanged.count(), 1);
    QVERIFY(dataChanged.at(0).at(2).value<QVector<int>>().contains(Qt::DisplayRole));
    QCOMPARE(model.locate("new"), model.rootItem()->child(0));
}

void TestTreeModel::indexQueries()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    model.loadModelfromJson(file("q.json", R"({"Top": {"Middle": {"Leaf": {}}}})"));
    // Depth, leaves and selection paths of real entries are tested from QML.
    const QModelIndex leaf = model.index(0, 0, model.index(0, 0, model.index(0, 0)));
    QCOMPARE(model.depth(model.rootIndex()), 0);
    QVERIFY(!model.isLeafAtIndex(QModelIndex()));
    QCOMPARE(model.getSelectionToRoot(QModelIndex()), QString());
    QCOMPARE(model.locate(""), model.rootItem());
    QCOMPARE(model.locate("Top/Middle/Leaf"), model.internalPointer(leaf));
    QVERIFY(!model.data(leaf, Qt::EditRole).isValid());
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemFlags());
}

void TestTreeModel::locateFollowsChanges()
{
    QRandomGenerator rng(3);
    const QStringList names { "a", "b", "", "a/b" };
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    QVector<TreeNode *> nodes { model.rootItem() };
    for (int step = 0; step < 600; ++step) {
        TreeNode *node = nodes.at(rng.bounded(nodes.size()));
        const QString name = names.at(rng.bounded(names.size()));
        const int op = rng.bounded(6);
        if (op == 0 && node != model.rootItem()) {
            nodes.erase(std::remove_if(nodes.begin(), nodes.end(),
                                       [node](const TreeNode *n) {
                                           while (n && n != node)
                                               n = n->parent();
                                           return n == node;
                                       }),
                        nodes.end());
            model.removeItem(node);
            delete node;
        } else if (op == 1 && node != model.rootItem()) {
            node->setData(name);
        } else {
            auto *child = new TreeNode(name);
            if (model.addItem(node, child))
                nodes.append(child);
            else
                delete child;
        }
        for (const TreeNode *n : qAsConst(nodes)) {
            const QString path = plainPath(model.rootItem(), n);
            QCOMPARE(model.locate(path), plainLocate(model.rootItem(), path));
        }
    }
}

void TestTreeModel::watchedFileFollowsEditsRenamesAndDeletion()
{
    TreeModel model;
    Tester tester(&model, Tester::FailureReportingMode::Fatal);
    const QString path = file("watched.json", R"({"first": {}})");
    model.loadModelfromJson(path);
    QSignalSpy changed(&model, &TreeModel::modelChanged);

    // An editor writing in steps: one reload (a clear and a load).
    QElapsedTimer burst;
    burst.start();
    for (int i = 1; i <= 5; ++i) {
        QVERIFY(writeFile(path, QStringLiteral(R"({"edit %1": {}})").arg(i).toUtf8()));
        QCoreApplication::processEvents();
    }
    const bool quick = burst.elapsed() < TreeFileWatcher::burstInterval / 2;
    QTRY_COMPARE(model.index(0, 0).data(), QVariant("edit 5"));
    QTest::qWait(3 * TreeFileWatcher::burstInterval);
    if (quick)
        QCOMPARE(changed.count(), 2);

    // Saved through a new file renamed over the old one, twice: still watched.
    for (const char *name : { "renamed", "renamed again" }) {
        QSaveFile save(path);
        QVERIFY(save.open(QIODevice::WriteOnly));
        save.write(QByteArray(R"({")") + name + R"(": {}})");
        QVERIFY(save.commit());
        QTRY_COMPARE(model.index(0, 0).data(), QVariant(name));
    }

    // Deleted: reported and emptied; written again: loaded and watched again.
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable("virtual void TreeModel::loadModelfromJson(const QString&) \""
                                    + path + "\" file doesn't exist"));
    QVERIFY(QFile::remove(path));
    QTRY_COMPARE(model.rowCount(), 0);
    QVERIFY(writeFile(path, R"({"back": {}})"));
    QTRY_COMPARE(model.index(0, 0).data(), QVariant("back"));
    // Models share the watch of a file; one going away leaves the others watching.
    {
        TreeModel other;
        other.loadModelfromJson(path);
    }
    QVERIFY(writeFile(path, R"({"back again": {}})"));
    QTRY_COMPARE(model.index(0, 0).data(), QVariant("back again"));
}

QTEST_GUILESS_MAIN(TestTreeModel)
#include "tst_treemodel.moc"
