// The ffplay_* C interface over the one player engine of the process.
#include "ffplay.h"
#include "playerengine.h"
#include "playertest.h"

using player::CPlayerEngine;

extern "C" {

int ffplay_init(void)
{
    CPlayerEngine::instance();
    return 0;
}

int ffplay_set_callback(PlayStateCallback cb, void *user)
{
    CPlayerEngine::instance().setCallback(cb, user);
    return 0;
}

int ffplay_open(const char *path, int, int)
{
    if (!path)
        return -1;
    return CPlayerEngine::instance().open(path) ? 0 : -1;
}

int ffplay_play(void)
{
    CPlayerEngine &engine = CPlayerEngine::instance();
    engine.play();
    // Silent by choice (TONQUILL_PLAYER_NULL_OUTPUT) is not worth a word.
    return engine.outputKind() == "null" && !player::silentOutputForced() ? FFPLAY_NO_SOUND : 0;
}

int ffplay_toggle_pause(void)
{
    CPlayerEngine::instance().togglePause();
    return 0;
}

int ffplay_stop(void)
{
    CPlayerEngine::instance().stop();
    return 0;
}

int ffplay_seek(double seconds)
{
    CPlayerEngine::instance().seek(seconds);
    return 0;
}

double ffplay_get_position(void)
{
    return CPlayerEngine::instance().position();
}

int ffplay_set_volume(double factor)
{
    CPlayerEngine::instance().setVolume(factor);
    return 0;
}

int ffplay_fadein(double seconds)
{
    CPlayerEngine::instance().setFadeIn(seconds);
    return 0;
}

int ffplay_fadeout(double seconds, double end)
{
    CPlayerEngine::instance().setFadeOut(seconds, end);
    return 0;
}

int ffplay_loop(int on)
{
    CPlayerEngine::instance().setLoop(on != 0);
    return 0;
}

} // extern "C"

namespace player {

void setOutputTap(OutputTap tap)
{
    CPlayerEngine::instance().setOutputTap(std::move(tap));
}

int outputSampleRate()
{
    return CPlayerEngine::instance().outputSampleRate();
}

std::string outputKind()
{
    return CPlayerEngine::instance().outputKind();
}

} // namespace player
