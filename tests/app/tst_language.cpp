#include "language.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QWidget>

class TestLanguage final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void menuHasNineLanguagesEnglishFirst();
    void setLanguage_data();
    void setLanguage();
    void unknownCodeKeepsIndex();
    void systemLocaleFallback();

private:
    QTranslator translator;
    QWidget window;
    QMenu *menu = nullptr;
};

void TestLanguage::initTestCase()
{
    theTranslator = &translator;
    QApplication::installTranslator(&translator);
    menu = QxLanguage::instance()->createMenu(&window);
}

void TestLanguage::menuHasNineLanguagesEnglishFirst()
{
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 9);
    QCOMPARE(actions.first()->data().toString(), QStringLiteral("en"));
    QVERIFY(actions.first()->isChecked());
    QVERIFY(!actions.first()->isEnabled());
    QCOMPARE(actions.at(6)->data().toString(), QStringLiteral("zh_CN"));
    QCOMPARE(actions.at(8)->text(), QString::fromUtf8("العربية"));
    QCOMPARE(QxLanguage::instance()->currentLanguage(), QStringLiteral("en"));
}

void TestLanguage::setLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("current");

    QTest::newRow("french") << "fr" << "fr";
    QTest::newRow("traditional chinese") << "zh_TW" << "zh_TW";
    QTest::newRow("back to english") << "en" << "en";
}

void TestLanguage::setLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, current);

    QSignalSpy changed(QxLanguage::instance(), &QxLanguage::languageChanged);
    QxLanguage::instance()->setLanguage(code);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toString(), current);
    QCOMPARE(QxLanguage::instance()->currentLanguage(), current);

    // Exactly the applied entry is checked and cannot be chosen again.
    for (QAction *action : menu->actions()) {
        const bool isCurrent = action->data().toString() == current;
        QCOMPARE(action->isChecked(), isCurrent);
        QCOMPARE(action->isEnabled(), !isCurrent);
    }
}

void TestLanguage::unknownCodeKeepsIndex()
{
    QxLanguage::instance()->setLanguage(QStringLiteral("de"));
    QSignalSpy changed(QxLanguage::instance(), &QxLanguage::languageChanged);
    QxLanguage::instance()->setLanguage(QStringLiteral("xx"));
    QCOMPARE(changed.first().first().toString(), QStringLiteral("xx"));
    QCOMPARE(QxLanguage::instance()->currentLanguage(), QStringLiteral("de"));
    for (QAction *action : menu->actions()) {
        QVERIFY(!action->isChecked());
        QVERIFY(action->isEnabled());
    }
    QVERIFY(translator.isEmpty());
}

// Run by CTest once per system locale (tst_language_<locale>, with LC_ALL
// and TQ_EXPECTED_LANGUAGE set), since Qt reads the system locale once per
// process: the fallback must end in a translation that really loads.
void TestLanguage::systemLocaleFallback()
{
    const QString expected = qEnvironmentVariable("TQ_EXPECTED_LANGUAGE");
    if (expected.isEmpty())
        QSKIP("run by CTest under a given system locale");
    QVERIFY(QLocale::system().name().startsWith(qEnvironmentVariable("LC_ALL").left(2)));
    QSignalSpy changed(QxLanguage::instance(), &QxLanguage::languageChanged);
    QxLanguage::instance()->setLanguage(QString());
    QCOMPARE(changed.first().first().toString(), expected);
    QCOMPARE(QxLanguage::instance()->currentLanguage(), expected);
    const QString source = QStringLiteral("Invalid input file");
    const QString shown = QCoreApplication::translate("MainDialog", "Invalid input file");
    if (expected == QLatin1String("en")) {
        QVERIFY(translator.isEmpty());
        QCOMPARE(shown, source);
    } else {
        QVERIFY(!translator.isEmpty());
        QVERIFY2(!shown.isEmpty() && shown != source, qPrintable(shown));
        // The translation of that very language, not a neighbour's.
        QTranslator direct;
        QVERIFY(direct.load(QStringLiteral(":/translations/ringtone_") + expected));
        QCOMPARE(shown, direct.translate("MainDialog", "Invalid input file"));
    }
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
