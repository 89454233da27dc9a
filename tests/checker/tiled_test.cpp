// The round trip through Tiled: floors exported and imported again give the
// same files byte for byte, and the import names what the files cannot hold.
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "tiled.h"
#include "tiny.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> roundTripFiles() {
    std::vector<std::string> files = {"quests.qor"};
    for (int n = 0; n < FLOOR_COUNT; n++) {
        files.push_back(mapFilePath("", n).substr(1));
        files.push_back(npcFilePath("", n).substr(1));
    }
    return files;
}

// Runs export (or import) and returns what it said.
std::string run(bool exporting, const std::string& from, const std::string& to) {
    char* text = NULL;
    size_t size = 0;
    FILE* messages = open_memstream(&text, &size);
    if (exporting)
        exportTiled(from, from + "/gfx", to, messages);
    else
        importTiled(from, to, messages);
    fclose(messages);
    std::string said(text, size);
    free(text);
    return said;
}

TEST_F(CheckerTest, TiledRoundTripGivesTheFilesBackByteForByte) {
    struct {
        const char* what;
        std::string (*change)(const std::string& file, const std::string& bytes);
    } cases[] = {
        {"the shipped campaign", [](const std::string&, const std::string& b) { return b; }},
        {"Windows line ends, no final line end",
         [](const std::string&, const std::string& b) {
             std::string crlf;
             for (char c : b)
                 crlf += c == '\n' ? "\r\n" : std::string(1, c);
             return crlf.substr(0, crlf.size() - 2);
         }},
        {"names in the font's Latin-1, with tabs and markup",
         [](const std::string& file, const std::string& b) {
             return file == "npcs.qor"
                        ? npcRecord(20, true, "Bj\xf6rn\t<&>\"", "\xa1Ol\xe9!", 9, 9, 3)
                        : b;
         }},
    };
    int k = 0;
    for (const auto& c : cases) {
        std::string data = dir + "/data" + std::to_string(k),
                    back = dir + "/back" + std::to_string(k);
        std::string tiled = dir + "/tiled" + std::to_string(k++);
        mkdir(data.c_str(), 0777);
        mkdir(back.c_str(), 0777);
        for (const std::string& file : roundTripFiles())
            writeFile(data + "/" + file, c.change(file, readFile(TESSARY_CAMPAIGN "/" + file)));
        std::string said = run(true, data, tiled);
        EXPECT_EQ(said.find("byte for byte"), std::string::npos) << c.what << ": " << said;
        run(false, tiled, back);
        for (const std::string& file : roundTripFiles())
            EXPECT_EQ(readFile(back + "/" + file), readFile(data + "/" + file))
                << c.what << ": " << file;
    }
}

TEST_F(CheckerTest, TiledImportRefusesWhatTheFilesCannotHold) {
    tiny.npcs[2] = npcRecord(20, false, "Bob", "Hi.", 10, 10, 3);
    tiny.quests = questRecord(12, 12, 2, "Go up", false);
    tiny.write(dir);
    run(true, dir, dir + "/tiled");
    const std::string original = readFile(dir + "/tiled/floor2.tmx");
    struct {
        const char* from;
        std::string to;
        const char* refusal;
    } cases[] = {
        {"<data encoding=\"csv\">\n2,", "<data encoding=\"csv\">\n9,",
         "floor2.tmx: cell (0,0) and 0 more hold no tile of tessary.tsx"},
        {"width=\"100\" height=\"100\" tilewidth", "width=\"99\" height=\"100\" tilewidth",
         "floor2.tmx: the map is 99 x 100, a floor is 100 x 100 cells"},
        {"value=\"Bob\"", "value=\"" + std::string(60, 'b') + "\"",
         "floor2.tmx: object 1 (characters): the name has 60 characters, at most 59 fit"},
        {"value=\"Go up\"", "value=\"" + std::string(40, 'g') + "\"",
         "floor2.tmx: object 2 (errands): the text has 40 characters, at most 39 fit"},
        {"value=\"Bob\"",
         "value=\"B\xc5\x91"
         "b\"",
         "floor2.tmx: object 1 (characters): the name holds a letter the game's font cannot draw"},
        {"x=\"504\" y=\"504\"", "x=\"47\" y=\"0\"",
         "floor2.tmx: object 1 (characters): a character at (0,0) would end the NPC file"},
        {"name=\"hit points\" type=\"int\" value=\"20\"",
         "name=\"hit points\" type=\"int\" value=\"1000\"",
         "floor2.tmx: object 1 (characters): the hit points 1000 does not fit its line of 3"},
    };
    for (const auto& c : cases) {
        std::string edited = original;
        ASSERT_NE(edited.find(c.from), std::string::npos) << c.from;
        writeFile(dir + "/tiled/floor2.tmx",
                  edited.replace(edited.find(c.from), strlen(c.from), c.to));
        mkdir((dir + "/back").c_str(), 0777);
        std::string said = run(false, dir + "/tiled", dir + "/back");
        EXPECT_NE(said.find(c.refusal), std::string::npos) << said;
        EXPECT_NE(said.find("nothing written"), std::string::npos) << said;
        EXPECT_TRUE(readFile(dir + "/back/map.qor").empty()) << c.refusal;
    }
}

} // namespace
