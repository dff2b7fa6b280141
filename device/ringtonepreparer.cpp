#include "ringtonepreparer.h"

#include "avconverter.h"
#include "mediaprobe.h"
#include "outputnames.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPromise>
#include <QTemporaryDir>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// Generate's level for an unchanged volume: the encoder's gain of 1 (256/256).
constexpr int kUnchangedVolume = 256;

} // namespace

int ringtoneMilliseconds(double seconds)
{
    // A container's broken length (negative, not a number, days) is no
    // length to hand to the phone.
    if (!std::isfinite(seconds) || seconds <= 0.0 || seconds >= 2e6)
        return -1;
    const int milliseconds = int(seconds * 1000);
    return milliseconds > 0 ? milliseconds : -1;
}

CRingtonePreparer::CRingtonePreparer(QObject *parent)
    : QObject(parent)
{
    connect(&watcher, &QFutureWatcher<void>::finished, this, &CRingtonePreparer::onProbed);
}

CRingtonePreparer::~CRingtonePreparer()
{
    clear();
}

void CRingtonePreparer::clear()
{
    running = false;
    queue.clear();
    probeTask.reset();
    progressTimer.stop();
    // A probe still running finishes on its own thread; onProbed() then
    // finds nothing running, or the watcher on a newer probe.
    // The encoder removes its unfinished file when stopped; the folder goes
    // with everything in it.
    if (converter)
        converter->stop();
    converter.reset();
    folder.reset();
}

void CRingtonePreparer::start(const QStringList &files)
{
    clear();
    prepared.clear();
    queue = files;
    running = true;
    // Never from inside start(): the caller sets up before the outcome comes.
    QMetaObject::invokeMethod(this, &CRingtonePreparer::next, Qt::QueuedConnection);
}

void CRingtonePreparer::next()
{
    if (!running)
        return;
    if (prepared.size() == queue.size()) {
        running = false;
        Q_EMIT finished();
        return;
    }
    PreparedRingtone file;
    file.source = queue.at(prepared.size());
    prepared << file;
    probingCopy = false;
    probe(file.source);
}

void CRingtonePreparer::probe(const QString &path)
{
    // A header read, but on a slow disk or a network share, or a file that
    // states no length, it may take a while: never on the GUI thread.
    auto task = std::make_shared<ProbeTask>();
    {
        const std::lock_guard<std::mutex> lock(task->mutex);
        task->path = QDir::toNativeSeparators(path).toUtf8();
    }
    probeTask = task;
    auto promise = std::make_shared<QPromise<void>>();
    watcher.setFuture(promise->future());
    promise->start();
    // A thread of its own rather than Qt's pool: its start and the task's
    // lock order the work in ways thread checkers can see, and a probe stuck
    // on a dead network share holds nobody up, not even the program's exit.
    std::thread([task, promise] {
        {
            const std::lock_guard<std::mutex> lock(task->mutex);
            int asRingtone = 0;
            task->result = tonquill_probe_ringtone(task->path.constData(), &task->seconds, &asRingtone);
            task->asRingtone = asRingtone != 0;
            task->done = true;
        }
        promise->finish();
    }).detach();
}

void CRingtonePreparer::onProbed()
{
    // The watcher follows the newest probe only; its worker has let go of
    // the task's lock before finishing, so taking it never waits.
    if (!running || !probeTask || !watcher.future().isFinished())
        return;
    int result = -1;
    double seconds = 0.0;
    bool asRingtone = false;
    {
        const std::lock_guard<std::mutex> lock(probeTask->mutex);
        if (!probeTask->done)
            return;
        result = probeTask->result;
        seconds = probeTask->seconds;
        asRingtone = probeTask->asRingtone;
    }
    probeTask.reset();
    const int milliseconds = result < 0 ? -1 : ringtoneMilliseconds(seconds);
    if (probingCopy) {
        // What the encoder wrote is checked as any file would be: only a
        // ringtone goes to the phone.
        if (milliseconds < 0 || !asRingtone)
            settle(PreparedRingtone::NotConverted, QString(), -1,
                   QStringLiteral("The encoder's output is no AAC audio in an MP4 file"));
        else
            settle(PreparedRingtone::Ready, converter->outputFile(), milliseconds);
        return;
    }
    if (milliseconds < 0) {
        settle(PreparedRingtone::NotAudio);
        return;
    }
    if (asRingtone) {
        settle(PreparedRingtone::Ready, prepared.last().source, milliseconds);
        return;
    }
    sourceSeconds = seconds;
    convert();
}

