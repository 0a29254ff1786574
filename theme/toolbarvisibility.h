#pragma once

#include <QObject>

// How a page shows the tool bar. QML names the values through the type; there are no instances.
class ToolBarVisibility : public QObject
{
    Q_OBJECT
public:
    enum Visibility { Visible = 0, Hidden = 1, HiddenImmediately = 2 };
    Q_ENUM(Visibility)
};
