#include "managedialog.h"
#include "settings.h"
#include "standins.h"
#include "windowtest.h"
#include "managertest.h"

#include "devicebridge.h"

#include <QApplication>
#include <QClipboard>
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

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

class TestManageDialog final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void namesAsStored_data();
    void namesAsStored();
    void nameLengthIsTheListsLimit();
    void olderBridgeChangesByRow_data();
    void olderBridgeChangesByRow();
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
    void unreadableListChangesNothing();
    void phoneChangesUnderADialog_data();
    void phoneChangesUnderADialog();
    void failuresSayWhy_data();
    void failuresSayWhy();
    void onlyPlayableAudioGoesToThePhone_data();
    void onlyPlayableAudioGoesToThePhone();
    void replaceSendsTheNewLength_data();
    void replaceSendsTheNewLength();
    void renameRefusesABlankName_data();
    void renameRefusesABlankName();
    void lengthText_data();
    void lengthText();
    void listShowsLengths();

private:
    std::unique_ptr<ManageDialog> makeDialog();
    // A file in the test's folder, made on first use.
    QString localFile(const QString &name);

    std::unique_ptr<QTemporaryDir> folder;
};

namespace {

// Picks `path` in the open file dialog shown, as a user would.
std::function<void(QWidget *)> choose(const QStringList &paths)
{
    return [paths](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        QVERIFY(files);
        files->setDirectory(QFileInfo(paths.first()).absolutePath());
        QStringList names;
        for (const QString &path : paths)
            names << QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"');
        const QString typed = paths.size() == 1 ? QFileInfo(paths.first()).fileName() : names.join(QLatin1Char(' '));
        // Typed into the name field: selectFile() leaves a focused field
        // alone and selects in the list only once the folder has been read
        // (on a thread of the dialog's), and accept() without a selection
        // does nothing.
        auto *field = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(field);
        field->setText(typed);
        static_cast<QDialog *>(files)->accept(); // as the Open or Save button does
    };
}

// Takes the save dialog's suggestion.
void acceptSuggestion(QWidget *modal)
{
    auto *files = qobject_cast<QFileDialog *>(modal);
    QVERIFY(files);
    static_cast<QDialog *>(files)->accept();
}

void clickYes(QWidget *modal)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    QVERIFY(box);
    box->button(QMessageBox::Yes)->click();
}

const std::string kFirstPath = "/iTunes_Control/Ringtones/A1B2.m4r";
const std::string kBellPath = "/iTunes_Control/Ringtones/C3D4.m4r";

} // namespace

void TestManageDialog::init()
{
    QVERIFY(qEnvironmentVariable("HOME").contains(QLatin1String("test-home")));
    store().clear();
    standin::bridge() = {};
    standin::bridge().ringtones = {{"a<b>", "A1B2.m4r"}, {"Bell", "C3D4.m4r"}, {"Chime", "E5F6.m4r"}};
    standin::player().probeDuration = 27.4;
    standin::player().probeDurations.clear();
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    store().setValue(QStringLiteral("Setting/OutputFolder"), QDir::toNativeSeparators(folder->path()));
}

QString TestManageDialog::localFile(const QString &name)
{
    const QString path = folder->filePath(name);
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.write("sound of " + name.toUtf8());
    return path;
}

std::unique_ptr<ManageDialog> TestManageDialog::makeDialog()
{
    auto dialog = std::make_unique<ManageDialog>();
    dialog->show();
    return dialog;
}

void TestManageDialog::namesAsStored_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    // The phone shows what its list holds, so the manager does too: what an
    // older writer stored escaped shows escaped, as on the phone.
    QTest::newRow("escaped by an older writer") << "x&lt;y&gt;" << "x<y>";
    QTest::newRow("entities typed") << "Tom & Jerry" << "Tom & Jerry <3 &lt; &amp;";
    QTest::newRow("quotes") << "Bell" << "\"Bell\" 'n' \u201cBell\u201d";
}

void TestManageDialog::namesAsStored()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    standin::bridge().ringtones[0].first = stored.toStdString();
    auto dialog = makeDialog();
    QCOMPARE(rows(dialog.get()).first(), stored);
    auto *edit = child<QLineEdit>(dialog.get(), "editName");
    QCOMPARE(edit->text(), stored);
    edit->selectAll();
    typeText(edit, typed);
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRename"), Qt::LeftButton);
    QCOMPARE(standin::bridge().calls,
             (std::vector<std::string>{"rename " + kFirstPath + " " + typed.toStdString(), "commit"}));
    QCOMPARE(standin::bridge().ringtones[0].first, typed.toStdString());
    QCOMPARE(rows(dialog.get()).first(), typed);
}

