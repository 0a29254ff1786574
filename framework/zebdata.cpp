#include "zebdata.h"

#include "baseformatter.h"

ZebData::ZebData(QObject *parent)
    : QObject(parent)
    , m_defaultFormatter(new BaseFormatter(QString(), this))
{
}

ZebData::~ZebData() = default;

QString ZebData::id() const
{
    return QString();
}

QString ZebData::name() const
{
    return QString();
}

QString ZebData::type() const
{
    return QString();
}

QString ZebData::label() const
{
    return QString();
}

QVariant ZebData::value() const
{
    return QVariant();
}

QString ZebData::valueString(bool) const
{
    return value().toString();
}

void ZebData::setValue(const QVariant &) { }

int ZebData::isReady() const
{
    return 0;
}

int ZebData::qualityCode() const
{
    return 0;
}

bool ZebData::applicable() const
{
    return true;
}

QVariant ZebData::minRange() const
{
    return QVariant();
}

QVariant ZebData::maxRange() const
{
    return QVariant();
}

BaseFormatter *ZebData::formatter() const
{
    return m_defaultFormatter;
}

QString ZebData::error() const
{
    return QString();
}

bool ZebData::readOnly() const
{
    return false;
}
