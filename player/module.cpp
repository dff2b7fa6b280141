// The player module: the whole tq_player library (the ffplay_* functions come
// from player.cpp) and the media probe, loaded by the program on first use
// (loader.cpp).
#include "mediainfo.h"
#include "mediaprobe.h"

extern "C" int tonquill_probe(const char *path, double *seconds)
{
    return tonquill_probe_ringtone(path, seconds, nullptr);
}

extern "C" int tonquill_probe_ringtone(const char *path, double *seconds, int *asRingtone)
{
    CMediaInfo info;
    const int result = info.open(path);
    if (seconds)
        *seconds = info.duration();
    if (asRingtone)
        *asRingtone = result >= 0 && info.isAacInMp4() ? 1 : 0;
    return result;
}