void TestManageDialog::nameLengthIsTheListsLimit()
{
    // The list gives names back in 255 bytes of UTF-8: a longer one is
    // refused as it is typed, and the user is told.
    auto dialog = makeDialog();
    auto *edit = child<QLineEdit>(dialog.get(), "editName");
    auto *status = child<QLabel>(dialog.get(), "labelStatus");
    const QString longest = QString(85, QChar(0x3042)); // 3 bytes each
    edit->selectAll();
    typeText(edit, longest);
    QCOMPARE(edit->text(), longest);
    QVERIFY(status->text().isEmpty());
    QTest::keyClicks(edit, QStringLiteral("a"));
    QCOMPARE(edit->text(), longest);
    // Nor may a paste make it longer.
    edit->setSelection(0, 1);
    QApplication::clipboard()->setText(QStringLiteral("abcd"));
    edit->paste();
    QCOMPARE(edit->text(), longest);
    QCOMPARE(status->text(), QStringLiteral("The name cannot be any longer."));
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRename"), Qt::LeftButton);
    QCOMPARE(standin::bridge().calls,
             (std::vector<std::string>{"rename " + kFirstPath + " " + longest.toStdString(), "commit"}));
    QCOMPARE(rows(dialog.get()).first(), longest);
}

void TestManageDialog::olderBridgeChangesByRow_data()
{
    QTest::addColumn<bool>("remove");
    QTest::addColumn<bool>("listingGone");
    QTest::newRow("rename") << false << false;
    QTest::newRow("remove") << true << false;
    QTest::newRow("rename, listing dropped") << false << true;
    QTest::newRow("remove, listing dropped") << true << true;
}

void TestManageDialog::olderBridgeChangesByRow()
{
    // A bridge without the changes by file gets the row, an index into the
    // listing the manager read; when the bridge has dropped that listing
    // (another caller's commit failed), the change is refused and the
    // manager reads the phone again.
    QFETCH(bool, remove);
    QFETCH(bool, listingGone);
    standin::bridge().withFileChanges = false;
    auto dialog = makeDialog();
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);
    standin::bridge().listingGone = listingGone;
    ModalAnswers modals(remove ? std::deque<std::function<void(QWidget *)>>{clickYes}
                               : std::deque<std::function<void(QWidget *)>>{});
    if (remove) {
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRemove"), Qt::LeftButton);
    } else {
        auto *edit = child<QLineEdit>(dialog.get(), "editName");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Renamed"));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRename"), Qt::LeftButton);
    }
    QCOMPARE(standin::bridge().calls,
             (std::vector<std::string>{remove ? "remove 1" : "rename 1 Renamed", "commit"}));
    const QStringList after = listingGone ? QStringList{"a<b>", "Bell", "Chime"}
                              : remove    ? QStringList{"a<b>", "Chime"}
                                          : QStringList{"a<b>", "Renamed", "Chime"};
    QCOMPARE(rows(dialog.get()), after);
    if (listingGone)
        QCOMPARE(modals.messages.last(),
                 QStringLiteral("Could not %1 \u201cBell\u201d.\nThe list was out of date; it now shows what the "
                                "iPhone holds.")
                     .arg(remove ? QStringLiteral("remove") : QStringLiteral("rename")));
    else
        QCOMPARE(modals.messages.size(), remove ? 1 : 0);
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
    QCOMPARE(standin::bridge().calls, (std::vector<std::string>{"rename " + kFirstPath + " x<y", "commit"}));
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
        QCOMPARE(standin::bridge().calls, (std::vector<std::string>{"remove " + kBellPath, "commit"}));
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
    // The user learns that it worked, and where the copy went.
    QVERIFY(QFileInfo::exists(suggested));
    auto *status = child<QLabel>(dialog.get(), "labelStatus");
    QCOMPARE(status->text(), QStringLiteral("Saved \u201cBell\u201d as Bell(2).m4r."));
    QCOMPARE(status->toolTip(), QDir::toNativeSeparators(suggested));
}

