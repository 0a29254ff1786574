#include "popupwindow.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QQuickItem>
#include <QScreen>
#include <QTouchEvent>

#include <cmath>

namespace {

// Halves round up, as for every position of the popup.
int roundHalfUp(double value)
{
    return int(std::floor(value + 0.5));
}

QPoint roundedPos(const QMouseEvent *event)
{
    return QPoint(roundHalfUp(event->localPos().x()), roundHalfUp(event->localPos().y()));
}

} // namespace

PopupWindow::PopupWindow(QWindow *parent)
    : QQuickWindow(parent)
{
    setFlags(Qt::SplashScreen);
    setModality(Qt::WindowModal);
    reportContentOrientationChange(Qt::PortraitOrientation);
    // The content turns about the top-left corner of the window's root item.
    contentItem()->setTransformOrigin(QQuickItem::TopLeft);
}

PopupWindow::~PopupWindow()
{
    // QWindow's destructor hides the window: no slot of this half-destroyed object may run.
    disconnect(this, &QWindow::visibleChanged, this, &PopupWindow::windowVisibleChanged);
    if (m_popupContentItem)
        disconnect(m_popupContentItem, nullptr, this, nullptr);
    if (m_parentWindow)
        disconnect(m_parentWindow, nullptr, this, nullptr);
}

QQuickItem *PopupWindow::popupContentItem() const
{
    return m_popupContentItem;
}

void PopupWindow::setPopupContentItem(QQuickItem *item)
{
    QQuickItem *root = contentItem();
    if (!item || (item == m_popupContentItem && item->parentItem() == root))
        return;
    if (QQuickItem *old = m_popupContentItem) {
        disconnect(old, nullptr, this, nullptr);
        if (old->parentItem() == root)
            old->setParentItem(nullptr);
    }
    item->setParentItem(root);
    root->setRotation(-90);
    connect(item, &QQuickItem::widthChanged, this, &PopupWindow::updateSize, Qt::UniqueConnection);
    connect(item, &QQuickItem::heightChanged, this, &PopupWindow::updateSize, Qt::UniqueConnection);
    m_popupContentItem = item;
}

QQuickItem *PopupWindow::parentItem() const
{
    return m_parentItem;
}

void PopupWindow::setParentItem(QQuickItem *item)
{
    m_parentItem = item;
    if (item)
        setParentWindow(item->window());
}

bool PopupWindow::isPopupVisible() const
{
    return m_popupVisible;
}

int PopupWindow::minimumWidth() const
{
    return m_minimumWidth;
}

void PopupWindow::setMinimumWidth(int width)
{
    m_minimumWidth = width;
}

int PopupWindow::xOffset() const
{
    return int(m_xOffset);
}

void PopupWindow::setXOffset(int offset)
{
    m_xOffset = offset;
}

int PopupWindow::yOffset() const
{
    return int(m_yOffset);
}

void PopupWindow::setYOffset(int offset)
{
    m_yOffset = offset;
}

QFont PopupWindow::font() const
{
    return m_font;
}

void PopupWindow::setFont(const QFont &font)
{
    m_font = font;
}

QWindow *PopupWindow::findParentWindow()
{
    // Looked up on every opening: the parent item may have moved to another window since.
    if (m_parentItem && m_parentItem->window())
        return m_parentItem->window();
    if (auto *item = qobject_cast<QQuickItem *>(QObject::parent())) {
        if (item->window())
            return item->window();
    }
    return m_parentWindow ? m_parentWindow.data() : transientParent();
}

void PopupWindow::setParentWindow(QWindow *window)
{
    if (!window || window == m_parentWindow)
        return;
    if (m_parentWindow)
        disconnect(m_parentWindow, nullptr, this, nullptr);
    m_parentWindow = window;
    connect(window, &QObject::destroyed, this, &PopupWindow::dismissPopup, Qt::UniqueConnection);
    // A chain of popups closes together.
    if (auto *popup = qobject_cast<PopupWindow *>(window))
        connect(popup, &PopupWindow::popupDismissed, this, &PopupWindow::dismissPopup,
                Qt::UniqueConnection);
}

