#pragma once

#include "menuitembase.h"

#include <QIcon>
#include <QUrl>
#include <QVariant>

class CAction;

// A menu entry with text and icon, kept in an internal action that the entry owns.
class MenuText : public MenuItemBase
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(QUrl iconSource READ iconSource WRITE setIconSource NOTIFY iconSourceChanged)
    Q_PROPERTY(QString iconName READ iconName WRITE setIconName NOTIFY iconNameChanged)
    Q_PROPERTY(QVariant __icon READ iconVariant NOTIFY __iconChanged)
public:
    bool isEnabled() const;
    void setEnabled(bool enabled);

    // Text and icon are written to the internal action; reading falls back to fallbackAction()
    // while the internal value is empty.
    QString text() const;
    void setText(const QString &text);

    QUrl iconSource() const;
    void setIconSource(const QUrl &source);

    QString iconName() const;
    void setIconName(const QString &name);

    QIcon icon() const;
    QVariant iconVariant() const;

Q_SIGNALS:
    void enabledChanged();
    void iconSourceChanged();
    void iconNameChanged();
    void __iconChanged();
    void __textChanged();

protected Q_SLOTS:
    void updateText();
    void updateEnabled();
    void updateIcon();

protected:
    MenuText(EMenuItemType::MenuItemType type, QObject *parent);

    CAction *internalAction() const { return m_action; }
    // The action that answers enabled, checked, shortcut... and is triggered.
    virtual CAction *effectiveAction() const;
    virtual CAction *fallbackAction() const;

private:
    CAction *const m_action;
};
