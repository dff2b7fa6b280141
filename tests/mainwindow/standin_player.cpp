#include "ffplay.h"
#include "mediaprobe.h"
#include "standins.h"

namespace {
PlayStateCallback theCallback = nullptr;
void *theUser = nullptr;
}

namespace standin {
PlayerLog &player()
{
    static PlayerLog log;
    return log;
}
void sendPlayState(int state)
{
    if (theCallback)
        theCallback(state, theUser);
}
}

extern "C" {
int ffplay_init(void)
{
    ++standin::player().initCalls;
    return 0;
}
int ffplay_set_callback(PlayStateCallback cb, void *user)
{
    theCallback = cb;
    theUser = user;
    return 0;
}
int ffplay_open(const char *, int, int) { standin::player().calls.push_back("open"); return 0; }
int ffplay_play(void) { standin::player().calls.push_back("play"); return standin::player().playResult; }
int ffplay_toggle_pause(void) { standin::player().calls.push_back("toggle_pause"); return 0; }
int ffplay_stop(void) { standin::player().calls.push_back("stop"); return 0; }
int ffplay_seek(double seconds)
{
    standin::player().calls.push_back("seek");
    standin::player().seeks.push_back(seconds);
    return 0;
}
double ffplay_get_position(void) { return standin::player().position; }
int ffplay_set_volume(double factor)
{
    standin::player().volumes.push_back(factor);
    return 0;
}
int ffplay_fadein(double seconds)
{
    standin::player().calls.push_back("fadein");
    standin::player().fadeins.push_back(seconds);
    return 0;
}
int ffplay_fadeout(double seconds, double end)
{
    standin::player().calls.push_back("fadeout");
    standin::player().fadeouts.emplace_back(seconds, end);
    return 0;
}
int ffplay_loop(int on)
{
    standin::player().calls.push_back("loop");
    standin::player().loops.push_back(on);
    return 0;
}
}

extern "C" int tonquill_probe(const char *path, double *seconds)
{
    return tonquill_probe_ringtone(path, seconds, nullptr);
}

// The manager probes on a worker thread; the test sets the log up before and
// reads it after the result has come back to the GUI thread.
extern "C" int tonquill_probe_ringtone(const char *path, double *seconds, int *asRingtone)
{
    standin::PlayerLog &log = standin::player();
    log.probedPaths.push_back(path);
    const auto known = log.probeDurations.find(path);
    const double duration = known != log.probeDurations.end() ? known->second : log.probeDuration;
    *seconds = duration > 0 ? duration : 0.0;
    if (asRingtone)
        *asRingtone = duration > 0 && !log.probeNotRingtones.count(path) ? 1 : 0;
    return duration > 0 ? 0 : -1;
}
