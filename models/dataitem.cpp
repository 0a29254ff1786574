#include "dataitem.h"

#include "dataitemlist.h"

#include <utility>

DataItem::DataItem(QObject *parent)
    : QObject(parent)
{
}

DataItem::~DataItem()
{
    if (m_containerList)
        m_containerList->removeFollower(this);
    // Each holder drops the item as a removal; the item is still a DataItem here.
    const auto holders = std::exchange(m_holders, {});
    for (DataItemList *list : holders)
        list->itemDestroyed(this);
}

void DataItem::classBegin() { }

void DataItem::componentComplete()
{
    if (m_completed)
        return;
    m_completed = true;
    Q_EMIT completedChanged();
}

DataItem::DataItemType DataItem::type() const
{
    return m_type;
}

void DataItem::setType(DataItemType type)
{
    if (m_type == type)
        return;
    m_type = type;
    Q_EMIT typeChanged();
}

QUrl DataItem::compPath() const
{
    if (m_compPath.isEmpty() && m_containerList)
        return m_containerList->compPath();
    return m_compPath;
}

void DataItem::setCompPath(const QUrl &compPath)
{
    stopFollowing(FollowCompPath);
    if (m_compPath == compPath)
        return;
    m_compPath = compPath;
    Q_EMIT compPathChanged();
}

QQmlComponent *DataItem::component() const
{
    if (!m_component && m_containerList)
        return m_containerList->component();
    return m_component;
}

void DataItem::setComponent(QQmlComponent *component)
{
    if (m_component == component)
        return;
    if (m_component)
        disconnect(m_component, &QObject::destroyed, this, &DataItem::componentChanged);
    m_component = component;
    if (m_component)
        connect(m_component, &QObject::destroyed, this, &DataItem::componentChanged);
    Q_EMIT componentChanged();
}

QString DataItem::getText() const
{
    return m_text;
}

void DataItem::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    Q_EMIT textChanged();
}

QString DataItem::getSubText() const
{
    return m_subText;
}

void DataItem::setSubText(const QString &subText)
{
    if (m_subText == subText)
        return;
    m_subText = subText;
    Q_EMIT subTextChanged();
}

int DataItem::width() const
{
    if (m_width == -1 && m_containerList)
        return m_containerList->width();
    return m_width;
}

void DataItem::setWidth(int width)
{
    stopFollowing(FollowWidth);
    if (m_width == width)
        return;
    m_width = width;
    Q_EMIT widthChanged();
}

int DataItem::height() const
{
    if (m_height == -1 && m_containerList)
        return m_containerList->height();
    return m_height;
}

void DataItem::setHeight(int height)
{
    stopFollowing(FollowHeight);
    if (m_height == height)
        return;
    m_height = height;
    Q_EMIT heightChanged();
}

int DataItem::getItemIndex() const
{
    return m_itemIndex;
}

void DataItem::setItemIndex(int index)
{
    if (m_itemIndex == index)
        return;
    m_itemIndex = index;
    Q_EMIT itemIndexChanged();
}

bool DataItem::applicable() const
{
    return m_zebData ? m_zebData->applicable() : m_applicable;
}

void DataItem::setApplicable(bool applicable)
{
    if (m_applicable == applicable)
        return;
    m_applicable = applicable;
    Q_EMIT applicableChanged();
}

QString DataItem::iconSource() const
{
    return m_iconSource;
}

void DataItem::setIconSource(const QString &iconSource)
{
    if (m_iconSource == iconSource)
        return;
    m_iconSource = iconSource;
    Q_EMIT iconSourceChanged();
}

QFont DataItem::font() const
{
    if (m_font == QFont() && m_containerList)
        return m_containerList->font();
    return m_font;
}

void DataItem::setFont(const QFont &font)
{
    stopFollowing(FollowFont);
    if (m_font == font)
        return;
    m_font = font;
    Q_EMIT fontChanged();
}

bool DataItem::enabled() const
{
    return m_action ? m_action->isEnabled() : m_enabled;
}

void DataItem::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Q_EMIT enabledChanged();
}

ZebData *DataItem::zebData() const
{
    return m_zebData;
}

void DataItem::setZebData(ZebData *zebData)
{
    if (m_zebData == zebData)
        return;
    const bool before = applicable();
    if (m_zebData)
        disconnect(m_zebData, nullptr, this, nullptr);
    m_zebData = zebData;
    if (m_zebData) {
        connect(m_zebData, &ZebData::applicableChanged, this, &DataItem::zebDataApplicableChanged);
        connect(m_zebData, &QObject::destroyed, this, &DataItem::zebDataDestroyed);
        m_zebDataApplicable = m_zebData->applicable();
        Q_EMIT applicableChanged();
    } else if (before != m_applicable) {
        // Lists and tables must learn that the own flag applies again.
        Q_EMIT applicableChanged();
    }
    Q_EMIT zebDataChanged();
}

