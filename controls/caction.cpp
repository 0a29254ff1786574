#include "caction.h"

#include "exclusivegroup.h"
#include "shortcutcontextmatcher.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/private/qshortcutmap_p.h>

#include <QShortcutEvent>
#include <QtDebug>

namespace {

// The application's shortcut map, or null where no GUI application runs (a plain core
// application still gets working actions, only without key handling).
QShortcutMap *shortcutMap()
{
    QGuiApplicationPrivate *app = QGuiApplicationPrivate::instance();
    return app ? &app->shortcutMap : nullptr;
}

// A registration of a disabled action stays in the map switched off: were it live, a disabled
// twin elsewhere in the window would make the enabled action's keys ambiguous.
int registerSequence(QObject *owner, const QKeySequence &sequence, bool enabled)
{
    QShortcutMap *map = shortcutMap();
    if (!map || sequence.isEmpty())
        return 0;
    const int id = map->addShortcut(owner, sequence, Qt::WindowShortcut, shortcutContextMatcher);
    if (!enabled)
        map->setShortcutEnabled(false, id, owner, sequence);
    return id;
}

void enableSequence(QObject *owner, int id, const QKeySequence &sequence, bool enabled)
{
    QShortcutMap *map = shortcutMap();
    if (map && id != 0)
        map->setShortcutEnabled(enabled, id, owner, sequence);
}

// Removes exactly one registration: a shortcut and a mnemonic may share a key sequence.
void unregisterSequence(QObject *owner, int &id, const QKeySequence &sequence)
{
    QShortcutMap *map = shortcutMap();
    if (map && id != 0)
        map->removeShortcut(id, owner, sequence);
    id = 0;
}

QString localFileOf(const QUrl &url)
{
    if (url.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    if (url.isLocalFile())
        return url.toLocalFile();
    return url.toString();
}

} // namespace

CAction::CAction(QObject *parent)
    : QObject(parent)
{
}

CAction::~CAction()
{
    // No signals from a dying object: only drop the registrations and leave the group (which
    // unchecks its current member, this one included).
    blockSignals(true);
    unregisterSequence(this, m_shortcutId, m_shortcut);
    unregisterSequence(this, m_mnemonicId, m_mnemonic);
    if (m_exclusiveGroup)
        m_exclusiveGroup->unbindCheckable(this);
}

QString CAction::text() const
{
    return m_text;
}

void CAction::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    setMnemonicFromText(m_text);
    Q_EMIT textChanged();
}

void CAction::resetText()
{
    setText(QString());
}

void CAction::setMnemonicFromText(const QString &text)
{
    const QKeySequence sequence = QKeySequence::mnemonic(text);
    if (sequence == m_mnemonic)
        return;
    unregisterSequence(this, m_mnemonicId, m_mnemonic);
    m_mnemonic = sequence;
    m_mnemonicId = registerSequence(this, m_mnemonic, m_enabled);
}

QUrl CAction::iconSource() const
{
    return m_iconSource;
}

QIcon CAction::iconFromSource() const
{
    return m_iconSource.isEmpty() ? QIcon() : QIcon(localFileOf(m_iconSource));
}

void CAction::setIconSource(const QUrl &iconSource)
{
    if (m_iconSource == iconSource)
        return;
    m_iconSource = iconSource;
    // A theme icon takes precedence over the file.
    if (!m_iconName.isEmpty() && !m_icon.isNull()) {
        Q_EMIT iconSourceChanged();
        return;
    }
    m_icon = iconFromSource();
    Q_EMIT iconChanged();
    Q_EMIT iconSourceChanged();
}

void CAction::resetIconSource()
{
    setIconSource(QUrl());
}

QString CAction::iconName() const
{
    return m_iconName;
}

void CAction::setIconName(const QString &iconName)
{
    if (m_iconName == iconName)
        return;
    m_iconName = iconName;
    m_icon = QIcon::fromTheme(m_iconName, iconFromSource());
    Q_EMIT iconNameChanged();
    Q_EMIT iconChanged();
}

QIcon CAction::icon() const
{
    return m_icon;
}

QVariant CAction::iconVariant() const
{
    return QVariant::fromValue(m_icon);
}

QString CAction::tooltip() const
{
    return m_tooltip;
}

void CAction::setTooltip(const QString &tooltip)
{
    if (m_tooltip == tooltip)
        return;
    m_tooltip = tooltip;
    Q_EMIT tooltipChanged(m_tooltip);
}

void CAction::resetTooltip()
{
    setTooltip(QString());
}

bool CAction::isEnabled() const
{
    return m_enabled;
}

void CAction::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    enableSequence(this, m_shortcutId, m_shortcut, m_enabled);
    enableSequence(this, m_mnemonicId, m_mnemonic, m_enabled);
    Q_EMIT enabledChanged();
}

bool CAction::isCheckable() const
{
    return m_checkable;
}

void CAction::setCheckable(bool checkable)
{
    if (m_checkable == checkable)
        return;
    m_checkable = checkable;
    Q_EMIT checkableChanged();
    // The published checked value follows the checkable flag.
    if (m_checked)
        Q_EMIT toggled(m_checkable);
}

bool CAction::isChecked() const
{
    return m_checkable && m_checked;
}

void CAction::setChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    if (m_checkable)
        Q_EMIT toggled(m_checked);
}

ExclusiveGroup *CAction::exclusiveGroup() const
{
    return m_exclusiveGroup;
}

void CAction::setExclusiveGroup(ExclusiveGroup *group)
{
    if (m_exclusiveGroup == group)
        return;
    if (m_exclusiveGroup)
        m_exclusiveGroup->unbindCheckable(this);
    m_exclusiveGroup = group;
    if (m_exclusiveGroup)
        m_exclusiveGroup->bindCheckable(this);
    Q_EMIT exclusiveGroupChanged();
}

QString CAction::shortcut() const
{
    return m_shortcut.toString(QKeySequence::NativeText);
}

void CAction::setShortcut(const QString &shortcut)
{
    const QKeySequence sequence = QKeySequence::fromString(shortcut, QKeySequence::PortableText);
    if (sequence == m_shortcut)
        return;
    unregisterSequence(this, m_shortcutId, m_shortcut);
    m_shortcut = sequence;
    m_shortcutId = registerSequence(this, m_shortcut, m_enabled);
    Q_EMIT shortcutChanged(this->shortcut());
}

QKeySequence CAction::mnemonic() const
{
    return m_mnemonic;
}

void CAction::trigger()
{
    if (!m_enabled)
        return;
    // A checked member of an exclusive group stays checked when triggered again.
    if (m_checkable && !(isChecked() && m_exclusiveGroup))
        setChecked(!m_checked);
    Q_EMIT triggered();
}

bool CAction::event(QEvent *event)
{
    if (event->type() != QEvent::Shortcut)
        return QObject::event(event);

    auto *shortcutEvent = static_cast<QShortcutEvent *>(event);
    if (shortcutEvent->isAmbiguous()) {
        qWarning("CAction::event: Ambiguous shortcut overload: %s",
                 qPrintable(shortcutEvent->key().toString(QKeySequence::NativeText)));
        return false;
    }
    if (!m_enabled)
        return false;
    trigger();
    return true;
}
