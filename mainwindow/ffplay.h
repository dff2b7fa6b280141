#pragma once

/*
 * The preview player library: plays the loaded input file with sound.
 *
 * All calls come from the GUI thread; one file is open at a time; the library
 * is never shut down. State changes are reported through the callback, which
 * may run on any thread, also from inside one of these calls.
 */

#ifdef __cplusplus
extern "C" {
#endif

enum PlayState {
    PlayStopped = 0,
    PlayPlaying = 1,
    PlayPaused = 2
};

/* Called with the new play state and the user pointer; returns 0. */
typedef int (*PlayStateCallback)(int state, void *user);

int ffplay_init(void);
int ffplay_set_callback(PlayStateCallback cb, void *user);
/* path: UTF-8, native separators; both integers are always 0. */
int ffplay_open(const char *path, int reserved1, int reserved2);
/* Returns FFPLAY_NO_SOUND when no sound device could be opened and the
 * preview runs silently (its clock and position go on), 0 otherwise. */
#define FFPLAY_NO_SOUND 1
int ffplay_play(void);
int ffplay_toggle_pause(void);
int ffplay_stop(void);
int ffplay_seek(double seconds);
/* Seconds from the start of the file being heard now. */
double ffplay_get_position(void);
/* Linear factor, 1.0 unchanged, up to 5.08. */
int ffplay_set_volume(double factor);
/* Fade-in length in seconds for the next start or resume; 0 for none. */
int ffplay_fadein(double seconds);
/* For the next start or resume, like the fade-in: the sound falls to silence
   over `seconds` (0 for a plain cut) ending at `end`, seconds in the file; a
   negative end for none; silent after the end. A start, resume or seek at
   or past the end without a loop stops playback, as the end of the file
   does. A resume for which no end was set goes on with the paused clip: its
   end, fade-out and loop. */
int ffplay_fadeout(double seconds, double end);
/* For the next start or resume, and for the clip playing (or paused) now:
   non-zero plays from where that start began to the fade-out's end over and
   over, each round with the same fade-in, volume and fade-out. An end at or
   before the start leaves nothing to loop. */
int ffplay_loop(int on);

#ifdef __cplusplus
}
#endif
