#pragma once

/*
 * The media probe as the window reaches it: the duration of a media file in
 * seconds, measured with libavformat (CMediaInfo). It lives in the player
 * module with the rest of the FFmpeg code, which the program loads on first
 * use. Returns 0 or a negative error; *seconds is 0.0 when the file cannot
 * be probed.
 */

#ifdef __cplusplus
extern "C" {
#endif

/* path: UTF-8, native separators. */
int tonquill_probe(const char *path, double *seconds);

/* The same, and *asRingtone (when given) 1 when the file can go to a phone
 * as a ringtone as it is (AAC audio alone in an MP4-family container), else
 * 0. Unlike the rest of this interface it may be called from any thread. */
int tonquill_probe_ringtone(const char *path, double *seconds, int *asRingtone);

#ifdef __cplusplus
}
#endif
