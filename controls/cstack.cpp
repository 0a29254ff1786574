#include "cstack.h"

#include <QQuickItem>

CStack::CStack(QObject *parent)
    : QObject(parent)
{
}

CStack *CStack::qmlAttachedProperties(QObject *object)
{
    return new CStack(object);
}

int CStack::index() const
{
    return m_index;
}

void CStack::setIndex(int index)
{
    if (m_index == index)
        return;
    m_index = index;
    Q_EMIT indexChanged();
}

CStack::Status CStack::status() const
{
    return m_status;
}

void CStack::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    Q_EMIT statusChanged();
}

QQuickItem *CStack::view() const
{
    return m_view;
}

void CStack::setView(QQuickItem *view)
{
    if (m_view == view)
        return;
    if (m_view)
        disconnect(m_view, &QObject::destroyed, this, &CStack::viewChanged);
    m_view = view;
    // A view that goes away reads null; bindings hear of it.
    if (view)
        connect(view, &QObject::destroyed, this, &CStack::viewChanged);
    Q_EMIT viewChanged();
}
