// Opening the game's data files: the one way every file under data/ is opened
// for reading (maps, NPCs, quests, shop goods, pictures and the font), and the
// one way their loaders report progress.
#pragma once

#include <cstdio>

// Opens `path` for reading in binary mode, or returns NULL when it cannot be
// opened or is not a regular file: a folder, a named pipe or a device counts
// as a file that is not there. Never blocks on a named pipe. Links are
// followed (an installed game reaches its data through one).
FILE* openDataFile(const char* path);

// Writes a loader's progress line, with its line feed, to `progress`: the
// game's standard output, or another stream; NULL keeps the loader quiet.
void progressLine(FILE* progress, const char* format, ...) __attribute__((format(printf, 2, 3)));
