#include "caction.h"
#include "dataitemlistmodel.h"
#include "simdata.h"
#include "tableheader.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using Counts = QList<int>;
using M = DataItemListModel;

namespace {

DataItem *item(const QString &text, QObject *parent = nullptr)
{
    auto *made = new DataItem(parent);
    made->setText(text);
    return made;
}

// Appends as QML appends declared children, through the "items" list property.
void declare(M &model, DataItem *item)
{
    QQmlListProperty<QObject> items = model.items();
    items.append(&items, item);
}

QVariant role(const M &model, int row, int role)
{
    return model.data(model.index(row, 0), role);
}

QStringList texts(const M &model)
{
    QStringList all;
    for (int r = 0; r < model.rowCount(); ++r)
        all << role(model, r, M::TextRole).toString() + "#"
                + role(model, r, M::ItemIndex).toString();
    return all;
}

} // namespace

class TestDataItemListModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rolesWithAndWithoutDataObject();
    void declarationAndLateItems();
    void insertRemoveAndRefusals();
    void clearAndItemsDyingElsewhere();
    void cellDataChangedNeedsAHeldSender();
};

void TestDataItemListModel::rolesWithAndWithoutDataObject()
{
    M model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    DataItem *plain = item("plain");
    plain->setSubText("sub");
    DataItem *bound = item("bound");
    SimData data;
    data.setDataId("id7");
    data.setValue(-3.5);
    data.setQualityCode(16);
    data.setFormatterType("dbm");
    bound->setZebData(&data);
    CAction action;
    bound->setAction(&action);
    declare(model, plain);
    declare(model, bound);
    model.componentComplete();
    auto roles = [&model](int row, const QVector<int> &which) {
        QVariantList values;
        for (int r : which)
            values << role(model, row, r);
        return values;
    };

    QCOMPARE(model.roleNames().value(282), QByteArray("enabled"));
    const QVector<int> neutral { M::ValueStringRole, M::IdRole, M::LabelRole, M::ReadOnlyRole,
                                 M::IsReadyRole };
    QCOMPARE(roles(0, neutral), QVariantList({ "sub", QString(), QString(), true, true }));
    for (const QVariant &value :
         roles(0,
               { M::ValueRole, M::NameRole, M::QualityCodeRole, M::ZebDataRole, M::ActionRole,
                 M::ComponentRole, M::UnitRole, M::InputTypeRole, 256, 283 }))
        QVERIFY(!value.isValid());

    const QVector<int> live { M::IdRole, M::ValueRole, M::QualityCodeRole, M::FormatterRole,
                              M::IsReadyRole };
    QCOMPARE(roles(1, live), QVariantList({ "id7", -3.5, 16, "dbm", 1 }));
    QCOMPARE(role(model, 1, M::IsReadyRole).userType(), int(QMetaType::Int));
    QCOMPARE(qvariant_cast<ZebData *>(role(model, 1, M::ZebDataRole)), &data);
    QCOMPARE(qvariant_cast<CAction *>(role(model, 1, M::ActionRole)), &action);
    QCOMPARE(qvariant_cast<DataItem *>(role(model, 1, M::DataItemRole)), bound);
    QVERIFY(!role(model, 1, M::UnitRole).isValid());
    QVERIFY(!model.data(model.index(2, 0), M::TextRole).isValid());
}

void TestDataItemListModel::declarationAndLateItems()
{
    M model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy count(&model, &M::countChanged);
    QSignalSpy completed(&model, &M::completedChanged);
    DataItem *a = item("a");
    a->setItemIndex(7);
    declare(model, a);
    declare(model, item("b"));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(Counts({ count.count(), a->getItemIndex() }), Counts({ 0, 7 }));
    model.componentComplete();
    QCOMPARE(texts(model), QStringList({ "a#0", "b#1" }));
    QCOMPARE(Counts({ count.count(), completed.count() }), Counts({ 1, 1 }));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    // An item appended after completion is numbered, counted and followed like the others.
    DataItem *late = item("late");
    declare(model, late);
    QCOMPARE(Counts({ count.count(), late->getItemIndex() }), Counts({ 2, 2 }));
    late->setText("later");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 2);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(), QVector<int>({ 278, 279 }));

    // Applicability reaches the model's signal and the row's "applicable" role.
    QSignalSpy applicable(&model, &M::applicableChanged);
    a->setApplicable(false);
    QCOMPARE(applicable.count(), 1);
    QCOMPARE(changed.last().at(2).value<QVector<int>>(), QVector<int>({ M::ApplicableRole }));
    QCOMPARE(role(model, 0, M::ApplicableRole), QVariant(false));
}

