// Reading the Tiled maps an author saved back into the campaign's values, and
// refusing, with the floor, the object and the reason, whatever the game's
// files cannot hold. The XML itself is read by expat.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>
#include <expat.h>
#include <map>

#include "output.h"
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
    int characterLayers = 0, errandLayers = 0;
    std::vector<std::string> groups; // names of the group layers, never read into

    // While reading: the open elements, the object layer and the object being
    // read (an index: the layer's list grows while it is read), and whose
    // property is being read.
    enum Owner { NOBODY, THE_MAP, THE_OBJECT };
    std::vector<size_t> open; // where each open element's name starts in `path`
    std::string path;         // the open elements' names, e.g. "map/objectgroup/object"
    std::vector<TiledObject>* group = NULL;
    size_t object = 0;
    Owner owner = NOBODY;
    std::string propertyName, propertyText;
    bool propertyHasValue = false;
    bool inProperty = false; // a property of the map or of an object is open
    bool inTileData = false;

    Properties& ownerProperties() {
        return owner == THE_MAP ? properties : (*group)[object].properties;
    }
};

const char* attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2)
        if (!strcmp(attributes[i], name))
            return attributes[i + 1];
    return NULL;
}

// A whole number of an attribute, within `low` to `high`; 0 when it is
// missing, is no number or lies outside.
long long numberAttribute(const XML_Char** attributes, const char* name, long long low = INT_MIN,
                          long long high = INT_MAX) {
    const char* value = attribute(attributes, name);
    if (!value)
        return 0;
    char* end;
    errno = 0;
    long long number = strtoll(value, &end, 10);
    return end == value || errno == ERANGE || number < low || number > high ? 0 : number;
}

// The elements are read only where Tiled writes them, known by their path
// from the map element: anything nested elsewhere (a layer inside an object's
// properties, say) is passed over.
void XMLCALL startElement(void* data, const XML_Char* element, const XML_Char** attributes) {
    SavedMap& map = *static_cast<SavedMap*>(data);
    map.open.push_back(map.path.size());
    map.path += std::string(map.path.empty() ? "" : "/") + element;
    const std::string& path = map.path;
    if (path == "map") {
        map.width = (int)numberAttribute(attributes, "width");
        map.height = (int)numberAttribute(attributes, "height");
        map.infinite = numberAttribute(attributes, "infinite") != 0;
    } else if (path == "map/tileset") {
        const char* source = attribute(attributes, "source");
        size_t length = source ? strlen(source) : 0;
        if (length >= 11 && !strcmp(source + length - 11, "tessary.tsx"))
            map.firstGid = numberAttribute(attributes, "firstgid", 1, INT_MAX);
    } else if (path == "map/layer") {
        if (map.tileLayers++ == 0) {
            map.layerWidth = (int)numberAttribute(attributes, "width");
            map.layerHeight = (int)numberAttribute(attributes, "height");
        }
    } else if (path == "map/layer/data" && map.tileLayers == 1) {
        const char* encoding = attribute(attributes, "encoding");
        const char* compression = attribute(attributes, "compression");
        map.encoding = encoding && !compression ? encoding : "packed";
        map.inTileData = true;
    } else if (path == "map/group") {
        const char* group = attribute(attributes, "name");
        map.groups.push_back(group ? group : "");
    } else if (path == "map/objectgroup") {
        const char* group = attribute(attributes, "name");
        map.group = NULL;
        if (group && !strcmp(group, "characters")) {
            map.group = &map.characters;
            map.characterLayers++;
        } else if (group && !strcmp(group, "errands")) {
            map.group = &map.errands;
            map.errandLayers++;
        }
    } else if (path == "map/objectgroup/object" && map.group) {
        map.group->push_back(TiledObject());
        map.object = map.group->size() - 1;
        TiledObject& object = map.group->back();
        object.id = (int)numberAttribute(attributes, "id");
        const char* x = attribute(attributes, "x");
        const char* y = attribute(attributes, "y");
        object.x = x ? atof(x) : 0;
        object.y = y ? atof(y) : 0;
    } else if (path == "map/properties") {
        map.owner = SavedMap::THE_MAP;
    } else if (path == "map/objectgroup/object/properties" && map.group) {
        map.owner = SavedMap::THE_OBJECT;
    } else if (map.owner != SavedMap::NOBODY &&
               (path == "map/properties/property" ||
                path == "map/objectgroup/object/properties/property")) {
        const char* propertyName = attribute(attributes, "name");
        const char* value = attribute(attributes, "value");
        map.propertyName = propertyName ? propertyName : "";
        map.propertyHasValue = value != NULL;
        map.propertyText = value ? value : "";
        map.inProperty = true;
    }
}

void XMLCALL endElement(void* data, const XML_Char*) {
    SavedMap& map = *static_cast<SavedMap*>(data);
    const std::string& path = map.path;
    if (map.inProperty && (path == "map/properties/property" ||
                           path == "map/objectgroup/object/properties/property")) {
        map.ownerProperties()[map.propertyName] = map.propertyText;
        map.inProperty = false;
    } else if (path == "map/properties" || path == "map/objectgroup/object/properties") {
        map.owner = SavedMap::NOBODY;
    } else if (path == "map/objectgroup") {
        map.group = NULL;
    } else if (path == "map/layer/data") {
        map.inTileData = false;
    }
    map.path.resize(map.open.back());
    map.open.pop_back();
}

