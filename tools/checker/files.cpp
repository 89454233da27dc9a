// Loading a data folder with the game's own loaders, and telling the author
// what those loaders would do without a word: the map loader keeps old cells
// past a short line, the record loaders cut over-long lines and read nothing
// after them, a record at (0, 0) or with price and modifier 0 ends its file.
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "checker.h"
#include "core/datafile.h"
#include "core/linereader.h"
#include "shop/shop.h"

void Report::add(const std::string& file, int line, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    problems.push_back(Problem{file, line, text});
}

bool Report::mentions(const std::string& words) const {
    for (const Problem& p : problems)
        if (p.text.find(words) != std::string::npos)
            return true;
    return false;
}

void Report::print(FILE* out) const {
    for (const Problem& p : problems) {
        if (p.line > 0)
            fprintf(out, "%s:%d: %s\n", p.file.c_str(), p.line, p.text.c_str());
        else
            fprintf(out, "%s: %s\n", p.file.c_str(), p.text.c_str());
    }
}

namespace {

// A file split into its lines, as bytes, for the line-by-line diagnostics.
struct RawFile {
    bool opened = false;
    std::vector<std::string> lines; // without their line feeds
    std::vector<bool> crlf;         // the line ended with a carriage return and a line feed
    bool endsWithLineFeed = false;
};

RawFile readRaw(const std::string& path) {
    RawFile raw;
    FILE* file = openDataFile(path.c_str());
    if (!file)
        return raw;
    raw.opened = true;
    std::string line;
    int c;
    bool any = false;
    while ((c = getc(file)) != EOF) {
        any = true;
        if (c == '\n') {
            bool cr = !line.empty() && line.back() == '\r';
            if (cr)
                line.pop_back();
            raw.lines.push_back(line);
            raw.crlf.push_back(cr);
            line.clear();
            raw.endsWithLineFeed = true;
        } else {
            line.push_back((char)c);
            raw.endsWithLineFeed = false;
        }
    }
    if (any && !raw.endsWithLineFeed) {
        raw.lines.push_back(line);
        raw.crlf.push_back(false);
    }
    fclose(file);
    return raw;
}

bool isBlank(const std::string& text) {
    for (char c : text)
        if (!isspace((unsigned char)c))
            return false;
    return true;
}

// True when the whole text is a number as atoi reads it, nothing after it.
bool isWholeNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && isspace((unsigned char)text[i]))
        i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        i++;
    size_t digits = i;
    while (i < text.size() && isdigit((unsigned char)text[i]))
        i++;
    return i > digits && i == text.size();
}

void reportCarriageReturns(const RawFile& raw, const std::string& path, Report& report) {
    int count = 0, first = 0;
    for (size_t i = 0; i < raw.crlf.size(); i++)
        if (raw.crlf[i] && count++ == 0)
            first = (int)i + 1;
    if (count)
        report.add(path, first,
                   "carriage return before the line feed on %d line(s) (Windows line ends); "
                   "save the file with plain line feeds",
                   count);
}

// ---- Maps ----

void checkMapLines(const RawFile& raw, const std::string& path, Report& report) {
    reportCarriageReturns(raw, path, report);
    for (int y = 0; y < MAP_SIZE; y++) {
        if (y >= (int)raw.lines.size()) {
            report.add(path, y + 1,
                       "the file ends after %d lines: rows %d to 99 keep the codes of the floor "
                       "before (only their first cell is cleared)",
                       y, y);
            return;
        }
        const std::string& line = raw.lines[y];
        for (size_t x = 0; x < line.size() && x < (size_t)MAP_SIZE; x++) {
            char c = line[x];
            if (tileOf(c) < 0) {
                report.add(path, y + 1,
                           "cell (%zu,%d) has code %d ('%c'), not one of '0' to '7': it is drawn "
                           "as grass and does not block",
                           x, y, (unsigned char)c, isprint((unsigned char)c) ? c : '?');
                break;
            }
        }
        if (line.size() > (size_t)MAP_SIZE) {
            report.add(path, y + 1,
                       "line has %zu codes, 100 expected: reading stops here and rows %d to 99 "
                       "keep the codes of the floor before",
                       line.size(), y + 1);
            return;
        }
        if (line.size() < (size_t)MAP_SIZE)
            report.add(path, y + 1,
                       "line has %zu codes, 100 expected: cell %zu becomes 0 and cells %zu to 99 "
                       "keep the codes of the floor before",
                       line.size(), line.size(), line.size() + 1);
    }
    for (size_t i = MAP_SIZE; i < raw.lines.size(); i++) {
        if (!raw.lines[i].empty()) {
            report.add(path, (int)i + 1, "text after line 100 is never read");
            return;
        }
    }
}