void TestManageDialog::failedChangeReadsThePhoneAgain_data()
{
    QTest::addColumn<bool>("remove");
    QTest::addColumn<int>("changeResult");
    QTest::addColumn<int>("commitResult");
    QTest::newRow("remove fails") << true << DEVICE_ERR_IO << 0;
    QTest::newRow("remove not committed") << true << 0 << DEVICE_ERR_IO;
    QTest::newRow("rename fails") << false << DEVICE_ERR_IO << 0;
    QTest::newRow("rename not committed") << false << 0 << DEVICE_ERR_IO;
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
    std::deque<std::function<void(QWidget *)>> answers;
    if (remove)
        answers.push_back(clickYes);
    ModalAnswers modals(answers);
    if (remove) {
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRemove"), Qt::LeftButton);
    } else {
        auto *edit = child<QLineEdit>(dialog.get(), "editName");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Renamed"));
        QTest::mouseClick(child<QPushButton>(dialog.get(), "btnRename"), Qt::LeftButton);
    }
    // The failure is told, not hidden behind a reload.
    QCOMPARE(modals.messages.size(), remove ? 2 : 1);
    QCOMPARE(modals.messages.last(), QStringLiteral("Could not %1 \u201cBell\u201d.\nThe iPhone could not be read or written.")
                                         .arg(remove ? QStringLiteral("remove") : QStringLiteral("rename")));
    // The rows are the phone's again, whatever it holds now, and the same
    // ringtone stays selected.
    QStringList expected;
    for (const auto &ringtone : standin::bridge().ringtones)
        expected << QString::fromStdString(ringtone.first);
    QCOMPARE(rows(dialog.get()), expected);
    const int bell = int(std::find_if(standin::bridge().ringtones.begin(), standin::bridge().ringtones.end(),
                                      [](const auto &r) { return r.second == "C3D4.m4r"; })
                         - standin::bridge().ringtones.begin());
    // When the removal went through all the same, its neighbour is selected.
    const int selected = bell < expected.size() ? bell : 1;
    QCOMPARE(list->currentRow(), selected);
    QCOMPARE(child<QLineEdit>(dialog.get(), "editName")->text(), expected.at(selected));
    QVERIFY(!child<QPushButton>(dialog.get(), "btnRename")->isEnabled());
}

void TestManageDialog::saveToPcWithoutStoredFolder()
{
    standin::bridge().ringtones = {{"AC/DC: Live?", "A1B2.m4r"}};
    store().remove(QStringLiteral("Setting/OutputFolder"));
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

void TestManageDialog::unreadableListChangesNothing()
{
    standin::bridge().listResult = DEVICE_ERR_DAMAGED;
    auto dialog = makeDialog();
    dialog->onPhoneConnect(true);
    QVERIFY(rows(dialog.get()).isEmpty());
    QCOMPARE(child<QLabel>(dialog.get(), "labelEmpty")->text(),
             QStringLiteral("The ringtone list on this iPhone cannot be read."));
    // Nothing may be written over a list that could not be read.
    for (const char *name : {"btnRemove", "btnReplace", "btnIPhoneToPc", "btnRename", "btnPcToIPhone"})
        QVERIFY2(!child<QPushButton>(dialog.get(), name)->isEnabled(), name);

    // Readable again once the phone comes back.
    standin::bridge().listResult = 0;
    dialog->onPhoneConnect(false);
    dialog->onPhoneConnect(true);
    QCOMPARE(rows(dialog.get()).size(), 3);
    QVERIFY(child<QPushButton>(dialog.get(), "btnPcToIPhone")->isEnabled());
}

void TestManageDialog::phoneChangesUnderADialog_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("change");
    // %1: the local file chosen; empty: the phone is left alone.
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rowsAfter");

    const QString left = QStringLiteral("The iPhone was disconnected.");
    const QString gone = QStringLiteral("\u201cBell\u201d is no longer on the iPhone.");
    const QStringList other{"Ring", "Tone"};
    const QStringList moved{"Bell", "Other"};
    const QString bell = QString::fromStdString(kBellPath);
    QTest::newRow("replace, phone leaves") << "replace" << "leaves" << QString() << left << QStringList();
    QTest::newRow("replace, another phone") << "replace" << "another" << QString() << gone << other;
    QTest::newRow("replace, ringtone moved") << "replace" << "moved" << "replace " + bell + " %1 27400"
                                             << QString() << moved;
    QTest::newRow("save, phone leaves") << "save" << "leaves" << QString() << left << QStringList();
    QTest::newRow("save, another phone") << "save" << "another" << QString() << gone << other;
    QTest::newRow("save, ringtone moved") << "save" << "moved" << "from " + bell + " %1" << QString() << moved;
    QTest::newRow("remove, phone leaves") << "remove" << "leaves" << QString() << left << QStringList();
    QTest::newRow("remove, another phone") << "remove" << "another" << QString() << gone << other;
    QTest::newRow("remove, ringtone moved") << "remove" << "moved" << "remove " + bell << QString() << QStringList{"Other"};
    // Rename has no dialog of its own: the change comes between typing the
    // name and pressing the button.
    QTest::newRow("rename, phone leaves") << "rename" << "leaves" << QString() << QString() << QStringList();
    QTest::newRow("rename, another phone") << "rename" << "another" << QString() << QString() << other;
    QTest::newRow("rename, ringtone moved") << "rename" << "moved" << QString() << QString() << moved;
}

