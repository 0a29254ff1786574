#ifndef TREETESTHELPERS_H
#define TREETESTHELPERS_H

#include "treenode.h"

#include <QFile>
#include <QStringList>

#include <functional>

// One line per node below root, indented by depth: the shape and data of a tree at a glance.
inline QString dump(const TreeNode *root)
{
    QStringList lines;
    const std::function<void(const TreeNode *, int)> walk = [&](const TreeNode *node, int depth) {
        for (int i = 0; i < node->childCount(); ++i) {
            lines.append(QString(depth, QLatin1Char(' ')) + node->child(i)->data().toString());
            walk(node->child(i), depth + 1);
        }
    };
    walk(root, 0);
    return lines.join(QLatin1Char('\n'));
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(content) == content.size();
}

// Path lookup as plainly as it can be said: the path of every node, compared in depth-first
// order. The reference for the faster lookups.
inline QString plainPath(const TreeNode *root, const TreeNode *node)
{
    QString path = node->data().toString();
    for (const TreeNode *up = node->parent(); up && up != root; up = up->parent()) {
        if (!up->data().toString().isEmpty())
            path = up->data().toString() + QLatin1Char('/') + path;
    }
    return path;
}

inline TreeNode *plainLocate(TreeNode *root, const QString &path)
{
    if (root->data().toString() == path)
        return root;
    const std::function<TreeNode *(TreeNode *)> below = [&](TreeNode *node) -> TreeNode * {
        for (int i = 0; i < node->childCount(); ++i) {
            TreeNode *child = node->child(i);
            if (plainPath(root, child) == path)
                return child;
            if (TreeNode *found = below(child))
                return found;
        }
        return nullptr;
    };
    return below(root);
}

#endif // TREETESTHELPERS_H
