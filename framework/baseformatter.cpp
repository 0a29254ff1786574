#include "baseformatter.h"

BaseFormatter::BaseFormatter(const QString &type, QObject *parent)
    : QObject(parent)
    , m_type(type)
{
}

BaseFormatter::~BaseFormatter() = default;

QString BaseFormatter::getType() const
{
    return m_type;
}

void BaseFormatter::setType(const QString &type)
{
    m_type = type;
}