void TestManageDialog::phoneChangesUnderADialog()
{
    QFETCH(QString, action);
    QFETCH(QString, change);
    QFETCH(QString, call);
    QFETCH(QString, message);
    QFETCH(QStringList, rowsAfter);

    auto dialog = makeDialog();
    dialog->onPhoneConnect(true);
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);
    QCOMPARE(child<QLineEdit>(dialog.get(), "editName")->text(), QStringLiteral("Bell"));

    ManageDialog *manager = dialog.get();
    const auto changePhone = [manager, change] {
        manager->onPhoneConnect(false);
        if (change == QLatin1String("leaves")) {
            standin::bridge().ringtones.clear();
            return;
        }
        if (change == QLatin1String("another"))
            standin::bridge().ringtones = {{"Ring", "Z1Z1.m4r"}, {"Tone", "Z2Z2.m4r"}};
        else
            standin::bridge().ringtones = {{"Bell", "C3D4.m4r"}, {"Other", "Z9Z9.m4r"}};
        manager->onPhoneConnect(true);
    };
    // The change happens inside the dialog's own event loop, then the
    // dialog is answered as the user meant it.
    const auto during = [changePhone](std::function<void(QWidget *)> answer) {
        return [changePhone, answer](QWidget *modal) {
            changePhone();
            answer(modal);
        };
    };

    QString local;
    std::deque<std::function<void(QWidget *)>> answers;
    if (action == QLatin1String("replace")) {
        local = localFile(QStringLiteral("new.m4a"));
        answers.push_back(during(choose({local})));
    } else if (action == QLatin1String("save")) {
        local = folder->filePath(QStringLiteral("Bell.m4r"));
        answers.push_back(during(acceptSuggestion));
    } else if (action == QLatin1String("remove")) {
        answers.push_back(during(clickYes));
    }
    ModalAnswers modals(answers);
    if (action == QLatin1String("rename")) {
        auto *edit = child<QLineEdit>(dialog.get(), "editName");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Renamed"));
        changePhone();
        // Return in the field, or a click that raced the change.
        QVERIFY(QMetaObject::invokeMethod(dialog.get(), "onBtnRename"));
    } else {
        const char *button = action == QLatin1String("replace") ? "btnReplace"
                             : action == QLatin1String("save")  ? "btnIPhoneToPc"
                                                                : "btnRemove";
        QTest::mouseClick(child<QPushButton>(dialog.get(), button), Qt::LeftButton);
    }
    QTRY_VERIFY(!dialog->isBusy());

    std::vector<std::string> expectedCalls;
    if (!call.isEmpty())
        expectedCalls.push_back((call.contains(QLatin1String("%1")) ? call.arg(local) : call).toStdString());
    if (action == QLatin1String("remove") && !call.isEmpty())
        expectedCalls.push_back("commit");
    QCOMPARE(standin::bridge().calls, expectedCalls);
    QStringList expectedMessages;
    if (action == QLatin1String("remove"))
        expectedMessages << QStringLiteral("Remove Ringtone: Bell");
    if (!message.isEmpty())
        expectedMessages << message;
    QCOMPARE(modals.messages, expectedMessages);
    QCOMPARE(rows(dialog.get()), rowsAfter);
}

