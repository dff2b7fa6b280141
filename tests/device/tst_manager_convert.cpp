// Files added or put in place of a ringtone's sound in the manager become
// ringtones on the way: the real manager, the real probe (the player module
// beside this test), the real encoder and the real bridge on a simulated
// phone. Fixtures are made with Debian's ffmpeg.
#include "devicebridge.h"
#include "managedialog.h"
#include "managertest.h"
#include "phonecheck.h"
#include "tonefile.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstring>

namespace {

const QString kReference = QStringLiteral("/usr/bin/ffmpeg");
const QString kReferenceProbe = QStringLiteral("/usr/bin/ffprobe");

std::atomic<bool> phoneConnected{false};

// The named child widget of a window; a test cannot go on without it.
template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

int onBridgeEvent(int, const char *text)
{
    if (std::strcmp(text, DEVICE_EVENT_CONNECT) == 0)
        phoneConnected = true;
    return 0;
}

QString phoneRoot()
{
    return qEnvironmentVariable("TONQUILL_SIMULATED_PHONE");
}

// The container and the streams of a file, as Debian's ffprobe reads them:
// "mov,mp4,m4a,3gp,3g2,mj2 aac|audio".
QString streamsOf(const QByteArray &bytes, const QString &scratch)
{
    if (!phonecheck::writeAll(scratch, bytes))
        return {};
    QProcess probe;
    probe.start(kReferenceProbe, {"-v", "error", "-show_entries", "format=format_name:stream=codec_name,codec_type",
                                  "-of", "compact=p=0:nk=1", scratch});
    if (!probe.waitForFinished(30000))
        return {};
    QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // The format's line comes last; it goes first.
    if (!lines.isEmpty())
        lines.prepend(lines.takeLast());
    return lines.join(QLatin1Char(' '));
}

const QString kRingtoneStreams = QStringLiteral("mov,mp4,m4a,3gp,3g2,mj2 aac|audio");

// Picks paths in the open file dialog shown, as a user would.
std::function<void(QWidget *)> choose(const QStringList &paths)
{
    return [paths](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        QVERIFY(files);
        files->setDirectory(QFileInfo(paths.first()).absolutePath());
        QStringList names;
        for (const QString &path : paths)
            names << QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"');
        // Typed into the name field, as a user names files the list does
        // not show.
        auto *typed = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(typed);
        typed->setText(names.join(QLatin1Char(' ')));
        static_cast<QDialog *>(files)->accept(); // as the Open button does
    };
}

} // namespace

class TestManagerConvert final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void onlyRingtonesGoToThePhone_data();
    void onlyRingtonesGoToThePhone();
    void closingStopsTheConversion();

private:
    bool makeFixture(const QString &name, const QStringList &args);
    QString media(const QString &name) const { return files.filePath(name); }
    std::unique_ptr<ManageDialog> openManager();

    QTemporaryDir files;
    // The temporary folder the program sees: what it leaves there shows.
    QTemporaryDir temporary;
    QTemporaryDir scratch;
};

bool TestManagerConvert::makeFixture(const QString &name, const QStringList &args)
{
    QProcess maker;
    maker.start(kReference, QStringList{"-nostdin", "-loglevel", "error", "-y"} + args + QStringList{media(name)});
    if (maker.waitForFinished(60000) && maker.exitStatus() == QProcess::NormalExit && maker.exitCode() == 0)
        return true;
    qWarning() << name << maker.readAllStandardError();
    return false;
}

void TestManagerConvert::initTestCase()
{
    QVERIFY(!phoneRoot().isEmpty());
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg")));
    QVERIFY(files.isValid() && temporary.isValid() && scratch.isValid());
    if (!QFile::exists(kReference) || !QFile::exists(kReferenceProbe))
        QSKIP("Debian's ffmpeg and ffprobe make and read the fixtures");
    const QStringList tone{"-f", "lavfi", "-i", "sine=frequency=440:duration=5"};
    QVERIFY(makeFixture(QStringLiteral("song.mp3"), tone + QStringList{"-c:a", "libmp3lame"}));
    QVERIFY(makeFixture(QStringLiteral("film.mp4"),
                        QStringList{"-f", "lavfi", "-i", "testsrc=duration=3:size=64x48:rate=10", "-f", "lavfi",
                                    "-i", "sine=frequency=660:duration=3", "-c:v", "libx264", "-c:a", "aac"}));
    QVERIFY(makeFixture(QStringLiteral("ready.m4r"), tone + QStringList{"-c:a", "aac", "-f", "ipod"}));
    QVERIFY(writeTone(media(QStringLiteral("tone.wav")), 3));
    QVERIFY(writeTone(media(QStringLiteral("long.wav")), 41));
    QVERIFY(writeTone(media(QStringLiteral("minutes.wav")), 300));
    QVERIFY(phonecheck::writeAll(media(QStringLiteral("junk.m4r")), "a shopping list, not a sound\n"));

    qputenv("TMPDIR", temporary.path().toLocal8Bit());
    DeviceBridge *bridge = createDeviceBridge();
    bridge->setEventCallback(&onBridgeEvent);
}

