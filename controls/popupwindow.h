#pragma once

#include <QFont>
#include <QPointer>
#include <QQuickWindow>

class QMouseEvent;
class QTouchEvent;

// A transient top-level window for drop-down lists, context menus and submenus, laid out for a
// display mounted rotated: its content is turned by -90 degrees about the top-left corner and
// the window takes the content's height as its width and the content's width as its height.
// While shown it grabs mouse and keyboard; a press outside dismisses it, other events outside
// go to the window it pops up from. The first tap inside only arms it: entries are clicked by a
// release after a move or by a later tap.
class PopupWindow : public QQuickWindow
{
    Q_OBJECT
    Q_PROPERTY(QQuickItem *contentItem READ popupContentItem WRITE setPopupContentItem)
    Q_PROPERTY(QQuickItem *parentItem READ parentItem WRITE setParentItem)
    Q_PROPERTY(bool popupVisible READ isPopupVisible NOTIFY popupVisibleChanged)
    Q_PROPERTY(int minimumWidth READ minimumWidth WRITE setMinimumWidth)
    Q_PROPERTY(int xOffset READ xOffset WRITE setXOffset)
    Q_PROPERTY(int yOffset READ yOffset WRITE setYOffset)
    Q_CLASSINFO("DefaultProperty", "contentItem")
public:
    explicit PopupWindow(QWindow *parent = nullptr);
    ~PopupWindow() override;

    QQuickItem *popupContentItem() const;
    void setPopupContentItem(QQuickItem *item);

    QQuickItem *parentItem() const;
    void setParentItem(QQuickItem *item);

    bool isPopupVisible() const;

    // Stored only; the size follows the content.
    int minimumWidth() const;
    void setMinimumWidth(int width);

    int xOffset() const;
    void setXOffset(int offset);
    int yOffset() const;
    void setYOffset(int offset);

    QFont font() const;
    void setFont(const QFont &font);

    // Places the window for content of w x h at (x, y), kept on the screen; a submenu that does
    // not fit right of its parent popup goes to the parent's left side. The window is h wide.
    void setGeometry(int x, int y, int w, int h);

    Q_INVOKABLE void popup();
    Q_INVOKABLE void __popup(double x, double y);

public Q_SLOTS:
    void show();
    void dismissPopup();
    void __closePopup();
    void updateSize();

Q_SIGNALS:
    void popupDismissed();
    void __popupClosed();
    void popupVisibleChanged();

protected Q_SLOTS:
    void windowVisibleChanged(bool visible);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QWindow *findParentWindow();
    void setParentWindow(QWindow *window);
    bool isInside(const QMouseEvent *event) const;
    void forwardEvent(QMouseEvent *event);
    bool handleTouch(QTouchEvent *event);

    bool m_mouseMoved = false;
    QPointer<QQuickItem> m_parentItem;
    QPointer<QQuickItem> m_popupContentItem;
    QPointer<QWindow> m_parentWindow;
    bool m_popupVisible = false;
    int m_minimumWidth = 100;
    double m_xOffset = 0;
    double m_yOffset = 0;
    QFont m_font;
    // The touch point whose moves and release are routed like the mouse; -1 while none.
    int m_touchPointId = -1;
};
