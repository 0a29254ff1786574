#include "pagerenderer.h"

#include <QDir>
#include <QImage>
#include <QQuickItem>
#include <QQuickItemGrabResult>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace {
// Long enough for the pages' first timer ticks and bindings to settle.
constexpr int settleMs = 250;
} // namespace

PageRenderer::PageRenderer(QQuickWindow *window, const QStringList &pages, const QString &outputDir,
                           QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_pages(pages)
    , m_outputDir(outputDir)
{
}

void PageRenderer::start()
{
    if (!QDir().mkpath(m_outputDir)) {
        std::fprintf(stderr, "gallery: cannot create %s\n", qPrintable(m_outputDir));
        m_failed = true;
        Q_EMIT finished();
        return;
    }
    showNext();
}

void PageRenderer::showNext()
{
    ++m_index;
    if (m_index >= m_pages.size()) {
        Q_EMIT finished();
        return;
    }
    m_window->setProperty("currentPage", m_pages.at(m_index));
    QTimer::singleShot(settleMs, this, &PageRenderer::grabCurrent);
}

void PageRenderer::grabCurrent()
{
    const QString file
        = QDir(m_outputDir)
              .absoluteFilePath(
                  QStringLiteral("gallery-%1.png").arg(m_pages.at(m_index).toLower()));
    // The item grab renders through the scene graph, which works on every backend.
    const QSharedPointer<QQuickItemGrabResult> grab = m_window->contentItem()->grabToImage();
    if (!grab) {
        std::fprintf(stderr, "gallery: cannot render %s\n", qPrintable(file));
        m_failed = true;
        showNext();
        return;
    }
    connect(grab.data(), &QQuickItemGrabResult::ready, this, [this, grab, file] {
        if (!grab->image().save(file, "PNG")) {
            std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(file));
            m_failed = true;
        } else {
            m_written.append(file);
            std::printf("%s\n", qPrintable(file));
            std::fflush(stdout);
        }
        showNext();
    });
}
