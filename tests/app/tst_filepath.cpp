#include "filepath.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestFilePath final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void split_data();
    void split();
    void fileNameKeepsPreviousSuffix();
    void makeUnique_data();
    void makeUnique();
    void makeUniqueOnFreeNameChangesNothing();
    void sanitize_data();
    void sanitize();
};

void TestFilePath::split_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("fullPath");

    QTest::newRow("windows path") << "C:\\music\\My Song.mp3" << "C:\\music" << "My Song" << "mp3"
                                  << "C:\\music/My Song.mp3";
    QTest::newRow("unix path") << "/home/u/a.wav" << "/home/u" << "a" << "wav" << "/home/u/a.wav";
    QTest::newRow("mixed, backslash last") << "/home/u\\dir\\x.m4a" << "/home/u\\dir" << "x" << "m4a"
                                           << "/home/u\\dir/x.m4a";
    QTest::newRow("mixed, slash last") << "C:\\a\\b/c.ogg" << "C:\\a\\b" << "c" << "ogg" << "C:\\a\\b/c.ogg";
    QTest::newRow("no folder") << "song.mp3" << "" << "song" << "mp3" << "/song.mp3";
    QTest::newRow("two dots") << "/x/archive.tar.gz" << "/x" << "archive.tar" << "gz" << "/x/archive.tar.gz";
    QTest::newRow("leading dot only") << "/x/.hidden" << "/x" << ".hidden" << "" << "/x/.hidden.";
    QTest::newRow("no dot") << "/x/README" << "/x" << "README" << "" << "/x/README.";
    QTest::newRow("dot in folder only") << "/x.y/README" << "/x.y" << "README" << "" << "/x.y/README.";
    QTest::newRow("trailing separator") << "/x/" << "/x" << "" << "" << "/x/.";
    QTest::newRow("empty") << "" << "" << "" << "" << "/.";
}

void TestFilePath::split()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, baseName);
    QFETCH(QString, suffix);
    QFETCH(QString, fullPath);

    const CFilePath filePath(path);
    QCOMPARE(filePath.dir(), folder);
    QCOMPARE(filePath.baseName(), baseName);
    QCOMPARE(filePath.suffix(), suffix);
    QCOMPARE(filePath.fullPath(), fullPath);
}

void TestFilePath::fileNameKeepsPreviousSuffix()
{
    CFilePath path;
    path.setSuffix(QStringLiteral("m4r"));
    path.setFileName(QStringLiteral("README"));
    QCOMPARE(path.baseName(), QStringLiteral("README"));
    QCOMPARE(path.fileName(), QStringLiteral("README.m4r"));

    path.setFileName(QStringLiteral(".profile"));
    QCOMPARE(path.baseName(), QStringLiteral(".profile"));
    QCOMPARE(path.suffix(), QStringLiteral("m4r"));

    path.setFileName(QStringLiteral("tone.m4a"));
    QCOMPARE(path.fileName(), QStringLiteral("tone.m4a"));
}

void TestFilePath::makeUnique_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("danglingLink");

    QTest::newRow("free") << QStringList{} << "song" << 0 << "song.m4r" << QString();
    QTest::newRow("taken once") << QStringList{"song.m4r"} << "song" << 1 << "song(1).m4r" << QString();
    QTest::newRow("taken twice") << QStringList{"song.m4r", "song(1).m4r"} << "song" << 2 << "song(2).m4r"
                                 << QString();
    QTest::newRow("gap is used") << QStringList{"song.m4r", "song(2).m4r"} << "song" << 1 << "song(1).m4r" << QString();
    QTest::newRow("other suffix does not count") << QStringList{"song.m4a"} << "song" << 0 << "song.m4r" << QString();
    // Numbering restarts from the stem given, never from a numbered name.
    QTest::newRow("numbered stem") << QStringList{"song(1).m4r"} << "song(1)" << 1 << "song(1)(1).m4r" << QString();
#ifndef Q_OS_WIN
    // The user's link to a file that is gone would be replaced by the ringtone.
    QTest::newRow("dangling link") << QStringList{} << "song" << 1 << "song(1).m4r" << "song.m4r";
#endif
}

void TestFilePath::makeUnique()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, baseName);
    QFETCH(int, number);
    QFETCH(QString, fileName);
    QFETCH(QString, danglingLink);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : existing) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (!danglingLink.isEmpty())
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), dir.filePath(danglingLink)));
    CFilePath path;
    path.setDir(dir.path());
    path.setBaseName(baseName);
    path.setSuffix(QStringLiteral("m4r"));
    QCOMPARE(path.makeUnique(), number);
    QCOMPARE(path.fileName(), fileName);
    QVERIFY(!QFileInfo(path.fullPath()).exists() && !QFileInfo(path.fullPath()).isSymLink());
}

void TestFilePath::makeUniqueOnFreeNameChangesNothing()
{
    QTemporaryDir dir;
    CFilePath path(dir.filePath(QStringLiteral("tone.m4r")));
    const QString before = path.fullPath();
    QCOMPARE(path.makeUnique(), 0);
    QCOMPARE(path.fullPath(), before);
}

void TestFilePath::sanitize_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("spaces and forbidden") << "  a/b:c?  " << "abc";
    QTest::newRow("all nine") << "x/*?:<>|\"\\y" << "xy";
    QTest::newRow("only forbidden and spaces") << " <> | ? " << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("inner spaces and dots stay") << "My Song v1.2" << "My Song v1.2";
    QTest::newRow("other scripts stay") << QString::fromUtf8("Été 日本 ring") << QString::fromUtf8("Été 日本 ring");
    QTest::newRow("spaces uncovered by removal are trimmed") << "* tone *" << "tone";
    QTest::newRow("brackets and punctuation stay") << "a[1](2)'b'!" << "a[1](2)'b'!";
}

void TestFilePath::sanitize()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QCOMPARE(sanitizeFileName(input), output);
}

QTEST_GUILESS_MAIN(TestFilePath)
#include "tst_filepath.moc"
