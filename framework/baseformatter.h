#pragma once

#include <QObject>
#include <QString>

// Formats the value of a data object; the user interface only asks for its type name.
class BaseFormatter : public QObject
{
    Q_OBJECT
public:
    explicit BaseFormatter(const QString &type = QString(), QObject *parent = nullptr);
    ~BaseFormatter() override;

    virtual QString getType() const;
    void setType(const QString &type);

private:
    QString m_type;
};
