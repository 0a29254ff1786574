#pragma once

#include <QDebug>
#include <QMetaMethod>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <utility>

// The signals of the watched objects in emission order with their arguments ("inChanged(160)");
// a property map's value change reads "<key>Changed()".
class SignalLog : public QObject
{
public:
    explicit SignalLog(QObject *object) { watch(object); }

    void watch(QObject *object)
    {
        const QMetaObject *meta = object->metaObject();
        for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
            if (meta->method(i).methodType() != QMetaMethod::Signal)
                continue;
            QString name = QString::fromLatin1(meta->method(i).name());
            for (int p = meta->propertyOffset(); p < meta->propertyCount(); ++p) {
                if (name.startsWith("__") && meta->property(p).notifySignalIndex() == i)
                    name = QString::fromLatin1(meta->property(p).name()) + "Changed";
            }
            // One method id per signal above QObject's, as QSignalSpy uses one.
            QMetaObject::connect(object, i, this,
                                 staticMetaObject.methodCount() + m_signals.size());
            m_signals.append({ meta->method(i), name });
        }
    }

    int qt_metacall(QMetaObject::Call call, int id, void **args) override
    {
        id = QObject::qt_metacall(call, id, args);
        if (id < 0 || call != QMetaObject::InvokeMetaMethod)
            return id;
        const QMetaMethod &method = m_signals.at(id).first;
        QStringList values;
        for (int p = 0; p < method.parameterCount(); ++p) {
            QString value; // "QVariant(double, 160)" gives "160"
            QDebug(&value).nospace() << QVariant(method.parameterType(p), args[p + 1]);
            values << value.mid(value.indexOf(", ") + 2).chopped(1);
        }
        m_entries << m_signals.at(id).second + '(' + values.join(',') + ')';
        return -1;
    }

    QStringList take() { return std::exchange(m_entries, {}); }

private:
    QVector<QPair<QMetaMethod, QString>> m_signals;
    QStringList m_entries;
};
