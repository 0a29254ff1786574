#pragma once

#include <QObject>

// How a page follows the screen's orientation. QML names the values through the type; there are no
// instances.
class PagesOrientation : public QObject
{
    Q_OBJECT
public:
    enum PageOrientation { Automatic = 0, LockPortrait = 1, LockLandscape = 2, LockPrevious = 3 };
    Q_ENUM(PageOrientation)
};