void TestManagerConvert::init()
{
    QVERIFY(phonecheck::seed(phoneRoot(), phonecheck::Seed::Binary));
    QTRY_VERIFY_WITH_TIMEOUT(phoneConnected, 10000);
}

void TestManagerConvert::cleanup()
{
    // Nothing converted stays behind, whatever became of it.
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

std::unique_ptr<ManageDialog> TestManagerConvert::openManager()
{
    auto manager = std::make_unique<ManageDialog>();
    manager->show();
    manager->onPhoneConnect(true);
    return manager;
}

void TestManagerConvert::onlyRingtonesGoToThePhone_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("chosen");
    // What the phone lists afterwards, and the seconds each new sound lasts.
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("seconds");
    // The chosen file whose bytes go to the phone unchanged; empty: none.
    QTest::addColumn<QString>("asItIs");
    QTest::addColumn<QString>("status");
    // The message box's lines, %1 the fixtures' folder.
    QTest::addColumn<QStringList>("messages");

    const QStringList seeded{"Alpha", "Bravo", "Charlie"};
    QTest::newRow("replace with an MP3")
        << "replace" << QStringList{"song.mp3"} << seeded << QList<int>{5} << QString()
        << QStringLiteral("Replaced the sound of \u201cBravo\u201d.") << QStringList{};
    QTest::newRow("add a WAV and a film")
        << "add" << QStringList{"tone.wav", "film.mp4"} << seeded + QStringList{"tone", "film"} << QList<int>{3, 3}
        << QString() << QStringLiteral("Ringtones added: 2.") << QStringList{};
    QTest::newRow("add a ringtone as it is")
        << "add" << QStringList{"ready.m4r"} << seeded + QStringList{"ready"} << QList<int>{5}
        << QStringLiteral("ready.m4r") << QStringLiteral("Ringtones added: 1.") << QStringList{};
    QTest::newRow("add junk among sounds")
        << "add" << QStringList{"junk.m4r", "song.mp3"} << seeded + QStringList{"song"} << QList<int>{5} << QString()
        << QStringLiteral("Ringtones added: 1.")
        << QStringList{QStringLiteral("\u201c%1/junk.m4r\u201d is not a playable audio file.")};
    QTest::newRow("replace with junk")
        << "replace" << QStringList{"junk.m4r"} << seeded << QList<int>{} << QString() << QString()
        << QStringList{QStringLiteral("\u201c%1/junk.m4r\u201d is not a playable audio file.")};
    QTest::newRow("add a long file")
        << "add" << QStringList{"long.wav"} << seeded + QStringList{"long"} << QList<int>{41} << QString()
        << QStringLiteral("Ringtones added: 1.")
        << QStringList{QStringLiteral("\u201c%1/long.wav\u201d is longer than 40 seconds: the iPhone will not list it.")};
    QTest::newRow("replace with a long file")
        << "replace" << QStringList{"long.wav"} << seeded << QList<int>{41} << QString()
        << QStringLiteral("Replaced the sound of \u201cBravo\u201d.")
        << QStringList{QStringLiteral("\u201c%1/long.wav\u201d is longer than 40 seconds: the iPhone will not list it.")};
}