// ---- Record files ----

enum FieldKind { NUMBER, FLAG, TEXT };
struct Field {
    const char* name;
    size_t limit;
    FieldKind kind;
};

// Each record line with the limit the game's loader reads it with.
const Field NPC_FIELDS[] = {
    {"hit points", NPC_NUMBER_LIMIT, NUMBER},
    {"maximum hit points", NPC_NUMBER_LIMIT, NUMBER},
    {"magic points", NPC_NUMBER_LIMIT, NUMBER},
    {"maximum magic points", NPC_NUMBER_LIMIT, NUMBER},
    {"hostile flag", NPC_NUMBER_LIMIT, FLAG},
    {"name", NPC_TEXT_LIMIT, TEXT},
    {"line", NPC_TEXT_LIMIT, TEXT},
    {"column", NPC_NUMBER_LIMIT, NUMBER},
    {"row", NPC_NUMBER_LIMIT, NUMBER},
    {"character number", NPC_NUMBER_LIMIT, NUMBER},
};
const Field QUEST_FIELDS[] = {
    {"target column", QUEST_NUMBER_LIMIT, NUMBER}, {"target row", QUEST_NUMBER_LIMIT, NUMBER},
    {"floor", QUEST_NUMBER_LIMIT, NUMBER},         {"text", QUEST_TEXT_LIMIT, TEXT},
    {"key reward flag", QUEST_FLAG_LIMIT, FLAG},
};
const Field ITEM_FIELDS[] = {
    {"price", ITEM_NUMBER_LIMIT, NUMBER},           {"icon index", ITEM_NUMBER_LIMIT, NUMBER},
    {"weapon modifier", ITEM_NUMBER_LIMIT, NUMBER}, {"name", ITEM_NAME_LIMIT, TEXT},
    {"healing flag", ITEM_FLAG_LIMIT, FLAG},        {"scroll flag", ITEM_FLAG_LIMIT, FLAG},
    {"spell 1 flag", ITEM_FLAG_LIMIT, FLAG},        {"spell 2 flag", ITEM_FLAG_LIMIT, FLAG},
    {"spell 3 flag", ITEM_FLAG_LIMIT, FLAG},        {"spell 4 flag", ITEM_FLAG_LIMIT, FLAG},
    {"spell 5 flag", ITEM_FLAG_LIMIT, FLAG},        {"spell 6 flag", ITEM_FLAG_LIMIT, FLAG},
    {"spell 7 flag", ITEM_FLAG_LIMIT, FLAG},        {"key flag", ITEM_FLAG_LIMIT, FLAG},
    {"mana flag", ITEM_FLAG_LIMIT, FLAG},           {"armour class", ITEM_ARMOUR_LIMIT, NUMBER},
};

// Follows a record file line by line the way LineReader consumes it, reporting
// each line the loader would misread. Returns false once a line is too long:
// from there on the loader reads nothing but empty lines.
bool checkRecordLines(const RawFile& raw, const std::string& path, const Field* fields, int count,
                      int startLine, Report& report) {
    for (int i = 0; i < count; i++) {
        int index = startLine - 1 + i;
        if (index >= (int)raw.lines.size())
            return true;
        const std::string& line = raw.lines[index];
        const Field& field = fields[i];
        if (line.size() > field.limit) {
            report.add(path, index + 1,
                       "the %s has %zu characters, at most %zu fit: it is cut, and every later "
                       "line of the file reads empty",
                       field.name, line.size(), field.limit);
            return false;
        }
        if (field.kind != TEXT && !isWholeNumber(line))
            report.add(path, index + 1, "the %s \"%s\" is not a number: it reads as %d", field.name,
                       line.c_str(), LineReader::toInt(line));
    }
    return true;
}

