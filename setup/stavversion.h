#ifndef STAVVERSION_H
#define STAVVERSION_H

#include <QByteArray>

// The document version of a setup file: the number after the last capital V on the lines that
// mention DocumentVersion. A later line overrides an earlier one, except that a version above
// 6 or an unreadable number decides at once.
class StavVersion
{
public:
    enum Status {
        Missing, // no line mentions DocumentVersion
        Invalid, // a version line without a number after its last V
        Found,
    };

    static StavVersion scan(const QByteArray &text);

    Status status() const { return m_status; }
    int number() const { return m_number; }
    // Found and already at V7 or newer.
    bool isCurrent() const { return m_status == Found && m_number > 6; }
    // The line that decided the outcome.
    QByteArray line() const { return m_line; }
    // Why the number of an Invalid version could not be read.
    const char *error() const { return m_error; }

private:
    Status m_status = Missing;
    int m_number = 1;
    QByteArray m_line;
    const char *m_error = "";
};

#endif // STAVVERSION_H
