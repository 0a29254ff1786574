#include "simdata.h"

#include "baseformatter.h"

namespace {

// A variant comparison that also tells 1 from "1": a page that writes a different type expects
// the change to show.
bool sameVariant(const QVariant &a, const QVariant &b)
{
    return a.userType() == b.userType() && a == b;
}

template<typename T, typename Signal>
void assign(SimData *data, T &field, const T &value, Signal signal)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT(data->*signal)();
}

} // namespace

SimData::SimData(QObject *parent)
    : ZebData(parent)
    , m_formatter(new BaseFormatter(QString(), this))
{
}

SimData::~SimData() = default;

QString SimData::id() const
{
    return m_id;
}

QString SimData::name() const
{
    return m_name;
}

QString SimData::type() const
{
    return m_type;
}

QString SimData::label() const
{
    return m_label;
}

QVariant SimData::value() const
{
    return m_value;
}

QString SimData::valueString(bool) const
{
    return m_valueString.isEmpty() ? m_value.toString() : m_valueString;
}

void SimData::setValue(const QVariant &value)
{
    if (sameVariant(m_value, value))
        return;
    m_value = value;
    Q_EMIT valueChanged();
}

int SimData::isReady() const
{
    return m_ready ? 1 : 0;
}

int SimData::qualityCode() const
{
    return m_qualityCode;
}

bool SimData::applicable() const
{
    return m_applicable;
}

QVariant SimData::minRange() const
{
    return m_minRange;
}

QVariant SimData::maxRange() const
{
    return m_maxRange;
}

BaseFormatter *SimData::formatter() const
{
    return m_formatter;
}

QString SimData::error() const
{
    return m_error;
}

bool SimData::readOnly() const
{
    return m_readOnly;
}

QString SimData::storedValueString() const
{
    return m_valueString;
}

bool SimData::ready() const
{
    return m_ready;
}

QString SimData::formatterType() const
{
    return m_formatter->getType();
}

void SimData::setDataId(const QString &id)
{
    assign(this, m_id, id, &SimData::dataIdChanged);
}

void SimData::setName(const QString &name)
{
    assign(this, m_name, name, &SimData::nameChanged);
}

void SimData::setType(const QString &type)
{
    assign(this, m_type, type, &SimData::typeChanged);
}

void SimData::setLabel(const QString &label)
{
    assign(this, m_label, label, &SimData::labelChanged);
}

void SimData::setValueString(const QString &valueString)
{
    assign(this, m_valueString, valueString, &SimData::valueStringChanged);
}

void SimData::setReady(bool ready)
{
    assign(this, m_ready, ready, &SimData::readyChanged);
}

void SimData::setQualityCode(int qualityCode)
{
    assign(this, m_qualityCode, qualityCode, &SimData::qualityCodeChanged);
}

void SimData::setApplicable(bool applicable)
{
    assign(this, m_applicable, applicable, &SimData::applicableChanged);
}

void SimData::setMinRange(const QVariant &minRange)
{
    if (sameVariant(m_minRange, minRange))
        return;
    m_minRange = minRange;
    Q_EMIT minRangeChanged();
}

void SimData::setMaxRange(const QVariant &maxRange)
{
    if (sameVariant(m_maxRange, maxRange))
        return;
    m_maxRange = maxRange;
    Q_EMIT maxRangeChanged();
}

void SimData::setFormatterType(const QString &formatterType)
{
    if (m_formatter->getType() == formatterType)
        return;
    m_formatter->setType(formatterType);
    Q_EMIT formatterTypeChanged();
}

void SimData::setError(const QString &error)
{
    assign(this, m_error, error, &SimData::errorChanged);
}

void SimData::setReadOnly(bool readOnly)
{
    assign(this, m_readOnly, readOnly, &SimData::readOnlyChanged);
}