void XMLCALL characterData(void* data, const XML_Char* text, int length) {
    SavedMap& map = *static_cast<SavedMap*>(data);
    if (map.inTileData)
        map.csv.append(text, length);
    else if (map.inProperty && !map.propertyHasValue)
        map.propertyText.append(text, length); // a text of several lines
}

// Parses the file at `path`, opened as the game opens its data files and read
// whole, then parsed in one call: however long one of its tokens, the parser
// goes over it once. False with the complaint in `error`.
bool parseSavedMap(const std::string& path, SavedMap& map, std::string& error) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        error = "cannot be read";
        return false;
    }
    if (bytes.size() > (size_t)INT_MAX) {
        error = "is too large to be a floor";
        return false;
    }
    XML_Parser parser = XML_ParserCreate(NULL);
    XML_SetUserData(parser, &map);
    XML_SetElementHandler(parser, startElement, endElement);
    XML_SetCharacterDataHandler(parser, characterData);
    bool ok = XML_Parse(parser, bytes.data(), (int)bytes.size(), 1) == XML_STATUS_OK;
    if (!ok)
        error = "is not a Tiled map: " + std::string(XML_ErrorString(XML_GetErrorCode(parser))) +
                " on line " + std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
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
        // MEND: a layer left out, renamed or moved into a group would take
        // all of the floor's characters or errands with it.
        for (const std::string& name : map.groups)
            refuse("the layer group \"" + name +
                   "\" is not read: move its layers out of it, to the top of the map");
        readLayerCount("characters", map.characterLayers);
        readLayerCount("errands", map.errandLayers);
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

    void readLayerCount(const char* name, int count) {
        if (count == 0)
            refuse(std::string("the object layer \"") + name +
                   "\" is missing: every floor keeps its layer, even when it is empty");
        else if (count > 1)
            refuse("the map has " + std::to_string(count) + " object layers named \"" + name +
                   "\", a floor has one");
    }

    void readCells(const SavedMap& map, TiledFloor& floor) {
        if (map.infinite || map.width != MAP_SIZE || map.height != MAP_SIZE)
            return refuse(
                "the map is " +
                (map.infinite ? std::string("infinite") : sizeText(map.width, map.height)) +
                ", a floor is 100 x 100 cells");
        if (map.tileLayers == 0)
            return refuse(
                "the map has no tile layer: a floor's cells are its tile layer \"floor\"");
        if (map.tileLayers != 1)
            return refuse("the map has " + std::to_string(map.tileLayers) +
                          " tile layers, a floor is one");
        if (map.layerWidth != MAP_SIZE || map.layerHeight != MAP_SIZE)
            return refuse("the tile layer is " + sizeText(map.layerWidth, map.layerHeight) +
                          ", a floor is 100 x 100 cells");
        if (map.encoding != "csv")
            return refuse("the tile layer is not stored as CSV (Map Properties, Tile Layer "
                          "Format)");
        if (!map.firstGid)
            return refuse("the map does not use the tileset tessary.tsx");
        const char* text = map.csv.c_str();
        int cell = 0, strange = 0, firstStrange = 0;
        for (char* end; *text; text = end) {
            long long gid = strtoll(text, &end, 10); // stops at the ends of long long
            if (end == text) {
                end = const_cast<char*>(text) + 1; // a comma or a line end
                continue;
            }
            // The first gid lies in 1 to INT_MAX, so neither sum can wrap.
            bool known = gid >= map.firstGid && gid < map.firstGid + TILE_COUNT;
            if (cell < MAP_SIZE * MAP_SIZE) {
                if (!known && strange++ == 0)
                    firstStrange = cell;
                floor.cells[cell / MAP_SIZE][cell % MAP_SIZE] =
                    cellOfTile(known ? (int)(gid - map.firstGid) : 0);
            }
            if (cell <= MAP_SIZE * MAP_SIZE)
                cell++;
        }
        if (cell != MAP_SIZE * MAP_SIZE)
            return refuse(
                "the tile layer holds " +
                std::string(cell > MAP_SIZE * MAP_SIZE ? "more than 10000" : std::to_string(cell)) +
                " cells, a floor is 100 x 100");
        if (strange)
            refuse("cell (" + std::to_string(firstStrange % MAP_SIZE) + "," +
                   std::to_string(firstStrange / MAP_SIZE) + ") and " +
                   std::to_string(strange - 1) +
                   " more hold no tile of tessary.tsx: each cell needs one of the eight codes");
    }

    static std::string sizeText(int width, int height) {
        return std::to_string(width) + " x " + std::to_string(height);
    }

    // The cell of the object's position; `who` names it when it is off the map.
    // MEND: a cell off the map used to reach the data files whenever its
    // number fitted the line.
    void cellOf(const TiledObject& saved, const std::string& who, int& x, int& y) {
        double cellX = std::floor(saved.x / TILED_CELL), cellY = std::floor(saved.y / TILED_CELL);
        x = y = 1;
        if (cellX >= 0 && cellX < MAP_SIZE && cellY >= 0 && cellY < MAP_SIZE) {
            x = (int)cellX;
            y = (int)cellY;
            return;
        }
        char where[96];
        snprintf(where, sizeof where, "(%.0f,%.0f)", cellX, cellY);
        refuse(who + " is at " + where + ", off the map: columns and rows are 0 to 99");
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
        cellOf(saved, "the character \"" + npc.name + "\"", npc.posX, npc.posY);
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
        cellOf(saved, "the errand \"" + quest.text + "\"", quest.posX, quest.posY);
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
