#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QSizeF>

// Physical units for the pages on the primary screen: pixels per inch, centimetre and
// millimetre, per percent of the screen's width and height, and the application's default font
// pixel size derived from the density.
class SizeManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double dpi READ dpi WRITE setDpi NOTIFY dpiChanged)
    Q_PROPERTY(double dpiScaling READ dpiScaling WRITE setDpiScaling NOTIFY dpiScalingChanged)
    Q_PROPERTY(double in READ in NOTIFY inChanged)
    Q_PROPERTY(double cm READ cm NOTIFY cmChanged)
    Q_PROPERTY(double mm READ mm NOTIFY mmChanged)
    Q_PROPERTY(double pctH READ pctH NOTIFY pctHChanged)
    Q_PROPERTY(double pctW READ pctW NOTIFY pctWChanged)
    Q_PROPERTY(int screenWidth READ screenWidth NOTIFY screenWidthChanged)
    Q_PROPERTY(int screenHeight READ screenHeight NOTIFY screenHeightChanged)
    Q_PROPERTY(int titleHeight READ titleHeight NOTIFY screenTitleHeightChanged)
    Q_PROPERTY(QSize screenSize READ screenSize WRITE setScreenSize NOTIFY screenSizeChanged)
    Q_PROPERTY(int DefaultFontPixelSize READ defaultFontPixelSize WRITE setDefaultFontPixelSize
                   NOTIFY defaultFontPixelSizeChanged)
public:
    SizeManager(QObject *parent, double dpiScaling);
    ~SizeManager() override;

    double dpi() const { return m_dpi; }
    double dpiScaling() const { return m_dpiScaling; }
    double in() const { return m_dpi * m_dpiScaling; }
    double cm() const { return in() * 0.39370078740157477; }
    double mm() const { return cm() * 0.1; }
    double pctH() const { return qRound(m_screenHeight * 0.01); }
    double pctW() const { return qRound(m_screenWidth * 0.01); }
    int screenWidth() const { return m_screenWidth; }
    int screenHeight() const { return m_screenHeight; }
    int titleHeight() const { return m_titleHeight; }
    QSize screenSize() const { return m_screenSize; }
    int defaultFontPixelSize() const { return m_defaultFontPixelSize; }

    void printDebug() const;
    [[noreturn]] void loop() const;
    void updateFontSize();
    void broadcastSizeChange();

public Q_SLOTS:
    void setDpi(double value);
    void setDpiScaling(double value);
    void setScreenSize(QSize value);
    void setGeometry(QRect rect);
    void setPhysicalScreenSize(QSizeF size);
    void setScreenWidth(int width);
    void setScreenHeight(int height);
    void setDefaultFontPixelSize(int pSize);

Q_SIGNALS:
    void dpiChanged(double value);
    void dpiScalingChanged(double value);
    void screenSizeChanged(QSize value);
    void inChanged(double value);
    void cmChanged(double value);
    void mmChanged(double value);
    void pctHChanged(double value);
    void pctWChanged(double value);
    void screenHeightChanged(int value);
    void screenWidthChanged(int value);
    void screenTitleHeightChanged(int value);
    void defaultFontPixelSizeChanged(int value);

private:
    double m_dpi = 94.3;
    double m_dpiScaling;
    QSize m_screenSize;
    int m_screenWidth = -1;
    int m_screenHeight = -1;
    int m_titleHeight = 0; // nothing assigns it; a defined value for bindings
    int m_defaultFontPixelSize = -1;
};