void TestManageDialog::failuresSayWhy_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("reason");

    struct Failure
    {
        int result;
        const char *onPhone;
        const char *onComputer;
    };
    const Failure failures[] = {
        {DEVICE_ERR_NO_SPACE, "The iPhone is full.", "The disk is full."},
        {DEVICE_ERR_PERMISSION, "The iPhone or this computer denied access to the file.",
         "You have no permission to write to that folder."},
        {DEVICE_ERR_BUSY, "Another program is syncing with the iPhone. Try again when it has finished.", nullptr},
        {DEVICE_ERR_NO_PHONE, "The iPhone was disconnected.", nullptr},
        {DEVICE_ERR_DAMAGED, "The ringtone list on this iPhone cannot be read.", nullptr},
        {DEVICE_ERR_INVALID, "The file cannot be used as a ringtone.", "That file name cannot be used."},
        {DEVICE_ERR_NOT_FOUND, "The ringtone is no longer on the iPhone.", nullptr},
        {DEVICE_ERR_IO, "The iPhone could not be read or written.", "The file could not be written."},
    };
    for (const char *action : {"add", "replace", "save", "rename", "remove"}) {
        for (const Failure &failure : failures) {
            const bool toComputer = QByteArrayView(action) == "save" && failure.onComputer;
            const QByteArray row = QByteArray(action) + ", " + QByteArray::number(failure.result);
            QTest::newRow(row.constData())
                << QString::fromLatin1(action) << failure.result
                << QString::fromLatin1(toComputer ? failure.onComputer : failure.onPhone);
        }
    }
}

void TestManageDialog::failuresSayWhy()
{
    QFETCH(QString, action);
    QFETCH(int, result);
    QFETCH(QString, reason);

    auto dialog = makeDialog();
    dialog->onPhoneConnect(true);
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);
    standin::bridge().changeResult = result;

    const QString local = localFile(QStringLiteral("new.m4a"));
    QString headline;
    std::deque<std::function<void(QWidget *)>> answers;
    const char *button = "btnRename";
    if (action == QLatin1String("add")) {
        answers.push_back(choose({local}));
        button = "btnPcToIPhone";
        headline = QStringLiteral("Could not add \u201c%1\u201d. ").arg(QDir::toNativeSeparators(local));
    } else if (action == QLatin1String("replace")) {
        answers.push_back(choose({local}));
        button = "btnReplace";
        headline = QStringLiteral("Could not replace the sound of \u201cBell\u201d.\n");
    } else if (action == QLatin1String("save")) {
        answers.push_back(acceptSuggestion);
        button = "btnIPhoneToPc";
        headline = QStringLiteral("Could not save \u201cBell\u201d to %1.\n")
                       .arg(QDir::toNativeSeparators(folder->filePath(QStringLiteral("Bell.m4r"))));
    } else if (action == QLatin1String("remove")) {
        answers.push_back(clickYes);
        button = "btnRemove";
        headline = QStringLiteral("Could not remove \u201cBell\u201d.\n");
    } else {
        auto *edit = child<QLineEdit>(dialog.get(), "editName");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Renamed"));
        headline = QStringLiteral("Could not rename \u201cBell\u201d.\n");
    }
    ModalAnswers modals(answers);
    QTest::mouseClick(child<QPushButton>(dialog.get(), button), Qt::LeftButton);
    QTRY_VERIFY(!dialog->isBusy());
    QVERIFY(!modals.messages.isEmpty());
    QCOMPARE(modals.messages.last(), headline + reason);
    QVERIFY(child<QLabel>(dialog.get(), "labelStatus")->text().isEmpty());
    // Whatever failed, the list shows what the phone holds.
    QCOMPARE(rows(dialog.get()), (QStringList{"a<b>", "Bell", "Chime"}));
}

