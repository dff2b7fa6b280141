#include "ringtonecommand.h"

#include "avconverter.h"
#include "clipsuggest.h"
#include "desktop.h"
#include "devicebridge.h"
#include "filepath.h"
#include "mediaprobe.h"
#include "outputnames.h"
#include "phonelink.h"
#include "ringtonejob.h"
#include "settings.h"
#include "termination.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace RingtoneCommand {

namespace {

// How long --to-phone waits for a phone that is not connected yet: the
// real-phone module loads a second after the start, and a phone answers
// within a few more.
constexpr int kPhoneWaitMs = 10000;

void printLine(FILE *stream, const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Messages name the file as it was given, so that a batch's lines can be
// told apart.
void tell(const QString &input, const QString &text)
{
    printLine(stderr, input.isEmpty() ? text : input + QStringLiteral(": ") + text);
}

// A status text of the window, with the encoder's or the system's reason.
QString withReason(const char *status, const QString &reason)
{
    const QString hint = failureHint(reason);
    QString text = QString::fromLatin1(status);
    if (!hint.isEmpty())
        text += QLatin1Char(' ') + hint;
    if (hint != reason)
        text += QStringLiteral(" (") + reason + QLatin1Char(')');
    return text;
}

QString clockText(qint64 ms)
{
    const qint64 hours = ms / 3600000;
    const qint64 minutes = ms / 60000 % 60;
    const double seconds = double(ms % 60000) / 1000.0;
    return QStringLiteral("%1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 6, 'f', 3, QLatin1Char('0'));
}

// The probe's libraries write their own lines about a file they cannot read
// to standard error; the user gets ours instead. Kept when diagnostics are
// asked for.
class QuietStandardError
{
public:
    QuietStandardError()
    {
#ifndef Q_OS_WIN
        if (lcDiagnostics().isDebugEnabled())
            return;
        std::fflush(stderr);
        saved = ::fcntl(2, F_DUPFD_CLOEXEC, 0);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && null >= 0)
            ::dup2(null, 2);
        if (null >= 0)
            ::close(null);
#endif
    }
    ~QuietStandardError()
    {
#ifndef Q_OS_WIN
        if (saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
#endif
    }
    Q_DISABLE_COPY_MOVE(QuietStandardError)

private:
    int saved = -1;
};

// A moment as a listener names it: 1:02.4, or 1:02:03.4 past an hour.
QString momentText(qint64 ms)
{
    const qint64 tenths = (ms + 50) / 100;
    const qint64 minutes = tenths / 600;
    const QString seconds = QStringLiteral("%1.%2").arg(tenths / 10 % 60, 2, 10, QLatin1Char('0')).arg(tenths % 10);
    if (minutes < 60)
        return QStringLiteral("%1:%2").arg(minutes).arg(seconds);
    return QStringLiteral("%1:%2:%3").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0')).arg(seconds);
}

struct Options
{
    QStringList inputs;
    QString output;
    std::optional<qint64> startMs;
    std::optional<qint64> endMs;
    std::optional<qint64> lengthMs;
    int fadeIn = 0;
    int fadeOut = 0;
    int volumePercent = 100;
    bool suggest = false;
    bool toPhone = false;
};

// A volume factor: 1.5, 1.5x or 150%, from 0 to the window's loudest.
std::optional<int> parseVolume(QString text)
{
    text = text.trimmed();
    double scale = 1.0;
    if (text.endsWith(QLatin1Char('%'))) {
        text.chop(1);
        scale = 0.01;
    } else if (text.endsWith(QLatin1Char('x'), Qt::CaseInsensitive)) {
        text.chop(1);
    }
    bool ok = false;
    const double factor = text.trimmed().toDouble(&ok) * scale;
    if (!ok || !(factor >= 0.0) || factor * 100.0 > kLoudestVolumePercent + 1e-9)
        return std::nullopt;
    return int(std::lround(factor * 100.0));
}

// Whole seconds 0 to 10, as the window's fade fields take them.
std::optional<int> parseFade(const QString &text)
{
    const std::optional<qint64> ms = parseTime(text);
    if (!ms || *ms % 1000 != 0 || *ms > kLongestFadeSeconds * 1000)
        return std::nullopt;
    return int(*ms / 1000);
}

// Reads the command line into options; Done, or the exit code of what is
// wrong with it (said on standard error).
int readOptions(const QStringList &arguments, Options &options)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    if (!parser.parse(arguments)) {
        tell({}, parser.errorText() + QStringLiteral(" (see tonquill --help)"));
        return Usage;
    }
    if (!parser.isSet(QStringLiteral("ringtone"))) {
        tell({}, QStringLiteral("These options make a ringtone without a window: add --ringtone."));
        return Usage;
    }
    options.inputs = parser.positionalArguments();
    if (options.inputs.isEmpty()) {
        tell({}, QStringLiteral("--ringtone needs the audio or video file to make the ringtone of."));
        return Usage;
    }
    options.suggest = parser.isSet(QStringLiteral("suggest"));
    options.toPhone = parser.isSet(QStringLiteral("to-phone"));
    options.output = parser.value(QStringLiteral("output"));

    if (parser.isSet(QStringLiteral("volume"))) {
        const auto volume = parseVolume(parser.value(QStringLiteral("volume")));
        if (!volume) {
            tell({}, QStringLiteral("--volume takes a factor from 0 to 5 (1.5, 1.5x or 150%), not \"%1\".")
                         .arg(parser.value(QStringLiteral("volume"))));
            return Usage;
        }
        options.volumePercent = *volume;
    }

    // Times: each must read as a time; how they fit the file is checked
    // per file.
    const auto readTime = [&parser](const char *name, std::optional<qint64> &into) {
        const QString option = QString::fromLatin1(name);
        if (!parser.isSet(option))
            return true;
        into = parseTime(parser.value(option));
        if (!into) {
            tell({}, QStringLiteral("--%1: \"%2\" is not a time; write 83.5, 1:23.5 or 0:01:23.500.")
                         .arg(option, parser.value(option)));
            return false;
        }
        return true;
    };
    if (!readTime("start", options.startMs) || !readTime("end", options.endMs)
        || !readTime("length", options.lengthMs))
        return BadTimes;
    if (options.endMs && options.lengthMs) {
        tell({}, QStringLiteral("Give --end or --length, not both."));
        return Usage;
    }
    const auto readFade = [&parser](const char *name, int &into) {
        const QString option = QString::fromLatin1(name);
        if (!parser.isSet(option))
            return true;
        const auto fade = parseFade(parser.value(option));
        if (!fade) {
            tell({}, QStringLiteral("--%1 takes whole seconds from 0 to %2, not \"%3\".")
                         .arg(option)
                         .arg(kLongestFadeSeconds)
                         .arg(parser.value(option)));
            return false;
        }
        into = *fade;
        return true;
    };
    if (!readFade("fade-in", options.fadeIn) || !readFade("fade-out", options.fadeOut))
        return BadTimes;
    const qint64 start = options.startMs.value_or(0);
    if (options.endMs && *options.endMs <= start) {
        tell({}, QStringLiteral("The clip must end after it starts (--start %1, --end %2).")
                     .arg(clockText(start), clockText(*options.endMs)));
        return BadTimes;
    }
    if (options.lengthMs && *options.lengthMs < kShortestClipMs) {
        tell({}, QString::fromLatin1(RingtoneText::kTooShort));
        return BadTimes;
    }

    // Several ringtones cannot share one file name.
    const bool outputIsFolder = options.output.endsWith(QLatin1Char('/')) || options.output.endsWith(QDir::separator())
                                || QFileInfo(options.output).isDir();
    if (options.inputs.size() > 1 && !options.output.isEmpty() && !outputIsFolder) {
        tell({}, QStringLiteral("With several files, -o must name a folder (end it with /)."));
        return Usage;
    }
    return Done;
}

// Where a ringtone goes: the folder and the name typed for it (the window's
// output name field), before the window's rules clean and number it.
struct Target
{
    QString folder;
    QString name;
};

Target targetFor(const Options &options, const QString &input)
{
    const QString output = options.output;
    const QString baseName = CFilePath(input).baseName();
    if (output.isEmpty())
        return {readSetting(QStringLiteral("OutputFolder"), defaultOutputFolder()), baseName};
    const QFileInfo info(output);
    if (output.endsWith(QLatin1Char('/')) || output.endsWith(QDir::separator()) || info.isDir())
        return {QDir::cleanPath(info.absoluteFilePath()), baseName};
    QString name = info.fileName();
    if (name.endsWith(QLatin1String(".m4r"), Qt::CaseInsensitive))
        name.chop(4);
    return {info.absolutePath(), name};
}

// The phone side: the bridge's events come in on its thread and are taken
// on this one.
struct PhoneState
{
    bool connected = false;
    // The last failure to reach a phone, as the window's status says it.
    const char *failure = nullptr;
    QEventLoop *waiting = nullptr;
};
PhoneState phone;

void takePhoneEvent(const QString &text)
{
    if (text == QLatin1String(DEVICE_EVENT_CONNECT)) {
        phone.connected = true;
        phone.failure = nullptr;
    } else if (text == QLatin1String(DEVICE_EVENT_DISCONNECT)) {
        phone.connected = false;
    } else if (const char *status = CPhoneLink::failureStatus(text)) {
        phone.failure = status;
    } else {
        return;
    }
    if (phone.waiting && phone.connected)
        phone.waiting->quit();
}

int onDeviceEvent(int kind, const char *text)
{
    if (kind != 0 || !text)
        return 0;
    const QString event = QString::fromLatin1(text);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [event] { takePhoneEvent(event); },
                              Qt::QueuedConnection);
    return 0;
}

// The files of one command line, made one after the other, then sent to
// the phone.
class Run
{
public:
    explicit Run(Options options)
        : options(std::move(options))
        , progress(isatty(2) != 0)
    {
    }

