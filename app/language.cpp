#include "language.h"

#include <QAction>
#include <QCoreApplication>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

QTranslator *theTranslator = nullptr;

namespace {
struct LanguageEntry
{
    const char *code;
    const char *name; // the language's own name, never translated
};

constexpr LanguageEntry kLanguages[] = {
    {"en", "English"},
    {"fr", "Français"},
    {"de", "Deutsch"},
    {"es", "Español"},
    {"it", "Italiano"},
    {"ja", "日本語"},
    {"zh_CN", "简体中文"},
    {"zh_TW", "繁體中文"},
    {"ar", "العربية"},
};
}

QxLanguage::QxLanguage()
    : actionGroup(this)
{
}

QxLanguage *QxLanguage::instance()
{
    // GUI thread only; the function-local static is destroyed at exit.
    static QxLanguage language;
    return &language;
}

QMenu *QxLanguage::createMenu(QWidget *parent)
{
    currentIndex = 0;
    auto *menu = new QMenu(QCoreApplication::translate("QxLanguage", "Language"), parent);
    connect(&actionGroup, &QActionGroup::triggered, this, &QxLanguage::OnChangeLanguage,
            Qt::UniqueConnection);

    // The program builds one menu; a second window (tests do this) gets a
    // fresh table instead of a doubled one. The old entries belong to us, not
    // to the menu they were shown in.
    qDeleteAll(actionGroup.actions());
    codes.clear();
    names.clear();

    for (const LanguageEntry &entry : kLanguages) {
        codes.append(QString::fromUtf8(entry.code));
        names.append(QString::fromUtf8(entry.name));
    }
    for (qsizetype i = 0; i < codes.size(); ++i) {
        auto *action = new QAction(names.at(i), this);
        action->setCheckable(true);
        action->setData(codes.at(i));
        menu->addAction(action);
        actionGroup.addAction(action);
        if (codes.at(i) == QLatin1String("en")) {
            action->setChecked(true);
            action->setEnabled(false);
        }
    }
    return menu;
}

void QxLanguage::setLanguage(const QString &code)
{
    QString lang = code;
    if (lang.isEmpty()) {
        lang = QLocale::system().name();
        if (!codes.contains(lang)) {
            const qsizetype cut = lang.indexOf(QLatin1Char('_'));
            if (cut > 0)
                lang = lang.left(cut);
            if (!codes.contains(lang))
                lang = QStringLiteral("en");
        }
    }

    // Loading into the installed translator makes Qt post a LanguageChange
    // event to every window; a failed load leaves the translator empty.
    if (theTranslator)
        (void)theTranslator->load(QStringLiteral(":/translations/ringtone_") + lang);

    Q_EMIT languageChanged(lang);

    const QList<QAction *> actions = actionGroup.actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction *action = actions.at(i);
        const bool isCurrent = action->data().toString() == lang;
        if (isCurrent)
            currentIndex = int(i);
        action->setChecked(isCurrent);
        action->setEnabled(!isCurrent);
    }
}

QString QxLanguage::currentLanguage() const
{
    return codes.value(currentIndex);
}

void QxLanguage::OnChangeLanguage(QAction *action)
{
    setLanguage(action->data().toString());
}
