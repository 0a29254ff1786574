#include "caction.h"
#include "exclusivegroup.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestCAction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void checkedNeedsCheckableTriggerTogglesUnlessDisabled();
    void settersCompareBeforeEmitting();
    void iconFollowsSourceUnlessThemeIconSet();

    void shortcutFiresOnlyInFocusWindow();
    void mnemonicFollowsTextApartFromShortcut();
    void disabledTwinLeavesTheKeysToTheEnabledAction();
    void destroyedActionRemovesRegistrations();

private:
    std::unique_ptr<QQuickWindow> showWindow();
    void click(int key, Qt::KeyboardModifier modifier)
    {
        QTest::keyClick(m_window.get(), Qt::Key(key), modifier);
    }
    std::unique_ptr<QQuickWindow> m_window;
};

std::unique_ptr<QQuickWindow> TestCAction::showWindow()
{
    auto window = std::make_unique<QQuickWindow>();
    window->resize(200, 100);
    window->show();
    window->requestActivate();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    return window;
}

void TestCAction::init()
{
    m_window = showWindow();
    QVERIFY(m_window);
}

void TestCAction::cleanup()
{
    m_window.reset();
}

void TestCAction::checkedNeedsCheckableTriggerTogglesUnlessDisabled()
{
    CAction action;
    QSignalSpy toggled(&action, &CAction::toggled);
    action.setChecked(true);
    QCOMPARE(action.property("checked").toBool(), false);
    // The published value follows the checkable flag both ways.
    action.setCheckable(true);
    action.setCheckable(false);
    QCOMPARE(QList<QVariantList>(toggled), (QList<QVariantList> { { true }, { false } }));

    action.setCheckable(true);
    action.setChecked(false);
    QSignalSpy triggered(&action, &CAction::triggered);
    // The checked state changes before triggered() is emitted.
    bool checkedWhenTriggered = false;
    connect(&action, &CAction::triggered, this, [&] { checkedWhenTriggered = action.isChecked(); });
    action.trigger();
    QVERIFY(checkedWhenTriggered);
    action.trigger();
    QCOMPARE(action.isChecked(), false);

    action.setEnabled(false);
    action.trigger();
    QCOMPARE(action.isChecked(), false);
    QCOMPARE(triggered.count(), 2);
}

void TestCAction::settersCompareBeforeEmitting()
{
    CAction action;
    QSignalSpy text(&action, &CAction::textChanged);
    QSignalSpy tooltip(&action, &CAction::tooltipChanged);
    QSignalSpy enabled(&action, &CAction::enabledChanged);
    QSignalSpy shortcut(&action, &CAction::shortcutChanged);
    QSignalSpy group(&action, &CAction::exclusiveGroupChanged);

    for (int i = 0; i < 2; ++i) {
        action.setText(QStringLiteral("Run"));
        action.setTooltip(QStringLiteral("Starts"));
        action.setEnabled(false);
        action.setShortcut(QStringLiteral("Ctrl+R"));
        action.setExclusiveGroup(nullptr);
    }
    QCOMPARE(QList<int>({ text.count(), enabled.count(), shortcut.count(), group.count() }),
             QList<int>({ 1, 1, 1, 0 }));
    QCOMPARE(QList<QVariantList>(tooltip), QList<QVariantList>({ { "Starts" } }));

    // The same sequence spelt differently is still the same shortcut; it reads back natively.
    action.setShortcut(QStringLiteral("ctrl+r"));
    const QString native
        = QKeySequence(QStringLiteral("Ctrl+R")).toString(QKeySequence::NativeText);
    QCOMPARE(action.shortcut(), native);
    QCOMPARE(QList<QVariantList>(shortcut), QList<QVariantList>({ { native } }));
}

void TestCAction::iconFollowsSourceUnlessThemeIconSet()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.png"));
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(path));

    CAction action;
    QStringList order;
    connect(&action, &CAction::iconChanged, this, [&] { order << QStringLiteral("icon"); });
    connect(&action, &CAction::iconSourceChanged, this, [&] { order << QStringLiteral("source"); });
    connect(&action, &CAction::iconNameChanged, this, [&] { order << QStringLiteral("name"); });

    action.setIconSource(QUrl::fromLocalFile(path));
    QCOMPARE(order, QStringList({ "icon", "source" }));
    QVERIFY(!action.icon().isNull());
    QVERIFY(action.iconVariant().canConvert<QIcon>());

    // An unknown theme name falls back to the file's icon.
    order.clear();
    action.setIconName(QStringLiteral("no-such-theme-icon"));
    QCOMPARE(order, QStringList({ "name", "icon" }));
    QVERIFY(!action.icon().isNull());

    // With a theme icon in place only the source changes.
    order.clear();
    action.setIconSource(QUrl::fromLocalFile(dir.filePath(QStringLiteral("other.png"))));
    QCOMPARE(order, QStringList({ "source" }));
}

