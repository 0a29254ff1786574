#include "abstractstyle.h"

AbstractStyle::AbstractStyle(QObject *parent)
    : QObject(parent)
    , m_padding(this)
{
}

Padding *AbstractStyle::padding()
{
    return &m_padding;
}

QQmlListProperty<QObject> AbstractStyle::data()
{
    return QQmlListProperty<QObject>(this, nullptr, &AbstractStyle::appendObject,
                                     &AbstractStyle::objectCount, &AbstractStyle::objectAt,
                                     &AbstractStyle::clearObjects);
}

QList<QPointer<QObject>> &AbstractStyle::liveData()
{
    m_data.removeAll(QPointer<QObject>());
    return m_data;
}

void AbstractStyle::appendObject(QQmlListProperty<QObject> *list, QObject *object)
{
    static_cast<AbstractStyle *>(list->object)->m_data.append(object);
}

int AbstractStyle::objectCount(QQmlListProperty<QObject> *list)
{
    return static_cast<AbstractStyle *>(list->object)->liveData().size();
}

QObject *AbstractStyle::objectAt(QQmlListProperty<QObject> *list, int index)
{
    const QList<QPointer<QObject>> &data = static_cast<AbstractStyle *>(list->object)->liveData();
    return index >= 0 && index < data.size() ? data.at(index).data() : nullptr;
}

void AbstractStyle::clearObjects(QQmlListProperty<QObject> *list)
{
    static_cast<AbstractStyle *>(list->object)->m_data.clear();
}
