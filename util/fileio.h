#pragma once

#include <QObject>
#include <QString>

class QFile;

// Text file access for a page: the whole file, a window of lines, the last lines, its size, and
// the newest file of a folder. Every call opens the file named by `source` anew; text is UTF-8.
// Read failures are reported through error(); a failed write returns false and leaves the old
// content in place.
class FileIO : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource NOTIFY sourceChanged)
public:
    explicit FileIO(QObject *parent = nullptr);
    ~FileIO() override;

    QString source() const;

    Q_INVOKABLE QString findLastFile(const QString &path);
    Q_INVOKABLE QString read();
    Q_INVOKABLE QString read(int startLineNumber, int numberLines);
    Q_INVOKABLE QString readLastLines(int numLines);
    Q_INVOKABLE qlonglong fileSize();
    Q_INVOKABLE bool fileExists(const QString &filePath);
    Q_INVOKABLE bool write(const QString &data);

public Q_SLOTS:
    // Emits sourceChanged() on every call, also when the path stays the same.
    void setSource(const QString &source);

Q_SIGNALS:
    void sourceChanged(const QString &source);
    void error(const QString &msg);

private:
    bool openSource(QFile &file, const QString &emptyMessage);
    bool writeReplacing(const QString &data);
    bool writeInPlace(const QString &data);

    QString m_source;
};
