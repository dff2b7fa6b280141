#include "managedialog.h"
#include "settings.h"
#include "standins.h"
#include "windowtest.h"
#include "managertest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class TestManageDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void escaping_data();
    void escaping();
    void listShowsThePhonesRingtones();
    void emptyPhoneDisablesEverything();
    void connectionChanges();
    void renameEnablesOnlyForAChangedName();
    void removeAsksFirst_data();
    void removeAsksFirst();
    void saveToPcSuggestsAFreeName();
    void failedChangeReadsThePhoneAgain_data();
    void failedChangeReadsThePhoneAgain();
    void saveToPcWithoutStoredFolder();
    void emptyListSaysWhy_data();
    void emptyListSaysWhy();

private:
    std::unique_ptr<ManageDialog> makeDialog();
};

void TestManageDialog::init()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    store().clear();
    standin::bridge() = {};
    standin::bridge().ringtones = {{"a&lt;b&gt;", "A1B2.m4r"}, {"Bell", "C3D4.m4r"}, {"Chime", "E5F6.m4r"}};
}

std::unique_ptr<ManageDialog> TestManageDialog::makeDialog()
{
    auto dialog = std::make_unique<ManageDialog>();
    dialog->show();
    return dialog;
}

void TestManageDialog::escaping_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("stored");
    QTest::newRow("angle brackets") << "x<y>z" << "x&lt;y&gt;z";
    QTest::newRow("other entities untouched") << "Tom & Jerry &amp;" << "Tom & Jerry &amp;";
    QTest::newRow("nothing to do") << "Bell" << "Bell";
}

void TestManageDialog::escaping()
{
    QFETCH(QString, plain);
    QFETCH(QString, stored);
    QCOMPARE(escapeName(plain), stored);
    QCOMPARE(unescapeName(stored), plain);
}

void TestManageDialog::listShowsThePhonesRingtones()
{
    auto dialog = makeDialog();
    QCOMPARE(dialog->size(), QSize(537, 385));
    QCOMPARE(dialog->objectName(), QStringLiteral("manageDlg"));
    QCOMPARE(rows(dialog.get()), (QStringList{"a<b>", "Bell", "Chime"}));
    auto *list = child<QListWidget>(dialog.get(), "listRingtone");
    QCOMPARE(list->item(1)->data(ManageDialog::RingtonePathRole).toString(),
             QStringLiteral("/iTunes_Control/Ringtones/C3D4.m4r"));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(child<QLineEdit>(dialog.get(), "editName")->text(), QStringLiteral("a<b>"));
    QVERIFY(!child<QPushButton>(dialog.get(), "btnRename")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog.get(), "btnPcToIPhone")->isEnabled());
    for (const char *name : {"btnRemove", "btnReplace", "btnIPhoneToPc"})
        QVERIFY2(child<QPushButton>(dialog.get(), name)->isEnabled(), name);
}

void TestManageDialog::emptyPhoneDisablesEverything()
{
    standin::bridge().ringtones.clear();
    auto dialog = makeDialog();
    QVERIFY(rows(dialog.get()).isEmpty());
    for (const char *name : {"btnRemove", "btnReplace", "btnIPhoneToPc", "btnRename", "btnPcToIPhone"})
        QVERIFY2(!child<QPushButton>(dialog.get(), name)->isEnabled(), name);
    QVERIFY(!child<QLineEdit>(dialog.get(), "editName")->isEnabled());
}

void TestManageDialog::connectionChanges()
{
    auto dialog = makeDialog();
    dialog->onPhoneConnect(false);
    QVERIFY(rows(dialog.get()).isEmpty());
    QVERIFY(child<QLineEdit>(dialog.get(), "editName")->text().isEmpty());
    QVERIFY(!child<QPushButton>(dialog.get(), "btnPcToIPhone")->isEnabled());
    QVERIFY(!child<QPushButton>(dialog.get(), "btnRemove")->isEnabled());

    standin::bridge().ringtones.pop_back();
    dialog->onPhoneConnect(true);
    QCOMPARE(rows(dialog.get()), (QStringList{"a<b>", "Bell"}));
    QCOMPARE(child<QListWidget>(dialog.get(), "listRingtone")->currentRow(), 0);
    QVERIFY(child<QPushButton>(dialog.get(), "btnPcToIPhone")->isEnabled());
    QVERIFY(child<QPushButton>(dialog.get(), "btnRemove")->isEnabled());
}

void TestManageDialog::renameEnablesOnlyForAChangedName()
{
    auto dialog = makeDialog();
    auto *edit = child<QLineEdit>(dialog.get(), "editName");
    auto *rename = child<QPushButton>(dialog.get(), "btnRename");
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("x<y"));
    QVERIFY(rename->isEnabled());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("a<b>"));
    QVERIFY(!rename->isEnabled());

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("x<y"));
    QTest::mouseClick(rename, Qt::LeftButton);
    QCOMPARE(standin::bridge().calls, (std::vector<std::string>{"rename 0 x&lt;y", "commit"}));
    QCOMPARE(rows(dialog.get()).first(), QStringLiteral("x<y"));
    QVERIFY(!rename->isEnabled());
}

