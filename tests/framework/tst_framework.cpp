#include "baseformatter.h"
#include "simbus.h"
#include "simdata.h"
#include "uidatacontainer.h"
#include "zebbusbackend.h"
#include "zebclient.h"
#include "zebclientinterface.h"
#include "zebclientitem.h"

#include <QSignalSpy>
#include <QtTest>

class TestFramework : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void valueStringFallsBackToValue();
    void settersNotifyOnlyOnChange();
    void sessionBusClientsAreReused();
    void sessionBusItemsAreReadLive();
    void containerInstanceIsClearedOnDestruction();
};

void TestFramework::cleanup()
{
    SimBus::instance()->clear();
    SimBus::instance()->setAvailable(true);
}

void TestFramework::valueStringFallsBackToValue()
{
    SimData sim;
    sim.setValue(12.5);
    QCOMPARE(sim.valueString(true), QStringLiteral("12.5"));
    sim.setValueString(QStringLiteral("12.50 dBm"));
    QCOMPARE(sim.valueString(true), QStringLiteral("12.50 dBm"));
}

void TestFramework::settersNotifyOnlyOnChange()
{
    SimData sim;
    QSignalSpy value(&sim, &SimData::valueChanged);
    QSignalSpy name(&sim, &SimData::nameChanged);
    QSignalSpy range(&sim, &SimData::maxRangeChanged);
    QSignalSpy formatter(&sim, &SimData::formatterTypeChanged);
    for (int i = 0; i < 2; ++i) {
        sim.setValue(1);
        sim.setName(QStringLiteral("n"));
        sim.setMaxRange(10.0);
        sim.setFormatterType(QStringLiteral("f"));
    }
    QCOMPARE(value.count(), 1);
    QCOMPARE(name.count(), 1);
    QCOMPARE(range.count(), 1);
    QCOMPARE(formatter.count(), 1);
    // A value of another type is a change even when it compares equal.
    sim.setValue(QStringLiteral("1"));
    QCOMPARE(value.count(), 2);

    // Applicability is announced through the data object's own signal.
    QSignalSpy applicable(static_cast<ZebData *>(&sim), &ZebData::applicableChanged);
    sim.setApplicable(true);
    sim.setApplicable(false);
    QCOMPARE(applicable.count(), 1);
}

void TestFramework::sessionBusClientsAreReused()
{
    ZEBClient *first
        = ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.dxtest_app"));
    ZEBClient *again
        = ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.dxtest_app"), this);
    ZEBClient *other = ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.other"));
    QVERIFY(first);
    QCOMPARE(again, first);
    QVERIFY(other != first);
    // The framework owns its clients, whatever parent the caller passed.
    QVERIFY(first->parent() != this);

    SimBus::instance()->setAvailable(false);
    QCOMPARE(ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.dxtest_app")),
             nullptr);
    SimBus::instance()->setAvailable(true);

    // Without a backend there is no bus; clients handed out before read nothing.
    SimBus::instance()->setItem(QStringLiteral(":config:x:"), 1);
    ZebBusBackend::install(nullptr);
    QCOMPARE(ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.dxtest_app")),
             nullptr);
    QCOMPARE(first->getItem(QStringLiteral(":config:x:")), nullptr);
    ZebBusBackend::install(SimBus::instance());
    QVERIFY(first->getItem(QStringLiteral(":config:x:")));
}

void TestFramework::sessionBusItemsAreReadLive()
{
    const QString id = QStringLiteral(":config:dxtest_app:demod:rfPowerUnit:");
    ZEBClient *client
        = ZEBClientInterface::getSessionBusClient(QStringLiteral("orb.base.dxtest_app"));
    QVERIFY(client);
    QCOMPARE(client->getItem(id), nullptr);

    SimBus::instance()->setItem(id, QStringLiteral("dBm"));
    ZEBClientItem *item = client->getItem(id);
    QVERIFY(item);
    QCOMPARE(item->getValue().toString(), QStringLiteral("dBm"));
    QCOMPARE(client->getItem(id), item);

    SimBus::instance()->setItem(id, QStringLiteral("W"));
    QCOMPARE(item->getValue().toString(), QStringLiteral("W"));

    SimBus::instance()->removeItem(id);
    QCOMPARE(client->getItem(id), nullptr);
}

void TestFramework::containerInstanceIsClearedOnDestruction()
{
    QCOMPARE(UiDataContainer::s_dcInstance, nullptr);
    auto *container = new UiDataContainer;
    UiDataContainer::s_dcInstance = container;
    delete container;
    QCOMPARE(UiDataContainer::s_dcInstance, nullptr);
}

QTEST_GUILESS_MAIN(TestFramework)
#include "tst_framework.moc"
