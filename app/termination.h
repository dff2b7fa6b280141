#pragma once

// How the program ends when it is told to from outside (a terminal's Ctrl+C,
// `kill`, a session that logs out): as on a normal close, so that a running
// job's encoder is stopped and the temporary folder removed.

// Ignores SIGPIPE: a connection that the other side closed (a phone pulled
// out mid-transfer) then fails its write with EPIPE instead of killing the
// whole program. Call it first thing in main(), before any thread starts, so
// that every thread inherits it.
void ignoreBrokenPipes();

// Turns SIGTERM, SIGINT and SIGHUP into the end of the event loop, with the
// exit code 128 + the signal's number (those ignored at start, as under
// nohup, stay ignored). Needs the application object; call it
// before anything (the player's SDL among them) installs handlers of its own.
// A second such signal while the program is ending ends it at once.
void quitOnTerminationSignals();
