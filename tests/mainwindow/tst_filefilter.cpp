// The open dialogs' filters, through Qt's own file dialog: a filter that the
// dialog cannot read hides every file, which no string comparison shows.
#include "filepath.h"
#include "maindialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The names Qt's own dialog lists in folder with the given filter selected.
QStringList listed(const QString &folder, const QString &filters, int filterIndex)
{
    QFileDialog dialog(nullptr, QString(), folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filters);
    dialog.selectNameFilter(dialog.nameFilters().value(filterIndex));
    dialog.show();
    auto *view = dialog.findChild<QListView *>(QStringLiteral("listView"));
    if (!view)
        return {};
    QStringList names;
    // The file system model fills in on a thread of its own.
    for (int round = 0; round < 200; ++round) {
        QTest::qWait(10);
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names << view->model()->index(row, 0, root).data().toString();
        if (!names.isEmpty() && round > 20)
            break;
    }
    names.sort();
    return names;
}

} // namespace

class TestFileFilter final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void dialogListsMedia_data();
    void dialogListsMedia();

private:
    QTemporaryDir dir;
};

void TestFileFilter::initTestCase()
{
    QVERIFY(dir.isValid());
    for (const char *name : {"song.mp3", "tune.ogg", "voice.opus", "track.flac", "film.mkv", "clip.mov",
                             "ring.m4r", "tone.m4a", "notes.txt", "README"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TestFileFilter::dialogListsMedia_data()
{
    QTest::addColumn<QString>("filters");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("names");

    const QString input = inputFileFilter();
    QTest::newRow("all supported") << input << 0
                                   << QStringList{"clip.mov", "film.mkv", "ring.m4r", "song.mp3", "tone.m4a",
                                                  "track.flac", "tune.ogg", "voice.opus"};
    QTest::newRow("video") << input << 1 << QStringList{"clip.mov", "film.mkv"};
    QTest::newRow("audio") << input << 2
                           << QStringList{"ring.m4r", "song.mp3", "tone.m4a", "track.flac", "tune.ogg",
                                          "voice.opus"};
    QTest::newRow("all files") << input << 3
                               << QStringList{"README", "clip.mov", "film.mkv", "notes.txt", "ring.m4r",
                                              "song.mp3", "tone.m4a", "track.flac", "tune.ogg", "voice.opus"};
    // The ringtone manager's filter, translated as a whole.
    QTest::newRow("ringtones") << fileDialogFilter(QStringLiteral("Ringtone Formats(*.m4a;*.m4r)")) << 0
                               << QStringList{"ring.m4r", "tone.m4a"};
}

void TestFileFilter::dialogListsMedia()
{
    QFETCH(QString, filters);
    QFETCH(int, index);
    QFETCH(QStringList, names);
    QCOMPARE(listed(dir.path(), filters, index), names);
}

QTEST_MAIN(TestFileFilter)
#include "tst_filefilter.moc"
