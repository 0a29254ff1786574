#pragma once

#include <QObject>

// The process-wide container of the instrument's data objects. The QML module publishes it as
// the singleton "UiDataContainer"; every engine of a process shares the one instance.
class UiDataContainer : public QObject
{
    Q_OBJECT
public:
    explicit UiDataContainer(QObject *parent = nullptr);
    ~UiDataContainer() override;

    // Null until a container has been created and stored here.
    static UiDataContainer *s_dcInstance;
};
