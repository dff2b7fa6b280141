// The player module: the whole tq_player library, loaded by the program on
// first use (loader.cpp). The ffplay_* functions come from player.cpp.
