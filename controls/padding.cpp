#include "padding.h"

Padding::Padding(QObject *parent)
    : QObject(parent)
{
}

void Padding::setLeft(int arg)
{
    if (m_left == arg)
        return;
    m_left = arg;
    Q_EMIT leftChanged();
}

void Padding::setTop(int arg)
{
    if (m_top == arg)
        return;
    m_top = arg;
    Q_EMIT topChanged();
}

void Padding::setRight(int arg)
{
    if (m_right == arg)
        return;
    m_right = arg;
    Q_EMIT rightChanged();
}

void Padding::setBottom(int arg)
{
    if (m_bottom == arg)
        return;
    m_bottom = arg;
    Q_EMIT bottomChanged();
}