void TestManageDialog::onlyPlayableAudioGoesToThePhone_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("files");
    // Lengths in ms of the files that go to the phone, in order.
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<QStringList>("refused");

    QTest::newRow("add junk") << "add" << QStringList{"fake.m4r"} << QList<int>{} << QStringList{"fake.m4r"};
    QTest::newRow("add junk among ringtones") << "add" << QStringList{"good.m4r", "fake.m4r", "long.m4r"}
                                              << QList<int>{27400, 39999} << QStringList{"fake.m4r"};
    QTest::newRow("add ringtones") << "add" << QStringList{"good.m4r", "long.m4r"} << QList<int>{27400, 39999}
                                   << QStringList{};
    QTest::newRow("replace with junk") << "replace" << QStringList{"fake.m4a"} << QList<int>{}
                                       << QStringList{"fake.m4a"};
    QTest::newRow("replace with a ringtone") << "replace" << QStringList{"long.m4r"} << QList<int>{39999}
                                             << QStringList{};
}

void TestManageDialog::onlyPlayableAudioGoesToThePhone()
{
    QFETCH(QString, action);
    QFETCH(QStringList, files);
    QFETCH(QList<int>, sent);
    QFETCH(QStringList, refused);

    QStringList paths;
    for (const QString &name : files)
        paths << localFile(name);
    auto &probe = standin::player().probeDurations;
    probe[QDir::toNativeSeparators(folder->filePath(QStringLiteral("good.m4r"))).toStdString()] = 27.4;
    probe[QDir::toNativeSeparators(folder->filePath(QStringLiteral("long.m4r"))).toStdString()] = 39.9995;
    probe[QDir::toNativeSeparators(folder->filePath(QStringLiteral("fake.m4r"))).toStdString()] = 0.0;
    probe[QDir::toNativeSeparators(folder->filePath(QStringLiteral("fake.m4a"))).toStdString()] = 0.0;

    auto dialog = makeDialog();
    dialog->onPhoneConnect(true);
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);
    ModalAnswers modals({choose(paths)});
    QTest::mouseClick(child<QPushButton>(dialog.get(), action == QLatin1String("add") ? "btnPcToIPhone" : "btnReplace"),
                      Qt::LeftButton);
    QTRY_VERIFY(!dialog->isBusy());

    std::vector<std::string> expected;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).fileName();
        if (refused.contains(name))
            continue;
        const int milliseconds = sent.at(int(expected.size()));
        if (action == QLatin1String("add"))
            expected.push_back("add " + QDir::toNativeSeparators(path).toStdString() + " " + std::to_string(milliseconds));
        else
            expected.push_back("replace " + kBellPath + " " + path.toStdString() + " " + std::to_string(milliseconds));
    }
    if (action == QLatin1String("add") && !expected.empty())
        expected.push_back("commit");
    QCOMPARE(standin::bridge().calls, expected);

    // One message naming every refused file.
    if (refused.isEmpty()) {
        QVERIFY(modals.messages.isEmpty());
    } else {
        QCOMPARE(modals.messages.size(), 1);
        QStringList lines;
        for (const QString &name : refused)
            lines << QStringLiteral("\u201c%1\u201d is not a playable audio file.")
                         .arg(QDir::toNativeSeparators(folder->filePath(name)));
        QCOMPARE(modals.messages.first(), lines.join(QLatin1Char('\n')));
    }
}

void TestManageDialog::replaceSendsTheNewLength_data()
{
    QTest::addColumn<bool>("withReplace");
    QTest::newRow("bridge replaces the entry") << true;
    QTest::newRow("older bridge copies the file") << false;
}

void TestManageDialog::replaceSendsTheNewLength()
{
    QFETCH(bool, withReplace);
    standin::bridge().withReplace = withReplace;
    standin::bridge().lengths = {{"C3D4.m4r", 12000}};
    auto dialog = makeDialog();
    child<QListWidget>(dialog.get(), "listRingtone")->setCurrentRow(1);
    const QString local = localFile(QStringLiteral("new.m4a"));
    ModalAnswers modals({[&local](QWidget *modal) {
        // The phone takes the new file meanwhile.
        standin::bridge().lengths["C3D4.m4r"] = 27400;
        choose({local})(modal);
    }});
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnReplace"), Qt::LeftButton);
    QTRY_VERIFY(!dialog->isBusy());
    const std::string expected = withReplace ? "replace " + kBellPath + " " + local.toStdString() + " 27400"
                                             : "to " + kBellPath + " " + local.toStdString();
    QCOMPARE(standin::bridge().calls, std::vector<std::string>{expected});
    QVERIFY(modals.messages.isEmpty());
    auto *list = child<QListWidget>(dialog.get(), "listRingtone");
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(list->item(1)->data(ManageDialog::RingtoneLengthRole).toInt(), 27400);
    QCOMPARE(child<QLabel>(dialog.get(), "labelStatus")->text(),
             QStringLiteral("Replaced the sound of \u201cBell\u201d."));
}

