// Reading the Tiled maps an author saved back into the campaign's values, and
// refusing, with the floor, the object and the reason, whatever the game's
// files cannot hold. The XML itself is read by expat.
#include <cmath>
#include <cstring>
#include <expat.h>
#include <map>

#include "tiled.h"

namespace {

typedef std::map<std::string, std::string> Properties;

struct TiledObject {
    int id = 0;
    double x = 0, y = 0;
    Properties properties;
};

// A Tiled map as it was saved, before any of it is judged.
struct SavedMap {
    int width = 0, height = 0;
    bool infinite = false;
    Properties properties;
    long long firstGid = 0; // of tessary.tsx; 0 when the map does not use it
    int tileLayers = 0;
    int layerWidth = 0, layerHeight = 0;
    std::string encoding, csv;
    std::vector<TiledObject> characters, errands;

    // While reading: the open elements, the object and property being read.
    std::vector<std::string> open;
    std::vector<TiledObject>* group = NULL;
    TiledObject* object = NULL;
    Properties* owner = NULL;
    std::string propertyName, propertyText;
    bool propertyHasValue = false;
    bool inTileData = false;
};

const char* attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2)
        if (!strcmp(attributes[i], name))
            return attributes[i + 1];
    return NULL;
}

int intAttribute(const XML_Char** attributes, const char* name) {
    const char* value = attribute(attributes, name);
    return value ? atoi(value) : 0;
}

void XMLCALL startElement(void* data, const XML_Char* element, const XML_Char** attributes) {
    SavedMap& map = *static_cast<SavedMap*>(data);
    std::string parent = map.open.empty() ? "" : map.open.back();
    std::string name = element;
    map.open.push_back(name);
    if (name == "map" && parent.empty()) {
        map.width = intAttribute(attributes, "width");
        map.height = intAttribute(attributes, "height");
        map.infinite = intAttribute(attributes, "infinite") != 0;
    } else if (name == "tileset" && parent == "map") {
        const char* source = attribute(attributes, "source");
        size_t length = source ? strlen(source) : 0;
        if (length >= 11 && !strcmp(source + length - 11, "tessary.tsx"))
            map.firstGid = intAttribute(attributes, "firstgid");
    } else if (name == "layer" && parent == "map") {
        if (map.tileLayers++ == 0) {
            map.layerWidth = intAttribute(attributes, "width");
            map.layerHeight = intAttribute(attributes, "height");
        }
    } else if (name == "data" && parent == "layer" && map.tileLayers == 1) {
        const char* encoding = attribute(attributes, "encoding");
        const char* compression = attribute(attributes, "compression");
        map.encoding = encoding && !compression ? encoding : "packed";
        map.inTileData = true;
    } else if (name == "objectgroup" && parent == "map") {
        const char* group = attribute(attributes, "name");
        map.group = !group                         ? NULL
                    : !strcmp(group, "characters") ? &map.characters
                    : !strcmp(group, "errands")    ? &map.errands
                                                   : NULL;
    } else if (name == "object" && parent == "objectgroup" && map.group) {
        map.group->push_back(TiledObject());
        map.object = &map.group->back();
        map.object->id = intAttribute(attributes, "id");
        const char* x = attribute(attributes, "x");
        const char* y = attribute(attributes, "y");
        map.object->x = x ? atof(x) : 0;
        map.object->y = y ? atof(y) : 0;
    } else if (name == "properties") {
        map.owner = parent == "map"                    ? &map.properties
                    : parent == "object" && map.object ? &map.object->properties
                                                       : NULL;
    } else if (name == "property" && parent == "properties" && map.owner) {
        const char* propertyName = attribute(attributes, "name");
        const char* value = attribute(attributes, "value");
        map.propertyName = propertyName ? propertyName : "";
        map.propertyHasValue = value != NULL;
        map.propertyText = value ? value : "";
    }
}

void XMLCALL endElement(void* data, const XML_Char*) {
    SavedMap& map = *static_cast<SavedMap*>(data);
    std::string name = map.open.back();
    map.open.pop_back();
    if (name == "property" && map.owner)
        (*map.owner)[map.propertyName] = map.propertyText;
    else if (name == "properties")
        map.owner = NULL;
    else if (name == "object")
        map.object = NULL;
    else if (name == "objectgroup")
        map.group = NULL;
    else if (name == "data")
        map.inTileData = false;
}

void XMLCALL characterData(void* data, const XML_Char* text, int length) {
    SavedMap& map = *static_cast<SavedMap*>(data);
    if (map.inTileData)
        map.csv.append(text, length);
    else if (!map.open.empty() && map.open.back() == "property" && !map.propertyHasValue)
        map.propertyText.append(text, length); // a text of several lines
}

