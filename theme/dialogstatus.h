#pragma once

#include <QObject>

// The states of a dialog, for the pages' dialogs. QML names the values through the type; there are
// no instances.
class DialogStatus : public QObject
{
    Q_OBJECT
public:
    enum Status { Opening = 0, Open = 1, Closing = 2, Closed = 3 };
    Q_ENUM(Status)
};
