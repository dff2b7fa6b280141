#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Making ringtones from the command line, without a window: `tonquill
// --ringtone FILE... [options]` (the options are app/desktop.h's
// ringtoneOptions()). Same encoder, names, rules and messages as the
// window's Generate; the messages go to standard error, the clips chosen by
// --suggest to standard output.

namespace RingtoneCommand {

// The process's exit codes. With several files, the first failure's.
enum ExitCode {
    Done = 0,
    Failed = 1,      // anything below does not name
    Usage = 2,       // a wrong command line
    BadInput = 3,    // a file that is missing or not playable media
    BadTimes = 4,    // a time that does not parse or does not fit the file
    DiskFull = 5,    // the output's disk is full
    NoPhone = 6,     // --to-phone, and no phone connected (or it left)
};

// Whether the command line asks for ringtones without a window: --ringtone
// or any of its options (which then must come with it).
bool wanted(const QStringList &arguments);

// Makes the ringtones and returns the exit code. Needs a QCoreApplication
// (not a GUI one) and runs its event loop.
int run(const QStringList &arguments);

// A time as typed: seconds (83.5), minutes and seconds (1:23.5) or hours,
// minutes and seconds (0:01:23.500), in whole milliseconds; nothing for
// anything else (negative, minutes or seconds past 59 after a colon).
std::optional<qint64> parseTime(const QString &text);

// Seconds with three decimals and a dot, whatever the locale.
QString secondsText(double seconds);

} // namespace RingtoneCommand
