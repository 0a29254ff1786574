#include "treefilewatcher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMultiHash>
#include <QPointer>
#include <QThread>

// One system watcher per thread serves every tree: closing a watcher that has ever watched a
// file waits for the kernel (some 15 ms on Linux), which would stall the GUI thread each time a
// page with a tree goes away. Watches are shared by path.
class TreeFileWatcherHub : public QObject
{
public:
    static TreeFileWatcherHub *instance(bool create = true)
    {
        static thread_local QPointer<TreeFileWatcherHub> hub;
        if (!hub && create) {
            hub = new TreeFileWatcherHub;
            QCoreApplication *app = QCoreApplication::instance();
            if (app && app->thread() == QThread::currentThread())
                hub->setParent(app);
            else
                connect(QThread::currentThread(), &QThread::finished, hub, &QObject::deleteLater);
        }
        return hub;
    }

    bool add(const QString &path, TreeFileWatcher *client)
    {
        m_clients.insert(path, client);
        return m_watcher.files().contains(path) || m_watcher.directories().contains(path)
            || m_watcher.addPath(path);
    }

    void remove(const QString &path, TreeFileWatcher *client)
    {
        m_clients.remove(path, client);
        if (!m_clients.contains(path)
            && (m_watcher.files().contains(path) || m_watcher.directories().contains(path)))
            m_watcher.removePath(path);
    }

private:
    TreeFileWatcherHub()
    {
        connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString &path) {
            for (TreeFileWatcher *client : m_clients.values(path))
                client->fileChanged();
        });
        connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
                [this](const QString &path) {
                    for (TreeFileWatcher *client : m_clients.values(path))
                        client->folderChanged();
                });
    }

    QFileSystemWatcher m_watcher;
    QMultiHash<QString, TreeFileWatcher *> m_clients;
};

TreeFileWatcher::TreeFileWatcher(QObject *parent)
    : QObject(parent)
{
    m_burst.setSingleShot(true);
    m_burst.setInterval(burstInterval);
    connect(&m_burst, &QTimer::timeout, this, [this] { Q_EMIT changed(m_path); });
}

TreeFileWatcher::~TreeFileWatcher()
{
    unwatch();
}

void TreeFileWatcher::unwatch()
{
    TreeFileWatcherHub *hub = TreeFileWatcherHub::instance(false);
    if (hub && !m_watched.isEmpty())
        hub->remove(m_watched, this);
    m_watched.clear();
    m_waiting = false;
}

void TreeFileWatcher::watch(const QString &path, bool followMissing)
{
    // A notification still pending belongs to the previous load.
    m_burst.stop();
    unwatch();
    m_path = path;
    if (path.isEmpty())
        return;
    TreeFileWatcherHub *hub = TreeFileWatcherHub::instance();
    if (hub->add(path, this)) {
        m_watched = path;
        return;
    }
    hub->remove(path, this);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (followMissing && folder.isDir()) {
        if (hub->add(folder.filePath(), this)) {
            m_watched = folder.filePath();
            m_waiting = true;
        } else {
            hub->remove(folder.filePath(), this);
        }
    }
}

void TreeFileWatcher::fileChanged()
{
    if (!m_burst.isActive())
        m_burst.start();
}

void TreeFileWatcher::folderChanged()
{
    // The file is back when its folder shows it again.
    if (m_waiting && QFileInfo::exists(m_path))
        fileChanged();
}
