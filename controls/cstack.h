#pragma once

#include <QObject>
#include <QPointer>
#include <QtQml>

class QQuickItem;

// Attached to a page as Stack: tells the page its index in a page stack, its status and the
// stack view holding it. The stack's QML code writes the __ twins.
class CStack : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int index READ index NOTIFY indexChanged)
    Q_PROPERTY(int __index READ index WRITE setIndex NOTIFY indexChanged)
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(Status __status READ status WRITE setStatus NOTIFY statusChanged)
    Q_PROPERTY(QQuickItem *view READ view NOTIFY viewChanged)
    Q_PROPERTY(QQuickItem *__view READ view WRITE setView NOTIFY viewChanged)
public:
    enum Status { Inactive = 0, Deactivating = 1, Activating = 2, Active = 3 };
    Q_ENUM(Status)

    explicit CStack(QObject *parent = nullptr);

    static CStack *qmlAttachedProperties(QObject *object);

    int index() const;
    void setIndex(int index);

    Status status() const;
    void setStatus(Status status);

    QQuickItem *view() const;
    void setView(QQuickItem *view);

Q_SIGNALS:
    void indexChanged();
    void statusChanged();
    void viewChanged();

private:
    int m_index = -1;
    Status m_status = Inactive;
    QPointer<QQuickItem> m_view;
};

QML_DECLARE_TYPEINFO(CStack, QML_HAS_ATTACHED_PROPERTIES)
