// The round trip through the Tiled map editor: a data folder's floors written
// as Tiled maps (one floorN.tmx per floor, drawn with tessary.tsx) and read
// back into the map, NPC and quest files the game loads, byte for byte.
//
// Both directions meet in `TiledCampaign`, the campaign as plain values: the
// export fills it with the game's own loaders, the import from the maps an
// author saved, and one writer turns it into the files' exact bytes.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "checker.h"

// Pixels per cell in the Tiled maps: the game's own cell size.
const int TILED_CELL = 48;

// How a data file spells its line ends, which the game reads either way but
// the round trip keeps.
struct TextLayout {
    bool crlf = false;        // lines end with a carriage return and a line feed
    bool finalLineEnd = true; // the last line has its line end too (in a record
                              // file: the empty record after it ends the file)
};

struct TiledFloor {
    char cells[MAP_SIZE][MAP_SIZE];
    TextLayout mapLayout;
    TextLayout npcLayout;
    std::vector<NPC> npcs;     // the NPC file's records, in file order
    std::vector<Quest> quests; // the quests of this floor, in file order
};

struct TiledCampaign {
    TiledFloor floors[FLOOR_COUNT];
    TextLayout questLayout; // the quest file's, kept with the ground floor
};

// The three kinds of data file the round trip writes.
std::string mapFileBytes(const TiledFloor& floor);
std::string npcFileBytes(const TiledFloor& floor);
std::string questFileBytes(const TiledCampaign& campaign);

// The data files of floor `n` and the quest file, inside `dir`.
std::string mapFilePath(const std::string& dir, int n);
std::string npcFilePath(const std::string& dir, int n);
std::string questFilePath(const std::string& dir);
std::string tiledFloorPath(const std::string& dir, int n);

// Writes `dataDir`'s floors to `outDir` (floorN.tmx, tessary.tsx and the tile
// pictures from `gfxDir`/tiles). Tells `messages` about every file the import
// would not give back byte for byte. False, with the reason, when a data file
// cannot be read or an output file cannot be written.
bool exportTiled(const std::string& dataDir, const std::string& gfxDir, const std::string& outDir,
                 FILE* messages);

// Reads the floors of `inDir` into `campaign`. Every refusal goes to `refusals`
// as "floorN.tmx: object K: what is wrong" (no object for the map itself);
// true when there are none.
bool readTiledFloors(const std::string& inDir, TiledCampaign& campaign,
                     std::vector<std::string>& refusals);

// Reads the maps of `inDir` and writes the map, NPC and quest files into
// `dataDir`; writes nothing and prints every refusal to `messages` when any
// map holds what the game's files cannot. True when the files were written.
bool importTiled(const std::string& inDir, const std::string& dataDir, FILE* messages);
