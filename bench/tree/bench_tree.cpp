// Loads an XML menu of many Path entries into a TreeModel, side by side with parsing the same
// file into a QDomDocument alone, and looks every entry up by path through the model's index,
// side by side with TreeNode::locate, which searches the tree depth first. Prints the ratios.
//
//   tree_bench [entries] [rounds]
#include "benchfigure.h"
#include "treemodel.h"
#include "treenode.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

// The candidate and its baseline alternately, best round of each.
void compare(const char *name, int rounds, const std::function<void()> &baseline,
             const std::function<void()> &candidate)
{
    const BestTimes best = bestOfAlternating(rounds, baseline, candidate);
    printMsFigure(name, best.candidateNs, best.baselineNs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? qMax(1, atoi(argv[1])) : 20000;
    const int rounds = argc > 2 ? qMax(1, atoi(argv[2])) : 7;

    // A menu as instruments have them: sections, groups, entries, the "oem" prefix.
    QStringList paths;
    QByteArray xml
        = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Menu>\n<MenuName>Main</MenuName>\n";
    for (int i = 0; i < entries; ++i) {
        paths << QStringLiteral("Section %1/Group %2/Entry %3").arg(i % 12).arg(i % 97).arg(i);
        xml += "  <Path>/oem/" + paths.last().toUtf8() + "</Path>\n";
    }
    xml += "</Menu>\n";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("menu.xml"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(xml) != xml.size())
        return 1;
    out.close();

    std::printf("%d Path entries (%lld bytes), best of %d alternating rounds\n", entries,
                static_cast<long long>(xml.size()), rounds);
    int nodes = 0;
    compare(
        "load XML menu vs QDomDocument parse", rounds,
        [&] {
            QFile in(file);
            in.open(QIODevice::ReadOnly);
            QDomDocument document;
            document.setContent(in.readAll());
        },
        [&] {
            TreeModel model;
            model.loadModelfromXml(file);
            nodes = model.rowCount();
        });
    if (nodes != 12)
        return 1;

    TreeModel model;
    model.loadModelfromXml(file);
    TreeNode *root = model.rootItem();
    const TreeNode *last = nullptr;
    compare(
        "locate every entry: index vs depth-first", rounds,
        [&] {
            for (const QString &path : qAsConst(paths))
                last = root->locate(root, path);
        },
        [&] {
            for (const QString &path : qAsConst(paths))
                last = model.locate(path);
        });
    return last && last->data().toString() == paths.last().section(QLatin1Char('/'), -1) ? 0 : 1;
}
