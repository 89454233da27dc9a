// The export to Tiled: a data folder read with the game's own loaders and
// written as one Tiled map per floor, with the tileset of the game's eight
// tiles; and the writer of the game's data files that the import shares.
#include "tiled.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>

#include "core/datafile.h"
#include "core/linereader.h"
#include "output.h"

namespace {

// What each cell code does when the player walks onto it, in code order.
const char* const TILE_BEHAVIOUR[8] = {
    "walkable", "blocking", "door", "walkable", "walkable", "blocking", "stairs", "locked door",
};

TextLayout layoutOf(const std::string& bytes) {
    TextLayout layout;
    size_t lineFeed = bytes.find('\n');
    layout.crlf = lineFeed != std::string::npos && lineFeed > 0 && bytes[lineFeed - 1] == '\r';
    layout.finalLineEnd = !bytes.empty() && bytes.back() == '\n';
    return layout;
}

std::string joinLines(const std::vector<std::string>& lines, const TextLayout& layout) {
    const char* end = layout.crlf ? "\r\n" : "\n";
    std::string bytes;
    for (size_t i = 0; i < lines.size(); i++) {
        bytes += lines[i];
        if (i + 1 < lines.size() || layout.finalLineEnd)
            bytes += end;
    }
    return bytes;
}

// A record file's records as the game's loader `readFile` adds them (up to
// the null record or the end of the file), and how its lines end; false, with
// the reason, when it cannot be read.
template <class Record, class List>
bool readRecordFile(const std::string& path, bool (*readFile)(FILE*, List&, FILE*, bool*),
                    std::vector<Record>& records, TextLayout& layout, FILE* messages) {
    std::string bytes;
    FILE* file = openDataFile(path.c_str());
    if (!file || !readWholeFile(path, bytes)) {
        fprintf(messages, "%s: cannot be read\n", path.c_str());
        if (file)
            fclose(file);
        return false;
    }
    layout = layoutOf(bytes);
    List loaded;
    readFile(file, loaded, NULL, NULL);
    fclose(file);
    for (auto* record : loaded) {
        records.push_back(*record);
        delete record;
    }
    return true;
}

// Reads the whole data folder; false, with the reason, when a file is missing.
bool readDataFolder(const std::string& dir, TiledCampaign& campaign, FILE* messages) {
    std::string bytes;
    Map map; // one grid for every floor, as in the game
    for (int n = 0; n < FLOOR_COUNT; n++) {
        TiledFloor& floor = campaign.floors[n];
        std::string mapPath = mapFilePath(dir, n), npcPath = npcFilePath(dir, n);
        if (!readWholeFile(mapPath, bytes)) {
            fprintf(messages, "%s: cannot be read\n", mapPath.c_str());
            return false;
        }
        floor.mapLayout = layoutOf(bytes);
        map.loadMap(mapPath.c_str(), NULL); // quietly: standard output is our report
        memcpy(floor.cells, map.cells, sizeof floor.cells);
        if (!readRecordFile(npcPath, NPC::readFile, floor.npcs, floor.npcLayout, messages))
            return false;
    }
    std::string questPath = questFilePath(dir);
    std::vector<Quest> quests;
    if (!readRecordFile(questPath, Quest::readFile, quests, campaign.questLayout, messages))
        return false;
    for (const Quest& quest : quests) {
        if (quest.floor >= 0 && quest.floor < FLOOR_COUNT)
            campaign.floors[quest.floor].quests.push_back(quest);
        else
            fprintf(messages, "%s: the quest \"%s\" is for floor %d, which has no map: left out\n",
                    questPath.c_str(), quest.text.c_str(), quest.floor);
    }
    return true;
}

// A text of the game (one byte per character, as its font draws them: Latin-1)
// as an XML attribute value in UTF-8.
std::string xmlText(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '\t' || c == '\r')
            out += c == '\t' ? "&#9;" : "&#13;";
        else if (c < 0x20)
            out += '?'; // XML has no way to hold the other control codes
        else if (c < 0x80)
            out += (char)c;
        else {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void intProperty(std::string& xml, const char* name, int value) {
    xml += "    <property name=\"" + std::string(name) + "\" type=\"int\" value=\"" +
           std::to_string(value) + "\"/>\n";
}
void boolProperty(std::string& xml, const char* name, bool value, const char* indent = "    ") {
    xml += indent + std::string("<property name=\"") + name + "\" type=\"bool\" value=\"" +
           (value ? "true" : "false") + "\"/>\n";
}
void textProperty(std::string& xml, const char* name, const std::string& value,
                  const char* indent = "    ") {
    xml += indent + std::string("<property name=\"") + name + "\" value=\"" + xmlText(value) +
           "\"/>\n";
}

void layoutProperties(std::string& xml, const std::string& file, const TextLayout& layout) {
    textProperty(xml, (file + " line ends").c_str(), layout.crlf ? "CRLF" : "LF", "  ");
    boolProperty(xml, (file + " ends with a line end").c_str(), layout.finalLineEnd, "  ");
}

// A point object in the middle of cell (x, y).
void openObject(std::string& xml, int& id, int x, int y, const char* name = NULL) {
    xml += "  <object id=\"" + std::to_string(id++) + "\"";
    if (name)
        xml += " name=\"" + std::string(name) + "\"";
    // Wide: an errand's target may be any number of nine digits.
    xml += " x=\"" + std::to_string((long long)x * TILED_CELL + TILED_CELL / 2) + "\" y=\"" +
           std::to_string((long long)y * TILED_CELL + TILED_CELL / 2) + "\">\n";
}

void closeObject(std::string& xml, bool hasProperties) {
    if (hasProperties)
        xml += "   </properties>\n";
    xml += "   <point/>\n  </object>\n";
}

std::string floorMap(const TiledCampaign& campaign, int n) {
    const TiledFloor& floor = campaign.floors[n];
    std::string layers;
    int id = 1;
    layers += " <objectgroup id=\"2\" name=\"characters\">\n";
    for (const NPC& npc : floor.npcs) {
        openObject(layers, id, npc.posX, npc.posY);
        layers += "   <properties>\n";
        intProperty(layers, "hit points", npc.hp);
        intProperty(layers, "maximum hit points", npc.maxHp);
        intProperty(layers, "magic points", npc.mp);
        intProperty(layers, "maximum magic points", npc.maxMp);
        boolProperty(layers, "hostile", npc.hostile != 0);
        textProperty(layers, "name", npc.name);
        textProperty(layers, "line", npc.dialogue);
        intProperty(layers, "character number", npc.character);
        closeObject(layers, true);
    }
    layers += " </objectgroup>\n <objectgroup id=\"3\" name=\"errands\">\n";
    for (const Quest& quest : floor.quests) {
        openObject(layers, id, quest.posX, quest.posY);
        layers += "   <properties>\n";
        textProperty(layers, "text", quest.text);
        boolProperty(layers, "key reward", quest.rewardKey != 0);
        closeObject(layers, true);
    }
    // The cells the game itself fills: for reference only, never read back.
    layers += " </objectgroup>\n <objectgroup id=\"4\" name=\"markers\" locked=\"1\">\n";
    openObject(layers, id, QUEST_GIVER_X, QUEST_GIVER_Y, "quest giver");
    closeObject(layers, false);
    openObject(layers, id, SHOPKEEPER_X, SHOPKEEPER_Y, "shopkeeper");
    closeObject(layers, false);
    if (n == 0) {
        openObject(layers, id, START_X, START_Y, "start");
        closeObject(layers, false);
    }
    layers += " </objectgroup>\n";

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" "
                      "width=\"100\" height=\"100\" tilewidth=\"48\" tileheight=\"48\" "
                      "infinite=\"0\" nextlayerid=\"5\" nextobjectid=\"" +
                      std::to_string(id) + "\">\n <properties>\n";
    layoutProperties(xml, "map file", floor.mapLayout);
    layoutProperties(xml, "npc file", floor.npcLayout);
    if (n == 0)
        layoutProperties(xml, "quest file", campaign.questLayout);
    xml += " </properties>\n <tileset firstgid=\"1\" source=\"tessary.tsx\"/>\n"
           " <layer id=\"1\" name=\"floor\" width=\"100\" height=\"100\">\n"
           "  <data encoding=\"csv\">\n";
    for (int y = 0; y < MAP_SIZE; y++) {
        for (int x = 0; x < MAP_SIZE; x++) {
            // A code outside the eight has no tile: the cell stays empty, and
            // the import asks the author to paint it.
            char code = floor.cells[y][x];
            xml += tileOf(code) >= 0 ? std::to_string(tileOf(code) + 1) : "0";
            if (x + 1 < MAP_SIZE || y + 1 < MAP_SIZE)
                xml += ',';
        }
        xml += '\n';
    }
    xml += "</data>\n </layer>\n" + layers + "</map>\n";
    return xml;
}

// The tileset: the game's tile pictures, copied beside it, in code order.
bool writeTileset(const std::string& gfxDir, const std::string& outDir, FILE* messages) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<tileset version=\"1.8\" name=\"tessary\" tilewidth=\"48\" "
                      "tileheight=\"48\" tilecount=\"8\" columns=\"0\">\n"
                      " <grid orientation=\"orthogonal\" width=\"1\" height=\"1\"/>\n";
    // The pictures' folder must be one of its own, not a link to elsewhere.
    std::string tiles = outDir + "/tiles";
    struct stat info;
    if ((mkdir(tiles.c_str(), 0777) != 0 && errno != EEXIST) || lstat(tiles.c_str(), &info) != 0 ||
        !S_ISDIR(info.st_mode)) {
        fprintf(messages, "%s: not a folder of its own\n", tiles.c_str());
        return false;
    }
    for (int i = 0; i < 8; i++) {
        char name[16];
        snprintf(name, sizeof name, "tiles/%02d.png", i);
        std::string picture;
        if (!readWholeFile(gfxDir + "/" + name, picture))
            fprintf(messages, "%s/%s: missing, Tiled shows no picture for code '%d'\n",
                    gfxDir.c_str(), name, i);
        else if (!replaceFile(outDir + "/" + name, picture))
            return false;
        xml += " <tile id=\"" + std::to_string(i) + "\">\n  <properties>\n";
        textProperty(xml, "behaviour", TILE_BEHAVIOUR[i], "   ");
        xml += "  </properties>\n  <image width=\"48\" height=\"48\" source=\"" +
               std::string(name) + "\"/>\n </tile>\n";
    }
    xml += "</tileset>\n";
    return replaceFile(outDir + "/tessary.tsx", xml);
}

// Every data file the round trip writes, with its name and its bytes.
std::vector<OutputFile> dataFiles(const TiledCampaign& campaign) {
    std::vector<OutputFile> files;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        files.push_back({mapFilePath("", n).substr(1), mapFileBytes(campaign.floors[n])});
        files.push_back({npcFilePath("", n).substr(1), npcFileBytes(campaign.floors[n])});
    }
    files.push_back({questFilePath("").substr(1), questFileBytes(campaign)});
    return files;
}