void TestCAction::shortcutFiresOnlyInFocusWindow()
{
    CAction action(m_window->contentItem());
    action.setShortcut(QStringLiteral("Ctrl+K"));
    QSignalSpy triggered(&action, &CAction::triggered);

    click(Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);

    // Another window takes the focus: the shortcut of the first one is not live.
    auto other = showWindow();
    QVERIFY(other);
    QCOMPARE(QGuiApplication::focusWindow(), other.get());
    QTest::keyClick(other.get(), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(triggered.count(), 1);
    other.reset();

    // An action outside any window never fires.
    CAction orphan;
    orphan.setShortcut(QStringLiteral("Ctrl+J"));
    QSignalSpy orphanTriggered(&orphan, &CAction::triggered);
    m_window->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    click(Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(orphanTriggered.count(), 0);
}

void TestCAction::mnemonicFollowsTextApartFromShortcut()
{
    CAction action(m_window->contentItem());
    action.setShortcut(QStringLiteral("Alt+G"));
    action.setText(QStringLiteral("&Go"));
    QCOMPARE(action.mnemonic(), QKeySequence(Qt::ALT | Qt::Key_G));
    // Removing the shortcut on the same keys must leave the mnemonic registered.
    action.setShortcut(QString());
    QSignalSpy triggered(&action, &CAction::triggered);
    click(Qt::Key_G, Qt::AltModifier);
    QCOMPARE(triggered.count(), 1);

    action.setText(QStringLiteral("Go"));
    QVERIFY(action.mnemonic().isEmpty());
    click(Qt::Key_G, Qt::AltModifier);
    QCOMPARE(triggered.count(), 1);
}

void TestCAction::disabledTwinLeavesTheKeysToTheEnabledAction()
{
    // One twin is disabled before its keys are registered, the other after, and they sit on
    // either side of the enabled action in the map.
    CAction before(m_window->contentItem());
    CAction action(m_window->contentItem());
    CAction after(m_window->contentItem());
    before.setEnabled(false);
    for (CAction *a : { &before, &action, &after }) {
        a->setShortcut(QStringLiteral("Ctrl+T"));
        a->setText(QStringLiteral("&Tune"));
    }
    after.setEnabled(false);
    QSignalSpy triggered(&action, &CAction::triggered);
    QSignalSpy afterTriggered(&after, &CAction::triggered);
    const auto press = [this] {
        click(Qt::Key_T, Qt::ControlModifier);
        click(Qt::Key_T, Qt::AltModifier);
    };
    press();
    QCOMPARE(triggered.count(), 2);

    // The action's own keys go off and come back with its enabled flag.
    action.setEnabled(false);
    press();
    action.setEnabled(true);
    press();
    QCOMPARE(triggered.count(), 4);

    // Two enabled twins are ambiguous again: a warning, and neither fires.
    after.setEnabled(true);
    const QString native
        = QKeySequence(QStringLiteral("Ctrl+T")).toString(QKeySequence::NativeText);
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable("CAction::event: Ambiguous shortcut overload: " + native));
    click(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(triggered.count() + afterTriggered.count(), 4);
}

void TestCAction::destroyedActionRemovesRegistrations()
{
    CAction survivor(m_window->contentItem());
    survivor.setShortcut(QStringLiteral("Ctrl+D"));
    survivor.setText(QStringLiteral("&Edit"));
    QSignalSpy triggered(&survivor, &CAction::triggered);
    {
        CAction doomed(m_window->contentItem());
        doomed.setShortcut(QStringLiteral("Ctrl+D"));
        doomed.setText(QStringLiteral("&Exit"));
    }
    // Had the registrations survived, both keys would be ambiguous (and a dangling owner).
    click(Qt::Key_D, Qt::ControlModifier);
    click(Qt::Key_E, Qt::AltModifier);
    QCOMPARE(triggered.count(), 2);
}

QTEST_MAIN(TestCAction)
#include "tst_caction.moc"
