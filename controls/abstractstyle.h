#pragma once

#include "padding.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QQmlListProperty>

// The base of style definitions written in QML: it holds the objects declared inside a style
// (colours, components, items) without owning them, and the padding that controls lay out by.
class AbstractStyle : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Padding *padding READ padding CONSTANT)
    Q_PROPERTY(QQmlListProperty<QObject> data READ data)
    Q_CLASSINFO("DefaultProperty", "data")
public:
    explicit AbstractStyle(QObject *parent = nullptr);

    Padding *padding();
    QQmlListProperty<QObject> data();

private:
    static void appendObject(QQmlListProperty<QObject> *list, QObject *object);
    static int objectCount(QQmlListProperty<QObject> *list);
    static QObject *objectAt(QQmlListProperty<QObject> *list, int index);
    static void clearObjects(QQmlListProperty<QObject> *list);
    // Drops the entries of objects deleted since.
    QList<QPointer<QObject>> &liveData();

    // A child as well as a member, so that QML never takes it for its own.
    Padding m_padding;
    QList<QPointer<QObject>> m_data;
};
