// The round trip through Tiled: floors exported and imported again give the
// same files byte for byte, and the import refuses what the files cannot hold.
#include <sys/stat.h>

#include "tiled.h"
#include "tiny.h"

namespace {

using TiledTest = CheckerTest;

// Exports `from` into `to`, or imports it; what the tool says.
std::string run(bool exporting, const std::string& from, const std::string& to) {
    mkdir(to.c_str(), 0777);
    startCapture();
    if (exporting)
        exportTiled(from, from + "/gfx", to, stdout);
    else
        importTiled(from, to, stdout);
    return stopCapture();
}

// Windows line ends, no final line end, and names in the font's Latin-1 with
// tabs, a lone carriage return and markup.
TEST_F(TiledTest, RoundTripGivesTheFilesBackByteForByte) {
    std::string records = npcRecord("Bj\xf6\rrn\t<&>\"", 9, 9, 1, 3, "\xa1Ol\xe9!") + tiny.npcs[1];
    records.pop_back(); // no final line end
    std::string crlf;
    for (char c : records)
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    tiny.npcs[1] = crlf;
    tiny.quests = questRecord("Go up", 12, 12, 2, 1);
    tiny.write(tree);
    EXPECT_EQ(run(true, dir, dir + "/tiled").find("byte for byte"), std::string::npos)
        << "the export warns of no file it cannot give back byte for byte";
    run(false, dir + "/tiled", dir + "/back");
    for (const char* file : {"map.qor", "map5.qor", "npcs.qor", "npcs1.qor", "quests.qor"})
        EXPECT_EQ(readFile(dir + "/back/" + file), readFile(dir + "/" + file)) << file;
}

// An errand whose target lies far off the map is exported where it lies (its
// position in pixels is past the int range) and named as one the import
// will refuse.
TEST_F(TiledTest, ExportNamesAnErrandOffTheMapAsRefused) {
    tiny.quests = questRecord("Far away", 999999999, 5, 1);
    tiny.write(tree);
    std::string said = run(true, dir, dir + "/tiled");
    EXPECT_NE(said.find("the import will refuse floor1.tmx: object 2 (errands): the errand \"Far "
                        "away\" is at (999999999,5), off the map"),
              std::string::npos)
        << said;
    EXPECT_NE(readFile(dir + "/tiled/floor1.tmx").find("x=\"47999999976\""), std::string::npos)
        << "the errand is exported where it lies";
}

// `text` with its first `from` made `to`; the test fails when there is none.
std::string edited(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Each map edited one way: what the import says, and whether it wrote the files.
TEST_F(TiledTest, ImportRefusesWhatTheFilesCannotHoldAndDropsNothing) {
    tiny.npcs[2] = npcRecord("Bob", 10, 10);
    tiny.write(tree);
    run(true, dir, dir + "/tiled");
    const std::string original = readFile(dir + "/tiled/floor2.tmx");
    const std::string layer = original.substr(
        original.find(" <layer"), original.find("</layer>\n") + 9 - original.find(" <layer"));
    const std::string characters = "<objectgroup id=\"2\" name=\"characters\">";
    const struct {
        std::string from;
        std::string to;
        std::string said;
    } cases[] = {
        {"<data encoding=\"csv\">\n2,", "<data encoding=\"csv\">\n9,",
         "floor2.tmx: cell (0,0) and 0 more hold no tile of tessary.tsx"},
        {"<data encoding=\"csv\">\n2,", "<data encoding=\"csv\">\n-9223372036854775808,",
         "floor2.tmx: cell (0,0) and 0 more hold no tile of tessary.tsx"},
        {"firstgid=\"1\"", "firstgid=\"99999999999\"",
         "floor2.tmx: the map does not use the tileset tessary.tsx"},
        {"value=\"Bob\"", "value=\"" + std::string(60, 'b') + "\"",
         "object 1 (characters): the name has 60 characters, at most 59 fit"},
        {"value=\"Bob\"", "value=\"\xc5\x91\"",
         "the name holds a letter the game's font cannot draw"},
        {layer, "", "floor2.tmx: the map has no tile layer: a floor's cells are its tile layer"},
        {characters, "<objectgroup id=\"2\" name=\"people\">",
         "floor2.tmx: the object layer \"characters\" is missing"},
        {"name=\"errands\"", "name=\"jobs\"",
         "floor2.tmx: the object layer \"errands\" is missing"},
        {characters,
         "<group id=\"9\" name=\"people\">\n" + characters +
             "</objectgroup></group>\n<objectgroup name=\"old\">",
         "floor2.tmx: the layer group \"people\" is not read: move its layers out of it"},
        {"<object id=\"1\" x=\"504\"", "<object id=\"1\" x=\"4824\"",
         "floor2.tmx: object 1 (characters): the character \"Bob\" is at (100,10), off the map: "
         "columns and rows are 0 to 99"},
        {"<object id=\"1\" x=\"504\"", "<object id=\"1\" x=\"-1\"",
         "the character \"Bob\" is at (-1,10), off the map"},
        // An object layer inside a character's properties, whose object once
        // moved the list of characters while one of them was being read.
        {"<property name=\"name\" value=\"Bob\"/>",
         "<objectgroup name=\"characters\"><object id=\"7\"/></objectgroup>\n"
         "<property name=\"name\" value=\"Bob\"/>",
         "6 floors imported"},
    };
    int n = 0;
    for (const auto& c : cases) {
        tree.write("data/tiled/floor2.tmx", edited(original, c.from, c.to));
        std::string back = dir + "/back" + std::to_string(n++);
        std::string said = run(false, dir + "/tiled", back);
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        bool imported = c.said == "6 floors imported";
        EXPECT_EQ(said.find("nothing written") == std::string::npos, imported) << said;
        EXPECT_EQ(readFile(back + "/npcs2.qor"), imported ? readFile(dir + "/npcs2.qor") : "")
            << c.said;
    }
}

} // namespace