// Parses the file at `path`; false with the parser's complaint in `error`.
bool parseSavedMap(const std::string& path, SavedMap& map, std::string& error) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot be read";
        return false;
    }
    XML_Parser parser = XML_ParserCreate(NULL);
    XML_SetUserData(parser, &map);
    XML_SetElementHandler(parser, startElement, endElement);
    XML_SetCharacterDataHandler(parser, characterData);
    bool ok = true;
    char buffer[65536];
    for (bool last = false; ok && !last;) {
        size_t got = fread(buffer, 1, sizeof buffer, file);
        last = got < sizeof buffer;
        ok = XML_Parse(parser, buffer, (int)got, last) == XML_STATUS_OK;
    }
    if (!ok)
        error = "is not a Tiled map: " + std::string(XML_ErrorString(XML_GetErrorCode(parser))) +
                " on line " + std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    fclose(file);
    return ok;
}

// Judges one saved map and turns it into the floor's values.
class FloorReader {
  public:
    FloorReader(const std::string& file, std::vector<std::string>& refusals)
        : file(file), refusals(refusals), object(NULL), group(NULL) {}

    void read(const SavedMap& map, int n, TiledCampaign& campaign) {
        TiledFloor& floor = campaign.floors[n];
        readLayout(map.properties, "map file", floor.mapLayout);
        readLayout(map.properties, "npc file", floor.npcLayout);
        if (n == 0)
            readLayout(map.properties, "quest file", campaign.questLayout);
        readCells(map, floor);
        group = "characters";
        for (const TiledObject& saved : map.characters)
            floor.npcs.push_back(readCharacter(saved));
        group = "errands";
        for (const TiledObject& saved : map.errands)
            floor.quests.push_back(readErrand(saved, n));
    }

  private:
    std::string file;
    std::vector<std::string>& refusals;
    const TiledObject* object; // the object being read, or NULL for the map itself
    const char* group;

    void refuse(const std::string& reason) {
        std::string where = file + ": ";
        if (object)
            where += "object " + std::to_string(object->id) + " (" + group + "): ";
        refusals.push_back(where + reason);
    }

    const std::string* property(const Properties& properties, const char* name) {
        Properties::const_iterator it = properties.find(name);
        if (it != properties.end())
            return &it->second;
        refuse(std::string("the property \"") + name + "\" is missing");
        return NULL;
    }

    // A number of a record line holding at most `limit` characters.
    int number(const std::string& name, long long value, size_t limit) {
        if (std::to_string(value).size() > limit) {
            refuse("the " + name + " " + std::to_string(value) + " does not fit its line of " +
                   std::to_string(limit) + " characters");
            return 0;
        }
        return (int)value;
    }

    int intProperty(const Properties& properties, const char* name, size_t limit) {
        const std::string* text = property(properties, name);
        if (!text)
            return 0;
        size_t digits = (*text)[0] == '-' ? 1 : 0;
        if (text->size() <= digits || text->size() > digits + 12 ||
            text->find_first_not_of("0123456789", digits) != std::string::npos) {
            refuse(std::string("the ") + name + " \"" + *text + "\" is not a whole number");
            return 0;
        }
        return number(name, atoll(text->c_str()), limit);
    }

    bool boolProperty(const Properties& properties, const char* name) {
        const std::string* text = property(properties, name);
        return text && *text == "true";
    }

    // A text property, from UTF-8 back to the game's one byte per character.
    std::string textProperty(const Properties& properties, const char* name, size_t limit) {
        const std::string* utf8 = property(properties, name);
        std::string text;
        if (!utf8)
            return text;
        for (size_t i = 0; i < utf8->size(); i++) {
            unsigned char c = (*utf8)[i];
            if (c == 0xC2 || c == 0xC3) {
                c = (unsigned char)(((c & 0x03) << 6) | ((*utf8)[++i] & 0x3F));
            } else if (c >= 0x80) {
                refuse(std::string("the ") + name + " holds a letter the game's font cannot draw");
                return "";
            }
            text += (char)c;
        }
        if (text.find('\n') != std::string::npos || (!text.empty() && text.back() == '\r'))
            refuse(std::string("the ") + name + " holds a line break");
        else if (text.size() > limit)
            refuse(std::string("the ") + name + " has " + std::to_string(text.size()) +
                   " characters, at most " + std::to_string(limit) + " fit");
        return text;
    }

    void readLayout(const Properties& properties, const std::string& name, TextLayout& layout) {
        Properties::const_iterator ends = properties.find(name + " line ends");
        Properties::const_iterator last = properties.find(name + " ends with a line end");
        layout = TextLayout();
        if (ends != properties.end() && ends->second != "LF" && ends->second != "CRLF")
            refuse("the property \"" + name + " line ends\" is neither LF nor CRLF");
        layout.crlf = ends != properties.end() && ends->second == "CRLF";
        layout.finalLineEnd = last == properties.end() || last->second == "true";
    }

