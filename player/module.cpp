// The player module: the whole tq_player library (the ffplay_* functions come
// from player.cpp) and the media probe, loaded by the program on first use
// (loader.cpp).
#include "mediainfo.h"
#include "mediaprobe.h"

extern "C" int tonquill_probe(const char *path, double *seconds)
{
    CMediaInfo info;
    const int result = info.open(path);
    if (seconds)
        *seconds = info.duration();
    return result;
}
