#pragma once

#include <QObject>
#include <QScopedPointer>
#include <QString>

class WindowStatePrivate;

// The state of the application window for the pages ("platformWindow"): view mode, visibility,
// activity and the flag that holds orientation changes back while a window animation runs.
// One instance per process.
class WindowState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool visible READ visible NOTIFY visibleChanged)
    Q_PROPERTY(bool active READ active NOTIFY activeChanged)
    Q_PROPERTY(bool animating READ animating WRITE setAnimating NOTIFY animatingChanged)
    Q_PROPERTY(ViewMode viewMode READ viewMode NOTIFY viewModeChanged)
    Q_PROPERTY(QString viewModeString READ viewModeString NOTIFY viewModeChanged)
public:
    enum ViewMode { Fullsize = 0, Thumbnail = 1 };
    Q_ENUM(ViewMode)

    static WindowState *instance();
    ~WindowState() override;

    bool visible() const;
    bool active() const;
    bool animating() const;
    void setAnimating(bool animating);
    ViewMode viewMode() const;
    QString viewModeString() const;

    Q_INVOKABLE void startSipOrientationChange(int newOrientation);
    Q_INVOKABLE void finishSipOrientationChange(int newOrientation);

Q_SIGNALS:
    void activeChanged();
    void viewModeChanged();
    void visibleChanged();
    void animatingChanged();

private:
    WindowState();
    Q_DISABLE_COPY(WindowState)
    QScopedPointer<WindowStatePrivate> d;
    friend class WindowStatePrivate;
};
