// Placeholder preview player: accepts every call and plays nothing.
#include "ffplay.h"

extern "C" {
int ffplay_init(void) { return 0; }
int ffplay_set_callback(PlayStateCallback, void *) { return 0; }
int ffplay_open(const char *, int, int) { return 0; }
int ffplay_play(void) { return 0; }
int ffplay_toggle_pause(void) { return 0; }
int ffplay_stop(void) { return 0; }
int ffplay_seek(double) { return 0; }
double ffplay_get_position(void) { return 0.0; }
int ffplay_set_volume(double) { return 0; }
int ffplay_fadein(double) { return 0; }
}