void TestManagerConvert::onlyRingtonesGoToThePhone()
{
    QFETCH(QString, action);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, seconds);
    QFETCH(QString, asItIs);
    QFETCH(QString, status);
    QFETCH(QStringList, messages);

    const phonecheck::Snapshot before = phonecheck::snapshot(phoneRoot());
    auto manager = openManager();
    QCOMPARE(rows(manager.get()), (QStringList{"Alpha", "Bravo", "Charlie"}));
    const bool replace = action == QLatin1String("replace");
    if (replace)
        child<QListWidget>(manager.get(), "listRingtone")->setCurrentRow(1);

    // A folder of the row's own: Qt's dialog, once it has listed a folder,
    // takes typed names it does not list for the ones it does.
    QTemporaryDir rowFolder;
    QStringList paths;
    for (const QString &name : chosen) {
        paths << rowFolder.filePath(name);
        QVERIFY(QFile::copy(media(name), paths.last()));
    }
    ModalAnswers modals({choose(paths)});
    QTest::mouseClick(child<QPushButton>(manager.get(), replace ? "btnReplace" : "btnPcToIPhone"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!manager->isBusy(), 60000);

    QCOMPARE(rows(manager.get()), names);
    QCOMPARE(child<QLabel>(manager.get(), "labelStatus")->text(), status);
    QStringList expectedMessages;
    if (!messages.isEmpty())
        expectedMessages << messages.join(QLatin1Char('\n')).arg(QDir::toNativeSeparators(rowFolder.path()));
    QCOMPARE(modals.messages, expectedMessages);

    // Every new sound on the phone is AAC alone in an MP4 file, of the
    // chosen file's length.
    const phonecheck::Snapshot after = phonecheck::snapshot(phoneRoot());
    std::vector<std::string> changed;
    for (const std::string &file : after.order) {
        const auto old = before.ringtones.find(file);
        if (old == before.ringtones.end() || old->second.bytes != after.ringtones.at(file).bytes)
            changed.push_back(file);
    }
    QCOMPARE(int(changed.size()), int(seconds.size()));
    for (int i = 0; i < seconds.size(); ++i) {
        const phonecheck::Ringtone &sound = after.ringtones.at(changed[size_t(i)]);
        QCOMPARE(streamsOf(sound.bytes, scratch.filePath(QStringLiteral("sent.m4r"))), kRingtoneStreams);
        QVERIFY2(qAbs(sound.totalTimeMs - seconds.at(i) * 1000) < 100, qPrintable(QString::number(sound.totalTimeMs)));
        if (!asItIs.isEmpty())
            QCOMPARE(sound.bytes, phonecheck::readAll(media(asItIs)));
    }
    // Nothing but the change asked for.
    phonecheck::Change change;
    for (const std::string &file : changed) {
        change.mayReplace[file] = after.ringtones.at(file).bytes;
        change.mayRetime[file] = after.ringtones.at(file).totalTimeMs;
    }
    change.addsOnSuccess = int(names.size()) - int(before.ringtones.size());
    QCOMPARE(phonecheck::brokenInvariant(before, after, change, true, scratch.filePath(QStringLiteral("none"))),
             std::string());
}

void TestManagerConvert::closingStopsTheConversion()
{
    const phonecheck::Snapshot before = phonecheck::snapshot(phoneRoot());
    auto manager = openManager();
    ModalAnswers modals({choose({media(QStringLiteral("minutes.wav"))})});
    QTest::mouseClick(child<QPushButton>(manager.get(), "btnPcToIPhone"), Qt::LeftButton);

    // Meanwhile only the list and Close take the user's hand.
    QVERIFY(manager->isBusy());
    for (const char *name : {"btnRename", "btnRemove", "btnReplace", "btnIPhoneToPc", "btnPcToIPhone", "editName"})
        QVERIFY2(!child<QWidget>(manager.get(), name)->isEnabled(), name);
    QVERIFY(child<QWidget>(manager.get(), "btnClose")->isEnabled());
    auto *status = child<QLabel>(manager.get(), "labelStatus");
    // The encoder is at work: the status names the file (in full in its tip).
    QTRY_COMPARE_WITH_TIMEOUT(status->toolTip(), QDir::toNativeSeparators(media(QStringLiteral("minutes.wav"))), 20000);
    QVERIFY2(status->text().startsWith(QStringLiteral("Converting \u201c")), qPrintable(status->text()));

    QTest::mouseClick(child<QPushButton>(manager.get(), "btnClose"), Qt::LeftButton);
    QVERIFY(!manager->isBusy());
    QVERIFY(!manager->isVisible());
    QVERIFY(modals.messages.isEmpty());
    QCOMPARE(phonecheck::snapshot(phoneRoot()).catalogueBytes, before.catalogueBytes);
    QCOMPARE(phonecheck::ringtoneFiles(phoneRoot()), 3);
}

QTEST_MAIN(TestManagerConvert)
#include "tst_manager_convert.moc"
