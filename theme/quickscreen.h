#pragma once

#include <QObject>
#include <QScopedPointer>
#include <QString>

class QQuickItem;
class QuickScreenPrivate;
class WindowState;

// The screen as the pages see it ("screen"): current and allowed orientations, the rotation
// towards the physical display, platform and display sizes, density and the minimised state.
// One application-wide instance; orientation changes wait while the window animates.
class QuickScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(
        Orientation currentOrientation READ currentOrientation NOTIFY currentOrientationChanged)
    Q_PROPERTY(Orientations allowedOrientations READ allowedOrientations WRITE
                   setAllowedOrientations NOTIFY allowedOrientationsChanged)
    Q_PROPERTY(QString orientationString READ orientationString NOTIFY currentOrientationChanged)
    Q_PROPERTY(bool keyboardOpen READ keyboardOpen NOTIFY keyboardOpenChanged)
    Q_PROPERTY(int width READ width NOTIFY widthChanged)
    Q_PROPERTY(int height READ height NOTIFY heightChanged)
    Q_PROPERTY(int displayWidth READ displayWidth NOTIFY displayChanged)
    Q_PROPERTY(int displayHeight READ displayHeight NOTIFY displayChanged)
    Q_PROPERTY(int rotation READ rotation NOTIFY currentOrientationChanged)
    Q_PROPERTY(Direction rotationDirection READ rotationDirection NOTIFY rotationDirectionChanged)
    Q_PROPERTY(bool minimized READ isMinimized WRITE setMinimized NOTIFY minimizedChanged)
    Q_PROPERTY(bool allowSwipe READ allowSwipe WRITE setAllowSwipe NOTIFY allowSwipeChanged)
    Q_PROPERTY(bool isPortrait READ isPortrait NOTIFY currentOrientationChanged)
    Q_PROPERTY(WindowState *windowState READ windowState CONSTANT)
    Q_PROPERTY(double dpi READ dpi NOTIFY displayChanged)
    Q_PROPERTY(DisplayCategory displayCategory READ displayCategory NOTIFY displayChanged)
    Q_PROPERTY(Density density READ density NOTIFY displayChanged)
    Q_PROPERTY(int platformWidth READ platformWidth NOTIFY platformWidthChanged)
    Q_PROPERTY(int platformHeight READ platformHeight NOTIFY platformHeightChanged)
    Q_PROPERTY(bool isDisplayLandscape READ isDisplayLandscape NOTIFY physicalDisplayChanged)
public:
    enum Orientation {
        Default = 0,
        Portrait = 1,
        Landscape = 2,
        PortraitInverted = 4,
        LandscapeInverted = 8,
        All = 15
    };
    Q_ENUM(Orientation)
    Q_DECLARE_FLAGS(Orientations, Orientation)
    Q_FLAG(Orientations)
    enum Direction { Clockwise = -1, NoDirection = 0, CounterClockwise = 1 };
    Q_ENUM(Direction)
    enum OrientationAngle {
        PortraitAngle = 0,
        LandscapeAngle = 90,
        PortraitInvertedAngle = 180,
        LandscapeInvertedAngle = 270
    };
    Q_ENUM(OrientationAngle)
    enum DisplayCategory { Small = 0, Normal = 1, Large = 2, ExtraLarge = 3 };
    Q_ENUM(DisplayCategory)
    enum Density { Low = 0, Medium = 1, High = 2, ExtraHigh = 3 };
    Q_ENUM(Density)

    // The application's screen object, created on first use; it lives until the process ends.
    static QuickScreen *instance();
    explicit QuickScreen(QObject *parent = nullptr);
    ~QuickScreen() override;

    Orientation currentOrientation() const;
    Orientations allowedOrientations() const;
    QString orientationString() const;
    bool keyboardOpen() const;
    int width() const;
    int height() const;
    int displayWidth() const;
    int displayHeight() const;
    int rotation() const;
    Direction rotationDirection() const;
    bool isMinimized() const;
    void setMinimized(bool minimized);
    bool allowSwipe() const;
    void setAllowSwipe(bool allowSwipe);
    bool isPortrait() const;
    WindowState *windowState() const;
    double dpi() const;
    DisplayCategory displayCategory() const;
    Density density() const;
    int platformWidth() const;
    int platformHeight() const;
    bool isDisplayLandscape() const;

    void setOrientation(Orientation o);
    Orientations platformPhysicalDisplayOrientation() const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    Q_INVOKABLE void updatePlatformStatusBarRect(QQuickItem *statusBar);

public Q_SLOTS:
    void setAllowedOrientations(QuickScreen::Orientations orientation);

Q_SIGNALS:
    void currentOrientationChanged();
    void allowedOrientationsChanged();
    void rotationDirectionChanged();
    void minimizedChanged();
    void keyboardOpenChanged();
    void displayChanged();
    void widthChanged();
    void heightChanged();
    void allowSwipeChanged();
    void isPortraitChanged();
    void platformWidthChanged();
    void platformHeightChanged();
    void physicalDisplayChanged();

private Q_SLOTS:
    void _q_updateOrientationAngle();
    void _q_windowAnimationChanged();

private:
    Q_DISABLE_COPY(QuickScreen)
    QScopedPointer<QuickScreenPrivate> d;
    friend class QuickScreenPrivate;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(QuickScreen::Orientations)
