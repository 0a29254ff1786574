#include "treefilewatcher.h"

#include <QFileInfo>

TreeFileWatcher::TreeFileWatcher(QObject *parent)
    : QObject(parent)
{
    m_burst.setSingleShot(true);
    m_burst.setInterval(burstInterval);
    connect(&m_burst, &QTimer::timeout, this, [this] { Q_EMIT changed(m_path); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &TreeFileWatcher::noteChange);
    // While the file is missing its folder is watched: the file is back when the folder shows it.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (m_waiting && QFileInfo::exists(m_path))
            noteChange();
    });
}

void TreeFileWatcher::watch(const QString &path, bool followMissing)
{
    // A notification still pending belongs to the previous load.
    m_burst.stop();
    const QStringList old = watched();
    if (!old.isEmpty())
        m_watcher.removePaths(old);
    m_path = path;
    m_waiting = false;
    if (path.isEmpty() || m_watcher.addPath(path) || !followMissing)
        return;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    m_waiting = folder.isDir() && m_watcher.addPath(folder.filePath());
}

QStringList TreeFileWatcher::watched() const
{
    return m_watcher.files() + m_watcher.directories();
}

void TreeFileWatcher::noteChange()
{
    if (!m_burst.isActive())
        m_burst.start();
}
