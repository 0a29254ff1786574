#ifndef TREEFILEWATCHER_H
#define TREEFILEWATCHER_H

#include <QFileSystemWatcher>
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

    // Forgets the previous file and watches path. A missing file is waited for only when
    // followMissing is set; otherwise it stays unwatched.
    void watch(const QString &path, bool followMissing);
    // The file or folder being watched.
    QStringList watched() const;

    // How long a burst of notifications may last and still give one signal, in ms.
    static constexpr int burstInterval = 50;

Q_SIGNALS:
    void changed(const QString &path);

private:
    void noteChange();

    QFileSystemWatcher m_watcher;
    QTimer m_burst;
    QString m_path;
    bool m_waiting = false; // for the missing file, in its folder
};

#endif // TREEFILEWATCHER_H