// Reads the maps just written as the import will, and names each data file
// that would not come back byte for byte.
void checkRoundTrip(const std::string& dataDir, const std::string& outDir, FILE* messages) {
    std::unique_ptr<TiledCampaign> back(new TiledCampaign());
    std::vector<std::string> refusals;
    readTiledFloors(outDir, *back, refusals);
    for (const std::string& refusal : refusals)
        fprintf(messages, "the import will refuse %s\n", refusal.c_str());
    std::string original;
    for (const OutputFile& file : dataFiles(*back)) {
        std::string path = dataDir + "/" + file.name;
        if (refusals.empty() && (!readWholeFile(path, original) || original != file.bytes))
            fprintf(messages,
                    "%s: the import will write it in the game's plain form, not byte for byte "
                    "as it is\n",
                    path.c_str());
    }
}

} // namespace

std::string mapFilePath(const std::string& dir, int n) {
    return dir + "/map" + (n ? std::to_string(n) : "") + ".qor";
}
std::string npcFilePath(const std::string& dir, int n) {
    return dir + "/npcs" + (n ? std::to_string(n) : "") + ".qor";
}
std::string questFilePath(const std::string& dir) {
    return dir + "/quests.qor";
}
std::string tiledFloorPath(const std::string& dir, int n) {
    return dir + "/floor" + std::to_string(n) + ".tmx";
}

