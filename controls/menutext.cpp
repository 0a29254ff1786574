#include "menutext.h"

#include "caction.h"

MenuText::MenuText(EMenuItemType::MenuItemType type, QObject *parent)
    : MenuItemBase(type, parent)
    , m_action(new CAction(this))
{
    connect(m_action, &CAction::enabledChanged, this, &MenuText::updateEnabled);
    connect(m_action, &CAction::textChanged, this, &MenuText::updateText);
    connect(m_action, &CAction::iconNameChanged, this, &MenuText::updateIcon);
    connect(m_action, &CAction::iconNameChanged, this, &MenuText::iconNameChanged);
    connect(m_action, &CAction::iconSourceChanged, this, &MenuText::updateIcon);
    connect(m_action, &CAction::iconSourceChanged, this, &MenuText::iconSourceChanged);
}

CAction *MenuText::effectiveAction() const
{
    return m_action;
}

CAction *MenuText::fallbackAction() const
{
    return nullptr;
}

bool MenuText::isEnabled() const
{
    return effectiveAction()->isEnabled();
}

void MenuText::setEnabled(bool enabled)
{
    effectiveAction()->setEnabled(enabled);
}

QString MenuText::text() const
{
    const QString own = m_action->text();
    if (!own.isEmpty())
        return own;
    const CAction *fallback = fallbackAction();
    return fallback ? fallback->text() : QString();
}

void MenuText::setText(const QString &text)
{
    m_action->setText(text);
}

QUrl MenuText::iconSource() const
{
    const QUrl own = m_action->iconSource();
    if (!own.isEmpty())
        return own;
    const CAction *fallback = fallbackAction();
    return fallback ? fallback->iconSource() : QUrl();
}

void MenuText::setIconSource(const QUrl &source)
{
    m_action->setIconSource(source);
}

QString MenuText::iconName() const
{
    const QString own = m_action->iconName();
    if (!own.isEmpty())
        return own;
    const CAction *fallback = fallbackAction();
    return fallback ? fallback->iconName() : QString();
}

void MenuText::setIconName(const QString &name)
{
    m_action->setIconName(name);
}

QIcon MenuText::icon() const
{
    const QIcon own = m_action->icon();
    if (!own.isNull())
        return own;
    const CAction *fallback = fallbackAction();
    return fallback ? fallback->icon() : QIcon();
}

QVariant MenuText::iconVariant() const
{
    return QVariant::fromValue(icon());
}

void MenuText::updateText()
{
    Q_EMIT __textChanged();
}

void MenuText::updateEnabled()
{
    Q_EMIT enabledChanged();
}

void MenuText::updateIcon()
{
    Q_EMIT __iconChanged();
}
