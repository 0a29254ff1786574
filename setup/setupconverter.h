#ifndef SETUPCONVERTER_H
#define SETUPCONVERTER_H

#include "stavline.h"
#include "stavstep.h"
#include "stavtable.h"

#include <QObject>

// Brings a stored setup (.stav) file from document version V3, V4, V5 or V6 to V7, in place,
// after saving a byte-exact backup beside it. Published to QML as "setupConverter". The
// conversion itself is SetupMigration's; this class reads and writes the files and the log.
class SetupConverter : public QObject
{
    Q_OBJECT
public:
    using ItemIdMap = StavTable::RenameMap;
    using UnitMap = StavTable::UnitMap;

    explicit SetupConverter(QObject *parent = nullptr);

    // True when the file is at V7 or newer afterwards; false on every failure, with the
    // file as it was and a log record. The steps run in memory and the file is replaced once.
    Q_INVOKABLE bool convertSetup(const QString &path) const;

    // The version steps; each converts the file at `path` in place and returns true when
    // the converted file was written.
    bool convertSetupV3toV4(const QString &path) const;
    bool convertSetupV4toV5(const QString &path) const;
    bool convertSetupV5toV6(const QString &path) const;
    bool convertSetupV6toV7(const QString &path) const;

    // The line functions.
    StavLine parseLine(const QByteArray &text) const;
    StavLine fixEnumOptions(const StavLine &stavLine) const;
    StavLine updateStavParam(const StavLine &stavLine, int offset, int minimum, int maximum) const;

    // The identifier tables, a new copy on every call.
    ItemIdMap initV3ToV4ZebItemIds() const;
    ItemIdMap initV4ToV5ZebItemIds() const;
    ItemIdMap initV5ToV6ZebItemIds() const;
    ItemIdMap initV6ToV7ZebItemIds() const;
    UnitMap initZebIdToUnit() const;
    // Records the unit selected for a unit item; the first value seen wins.
    void appendCurrentUnitValue(ItemIdMap &unitCurrentValueMap, QByteArray unitZebId,
                                QByteArray value) const;

private:
    bool convertFile(StavStep::Id step, const QString &path) const;
    bool saveBackup(const QString &path, const QByteArray &bytes) const;
};

#endif // SETUPCONVERTER_H
