#include "popupwindow.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// Content that records what the scene delivers to it.
class Recorder : public QQuickItem
{
public:
    explicit Recorder(QQuickItem *parent = nullptr)
        : QQuickItem(parent)
    {
        setAcceptedMouseButtons(Qt::LeftButton);
    }
    QStringList events;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        events << QStringLiteral("press");
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        events << QStringLiteral("release");
        event->accept();
    }
};

// Counts the presses a window receives, and where.
class PressCounter : public QObject
{
public:
    QList<QPoint> presses;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            presses << static_cast<QMouseEvent *>(event)->pos();
        return false;
    }
};

// Exposes the number of connections to the popup's signals.
class ProbePopup : public PopupWindow
{
public:
    int visibleReceivers() const { return receivers(SIGNAL(visibleChanged(bool))); }
    int dismissedReceivers() const { return receivers(SIGNAL(popupDismissed())); }
};

class TestPopupWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void contentTurnsAndWindowSwapsSize();
    void placementKeepsWindowOnScreen();
    void submenuPlacementAgainstParentPopup();
    void tapRules();
    void outsidePressDismissesOnce();
    void pressOutsideSubmenuGoesToParentPopup();
    void reopeningDoesNotRepeatConnections();
    void touchFollowsTheMouseRules();
    void guardedPointers();

private:
    // A popup of 300 x 100 content opened from the application window at (x, y).
    void open(ProbePopup &popup, Recorder &content, int x, int y);
    // A submenu of `size` content opened from the content of a parent popup at (x, y).
    static void openSub(ProbePopup &submenu, Recorder &content, QQuickItem &parentContent,
                        const QSizeF &size, int x, int y)
    {
        content.setSize(size);
        submenu.setPopupContentItem(&content);
        submenu.QObject::setParent(&parentContent);
        submenu.__popup(x, y);
    }

    std::unique_ptr<QQuickWindow> m_window;
};

void TestPopupWindow::init()
{
    m_window = std::make_unique<QQuickWindow>();
    // No frame: the window's origin is the screen's.
    m_window->setFlags(Qt::FramelessWindowHint);
    m_window->setGeometry(0, 0, 400, 300);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestPopupWindow::cleanup()
{
    m_window.reset();
}

void TestPopupWindow::open(ProbePopup &popup, Recorder &content, int x, int y)
{
    content.setSize(QSizeF(300, 100));
    popup.setPopupContentItem(&content);
    popup.setParentItem(m_window->contentItem());
    popup.__popup(x, y);
    QVERIFY(QTest::qWaitForWindowExposed(&popup));
}

void TestPopupWindow::contentTurnsAndWindowSwapsSize()
{
    ProbePopup popup;
    Recorder content;
    open(popup, content, 10, 20);
    QCOMPARE(popup.geometry(), QRect(10, 20, 100, 300));
    QCOMPARE(popup.contentItem()->y(), 300.0);
    const QRectF window(0, 0, 100, 300);
    for (const QPointF corner :
         { QPointF(0, 0), QPointF(300, 0), QPointF(0, 100), QPointF(300, 100) })
        QVERIFY2(window.contains(content.mapToScene(corner)),
                 qPrintable(QString::number(corner.x())));

    // The window follows the content's size.
    content.setWidth(200);
    QCOMPARE(popup.size(), QSize(100, 200));
}

void TestPopupWindow::placementKeepsWindowOnScreen()
{
    // The offscreen screen is 800 x 600.
    ProbePopup popup;
    Recorder content;
    open(popup, content, 750, 20);
    QCOMPARE(popup.geometry(), QRect(700, 20, 100, 300));
    popup.__popup(10, 500);
    QCOMPARE(popup.geometry(), QRect(10, 300, 100, 300));
}

void TestPopupWindow::submenuPlacementAgainstParentPopup()
{
    ProbePopup parentPopup;
    Recorder parentContent;
    open(parentPopup, parentContent, 600, 10);
    QCOMPARE(parentPopup.geometry(), QRect(600, 10, 100, 300));

    // Opened from the parent popup, 10 px over its right edge: no room on the right, so it goes
    // to the left side with the same overlap.
    ProbePopup submenu;
    Recorder subContent;
    openSub(submenu, subContent, parentContent, QSizeF(200, 150), 90, 10);
    QCOMPARE(submenu.transientParent(), &parentPopup);
    QCOMPARE(submenu.geometry(), QRect(460, 20, 150, 200));

    // A position on an item of the turned parent lands where that item is on screen.
    submenu.setParentItem(&parentContent);
    submenu.__popup(250, 40);
    QCOMPARE(submenu.position(), QPoint(640, 60));
}

void TestPopupWindow::tapRules()
{
    // The pointer is already where the taps land: Qt adds no move before a press.
    QTest::mouseMove(m_window.get(), QPoint(60, 170));
    const QPoint tap(50, 150);
    ProbePopup popup;
    Recorder content;
    const auto reopen = [&] {
        popup.__closePopup();
        popup.__popup(10, 20);
        content.events.clear();
        return QTest::qWaitForWindowExposed(&popup);
    };
    open(popup, content, 10, 20);
    // The first tap is swallowed, the second clicks.
    QTest::mousePress(&popup, Qt::LeftButton, {}, tap);
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, tap);
    QCOMPARE(content.events, QStringList());
    QTest::mouseClick(&popup, Qt::LeftButton, {}, tap, 300);
    QCOMPARE(content.events, QStringList({ "press", "release" }));

    // Reopened by a tap elsewhere: the release of that tap must not click an entry.
    QVERIFY(reopen());
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, tap);
    QCOMPARE(content.events, QStringList());

    // A press that moves clicks on release.
    QVERIFY(reopen());
    QTest::mousePress(&popup, Qt::LeftButton, {}, tap);
    QCOMPARE(content.events, QStringList());
    QTest::mouseMove(&popup, QPoint(60, 160));
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, QPoint(60, 160));
    QCOMPARE(content.events, QStringList({ "press", "release" }));
}

