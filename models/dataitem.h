#pragma once

#include "caction.h"
#include "exclusivegroup.h"
#include "zebdata.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlParserStatus>
#include <QUrl>
#include <QVarLengthArray>

class DataItemList;

// One displayable entry of a page: a measured value, a setting, a header, a spacer. It may be
// bound to a data object of the instrument, to an action, and to the list that holds it, from
// which it takes the layout values it has not set itself. Every bound object may die first: the
// item then reads as unbound and notifies the values whose reading changed.
class DataItem : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(DataItemType type READ type WRITE setType NOTIFY typeChanged)
    Q_PROPERTY(bool applicable READ applicable WRITE setApplicable NOTIFY applicableChanged)
    Q_PROPERTY(QString text READ getText WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QString subText READ getSubText WRITE setSubText NOTIFY subTextChanged)
    Q_PROPERTY(QUrl compPath READ compPath WRITE setCompPath NOTIFY compPathChanged)
    Q_PROPERTY(QQmlComponent *component READ component WRITE setComponent NOTIFY componentChanged)
    Q_PROPERTY(int width READ width WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(int height READ height WRITE setHeight NOTIFY heightChanged)
    Q_PROPERTY(int itemIndex READ getItemIndex WRITE setItemIndex NOTIFY itemIndexChanged)
    Q_PROPERTY(QFont font READ font WRITE setFont NOTIFY fontChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(QString iconSource READ iconSource WRITE setIconSource NOTIFY iconSourceChanged)
    Q_PROPERTY(ZebData *zebData READ zebData WRITE setZebData NOTIFY zebDataChanged)
    Q_PROPERTY(bool itemCompleted READ itemCompleted NOTIFY completedChanged)
    Q_PROPERTY(CAction *action READ action WRITE setAction NOTIFY actionChanged)
    Q_PROPERTY(bool checkable READ checkable NOTIFY checkableChanged)
    Q_PROPERTY(bool checked READ checked NOTIFY toggled)
    Q_PROPERTY(ExclusiveGroup *exclusiveGroup READ exclusiveGroup NOTIFY exclusiveGroupChanged)
    Q_PROPERTY(QString shortcut READ shortcut NOTIFY shortcutChanged)
public:
    enum DataItemType {
        Header = 0,
        Item = 1,
        List = 2,
        Spacer = 3,
        TableModelRow = 4,
        TableModelColumn = 5,
        NavMenuItem = 6,
        Separator = 7,
        EMPTY = 8
    };
    Q_ENUM(DataItemType)

    explicit DataItem(QObject *parent = nullptr);
    ~DataItem() override;

    void classBegin() override;
    void componentComplete() override;
    virtual DataItemType type() const;
    virtual void setType(DataItemType type);
    virtual QUrl compPath() const;
    virtual void setCompPath(const QUrl &compPath);
    virtual QQmlComponent *component() const;
    virtual void setComponent(QQmlComponent *component);
    virtual QString getText() const;
    virtual QString getSubText() const;
    virtual int width() const;
    virtual void setWidth(int width);
    virtual int height() const;
    virtual void setHeight(int height);
    virtual int getItemIndex() const;
    virtual void setItemIndex(int index);
    virtual bool applicable() const;
    virtual void setApplicable(bool applicable);
    virtual QString iconSource() const;

    void setText(const QString &text);
    void setSubText(const QString &subText);
    QFont font() const;
    void setFont(const QFont &font);
    bool enabled() const;
    void setEnabled(bool enabled);
    void setIconSource(const QString &iconSource);

    ZebData *zebData() const;
    void setZebData(ZebData *zebData);
    bool itemCompleted() const;

    CAction *action() const;
    void setAction(CAction *action);
    bool checkable() const;
    bool checked() const;
    ExclusiveGroup *exclusiveGroup() const;
    QString shortcut() const;

    Q_INVOKABLE void trigger();
    Q_INVOKABLE QString getContainerName() const;

    // The list that lends its layout values, or null.
    DataItemList *container() const;
    // A list becomes the container list; any other object only names the container.
    void setContainer(QObject *container);

    // A header or a spacer never counts for a list's applicability.
    bool isOrdinary() const { return m_type != Header && m_type != Spacer; }

Q_SIGNALS:
    void applicableChanged();
    void textChanged();
    void subTextChanged();
    void typeChanged();
    void compPathChanged();
    void heightChanged();
    void widthChanged();
    void itemIndexChanged();
    void fontChanged();
    void iconSourceChanged();
    void enabledChanged();
    void zebDataChanged();
    void componentChanged();
    void completedChanged();
    void actionChanged();
    void toggled();
    void exclusiveGroupChanged();
    void triggered();
    void shortcutChanged();
    void checkableChanged();

private Q_SLOTS:
    void zebDataApplicableChanged();
    void zebDataDestroyed();
    void actionStateChanged();
    void actionDestroyed();

private:
    friend class DataItemList;

    // The values an item takes from its container list and whose changes it still follows.
    enum Follow : quint8 {
        FollowWidth = 1,
        FollowHeight = 2,
        FollowCompPath = 4,
        FollowFont = 8,
        FollowAll = 15
    };

    // The readings an action lends the item; compared to tell which of them changed.
    struct ActionReadings
    {
        bool enabled = true;
        bool checkable = false;
        bool checked = false;
        QString shortcut;
        QPointer<ExclusiveGroup> group;
    };
    ActionReadings actionReadings() const;
    void notifyActionReadings(const ActionReadings &before);
    void stopFollowing(Follow value);
    void containerListDestroyed();

    QString m_text;
    bool m_applicable = true;
    QPointer<DataItemList> m_containerList;
    QPointer<QObject> m_containerObject;
    QString m_subText;
    DataItemType m_type = Item;
    QUrl m_compPath;
    QPointer<QQmlComponent> m_component;
    int m_width = -1;
    int m_height = -1;
    QString m_iconSource;
    bool m_enabled = true;
    QFont m_font;
    QPointer<ZebData> m_zebData;
    bool m_completed = false;
    int m_itemIndex = 0;
    QPointer<CAction> m_action;
    quint8 m_follows = 0;
    int m_followerIndex = -1; // place among the container list's followers
    // The lists that hold the item; each learns of its death. Two cover a table cell.
    QVarLengthArray<DataItemList *, 2> m_holders;
    // Let go by a list's deferred clear and waiting for deletion; a list that takes the item in
    // again first cancels the deletion.
    bool m_deletionPending = false;
    // Last readings of the bound objects: a dying object can no longer be asked.
    bool m_zebDataApplicable = true;
    ActionReadings m_actionReadings;
};
