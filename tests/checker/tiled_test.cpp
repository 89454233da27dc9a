// The round trip through Tiled: floors exported and imported again give the
// same files byte for byte, and the import refuses what the files cannot hold.
#include <sys/stat.h>

#include "tiled.h"
#include "tiny.h"

namespace {

// Exports `from` into `to`, or imports it; what the tool says.
std::string run(bool exporting, const std::string& from, const std::string& to) {
    mkdir(to.c_str(), 0777);
    startCapture();
    exporting ? exportTiled(from, from + "/gfx", to, stdout) : importTiled(from, to, stdout);
    return stopCapture();
}

// Windows line ends, no final line end, and names in the font's Latin-1 with
// tabs, a lone carriage return and markup.
TEST_F(CheckerTest, TiledRoundTripGivesTheFilesBackByteForByte) {
    std::string crlf;
    for (char c : npcRecord("Bj\xf6\rrn\t<&>\"", 9, 9, 1, 3, "\xa1Ol\xe9!") + tiny.npcs[1])
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    tiny.npcs[1] = crlf.substr(0, crlf.size() - 2);
    tiny.quests = questRecord("Go up", 12, 12, 2, 1);
    tiny.write(tree);
    EXPECT_EQ(run(true, dir, dir + "/tiled").find("byte for byte"), std::string::npos);
    run(false, dir + "/tiled", dir + "/back");
    for (const char* file : {"map.qor", "map5.qor", "npcs.qor", "npcs1.qor", "quests.qor"})
        EXPECT_EQ(readFile(dir + "/back/" + file), readFile(dir + "/" + file)) << file;
}

TEST_F(CheckerTest, TiledImportRefusesWhatTheFilesCannotHold) {
    tiny.npcs[2] = npcRecord("Bob", 10, 10);
    tiny.write(tree);
    run(true, dir, dir + "/tiled");
    const std::string original = readFile(dir + "/tiled/floor2.tmx");
    const struct {
        std::string from, to, refusal;
    } cases[] = {
        {"<data encoding=\"csv\">\n2,", "<data encoding=\"csv\">\n9,",
         "floor2.tmx: cell (0,0) and 0 more hold no tile of tessary.tsx"},
        {"value=\"Bob\"", "value=\"" + std::string(60, 'b') + "\"",
         "object 1 (characters): the name has 60 characters, at most 59 fit"},
        {"value=\"Bob\"", "value=\"\xc5\x91\"",
         "the name holds a letter the game's font cannot draw"},
    };
    for (const auto& c : cases) {
        std::string edited = original;
        ASSERT_NE(edited.find(c.from), std::string::npos) << c.from;
        tree.write("data/tiled/floor2.tmx",
                   edited.replace(edited.find(c.from), c.from.size(), c.to));
        std::string said = run(false, dir + "/tiled", dir + "/back");
        EXPECT_NE(said.find(c.refusal), std::string::npos) << said;
        EXPECT_NE(said.find("nothing written"), std::string::npos) << said;
        EXPECT_TRUE(readFile(dir + "/back/map.qor").empty()) << c.refusal;
    }
}

} // namespace