void TestManageDialog::removeAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestManageDialog::removeAsksFirst()
{
    QFETCH(bool, yes);
    auto dialog = makeDialog();
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);
    QString question;
    answerNextModal([&question, yes](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        question = box->text();
        QCOMPARE(box->windowTitle(), QStringLiteral("Zentavo Tonquill"));
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRemove"), Qt::LeftButton);
    QCOMPARE(question, QStringLiteral("Remove Ringtone: Bell"));
    if (yes) {
        QCOMPARE(standin::bridge().calls, (std::vector<std::string>{"remove 1", "commit"}));
        QCOMPARE(rows(dialog.get()), (QStringList{"a<b>", "Chime"}));
    } else {
        QVERIFY(standin::bridge().calls.empty());
        QCOMPARE(rows(dialog.get()).size(), 3);
    }
}

void TestManageDialog::saveToPcSuggestsAFreeName()
{
    QTemporaryDir folder;
    for (const char *name : {"Bell.m4r", "Bell(1).m4r"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    store().setValue(QStringLiteral("Setting/OutputFolder"), QDir::toNativeSeparators(folder.path()));
    auto dialog = makeDialog();
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);

    QString suggested;
    answerNextModal([&suggested](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        QVERIFY(files);
        suggested = files->selectedFiles().value(0);
        static_cast<QDialog *>(files)->accept(); // as the Save button does
    });
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnIPhoneToPc"), Qt::LeftButton);
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("Bell(2).m4r"));
    QCOMPARE(standin::bridge().calls,
             (std::vector<std::string>{"from /iTunes_Control/Ringtones/C3D4.m4r " + suggested.toStdString()}));
}

void TestManageDialog::failedChangeReadsThePhoneAgain_data()
{
    QTest::addColumn<bool>("remove");
    QTest::addColumn<int>("changeResult");
    QTest::addColumn<int>("commitResult");
    QTest::newRow("remove fails") << true << -1 << 0;
    QTest::newRow("remove not committed") << true << 0 << -1;
    QTest::newRow("rename fails") << false << -1 << 0;
    QTest::newRow("rename not committed") << false << 0 << -1;
}

void TestManageDialog::failedChangeReadsThePhoneAgain()
{
    QFETCH(bool, remove);
    QFETCH(int, changeResult);
    QFETCH(int, commitResult);
    auto dialog = makeDialog();
    auto *list = child<QListWidget>(dialog.get(), "listRingtone");
    list->setCurrentRow(1);
    standin::bridge().changeResult = changeResult;
    standin::bridge().commitResult = commitResult;
    // Meanwhile the phone changed under the list.
    standin::bridge().ringtones.insert(standin::bridge().ringtones.begin(), {"New", "N0N0.m4r"});
    if (remove) {
        answerNextModal([](QWidget *modal) {
            qobject_cast<QMessageBox *>(modal)->button(QMessageBox::Yes)->click();
        });
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRemove"), Qt::LeftButton);
    } else {
        auto *edit = child<QLineEdit>(dialog.get(), "editName");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Renamed"));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRename"), Qt::LeftButton);
    }
    // The rows are the phone's again, whatever it holds now.
    QStringList expected;
    for (const auto &ringtone : standin::bridge().ringtones)
        expected << unescapeName(QString::fromStdString(ringtone.first));
    QCOMPARE(rows(dialog.get()), expected);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(child<QLineEdit>(dialog.get(), "editName")->text(), expected.at(1));
    QVERIFY(!child<QPushButton>(dialog.get(), "btnRename")->isEnabled());
}

void TestManageDialog::saveToPcWithoutStoredFolder()
{
    standin::bridge().ringtones = {{"AC/DC: Live?", "A1B2.m4r"}};
    auto dialog = makeDialog();
    QString suggested;
    answerNextModal([&suggested](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        QVERIFY(files);
        suggested = files->selectedFiles().value(0);
        files->reject();
    });
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnIPhoneToPc"), Qt::LeftButton);
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("ACDC Live.m4r"));
    QCOMPARE(QDir::toNativeSeparators(QFileInfo(suggested).absolutePath()),
             QDir::toNativeSeparators(QDir(defaultOutputFolder()).absolutePath()));
    QVERIFY(standin::bridge().calls.empty());
}

void TestManageDialog::emptyListSaysWhy_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("ringtones");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no phone") << false << false << "No iPhone connected.";
    QTest::newRow("empty phone") << true << false << "No ringtones on this iPhone yet.";
    QTest::newRow("phone with ringtones") << true << true << QString();
}

void TestManageDialog::emptyListSaysWhy()
{
    QFETCH(bool, connected);
    QFETCH(bool, ringtones);
    QFETCH(QString, shown);
    if (!ringtones)
        standin::bridge().ringtones.clear();
    auto dialog = makeDialog();
    dialog->onPhoneConnect(connected);
    auto *label = child<QLabel>(dialog.get(), "labelEmpty");
    QCOMPARE(label->isVisible(), !shown.isEmpty());
    if (!shown.isEmpty())
        QCOMPARE(label->text(), shown);
    // Unplugged with the manager open: the list empties and says so.
    dialog->onPhoneConnect(false);
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("No iPhone connected."));
}

QTEST_MAIN(TestManageDialog)
#include "tst_managedialog.moc"