void TestPopupWindow::outsidePressDismissesOnce()
{
    ProbePopup popup;
    Recorder content;
    open(popup, content, 10, 20);
    QSignalSpy dismissed(&popup, &PopupWindow::popupDismissed);
    QTest::mousePress(&popup, Qt::LeftButton, {}, QPoint(250, 150));
    QVERIFY(dismissed.count() == 1 && !popup.isVisible());
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, QPoint(250, 150));
    QCOMPARE(dismissed.count(), 1);
    QCOMPARE(content.events, QStringList());
}

void TestPopupWindow::pressOutsideSubmenuGoesToParentPopup()
{
    ProbePopup parentPopup;
    Recorder parentContent;
    open(parentPopup, parentContent, 10, 10);
    PressCounter parentPresses;
    parentPopup.installEventFilter(&parentPresses);

    ProbePopup submenu;
    Recorder subContent;
    openSub(submenu, subContent, parentContent, QSizeF(100, 100), 200, 0);
    QVERIFY(QTest::qWaitForWindowExposed(&submenu));
    QCOMPARE(submenu.position(), QPoint(210, 10));
    QSignalSpy dismissed(&submenu, &PopupWindow::popupDismissed);

    // (-150, 40) on the submenu is (50, 40) on the parent popup.
    QTest::mousePress(&submenu, Qt::LeftButton, {}, QPoint(-150, 40));
    QCOMPARE(parentPresses.presses, QList<QPoint>({ QPoint(50, 40) }));
    QVERIFY(dismissed.isEmpty() && submenu.isVisible());
    // Move and release reach the parent's entry as a click.
    QTest::mouseMove(&submenu, QPoint(-150, 45));
    QTest::mouseRelease(&submenu, Qt::LeftButton, {}, QPoint(-150, 45));
    QCOMPARE(parentContent.events, QStringList({ "press", "release" }));
    QCOMPARE(subContent.events, QStringList());
    QCOMPARE(dismissed.count(), 0);
}

void TestPopupWindow::reopeningDoesNotRepeatConnections()
{
    ProbePopup parentPopup;
    Recorder parentContent;
    open(parentPopup, parentContent, 10, 0);
    ProbePopup submenu;
    Recorder subContent;
    openSub(submenu, subContent, parentContent, QSizeF(100, 100), 200, 0);
    const int visibleReceivers = submenu.visibleReceivers();
    const int dismissedReceivers = parentPopup.dismissedReceivers();
    for (int i = 0; i < 3; ++i) {
        submenu.__closePopup();
        submenu.__popup(200, 0);
    }
    QCOMPARE(submenu.visibleReceivers(), visibleReceivers);
    QCOMPARE(parentPopup.dismissedReceivers(), dismissedReceivers);

    // Dismissing the parent closes the chain, each popup once.
    QSignalSpy subDismissed(&submenu, &PopupWindow::popupDismissed);
    parentPopup.dismissPopup();
    QVERIFY(subDismissed.count() == 1 && !submenu.isVisible());
}

void TestPopupWindow::touchFollowsTheMouseRules()
{
    ProbePopup popup;
    Recorder content;
    open(popup, content, 10, 20);
    // Registered devices belong to Qt.
    QTouchDevice *touch = QTest::createTouchDevice();
    QSignalSpy dismissed(&popup, &PopupWindow::popupDismissed);

    const auto tap = [&](const QPoint &point) {
        QTest::touchEvent(&popup, touch).press(0, point, &popup);
        QTest::touchEvent(&popup, touch).release(0, point, &popup);
    };
    tap(QPoint(50, 150));
    QCOMPARE(content.events, QStringList());
    tap(QPoint(50, 150));
    QCOMPARE(content.events, QStringList({ "press", "release" }));
    tap(QPoint(250, 150));
    QCOMPARE(dismissed.count(), 1);
}

void TestPopupWindow::guardedPointers()
{
    auto popup = std::make_unique<ProbePopup>();
    auto content = std::make_unique<Recorder>();
    auto other = std::make_unique<QQuickWindow>();
    other->setGeometry(300, 200, 100, 100);
    auto parentItem = std::make_unique<QQuickItem>(m_window->contentItem());
    open(*popup, *content, 0, 0);
    popup->setParentItem(parentItem.get());
    popup->__popup(0, 0);
    QCOMPARE(popup->transientParent(), m_window.get());

    // The parent window is looked up again on every opening.
    parentItem->setParentItem(other->contentItem());
    popup->__closePopup();
    popup->__popup(0, 0);
    QCOMPARE(popup->transientParent(), other.get());
    QVERIFY(QTest::qWaitForWindowExposed(popup.get()));

    content.reset();
    parentItem.reset();
    QCOMPARE(popup->popupContentItem(), nullptr);
    QCOMPARE(popup->parentItem(), nullptr);
    popup->updateSize();
    popup->__popup(0, 0);
    QVERIFY(QTest::qWaitForWindowExposed(popup.get()));

    // The parent window going away dismisses the popup.
    QSignalSpy dismissed(popup.get(), &PopupWindow::popupDismissed);
    other.reset();
    QCOMPARE(dismissed.count(), 1);
    // The closed window's last events are delivered before it opens again, as in an application.
    QCoreApplication::processEvents();
    popup->__closePopup();
    popup->__popup(0, 0);
    QVERIFY(QTest::qWaitForWindowExposed(popup.get()));
}

QTEST_MAIN(TestPopupWindow)
#include "tst_popupwindow.moc"
