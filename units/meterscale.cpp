#include "meterscale.h"

#include "siprefix.h"

#include <QtDebug>

#include <algorithm>
#include <cmath>

MeterScale::MeterScale(QObject *parent)
    : QObject(parent)
{
}

MeterScale::~MeterScale() = default;

QString MeterScale::getUnitWithoutPrefix(const QString &unit, const QString &unitPrefix) const
{
    if (unitPrefix.isEmpty() || !unit.contains(unitPrefix))
        return unit;
    // The prefix stands in front of the unit: "mV" with "m" is "V".
    return unit.right(unit.size() - unitPrefix.size());
}

QStringList MeterScale::splitLabel(const QString &label) const
{
    if (label.contains(QLatin1Char(' ')))
        return label.split(QLatin1Char(' '), Qt::KeepEmptyParts);
    if (label.endsWith(QLatin1Char('%')))
        return { label.chopped(1), QStringLiteral("%") };
    return { label, QString() };
}

double MeterScale::getValue(double value, const QString &labelUnit, const QString &baseUnit) const
{
    if (labelUnit == baseUnit || labelUnit.isEmpty() || baseUnit.isEmpty())
        return value;
    const double multiplier = SiPrefix::multiplierOr(labelUnit.left(1), 1.0);
    if (multiplier != 1.0)
        return value * multiplier;
    qWarning() << "MeterScale::getValue Cannot recognize the prefix of the unit. Label unit: "
               << labelUnit << ". Unit: " << baseUnit;
    return value;
}

double MeterScale::getValue(const QString &label, const QString &unit,
                            const QString &unitPrefix) const
{
    const QString baseUnit = getUnitWithoutPrefix(unit, unitPrefix);
    const QStringList parts = splitLabel(label);
    bool ok = false;
    const double number = parts.constFirst().toDouble(&ok);
    if (!ok) {
        qWarning() << "getValue"
                   << " conversion failed! label = " << label;
        return 0.0;
    }
    double value = getValue(number, parts.at(1), baseUnit);
    double multiplier = 1.0;
    if (!unitPrefix.isEmpty() && unit.contains(unitPrefix)
        && SiPrefix::multiplier(unitPrefix, &multiplier))
        value /= multiplier;
    return value;
}

QList<double> MeterScale::getValues(const QStringList &labels, const QString &unit,
                                    const QString &unitPrefix) const
{
    const QString baseUnit = getUnitWithoutPrefix(unit, unitPrefix);
    QList<double> values;
    values.reserve(labels.size());
    for (const QString &label : labels) {
        if (label == QLatin1String("Auto") || label == QLatin1String("Custom"))
            continue;
        const QStringList parts = splitLabel(label);
        bool ok = false;
        const double number = parts.constFirst().toDouble(&ok);
        if (!ok) {
            qWarning() << "getValues"
                       << " conversion failed! label = " << label;
            break;
        }
        values.append(getValue(number, parts.at(1), baseUnit));
    }
    if (!unitPrefix.isEmpty() && unit.contains(unitPrefix))
        updateListValueByMultiplier(unitPrefix, values);
    // A label may read "nan"; it goes last, so the ordering stays strict and the sort safe.
    std::sort(values.begin(), values.end(),
              [](double a, double b) { return a < b || (!std::isnan(a) && std::isnan(b)); });
    return values;
}

void MeterScale::updateListValueByMultiplier(const QString &prefix, QList<double> &values) const
{
    const double factor = 1.0 / SiPrefix::multiplierOr(prefix, 1.0);
    for (double &value : values)
        value *= factor;
}