void TestManageDialog::renameRefusesABlankName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces") << QStringLiteral("   ");
    QTest::newRow("wide space") << QStringLiteral("\u3000 ");
}

void TestManageDialog::renameRefusesABlankName()
{
    QFETCH(QString, typed);
    auto dialog = makeDialog();
    auto *edit = child<QLineEdit>(dialog.get(), "editName");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(edit->text(), typed);
    QVERIFY(!child<QPushButton>(dialog.get(), "btnRename")->isEnabled());
    // Return in the field reaches the rename all the same.
    ModalAnswers modals;
    QVERIFY(QMetaObject::invokeMethod(dialog.get(), "onBtnRename"));
    QVERIFY(standin::bridge().calls.empty());
    QCOMPARE(modals.messages, QStringList{QStringLiteral("A ringtone needs a name.")});
    QCOMPARE(rows(dialog.get()), (QStringList{"a<b>", "Bell", "Chime"}));
}

void TestManageDialog::lengthText_data()
{
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << 0 << "0:00";
    QTest::newRow("rounded down") << 27400 << "0:27";
    QTest::newRow("rounded up") << 29600 << "0:30";
    QTest::newRow("a minute and more") << 61000 << "1:01";
    QTest::newRow("an hour") << 3600000 << "1:00:00";
    QTest::newRow("hours") << 3723000 << "1:02:03";
    QTest::newRow("unknown") << -1 << "";
}

void TestManageDialog::lengthText()
{
    QFETCH(int, milliseconds);
    QFETCH(QString, text);
    QCOMPARE(ringtoneLengthText(milliseconds), text);
}

void TestManageDialog::listShowsLengths()
{
    // Two ringtones of one name, told apart by their lengths.
    standin::bridge().ringtones = {{"Bell", "A1B2.m4r"}, {"Bell", "C3D4.m4r"}, {"Chime", "E5F6.m4r"},
                                   {"A ringtone with a name far too long for the list", "G7H8.m4r"}};
    standin::bridge().lengths = {{"A1B2.m4r", 27400}, {"C3D4.m4r", 5000}, {"G7H8.m4r", 31000}};
    auto dialog = makeDialog();
    auto *list = child<QListWidget>(dialog.get(), "listRingtone");
    QCOMPARE(rows(dialog.get()).mid(0, 3), (QStringList{"Bell", "Bell", "Chime"}));
    // A long name does not push the lengths out of sight.
    for (int row = 0; row < list->count(); ++row)
        QVERIFY(list->visualItemRect(list->item(row)).right() < list->viewport()->width());
    QCOMPARE(list->item(0)->data(ManageDialog::RingtoneLengthRole).toInt(), 27400);
    QCOMPARE(list->item(1)->data(ManageDialog::RingtoneLengthRole).toInt(), 5000);
    QVERIFY(!list->item(2)->data(ManageDialog::RingtoneLengthRole).isValid());
    QCOMPARE(list->item(0)->toolTip(), QStringLiteral("Bell  0:27"));

    // The length is drawn at the row's right end, where a short name leaves
    // nothing else; the two rows of one name look different.
    list->setCurrentRow(2);
    const QRect first = list->visualItemRect(list->item(0));
    const QRect second = list->visualItemRect(list->item(1));
    const QImage shown = list->viewport()->grab().toImage();
    const QRect end(first.right() - first.width() / 4, first.top(), first.width() / 4, first.height());
    QVERIFY(shown.copy(end) != shown.copy(end.translated(0, second.top() - first.top())));
    list->item(0)->setData(ManageDialog::RingtoneLengthRole, QVariant());
    const QImage bare = list->viewport()->grab().toImage();
    QVERIFY(bare.copy(end) != shown.copy(end));

    // A bridge that gives no lengths shows names only.
    standin::bridge().withInfo = false;
    auto older = makeDialog();
    QVERIFY(!child<QListWidget>(older.get(), "listRingtone")->item(0)->data(ManageDialog::RingtoneLengthRole).isValid());
}

QTEST_MAIN(TestManageDialog)
#include "tst_managedialog.moc"
