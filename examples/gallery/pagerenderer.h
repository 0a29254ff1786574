#pragma once

#include <QObject>
#include <QStringList>

class QQuickWindow;

// Renders every gallery page of a window into a PNG file of its own, one page after the other.
class PageRenderer : public QObject
{
    Q_OBJECT
public:
    PageRenderer(QQuickWindow *window, const QStringList &pages, const QString &outputDir,
                 QObject *parent = nullptr);

    void start();
    QStringList writtenFiles() const { return m_written; }
    bool failed() const { return m_failed; }

Q_SIGNALS:
    void finished();

private:
    void showNext();
    void grabCurrent();

    QQuickWindow *m_window;
    QStringList m_pages;
    QString m_outputDir;
    QStringList m_written;
    int m_index = -1;
    bool m_failed = false;
};