void PopupWindow::updateSize()
{
    const QRectF children = contentItem()->childrenRect();
    const int w = roundHalfUp(children.width());
    const int h = roundHalfUp(children.height());
    // Turned by -90 degrees about its top-left corner, the content would end above the window.
    contentItem()->setY(w);
    setGeometry(x(), y(), w, h);
}

void PopupWindow::setGeometry(int x, int y, int w, int h)
{
    // The window is as wide as the content is high, and as high as the content is wide; a
    // window has at least one pixel each way, even without content.
    const int windowWidth = qMax(1, h);
    const int windowHeight = qMax(1, w);

    QWindow *reference = transientParent();
    if (!reference && m_parentItem)
        reference = m_parentItem->window();
    if (!reference)
        reference = this;
    if (const QScreen *screen = reference->screen()) {
        const QRect available = screen->availableVirtualGeometry();
        const int right = available.x() + available.width();
        const int bottom = available.y() + available.height();
        if (x + windowWidth <= right) {
            x = qMax(x, available.x());
        } else if (auto *parentPopup = qobject_cast<PopupWindow *>(transientParent())) {
            // A submenu goes to the left side of the popup it opens from.
            const int overlap = parentPopup->x() + parentPopup->width() - x;
            x -= parentPopup->width() + windowWidth - 2 * overlap;
        } else {
            x = right - windowWidth;
        }
        y = qMax(available.y(), qMin(y, bottom - windowHeight));
    }
    QWindow::setGeometry(x, y, windowWidth, windowHeight);
}

void PopupWindow::popup()
{
    __popup(m_xOffset, m_yOffset);
}

void PopupWindow::__popup(double x, double y)
{
    if (!m_popupVisible) {
        m_popupVisible = true;
        Q_EMIT popupVisibleChanged();
    }
    QWindow *parentWindow = findParentWindow();
    setParentWindow(parentWindow);
    setTransientParent(parentWindow);
    setPopupContentItem(m_popupContentItem);
    connect(this, &QWindow::visibleChanged, this, &PopupWindow::windowVisibleChanged,
            Qt::UniqueConnection);
    updateSize();
    setPosition(int(x), int(y));
    show();
}

void PopupWindow::show()
{
    // A reused popup must not take the release of the tap that opened it for a click.
    m_mouseMoved = false;
    double x = this->x();
    double y = this->y();
    auto *parentScene = qobject_cast<QQuickWindow *>(transientParent());
    if (parentScene) {
        if (m_parentItem) {
            // Scene coordinates are window coordinates, whatever the root item's rotation.
            const QPointF mapped = m_parentItem->mapToScene(QPointF(x, y));
            x = mapped.x();
            y = mapped.y();
        }
        const QPoint offset = parentScene->parent() ? parentScene->mapToGlobal(QPoint(0, 0))
                                                    : parentScene->position();
        x = int(x + offset.x());
        y = int(y + offset.y());
    }
    if (m_popupContentItem) {
        setGeometry(int(x), int(y), qMax(1, int(m_popupContentItem->width())),
                    qMax(1, int(m_popupContentItem->height())));
    } else {
        setPosition(int(x), int(y));
    }
    if (parentScene && !qobject_cast<PopupWindow *>(parentScene)) {
        if (QQuickItem *grabber = parentScene->mouseGrabberItem())
            grabber->ungrabMouse();
    }
    QQuickWindow::show();
    setMouseGrabEnabled(true);
    setKeyboardGrabEnabled(true);
}

void PopupWindow::dismissPopup()
{
    Q_EMIT popupDismissed();
    close();
}

void PopupWindow::__closePopup()
{
    if (m_popupVisible) {
        m_popupVisible = false;
        Q_EMIT popupVisibleChanged();
    }
    setVisible(false);
    Q_EMIT __popupClosed();
}