    void readCells(const SavedMap& map, TiledFloor& floor) {
        std::string size = std::to_string(map.width) + " x " + std::to_string(map.height);
        if (map.infinite || map.width != MAP_SIZE || map.height != MAP_SIZE ||
            map.layerWidth != MAP_SIZE || map.layerHeight != MAP_SIZE)
            return refuse("the map is " + (map.infinite ? "infinite" : size) +
                          ", a floor is 100 x 100 cells");
        if (map.tileLayers != 1)
            return refuse("the map has " + std::to_string(map.tileLayers) +
                          " tile layers, a floor is one");
        if (map.encoding != "csv")
            return refuse("the tile layer is not stored as CSV (Map Properties, Tile Layer "
                          "Format)");
        if (!map.firstGid)
            return refuse("the map does not use the tileset tessary.tsx");
        const char* text = map.csv.c_str();
        int cell = 0, strange = 0, firstStrange = 0;
        for (char* end; *text; text = end) {
            long long gid = strtoll(text, &end, 10);
            if (end == text) {
                end = const_cast<char*>(text) + 1; // a comma or a line end
                continue;
            }
            long long code = gid - map.firstGid;
            if (cell < MAP_SIZE * MAP_SIZE) {
                if ((code < 0 || code >= TILE_COUNT) && strange++ == 0)
                    firstStrange = cell;
                floor.cells[cell / MAP_SIZE][cell % MAP_SIZE] =
                    cellOfTile((int)(code & (TILE_COUNT - 1)));
            }
            cell++;
        }
        if (cell != MAP_SIZE * MAP_SIZE)
            return refuse("the tile layer holds " + std::to_string(cell) +
                          " cells, a floor is 100 x 100");
        if (strange)
            refuse("cell (" + std::to_string(firstStrange % MAP_SIZE) + "," +
                   std::to_string(firstStrange / MAP_SIZE) + ") and " +
                   std::to_string(strange - 1) +
                   " more hold no tile of tessary.tsx: each cell needs one of the eight codes");
    }

    // The cell of the object's position, as a record line of `limit` characters.
    void cellOf(const TiledObject& saved, size_t limit, int& x, int& y) {
        double cellX = std::floor(saved.x / TILED_CELL), cellY = std::floor(saved.y / TILED_CELL);
        bool far = !(std::fabs(cellX) < 1e12 && std::fabs(cellY) < 1e12);
        x = number("column", far ? 1000000000000LL : (long long)cellX, limit);
        y = number("row", far ? 1000000000000LL : (long long)cellY, limit);
    }

    NPC readCharacter(const TiledObject& saved) {
        object = &saved;
        const Properties& p = saved.properties;
        NPC npc;
        npc.hp = intProperty(p, "hit points", NPC_NUMBER_LIMIT);
        npc.maxHp = intProperty(p, "maximum hit points", NPC_NUMBER_LIMIT);
        npc.mp = intProperty(p, "magic points", NPC_NUMBER_LIMIT);
        npc.maxMp = intProperty(p, "maximum magic points", NPC_NUMBER_LIMIT);
        npc.hostile = boolProperty(p, "hostile");
        npc.name = textProperty(p, "name", NPC_TEXT_LIMIT);
        npc.dialogue = textProperty(p, "line", NPC_TEXT_LIMIT);
        cellOf(saved, NPC_NUMBER_LIMIT, npc.posX, npc.posY);
        npc.character = intProperty(p, "character number", NPC_NUMBER_LIMIT);
        if (npc.isNullRecord())
            refuse("a character at (0,0) would end the NPC file");
        object = NULL;
        return npc;
    }

    Quest readErrand(const TiledObject& saved, int n) {
        object = &saved;
        Quest quest;
        quest.floor = n;
        quest.text = textProperty(saved.properties, "text", QUEST_TEXT_LIMIT);
        quest.rewardKey = boolProperty(saved.properties, "key reward");
        cellOf(saved, QUEST_NUMBER_LIMIT, quest.posX, quest.posY);
        if (quest.isNullRecord())
            refuse("an errand to (0,0) would end the quest file");
        object = NULL;
        return quest;
    }
};

} // namespace

bool readTiledFloors(const std::string& inDir, TiledCampaign& campaign,
                     std::vector<std::string>& refusals) {
    size_t before = refusals.size();
    for (int n = 0; n < FLOOR_COUNT; n++) {
        std::string path = tiledFloorPath(inDir, n);
        std::string file = path.substr(path.rfind('/') + 1), error;
        SavedMap saved;
        if (!parseSavedMap(path, saved, error)) {
            refusals.push_back(file + ": " + error);
            continue;
        }
        FloorReader(file, refusals).read(saved, n, campaign);
    }
    return refusals.size() == before;
}