QString CRingtonePreparer::outputFor(const QString &source)
{
    if (!folder) {
        // Private: another user could have put a link under the name about
        // to be written in the shared temporary folder itself.
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tonquill-XXXXXX"));
        if (!folder->isValid()) {
            qDebug("Could not make a temporary folder for ringtones: %s", qPrintable(folder->errorString()));
            return {};
        }
    }
    // The phone names a ringtone after its file: the copy keeps the source's
    // name. A folder of its own for each file, so that "Bell.mp3" and
    // "Bell.wav" chosen together both stay "Bell".
    const QString subfolder = folder->filePath(QString::number(prepared.size()));
    if (!QDir().mkpath(subfolder))
        return {};
    const QString fileName = QFileInfo(source).fileName();
    // As the phone's list takes a name: up to the last dot, unless that is
    // the first character.
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString baseName = dot > 0 ? fileName.left(dot) : fileName;
    return subfolder + QLatin1Char('/') + OutputNames::fittedBaseName(baseName, QStringLiteral("m4r"))
           + QStringLiteral(".m4r");
}

void CRingtonePreparer::convert()
{
    const QString source = prepared.last().source;
    const QString output = outputFor(source);
    if (output.isEmpty()) {
        settle(PreparedRingtone::NotConverted, QString(), -1,
               QStringLiteral("Could not make a temporary folder (%1)").arg(folder ? folder->errorString() : QString()));
        return;
    }
    if (!converter) {
        converter = std::make_unique<CAVConverter>();
        connect(converter.get(), &CAVConverter::finished, this, &CRingtonePreparer::onConverted);
    }
    // As Generate runs a ringtone job, for the whole file at an unchanged
    // volume: the same codec, rate, channels and sample rate. The encoder's
    // limiter acts on a boost only, and an unchanged level makes none, as
    // Generate at 100 % makes none.
    converter->reset();
    converter->setInputFile(QDir::toNativeSeparators(source));
    converter->setVolume(kUnchangedVolume);
    converter->setFadeIn(0);
    converter->setOutputFile(output);
    progressTimer.start(500, this);
    Q_EMIT converting(source, 0);
    converter->start(CAVConverter::JobEncodeRingtone);
}

void CRingtonePreparer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != progressTimer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (!converter || !converter->isRunning() || prepared.isEmpty())
        return;
    const double percent = sourceSeconds > 0 ? converter->currentTime() / sourceSeconds * 100 : 0.0;
    Q_EMIT converting(prepared.last().source, percent > 0 ? int(std::min(percent, 100.0)) : 0);
}

void CRingtonePreparer::onConverted()
{
    progressTimer.stop();
    if (!running)
        return;
    const QString output = converter->outputFile();
    if (!converter->succeeded() || !QFile::exists(output)) {
        QFile::remove(output);
        QString reason = converter->lastMessage();
        if (reason.isEmpty())
            reason = QStringLiteral("The encoder program could not be run");
        settle(PreparedRingtone::NotConverted, QString(), -1, reason);
        return;
    }
    probingCopy = true;
    probe(output);
}

void CRingtonePreparer::settle(PreparedRingtone::Outcome outcome, const QString &path, int milliseconds,
                               const QString &detail)
{
    PreparedRingtone &file = prepared.last();
    file.outcome = outcome;
    file.path = path;
    file.milliseconds = milliseconds;
    file.detail = detail;
    next();
}