// After the record that ended the file: whether it ended the file early.
void checkEnding(const RawFile& raw, const std::string& path, int recordLine, int count,
                 bool linesOk, const char* why, Report& report) {
    if (!linesOk)
        return; // the over-long line has been reported; it is what ended the file
    int first = recordLine - 1;
    int available = (int)raw.lines.size() - first;
    if (available > 0 && available < count) {
        report.add(path, recordLine,
                   "the file ends inside this record: its last %d line(s) read empty",
                   count - available);
        return;
    }
    bool hasText = false;
    for (int i = first; i < first + count && i < (int)raw.lines.size(); i++)
        hasText = hasText || !raw.lines[i].empty();
    if (hasText) {
        report.add(path, recordLine, "this record ends the file (%s) and is not loaded", why);
        return;
    }
    for (int i = first + count; i < (int)raw.lines.size(); i++) {
        if (!isBlank(raw.lines[i])) {
            report.add(path, recordLine,
                       "an empty record ends the file here; lines %d to %zu are never read", i + 1,
                       raw.lines.size());
            return;
        }
    }
}

// A record that is cut short by the end of the file without a null record.
void checkLastRecord(const RawFile& raw, const std::string& path, int recordLine, int count,
                     Report& report) {
    int available = (int)raw.lines.size() - (recordLine - 1);
    if (available < count)
        report.add(path, recordLine,
                   "the file ends inside this record: its last %d line(s) read empty",
                   count - available);
}

// A data file the game cannot open: it ends with `gameMessage` (its loader's
// own message, whose line feed the report leaves out).
void reportMissing(const std::string& path, const char* gameMessage, Report& report) {
    std::string text(snprintf(NULL, 0, gameMessage, path.c_str()) + 1, '\0');
    snprintf(&text[0], text.size(), gameMessage, path.c_str());
    text.resize(strlen(text.c_str()));
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    report.add(path, 0, "missing: the game ends with \"%s\"", text.c_str());
}

// Opens a record file twice over: as a stream for the game's own record
// readers, and split into lines for the line-by-line diagnostics. A file that
// cannot be opened is reported with the message the game ends on.
FILE* openRecordFile(const std::string& path, const char* gameMessage, RawFile& raw,
                     Report& report) {
    raw = readRaw(path);
    FILE* file = raw.opened ? openDataFile(path.c_str()) : NULL;
    if (!file) {
        reportMissing(path, gameMessage, report);
        return NULL;
    }
    reportCarriageReturns(raw, path, report);
    return file;
}

// The records of a file as the game's own loader reads them, and whether a
// null record ended the file; NULL when the file cannot be opened.
template <class Record, class List>
bool readWithGameLoader(const std::string& path, const char* gameMessage, RawFile& raw,
                        Report& report, bool (*readFile)(FILE*, List&, FILE*, bool*),
                        std::vector<Record>& records, bool& endedByNull) {
    FILE* file = openRecordFile(path, gameMessage, raw, report);
    if (!file)
        return false;
    List loaded;
    readFile(file, loaded, NULL, &endedByNull);
    fclose(file);
    for (auto* record : loaded) {
        records.push_back(*record);
        delete record;
    }
    return true;
}

// The line-by-line diagnostics of a record file the game's loader has read:
// each record's lines, then how the file ended. `check` reports what is wrong
// with one loaded record, starting at `line`.
template <class Record, class Check>
void checkRecordFile(const RawFile& raw, const std::string& path, const Field* fields, int count,
                     const std::vector<Record>& records, bool endedByNull, const char* why,
                     Report& report, Check check) {
    bool linesOk = true;
    int line = 1;
    for (const Record& record : records) {
        if (linesOk)
            linesOk = checkRecordLines(raw, path, fields, count, line, report);
        check(record, line);
        line += count;
    }
    if (endedByNull) {
        if (linesOk)
            linesOk = checkRecordLines(raw, path, fields, count, line, report);
        checkEnding(raw, path, line, count, linesOk, why, report);
    } else if (!records.empty() && linesOk) {
        checkLastRecord(raw, path, line - count, count, report);
    }
}

void loadNPCFile(const std::string& path, Floor& floor, Report& report) {
    RawFile raw;
    std::vector<NPC> npcs;
    bool endedByNull = false;
    if (!readWithGameLoader(path, NPC_FILE_MISSING, raw, report, NPC::readFile, npcs,
                            endedByNull)) {
        floor.present = false;
        return;
    }
    const int count = sizeof NPC_FIELDS / sizeof NPC_FIELDS[0];
    checkRecordFile(raw, path, NPC_FIELDS, count, npcs, endedByNull, "its position is (0,0)",
                    report, [&](const NPC& npc, int line) {
                        if (npc.character < 0 || npc.character >= CHARACTER_COUNT)
                            report.add(path, line + 9,
                                       "character number %d is outside the sprite table (0 to "
                                       "%d): nothing is drawn for %s",
                                       npc.character, CHARACTER_COUNT - 1, npc.name.c_str());
                        floor.npcs.push_back(PlacedNPC{npc, line});
                    });
}

