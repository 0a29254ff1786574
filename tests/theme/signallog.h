#pragma once

#include <QDebug>
#include <QMetaMethod>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <utility>

// The signals of the watched objects in emission order, with their arguments ("inChanged(160)");
// a value change of a property map reads "<key>Changed()".
class SignalLog : public QObject
{
public:
    QStringList entries;

    explicit SignalLog(QObject *object = nullptr)
    {
        if (object)
            watch(object);
    }

    void watch(QObject *object)
    {
        const QMetaObject *meta = object->metaObject();
        for (int i = QObject::staticMetaObject.methodCount(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() != QMetaMethod::Signal)
                continue;
            QString name = QString::fromLatin1(method.name());
            for (int p = meta->propertyOffset(); p < meta->propertyCount(); ++p) {
                if (name.startsWith(QLatin1String("__"))
                    && meta->property(p).notifySignalIndex() == i)
                    name = QLatin1String(meta->property(p).name()) + QLatin1String("Changed");
            }
            // Each signal calls a method id of its own above QObject's, as QSignalSpy does.
            QMetaObject::connect(object, i, this,
                                 QObject::staticMetaObject.methodCount() + m_signals.size(),
                                 Qt::DirectConnection);
            m_signals.append({ method, name });
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
            // "QVariant(double, 160)" gives "160".
            QString value;
            QDebug(&value).nospace() << QVariant(method.parameterType(p), args[p + 1]);
            values << value.mid(value.indexOf(QLatin1String(", ")) + 2).chopped(1);
        }
        entries << m_signals.at(id).second + QLatin1Char('(') + values.join(QLatin1Char(','))
                + QLatin1Char(')');
        return -1;
    }

    QStringList take() { return std::exchange(entries, {}); }

private:
    QVector<QPair<QMetaMethod, QString>> m_signals;
};
