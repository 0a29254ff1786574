#include "uidatacontainer.h"

UiDataContainer *UiDataContainer::s_dcInstance = nullptr;

UiDataContainer::UiDataContainer(QObject *parent)
    : QObject(parent)
{
}

UiDataContainer::~UiDataContainer()
{
    // Never leave the shared pointer dangling.
    if (s_dcInstance == this)
        s_dcInstance = nullptr;
}
