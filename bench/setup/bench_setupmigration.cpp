// Migrates a generated V3 setup file of about 4 MB to V7 and, in the same run, copies the same
// file; prints both times, their ratio and the memory peak of the migration.
#include "setupconverter.h"
#include "stavfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

void ignoreMessages(QtMsgType, const QMessageLogContext &, const QString &) { }

// Processor time of this process: steadier than wall time on a busy machine.
double cpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

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
    const SetupConverter converter;
    const SetupConverter::ItemIdMap renames = converter.initV3ToV4ZebItemIds();
    const QList<QByteArray> tableKeys = renames.keys();
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(ignoreMessages);
    const int rounds = 7;

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("generated.stav"));
    const QByteArray v3 = generateV3(4 * 1024 * 1024);
    if (!writeFile(source, v3))
        return 1;

    std::vector<double> copyMs;
    std::vector<double> migrateMs;
    std::vector<double> memoryMs;
    std::vector<double> copyCpuMs;
    std::vector<double> safeWriteMs;
    std::vector<double> migrateCpuMs;
    const long peakBefore = peakRssKb();
    for (int round = 0; round < rounds; ++round) {
        const QString copy = dir.filePath(QStringLiteral("copy.stav"));
        QFile::remove(copy);
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        if (!QFile::copy(source, copy))
            return 1;
        copyMs.push_back(timer.nsecsElapsed() / 1e6);
        copyCpuMs.push_back(cpuMs() - cpu);

        const QString work = dir.filePath(QStringLiteral("work.stav"));
        if (!writeFile(work, v3))
            return 1;
        const SetupConverter converter;
        timer.restart();
        cpu = cpuMs();
        if (!converter.convertSetup(work))
            return 1;
        migrateMs.push_back(timer.nsecsElapsed() / 1e6);
        migrateCpuMs.push_back(cpuMs() - cpu);

        // One of the two safe writes of a migration (backup and result): complete, synced to
        // disk, then renamed over the old file.
        QString error;
        timer.restart();
        if (!StavFile::write(dir.filePath(QStringLiteral("safe.stav")), v3, &error))
            return 1;
        safeWriteMs.push_back(timer.nsecsElapsed() / 1e6);

        QByteArray migrated;
        timer.restart();
        if (!converter.migrateText(v3, 3, &migrated))
            return 1;
        memoryMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const long peakAfter = peakRssKb();

    const double copy = median(copyMs);
    const double migrate = median(migrateMs);
    std::printf("file: %d bytes, %d lines, V3 -> V7, median of %d rounds\n", int(v3.size()),
                int(v3.count('\n')), rounds);
    std::printf("copy:    %8.2f ms wall, %8.2f ms processor\n", copy, median(copyCpuMs));
    std::printf("migrate: %8.2f ms wall, %8.2f ms processor (read, backup, four steps, "
                "one write)\n",
                migrate, median(migrateCpuMs));
    std::printf("ratio:   %8.1f x the copy (wall), %.1f x (processor)\n", migrate / copy,
                median(migrateCpuMs) / median(copyCpuMs));
    std::printf("steps in memory only: %.2f ms (%.1f x the copy)\n", median(memoryMs),
                median(memoryMs) / copy);
    std::printf("one safe write (of two per migration): %.2f ms\n", median(safeWriteMs));
    std::printf("memory:  peak RSS %ld KiB before, %ld KiB after the migrations (+%ld KiB)\n",
                peakBefore, peakAfter, peakAfter - peakBefore);
    return 0;
}