void TestDataItemListModel::insertRemoveAndRefusals()
{
    M model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    declare(model, item("a"));
    declare(model, item("b"));
    model.componentComplete();
    QSignalSpy inserting(&model, &M::signalInsertingItem);
    QSignalSpy removing(&model, &M::signalRemovingItem);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    DataItem *first = item("first");
    model.insertItem(0, first);
    QCOMPARE(texts(model), QStringList({ "first#0", "a#1", "b#2" }));
    // The rows whose number changed are announced.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 1);
    QCOMPARE(changed.at(0).at(1).value<QModelIndex>().row(), 2);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(), QVector<int>({ M::ItemIndex }));
    first->setSubText("x"); // inserted items are followed too
    QCOMPARE(changed.count(), 2);

    // Refused: no row is announced (the tester would fail), the list says why.
    QTest::ignoreMessage(QtDebugMsg, "DataItemList::insertItem(): refused an index out of range");
    model.insertItem(9, item("far", &model));
    QTest::ignoreMessage(QtDebugMsg,
                         "DataItemList::insertItem(): refused an item the list already holds");
    model.insertItem(0, first);
    QTest::ignoreMessage(QtDebugMsg,
                         "DataItemList::appendItem(): refused an item the list already holds");
    declare(model, first);
    QCOMPARE(Counts({ model.rowCount(), inserting.count() }), Counts({ 3, 1 }));

    DataItem *a = model.itemAtIndex(1);
    a->setItemIndex(40);
    DataItem stranger;
    model.removeItem(&stranger); // changes nothing but the numbering
    QCOMPARE(Counts({ model.rowCount(), a->getItemIndex(), removing.count() }),
             Counts({ 3, 1, 0 }));
    model.removeItem(first);
    QCOMPARE(texts(model), QStringList({ "a#0", "b#1" }));
    QCOMPARE(removing.count(), 1);
    QVERIFY(!first->parent()); // handed back
    first->setText("gone"); // no longer followed
    QCOMPARE(changed.count(), 4); // renumbered twice: a, then a and b
    delete first;
}

void TestDataItemListModel::clearAndItemsDyingElsewhere()
{
    M model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy aboutToRemove(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
    model.clear(); // nothing to announce
    QCOMPARE(aboutToRemove.count(), 0);

    QObject owner;
    DataItem *a = item("a", &owner);
    declare(model, a);
    declare(model, item("b", &owner));
    declare(model, new TableHeader);
    model.componentComplete();
    delete a; // leaves its row as a removal, and the rest are renumbered
    QCOMPARE(aboutToRemove.count(), 1);
    QCOMPARE(texts(model), QStringList({ "b#0", "#1" }));

    QPointer<DataItem> b = model.itemAtIndex(0);
    model.clear();
    QVERIFY(!b);
    QCOMPARE(Counts({ model.rowCount(), aboutToRemove.count() }), Counts({ 0, 2 }));
}

void TestDataItemListModel::cellDataChangedNeedsAHeldSender()
{
    M model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    DataItem *held = item("held");
    declare(model, held);
    model.componentComplete();
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.cellDataChanged(); // a direct call, as from QML: no sender
    DataItem stranger;
    connect(&stranger, &DataItem::textChanged, &model, &M::cellDataChanged);
    stranger.setText("x");
    QCOMPARE(changed.count(), 0);
    connect(held, &DataItem::iconSourceChanged, &model, &M::cellDataChanged);
    held->setIconSource("icon.png");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), model.index(0, 0));
}

QTEST_MAIN(TestDataItemListModel)
#include "tst_dataitemlistmodel.moc"