void PopupWindow::windowVisibleChanged(bool visible)
{
    if (visible)
        return;
    // Input goes back to a parent popup that is still open, never to an application window:
    // that one does not take part in the popup's grab.
    auto *parentPopup = qobject_cast<PopupWindow *>(transientParent());
    if (parentPopup && parentPopup->isVisible()) {
        parentPopup->setMouseGrabEnabled(true);
        parentPopup->setKeyboardGrabEnabled(true);
    }
}

bool PopupWindow::isInside(const QMouseEvent *event) const
{
    return QRect(QPoint(0, 0), size()).contains(roundedPos(event));
}

void PopupWindow::mousePressEvent(QMouseEvent *event)
{
    if (!isVisible())
        return;
    if (isInside(event)) {
        event->accept();
        return;
    }
    forwardEvent(event);
}

void PopupWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!isVisible())
        return;
    m_mouseMoved = true;
    if (isInside(event))
        QQuickWindow::mouseMoveEvent(event);
    else
        forwardEvent(event);
}

void PopupWindow::mouseReleaseEvent(QMouseEvent *event)
{
    // The release of a press that dismissed the popup still comes here: it is not a second
    // dismissal.
    if (!isVisible())
        return;
    if (!isInside(event)) {
        forwardEvent(event);
        return;
    }
    if (m_mouseMoved) {
        // The press was held back; the scene gets it now, with the button down.
        QMouseEvent press(QEvent::MouseButtonPress, event->localPos(), event->windowPos(),
                          event->screenPos(), event->button(), event->buttons() | event->button(),
                          event->modifiers());
        QQuickWindow::mousePressEvent(&press);
        QQuickWindow::mouseReleaseEvent(event);
    }
    m_mouseMoved = true;
}

void PopupWindow::forwardEvent(QMouseEvent *event)
{
    QWindow *parentWindow = transientParent();
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool releaseAfterMove = event->type() == QEvent::MouseButtonRelease && m_mouseMoved;
    if (!qobject_cast<PopupWindow *>(parentWindow) && (press || releaseAfterMove)) {
        dismissPopup();
        return;
    }
    if (!parentWindow)
        return;
    const QPoint global = mapToGlobal(roundedPos(event));
    const QPoint local = parentWindow->mapFromGlobal(global);
    QMouseEvent forwarded(event->type(), local, local, global, event->button(), event->buttons(),
                          event->modifiers());
    QCoreApplication::sendEvent(parentWindow, &forwarded);
}

bool PopupWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return handleTouch(static_cast<QTouchEvent *>(event));
    case QEvent::TouchCancel:
        m_touchPointId = -1;
        event->accept();
        return true;
    default:
        return QQuickWindow::event(event);
    }
}

// The scene would take touch points directly, past the inside/outside rules: the first touch
// point goes through them as a mouse with its left button.
bool PopupWindow::handleTouch(QTouchEvent *event)
{
    event->accept();
    const QList<QTouchEvent::TouchPoint> points = event->touchPoints();
    if (event->type() == QEvent::TouchBegin && !points.isEmpty())
        m_touchPointId = points.constFirst().id();
    for (const QTouchEvent::TouchPoint &point : points) {
        if (point.id() != m_touchPointId)
            continue;
        QEvent::Type type;
        Qt::MouseButton button = Qt::LeftButton;
        Qt::MouseButtons buttons = Qt::LeftButton;
        switch (point.state()) {
        case Qt::TouchPointPressed:
            type = QEvent::MouseButtonPress;
            break;
        case Qt::TouchPointMoved:
            type = QEvent::MouseMove;
            button = Qt::NoButton;
            break;
        case Qt::TouchPointReleased:
            type = QEvent::MouseButtonRelease;
            buttons = Qt::NoButton;
            m_touchPointId = -1;
            break;
        default:
            return true;
        }
        QMouseEvent mouse(type, point.pos(), point.scenePos(), point.screenPos(), button, buttons,
                          event->modifiers(), Qt::MouseEventSynthesizedByApplication);
        if (type == QEvent::MouseButtonPress)
            mousePressEvent(&mouse);
        else if (type == QEvent::MouseMove)
            mouseMoveEvent(&mouse);
        else
            mouseReleaseEvent(&mouse);
        break;
    }
    return true;
}