    int execute();

private:
    struct Made
    {
        QString input;
        QString path;
        int clipMs;
    };

    // Each returns Done or the file's exit code; interrupted is set when a
    // signal ended the loop.
    int makeRingtone(const QString &input);
    // input is the file's absolute path, given the name it was given by.
    std::optional<std::pair<qint64, qint64>> chooseClip(const QString &input, const QString &given, double duration,
                                                        int &code);
    std::optional<std::pair<qint64, qint64>> suggestClip(const QString &input, const QString &given, double duration,
                                                         int &code);
    // Runs the job to its end (false when a termination signal came first).
    bool runJob(int jobType, const QString &input, double outputSeconds);
    int sendToPhone();
    void fail(int code)
    {
        if (result == Done)
            result = code;
    }

    Options options;
    const bool progress;
    CAVConverter job;
    DeviceBridge *bridge = nullptr;
    std::vector<Made> made;
    int result = Done;
    // 128 + the signal's number once one ended the run.
    int interrupted = 0;
    std::unique_ptr<QTemporaryDir> waveTemp;
};

bool Run::runJob(int jobType, const QString &input, double outputSeconds)
{
    QEventLoop loop;
    QObject::connect(&job, &CAVConverter::finished, &loop, [&loop] { loop.exit(0); });
    QTimer ticker;
    if (progress) {
        // On a terminal only: a script's log gets the outcome, not a
        // hundred carriage returns.
        const char *what = jobType == CAVConverter::JobExtractWave ? "reading" : "encoding";
        QObject::connect(&ticker, &QTimer::timeout, &ticker, [this, what, input, outputSeconds] {
            const double percent = outputSeconds > 0 ? job.currentTime() / outputSeconds * 100.0 : 0.0;
            std::fprintf(stderr, "\r%s: %s %3d%%", input.toLocal8Bit().constData(), what,
                         int(std::clamp(percent, 0.0, 100.0)));
            std::fflush(stderr);
        });
        ticker.start(200);
    }
    job.start(jobType);
    const int code = loop.exec();
    if (progress) {
        // Clears the progress line for the message that follows.
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
    if (code != 0) {
        interrupted = code > 0 ? code : 128 + 15;
        job.stop();
        return false;
    }
    return true;
}

std::optional<std::pair<qint64, qint64>> Run::suggestClip(const QString &input, const QString &given, double duration,
                                                         int &code)
{
    // The clip's length: as asked, or the window's first clip.
    qint64 lengthMs = qint64(kDefaultClipSeconds * 1000);
    if (options.lengthMs)
        lengthMs = *options.lengthMs;
    else if (options.endMs)
        lengthMs = *options.endMs - options.startMs.value_or(0);
    const double length = std::min(lengthMs / 1000.0, duration);

    if (!waveTemp)
        waveTemp = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tonquill-XXXXXX"));
    if (!waveTemp->isValid()) {
        tell(given, withReason(RingtoneText::kFailed, waveTemp->errorString()));
        code = Failed;
        return std::nullopt;
    }
    const QString wave = OutputNames::waveFile(waveTemp->path(), input);
    prepareWaveformJob(job, input, wave);
    if (!runJob(CAVConverter::JobExtractWave, given, duration))
        return std::nullopt;
    std::vector<ClipSuggestion> found;
    const QString reason = ringtoneJobFailure(job);
    if (reason.isEmpty())
        found = suggestClipsFromWave(wave, length);
    QFile::remove(wave);
    if (!reason.isEmpty()) {
        const RingtoneFailure kind = failureKind(reason);
        tell(given, withReason("The waveform could not be made.", reason));
        code = kind == RingtoneFailure::DiskFull ? DiskFull : kind == RingtoneFailure::BadInput ? BadInput : Failed;
        return std::nullopt;
    }
    if (found.empty()) {
        tell(given, QStringLiteral("No clip could be suggested."));
        code = Failed;
        return std::nullopt;
    }
    const ClipSuggestion &best = found.front();
    const qint64 startMs = std::llround(best.start * 1000);
    const qint64 endMs = std::llround(best.end * 1000);
    printLine(stdout, QStringLiteral("%1: start=%2 end=%3").arg(given, secondsText(startMs / 1000.0),
                                                                secondsText(endMs / 1000.0)));
    tell(given, (best.kind == ClipSuggestion::Chorus ? QStringLiteral("Chorus at %1.")
                                                     : QStringLiteral("No repeating part found: the loudest "
                                                                      "stretch, at %1."))
                    .arg(momentText(startMs)));
    return std::pair{startMs, endMs};
}

std::optional<std::pair<qint64, qint64>> Run::chooseClip(const QString &input, const QString &given, double duration,
                                                        int &code)
{
    if (options.suggest)
        return suggestClip(input, given, duration, code);
    // The file's length as the window's time fields hold it.
    const qint64 fileMs = qint64(std::floor(duration * 1000.0 + 1e-6));
    const qint64 start = options.startMs.value_or(0);
    if (start >= fileMs) {
        tell(given, QStringLiteral("The clip starts at %1, but the file ends at %2.")
                        .arg(clockText(start), clockText(fileMs)));
        code = BadTimes;
        return std::nullopt;
    }
    qint64 end = options.endMs ? *options.endMs
                               : start + options.lengthMs.value_or(qint64(kDefaultClipSeconds * 1000));
    if (end > fileMs) {
        // As the window's end field does, the end stops at the file's end;
        // asked for explicitly, that is worth a word.
        if (options.endMs || options.lengthMs)
            tell(given, QStringLiteral("The file ends at %1: the clip ends there.").arg(clockText(fileMs)));
        end = fileMs;
    }
    if (end - start < kShortestClipMs) {
        tell(given, QString::fromLatin1(RingtoneText::kTooShort));
        code = BadTimes;
        return std::nullopt;
    }
    return std::pair{start, end};
}

int Run::makeRingtone(const QString &given)
{
    const QString input = QFileInfo(given).absoluteFilePath();
    // A named pipe would hold the probe until something wrote to it; a
    // folder or a device is no media file either.
    double duration = 0.0;
    const QFileInfo info(input);
    if (info.isFile()) {
        const QuietStandardError quiet;
        tonquill_probe(QDir::toNativeSeparators(input).toUtf8().constData(), &duration);
    }
    if (!(duration > 0.5)) {
        tell(given, QString::fromLatin1(RingtoneText::kInvalidInput)
                        + (info.exists() ? QString() : QStringLiteral(" (no such file)")));
        return BadInput;
    }

    int code = Done;
    const auto clip = chooseClip(input, given, duration, code);
    if (!clip)
        return interrupted ? Done : code;
    const auto [startMs, endMs] = *clip;
    const double start = startMs / 1000.0;
    const double end = endMs / 1000.0;
    if (const char *warning = ringtoneWarning(end - start, options.fadeIn, options.volumePercent))
        tell(given, QString::fromLatin1(warning));

    const Target target = targetFor(options, input);
    if (!OutputNames::makeFolder(target.folder)) {
        tell(given, withReason(RingtoneText::kFailed,
                               QStringLiteral("Could not create the folder '%1' (Permission denied)")
                                   .arg(QDir::toNativeSeparators(target.folder))));
        return Failed;
    }
    const QString encoded = prepareRingtoneJob(
        job, {input, start, end, encoderGain(options.volumePercent), options.fadeIn, options.fadeOut}, target.folder);
    if (!runJob(CAVConverter::JobEncodeRingtone, given, end - start))
        return Done;
    if (const QString reason = ringtoneJobFailure(job); !reason.isEmpty()) {
        QFile::remove(encoded);
        tell(given, withReason(RingtoneText::kFailed, reason));
        switch (failureKind(reason)) {
        case RingtoneFailure::DiskFull:
            return DiskFull;
        case RingtoneFailure::BadInput:
            return BadInput;
        case RingtoneFailure::Other:
            break;
        }
        return Failed;
    }
    const QString name = OutputNames::ringtoneName(target.name, input);
    const QString ringtone = OutputNames::ringtoneFile(encoded, name);
    QFile file(encoded);
    if (!file.rename(ringtone)) {
        // The sound is kept where the encoder put it, as the window does.
        tell(given, QStringLiteral("The ringtone could not be saved as \"%1\" (%2). Its sound was kept in: %3")
                        .arg(CFilePath(ringtone).fileName(), file.errorString(), QDir::toNativeSeparators(encoded)));
        return Failed;
    }
    tell(given, QString::fromLatin1(RingtoneText::kSucceeded) + QLatin1Char(' ') + QDir::toNativeSeparators(ringtone));
    if (longerThanPhoneLists(end - start))
        tell(given, QString::fromLatin1(longRingtoneStatus(false)));
    made.push_back({given, ringtone, int(std::min<qint64>(endMs - startMs, std::numeric_limits<int>::max()))});
    return Done;
}

int Run::sendToPhone()
{
    // A "connect" the bridge sent during the last job may still be queued.
    QCoreApplication::processEvents();
    if (!phone.connected) {
        QEventLoop loop;
        phone.waiting = &loop;
        QTimer::singleShot(kPhoneWaitMs, &loop, [&loop] { loop.exit(0); });
        tell({}, QStringLiteral("Waiting for the iPhone..."));
        const int code = loop.exec();
        phone.waiting = nullptr;
        if (code != 0) {
            interrupted = code > 0 ? code : 128 + 15;
            return Done;
        }
    }
    int code = Done;
    for (const Made &ringtone : made) {
        if (!phone.connected) {
            const char *why = phone.failure ? phone.failure : "Please connect your iPhone to this computer.";
            tell(ringtone.input, QString::fromLatin1(why)
                                     + QStringLiteral(" No iPhone is connected: the ringtone stays in %1.")
                                           .arg(QDir::toNativeSeparators(ringtone.path)));
            code = code == Done ? NoPhone : code;
            continue;
        }
        const QString native = QDir::toNativeSeparators(ringtone.path);
        const int added = bridge->addRingtone(0, native.toUtf8().constData(), ringtone.clipMs);
        const int committed = bridge->commitChanges ? bridge->commitChanges(0) : 0;
        const int outcome = added < 0 ? added : committed;
        tell(ringtone.input, QString::fromLatin1(CPhoneLink::transferStatus(outcome)));
        if (outcome >= 0) {
            if (longerThanPhoneLists(ringtone.clipMs / 1000.0))
                tell(ringtone.input, QString::fromLatin1(longRingtoneStatus(true)));
        } else if (code == Done) {
            code = outcome == DEVICE_ERR_NO_PHONE ? NoPhone : Failed;
        }
    }
    return code;
}

int Run::execute()
{
    quitOnTerminationSignals();
    if (options.toPhone) {
        // Started first: the phone connects while the ringtones are made.
        bridge = createDeviceBridge();
        if (bridge && bridge->setEventCallback)
            bridge->setEventCallback(&onDeviceEvent);
    }
    for (const QString &input : std::as_const(options.inputs)) {
        fail(makeRingtone(input));
        if (interrupted)
            return interrupted;
    }
    if (options.toPhone && !made.empty()) {
        fail(sendToPhone());
        if (interrupted)
            return interrupted;
    }
    if (bridge && bridge->setEventCallback)
        bridge->setEventCallback(nullptr);
    return result;
}

} // namespace

std::optional<qint64> parseTime(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() > 3)
        return std::nullopt;
    qint64 ms = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        const bool last = i == parts.size() - 1;
        // Digits only (and one dot in the seconds): no sign, no blanks, no
        // exponent.
        int dots = 0;
        for (const QChar c : part) {
            if (c == QLatin1Char('.') && last)
                ++dots;
            else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        }
        if (dots > 1 || part.isEmpty() || part == QLatin1String("."))
            return std::nullopt;
        bool ok = false;
        const double value = part.toDouble(&ok);
        // Minutes and seconds after a colon stay below 60.
        if (!ok || (i > 0 && value >= 60.0) || value > 1e9)
            return std::nullopt;
        ms = ms * 60 + (last ? std::llround(value * 1000.0) : qint64(value) * 1000);
    }
    return ms;
}

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 3);
}

bool wanted(const QStringList &arguments)
{
    QStringList names;
    for (const QCommandLineOption &option : ringtoneOptions())
        for (const QString &name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        if (names.contains(name) || (argument.startsWith(QLatin1String("-o")) && !argument.startsWith(QLatin1String("--"))))
            return true;
    }
    return false;
}

int run(const QStringList &arguments)
{
    Options options;
    if (const int code = readOptions(arguments, options); code != Done)
        return code;
    Run run(std::move(options));
    return run.execute();
}

} // namespace RingtoneCommand
