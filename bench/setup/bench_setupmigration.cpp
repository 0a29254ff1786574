// Migrates a generated V3 setup file of about 4 MB to V7 and, in the same rounds, does the file
// input and output that any crash-safe migration needs (the floor): read the file, write a
// synced backup, write a synced temporary file and rename it over the file. Prints both times
// and their ratio, the time of the steps in memory, in one pass and one after the other, and the
// memory peak.
#include "benchfigure.h"
#include "setupconverter.h"
#include "setupmigration.h"
#include "stavfile.h"
#include "stavlog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

long peakRssKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Entries like those of a real setup: mostly settings that V4 keeps as they are, and among
// them items that the steps rename, remove (some as arrays), re-unit or renumber.
QByteArray generateV3(int targetSize)
{
    const QList<QByteArray> tableKeys
        = SetupMigration::standard().rules().steps[StavStep::V3toV4].renames.keys();
    const char *modules[] = { "afgen",   "audioIn", "demod",     "rfgen",  "rfreceiver",
                              "dmrMeas", "p25Meas", "tetraMeas", "oscope", "specan" };
    const char *values[] = { "On", "Off", "145000000", "-60.5", "Avg", "dBm", "3", "" };

    QByteArray text("{\n        \"DocumentVersion\": \"V3\",\n        \"Measure\": \"Duplex\",\n"
                    "        \":config:dxtest_app:demod:rssiUnit:\": \"dBuV\",\n");
    for (int i = 0; text.size() < targetSize; ++i) {
        QByteArray key;
        if (i % 4 == 0) {
            key = tableKeys.at((i / 4) % tableKeys.size());
        } else {
            key = QByteArray(":config:dxtest_app:") + modules[i % 10] + ":setting"
                + QByteArray::number(i % 997) + ':';
        }
        if (i % 97 == 0) {
            text += "        \"" + key
                + "\": [\n            \"1\",\n            \"2\"\n        ],\n";
        } else if (i % 53 == 0) {
            text += "        \":config:dxtest_app:dmrMeas:dmrLeftPane2IndexTx:\": \""
                + QByteArray::number(i % 100) + "\",\n";
        } else {
            text += "        \"" + key + "\": \"" + values[i % 8] + "\",\n";
        }
    }
    text += "        \"TabMeasure1\": \"VSWR\"\n}\n";
    return text;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(ignoreMessages);
    const int rounds = 15;

    QTemporaryDir dir;
    const QByteArray v3 = generateV3(4 * 1024 * 1024);
    const QString floorPath = dir.filePath(QStringLiteral("floor.stav"));
    const QString workPath = dir.filePath(QStringLiteral("work.stav"));
    const SetupMigration &migration = SetupMigration::standard();
    const SetupConverter converter;

    std::vector<double> floorMs;
    std::vector<double> migrateMs;
    std::vector<double> ratios;
    std::vector<double> onePassMs;
    std::vector<double> stepByStepMs;
    const long peakBefore = peakRssKb();
    for (int round = 0; round < rounds; ++round) {
        // Both start from a file just written, so neither finds it in a warmer cache.
        if (!writeFile(floorPath, v3) || !writeFile(workPath, v3))
            return 1;
        // The floor's input and output, then the migration's, or the other way round: whichever
        // runs second may find the disk busy with what the first left behind.
        QElapsedTimer timer;
        for (int half = 0; half < 2; ++half) {
            timer.start();
            if ((half == 0) == (round % 2 == 0)) {
                QByteArray bytes;
                QString error;
                if (!StavFile::read(floorPath, &bytes, &error)
                    || !StavFile::write(dir.filePath(QStringLiteral("floor.stav-backup")), bytes,
                                        &error)
                    || !StavFile::write(floorPath, bytes, &error))
                    return 1;
                floorMs.push_back(elapsedMs(timer));
            } else {
                if (!converter.convertSetup(workPath))
                    return 1;
                migrateMs.push_back(elapsedMs(timer));
            }
        }
        // Both halves of a round see about the same load on a busy machine.
        ratios.push_back(migrateMs.back() / floorMs.back());

        QByteArray migrated;
        StavLog log;
        timer.restart();
        if (!migration.migrate(v3, 3, &migrated, &log))
            return 1;
        onePassMs.push_back(elapsedMs(timer));

        timer.restart();
        QByteArray text = v3;
        for (StavStep::Id step : StavStep::from(3)) {
            QByteArray next;
            if (!migration.convert(step, text, &next, &log))
                return 1;
            text.swap(next);
        }
        stepByStepMs.push_back(elapsedMs(timer));
        if (text != migrated)
            return 1;
    }
    const long peakAfter = peakRssKb();

    const double floor = median(floorMs);
    const double migrate = median(migrateMs);
    std::printf("file: %d bytes, %d lines, V3 -> V7, median of %d rounds\n", int(v3.size()),
                int(v3.count('\n')), rounds);
    std::printf("baseline: the I/O floor of a safe migration (read, synced backup, synced "
                "temporary file, rename)\n");
    printFigure("4 MB V3 setup migration (convertSetup)", migrate, floor, "ms");
    std::printf("median of the rounds' ratios: %.2f (goal: at most 1.5)\n", median(ratios));
    std::printf("steps in memory: %.2f ms in one pass, %.2f ms one after the other\n",
                median(onePassMs), median(stepByStepMs));
    std::printf("memory:  peak RSS %ld KiB before, %ld KiB after the migrations (+%ld KiB)\n",
                peakBefore, peakAfter, peakAfter - peakBefore);
    return 0;
}