std::string mapFileBytes(const TiledFloor& floor) {
    std::vector<std::string> rows;
    for (int y = 0; y < MAP_SIZE; y++)
        rows.push_back(std::string(floor.cells[y], MAP_SIZE));
    return joinLines(rows, floor.mapLayout);
}

std::string npcFileBytes(const TiledFloor& floor) {
    std::vector<std::string> lines;
    for (const NPC& npc : floor.npcs) {
        for (int number : {npc.hp, npc.maxHp, npc.mp, npc.maxMp, npc.hostile ? 1 : 0})
            lines.push_back(std::to_string(number));
        lines.push_back(npc.name);
        lines.push_back(npc.dialogue);
        for (int number : {npc.posX, npc.posY, npc.character})
            lines.push_back(std::to_string(number));
    }
    return joinLines(lines, floor.npcLayout);
}

std::string questFileBytes(const TiledCampaign& campaign) {
    std::vector<std::string> lines;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        for (const Quest& quest : campaign.floors[n].quests) {
            for (int number : {quest.posX, quest.posY, n})
                lines.push_back(std::to_string(number));
            lines.push_back(quest.text);
            lines.push_back(quest.rewardKey ? "1" : "0");
        }
    }
    return joinLines(lines, campaign.questLayout);
}

bool exportTiled(const std::string& dataDir, const std::string& gfxDir, const std::string& outDir,
                 FILE* messages) {
    std::unique_ptr<TiledCampaign> campaign(new TiledCampaign());
    if (!readDataFolder(dataDir, *campaign, messages))
        return false;
    // The folder and any missing folders above it.
    for (size_t slash = outDir.find('/', 1); slash != std::string::npos;
         slash = outDir.find('/', slash + 1))
        mkdir(outDir.substr(0, slash).c_str(), 0777);
    mkdir(outDir.c_str(), 0777);
    if (!writeTileset(gfxDir, outDir, messages)) {
        fprintf(messages, "%s: cannot write the tileset\n", outDir.c_str());
        return false;
    }
    for (int n = 0; n < FLOOR_COUNT; n++) {
        std::string path = tiledFloorPath(outDir, n);
        if (!replaceFile(path, floorMap(*campaign, n))) {
            fprintf(messages, "%s: cannot be written\n", path.c_str());
            return false;
        }
    }
    checkRoundTrip(dataDir, outDir, messages);
    fprintf(messages, "%d floors written to %s\n", FLOOR_COUNT, outDir.c_str());
    return true;
}

bool importTiled(const std::string& inDir, const std::string& dataDir, FILE* messages) {
    // Whatever comes of this one, an import stopped while moving is undone.
    recoverInterrupted(dataDir, messages);
    std::unique_ptr<TiledCampaign> campaign(new TiledCampaign());
    std::vector<std::string> refusals;
    if (!readTiledFloors(inDir, *campaign, refusals)) {
        for (const std::string& refusal : refusals)
            fprintf(messages, "%s\n", refusal.c_str());
        fprintf(messages, "nothing written to %s\n", dataDir.c_str());
        return false;
    }
    if (!replaceAll(dataDir, dataFiles(*campaign), messages))
        return false;
    fprintf(messages, "%d floors imported into %s\n", FLOOR_COUNT, dataDir.c_str());
    return true;
}
