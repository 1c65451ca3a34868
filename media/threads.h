// Whether work can run on a thread of its own: a web page runs the game in
// its one thread, where such work runs when its result is first waited for.
// Kept apart from media.h, which every file of the game includes.
#pragma once

bool BackgroundThreadsAvailable();
