#pragma once

#include "menutext.h"

#include <QPointer>

class CAction;
class ExclusiveGroup;

// A triggerable, optionally checkable menu entry. Bound to an external action it reads enabled,
// checkable, checked, group and shortcut from that action (and text and icon when it has none of
// its own); without one, from its internal action.
class MenuItem : public MenuText
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool checkable READ isCheckable WRITE setCheckable NOTIFY checkableChanged)
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked NOTIFY toggled)
    Q_PROPERTY(ExclusiveGroup *exclusiveGroup READ exclusiveGroup WRITE setExclusiveGroup NOTIFY
                   exclusiveGroupChanged)
    Q_PROPERTY(QString shortcut READ shortcut WRITE setShortcut NOTIFY shortcutChanged)
    Q_PROPERTY(CAction *action READ boundAction WRITE setBoundAction NOTIFY actionChanged)
public:
    explicit MenuItem(QObject *parent = nullptr);
    ~MenuItem() override;

    bool isCheckable() const;
    void setCheckable(bool checkable);

    bool isChecked() const;
    void setChecked(bool checked);

    ExclusiveGroup *exclusiveGroup() const;
    void setExclusiveGroup(ExclusiveGroup *group);

    QString shortcut() const;
    void setShortcut(const QString &shortcut);

    Q_INVOKABLE CAction *boundAction() const;
    // An action owned by this item (its child) that is replaced is deleted once control is
    // back in the event loop: it may be emitting the signal that led here.
    Q_INVOKABLE void setBoundAction(CAction *action);

public Q_SLOTS:
    void trigger();

Q_SIGNALS:
    void triggered();
    void toggled(bool checked);
    void textChanged();
    void checkableChanged();
    void exclusiveGroupChanged();
    void shortcutChanged();
    void actionChanged();

protected Q_SLOTS:
    void updateShortcut();
    void updateChecked();
    void bindToAction(CAction *action);
    void unbindFromAction(QObject *action);

protected:
    CAction *effectiveAction() const override;
    CAction *fallbackAction() const override;

private:
    void connectAction(CAction *action);
    void detachBoundAction();
    void emitValueSignals();

    QPointer<CAction> m_boundAction;
    // Identity of the bound action, compared (never dereferenced) when it reports destroyed():
    // by then the guarded pointer already reads null.
    const QObject *m_boundIdentity = nullptr;
};