void loadQuestFile(const std::string& path, Campaign& campaign, Report& report) {
    RawFile raw;
    std::vector<Quest> quests;
    bool endedByNull = false;
    if (!readWithGameLoader(path, QUEST_FILE_MISSING, raw, report, Quest::readFile, quests,
                            endedByNull))
        return;
    const int count = sizeof QUEST_FIELDS / sizeof QUEST_FIELDS[0];
    checkRecordFile(raw, path, QUEST_FIELDS, count, quests, endedByNull, "its target is (0,0)",
                    report, [&](const Quest& quest, int line) {
                        if (quest.floor < 0 || quest.floor >= FLOOR_COUNT)
                            report.add(
                                path, line + 2,
                                "floor %d does not exist (0 to %d): the quest is never given",
                                quest.floor, FLOOR_COUNT - 1);
                        campaign.quests.push_back(PlacedQuest{quest, line});
                    });
}

void loadShopFile(const std::string& path, Campaign& campaign, Report& report) {
    RawFile raw;
    std::vector<Item> items;
    bool endedByNull = false;
    if (!readWithGameLoader(path, SHOP_FILE_MISSING, raw, report, Shop::readFile, items,
                            endedByNull))
        return;
    const int count = sizeof ITEM_FIELDS / sizeof ITEM_FIELDS[0];
    checkRecordFile(
        raw, path, ITEM_FIELDS, count, items, endedByNull, "its price and weapon modifier are 0",
        report, [&](const Item& item, int line) {
            if (item.iconIndex < 0 || item.iconIndex >= ITEM_ICON_COUNT)
                report.add(path, line + 1,
                           "icon index %d is outside the item icons (0 to %d): no icon is drawn "
                           "for %s",
                           item.iconIndex, ITEM_ICON_COUNT - 1, item.name.c_str());
            int spells = 0;
            for (int k = 0; k < SCROLL_SPELLS; k++)
                spells += item.teachesSpell[k];
            if (item.isSpellScroll && spells == 0)
                report.add(path, line + 5, "%s is a scroll that names no spell: it teaches nothing",
                           item.name.c_str());
            if (!item.isSpellScroll && spells > 0)
                report.add(path, line + 5,
                           "%s names a spell but is not a scroll: buying it teaches nothing",
                           item.name.c_str());
            campaign.items.push_back(PlacedItem{item, line});
        });
    if (campaign.items.empty())
        report.add(path, 0,
                   "the shop has no goods: the shop screen only says \"Shop is empty!?!\"");
}

} // namespace

void loadCampaign(const std::string& dir, Campaign& campaign, Report& report) {
    campaign.dir = dir;
    campaign.quests.clear();
    campaign.items.clear();
    campaign.shopFile = dir + "/shopdata.qor";
    campaign.questFile = dir + "/quests.qor";
    loadShopFile(campaign.shopFile, campaign, report);
    loadQuestFile(campaign.questFile, campaign, report);

    // One map object for every floor, as in the game: what a file leaves
    // unread keeps the codes of the floor before.
    Map map;
    for (int n = 0; n < FLOOR_COUNT; n++) {
        Floor& floor = campaign.floors[n];
        std::string suffix = n == 0 ? std::string(".qor") : std::to_string(n) + ".qor";
        floor.mapFile = dir + "/map" + suffix;
        floor.npcFile = dir + "/npcs" + suffix;
        floor.npcs.clear();
        floor.present = true;
        RawFile raw = readRaw(floor.mapFile);
        if (raw.opened) {
            checkMapLines(raw, floor.mapFile, report);
            map.loadMap(floor.mapFile.c_str(), NULL);
        } else {
            reportMissing(floor.mapFile, MAP_MISSING, report);
            floor.present = false;
        }
        memcpy(floor.cells, map.cells, sizeof floor.cells);
        loadNPCFile(floor.npcFile, floor, report);
    }
}
