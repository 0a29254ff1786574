#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariant>

class ExclusiveGroup;

// The command object that buttons, menu items and data items bind to. Its shortcut and the
// Alt+letter mnemonic of its text are registered in the application's shortcut map while they
// are set.
class CAction : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText RESET resetText NOTIFY textChanged)
    Q_PROPERTY(QUrl iconSource READ iconSource WRITE setIconSource RESET resetIconSource NOTIFY
                   iconSourceChanged)
    Q_PROPERTY(QString iconName READ iconName WRITE setIconName NOTIFY iconNameChanged)
    Q_PROPERTY(QVariant __icon READ iconVariant NOTIFY iconChanged)
    Q_PROPERTY(
        QString tooltip READ tooltip WRITE setTooltip RESET resetTooltip NOTIFY tooltipChanged)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(bool checkable READ isCheckable WRITE setCheckable NOTIFY checkableChanged)
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked NOTIFY toggled)
    Q_PROPERTY(ExclusiveGroup *exclusiveGroup READ exclusiveGroup WRITE setExclusiveGroup NOTIFY
                   exclusiveGroupChanged)
    Q_PROPERTY(QString shortcut READ shortcut WRITE setShortcut NOTIFY shortcutChanged)
public:
    explicit CAction(QObject *parent = nullptr);
    ~CAction() override;

    QString text() const;
    void setText(const QString &text);
    void resetText();

    QUrl iconSource() const;
    void setIconSource(const QUrl &iconSource);
    void resetIconSource();

    QString iconName() const;
    void setIconName(const QString &iconName);

    QIcon icon() const;
    QVariant iconVariant() const;

    QString tooltip() const;
    void setTooltip(const QString &tooltip);
    void resetTooltip();

    bool isEnabled() const;
    void setEnabled(bool enabled);

    bool isCheckable() const;
    void setCheckable(bool checkable);

    // Reads false while the action is not checkable, whatever was written.
    bool isChecked() const;
    void setChecked(bool checked);

    ExclusiveGroup *exclusiveGroup() const;
    void setExclusiveGroup(ExclusiveGroup *group);

    // Native text form of the key sequence; written in portable text form.
    QString shortcut() const;
    void setShortcut(const QString &shortcut);

    QKeySequence mnemonic() const;

public Q_SLOTS:
    void trigger();

Q_SIGNALS:
    void triggered();
    void toggled(bool checked);
    void textChanged();
    void shortcutChanged(QString shortcut);
    void iconChanged();
    void iconNameChanged();
    void iconSourceChanged();
    void tooltipChanged(QString arg);
    void enabledChanged();
    void checkableChanged();
    void exclusiveGroupChanged();

protected:
    bool event(QEvent *event) override;

private:
    void setMnemonicFromText(const QString &text);
    QIcon iconFromSource() const;

    QString m_text;
    QUrl m_iconSource;
    QString m_iconName;
    QIcon m_icon;
    bool m_enabled = true;
    bool m_checkable = false;
    bool m_checked = false;
    QPointer<ExclusiveGroup> m_exclusiveGroup;
    QKeySequence m_shortcut;
    QKeySequence m_mnemonic;
    QString m_tooltip;
    // Registration ids in the shortcut map (0: not registered).
    int m_shortcutId = 0;
    int m_mnemonicId = 0;
};
