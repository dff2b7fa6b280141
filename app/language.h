#pragma once

#include <QActionGroup>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QTranslator;
class QWidget;

// The application's one translator: created and installed by main(), loaded
// by QxLanguage. Nothing else creates or installs a translator.
extern QTranslator *theTranslator;

// Owns the interface language: the table of nine languages, the "Language"
// submenu and the switch itself. One per process.
class QxLanguage final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QxLanguage)

public:
    static QxLanguage *instance();

    QMenu *createMenu(QWidget *parent);
    void setLanguage(const QString &code);
    QString currentLanguage() const;

Q_SIGNALS:
    void languageChanged(const QString &strLocale);

protected Q_SLOTS:
    void OnChangeLanguage(QAction *action);

private:
    QxLanguage();

    QStringList codes;
    QStringList names;
    QActionGroup actionGroup;
    int currentIndex = 0;
};
