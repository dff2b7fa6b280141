#pragma once

#include <functional>
#include <string>

// Hooks for the player's tests and benchmarks; deliberately not part of the
// C interface in ffplay.h.
namespace player {

// Called on the output's thread with every buffer handed to the output, after
// volume and fade-in. Passing an empty function removes the tap; once that
// returns, the old tap is no longer running.
using OutputTap = std::function<void(const float *samples, int frames, int channels)>;
void setOutputTap(OutputTap tap);

// Rate of the buffers the tap sees; 0 before the first ffplay_open.
int outputSampleRate();

// "sdl" or "null" (no sound device, or silence forced); empty before the
// first ffplay_open.
std::string outputKind();

} // namespace player
