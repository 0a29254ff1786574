#ifndef TREEFILEWATCHER_H
#define TREEFILEWATCHER_H

#include <QObject>
#include <QString>
#include <QTimer>

// Watches the file a tree was loaded from. A burst of notifications (an editor writing in
// several steps, a delete followed by a new file) gives one changed() signal, delivered through
// the event loop. A file that disappears while followed is waited for in its folder, so that it
// is watched again once it is back.
class TreeFileWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TreeFileWatcher(QObject *parent = nullptr);
    ~TreeFileWatcher() override;

    // Forgets the previous file and watches path. A missing file is waited for only when
    // followMissing is set; otherwise it stays unwatched.
    void watch(const QString &path, bool followMissing);

    // How long a burst of notifications may last and still give one signal, in ms.
    static constexpr int burstInterval = 50;

Q_SIGNALS:
    void changed(const QString &path);

private:
    friend class TreeFileWatcherHub;
    void fileChanged();
    void folderChanged();
    void unwatch();

    QTimer m_burst;
    QString m_path;
    QString m_watched; // m_path, its folder while waiting for it, or nothing
    bool m_waiting = false;
};

#endif // TREEFILEWATCHER_H
