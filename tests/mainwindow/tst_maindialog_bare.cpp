// The window must open whatever is missing around it: here no pictures or
// style sheet are compiled in, and the settings store cannot be read.
#include "language.h"
#include "maindialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTranslator>

class TestMainDialogBare final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithoutPicturesOrSettings();
};

void TestMainDialogBare::opensWithoutPicturesOrSettings()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    QVERIFY(!QFile::exists(QStringLiteral(":/images/main_bg.png")));

    // A folder where the settings file should be: the store cannot be read.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir(config).mkpath(QStringLiteral("Zentavo/Tonquill.conf"));

    QTranslator translator;
    theTranslator = &translator;
    QApplication::installTranslator(&translator);

    MainDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.size(), QSize(750, 531));
    QVERIFY(dialog.mask().isEmpty());
    QVERIFY(!dialog.grab().isNull());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("editOutputFolder"))->text(),
             QDir::toNativeSeparators(documents + QStringLiteral("/Zentavo Tonquill")));
    QVERIFY(!dialog.findChild<QLabel *>(QStringLiteral("labelStatus"))->text().isEmpty());
    QTRY_COMPARE(dialog.windowTitle(), QStringLiteral("Zentavo Tonquill"));
    theTranslator = nullptr;
}

QTEST_MAIN(TestMainDialogBare)
#include "tst_maindialog_bare.moc"