void DataItem::zebDataApplicableChanged()
{
    m_zebDataApplicable = m_zebData->applicable();
    Q_EMIT applicableChanged();
}

void DataItem::zebDataDestroyed()
{
    // The guarded pointer already reads null: the own flag applies from now on.
    if (m_zebDataApplicable != m_applicable)
        Q_EMIT applicableChanged();
    Q_EMIT zebDataChanged();
}

bool DataItem::itemCompleted() const
{
    return m_completed;
}

CAction *DataItem::action() const
{
    return m_action;
}

void DataItem::setAction(CAction *action)
{
    if (m_action == action)
        return;
    const ActionReadings before = actionReadings();
    if (m_action)
        disconnect(m_action, nullptr, this, nullptr);
    m_action = action;
    if (m_action) {
        connect(m_action, &CAction::triggered, this, &DataItem::triggered);
        connect(m_action, &CAction::enabledChanged, this, &DataItem::actionStateChanged);
        connect(m_action, &CAction::checkableChanged, this, &DataItem::actionStateChanged);
        connect(m_action, &CAction::toggled, this, &DataItem::actionStateChanged);
        connect(m_action, &CAction::shortcutChanged, this, &DataItem::actionStateChanged);
        connect(m_action, &CAction::exclusiveGroupChanged, this, &DataItem::actionStateChanged);
        connect(m_action, &QObject::destroyed, this, &DataItem::actionDestroyed);
    }
    m_actionReadings = actionReadings();
    notifyActionReadings(before);
    Q_EMIT actionChanged();
}

bool DataItem::checkable() const
{
    return m_action && m_action->isCheckable();
}

bool DataItem::checked() const
{
    return m_action && m_action->isChecked();
}

ExclusiveGroup *DataItem::exclusiveGroup() const
{
    return m_action ? m_action->exclusiveGroup() : nullptr;
}

QString DataItem::shortcut() const
{
    return m_action ? m_action->shortcut() : QString();
}

DataItem::ActionReadings DataItem::actionReadings() const
{
    ActionReadings readings;
    readings.enabled = enabled();
    readings.checkable = checkable();
    readings.checked = checked();
    readings.shortcut = shortcut();
    readings.group = exclusiveGroup();
    return readings;
}

void DataItem::notifyActionReadings(const ActionReadings &before)
{
    const ActionReadings &now = m_actionReadings;
    if (before.enabled != now.enabled)
        Q_EMIT enabledChanged();
    if (before.checkable != now.checkable)
        Q_EMIT checkableChanged();
    if (before.checked != now.checked)
        Q_EMIT toggled();
    if (before.shortcut != now.shortcut)
        Q_EMIT shortcutChanged();
    if (before.group != now.group)
        Q_EMIT exclusiveGroupChanged();
}

void DataItem::actionStateChanged()
{
    const ActionReadings before = m_actionReadings;
    m_actionReadings = actionReadings();
    notifyActionReadings(before);
}

void DataItem::actionDestroyed()
{
    const ActionReadings before = m_actionReadings;
    m_actionReadings = actionReadings();
    notifyActionReadings(before);
    Q_EMIT actionChanged();
}

void DataItem::trigger()
{
    if (m_action)
        m_action->trigger();
    else
        Q_EMIT triggered();
}

QString DataItem::getContainerName() const
{
    if (m_containerObject)
        return m_containerObject->objectName();
    if (m_containerList)
        return m_containerList->getContainerName();
    return objectName();
}

DataItemList *DataItem::container() const
{
    return m_containerList;
}

void DataItem::setContainer(QObject *container)
{
    DataItemList *list = qobject_cast<DataItemList *>(container);
    if (!list) {
        m_containerObject = container;
        return;
    }
    // The list forwards its height, compPath, width and font changes to its followers; taking
    // the same list again follows all four again.
    if (m_containerList != list) {
        if (m_containerList)
            m_containerList->removeFollower(this);
        m_containerList = list;
        list->addFollower(this);
    }
    m_follows = FollowAll;
}

// An item that sets a value of its own stops following its list for that value, even when the
// value equals the list's.
void DataItem::stopFollowing(Follow value)
{
    m_follows &= ~value;
}

void DataItem::containerListDestroyed()
{
    m_containerList = nullptr;
    // Values the item did not set itself came from the list and now read unset.
    if (m_compPath.isEmpty())
        Q_EMIT compPathChanged();
    if (!m_component)
        Q_EMIT componentChanged();
    if (m_width == -1)
        Q_EMIT widthChanged();
    if (m_height == -1)
        Q_EMIT heightChanged();
    if (m_font == QFont())
        Q_EMIT fontChanged();
}
