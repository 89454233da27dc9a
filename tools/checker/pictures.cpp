// The game's pictures, loaded by the game's own picture loader from the data
// folder: every one it would refuse (missing, not of the type its name says,
// too large) is reported with what the game then does, in its own words.
#include <sys/stat.h>

#include "checker.h"
#include "core/picture.h"
#include "core/pictures.h"

bool checkPictures(const std::string& dir, Report& report) {
    struct stat info;
    if (stat((dir + "/gfx").c_str(), &info) != 0)
        return false; // the text data alone
    for (const GamePicture& picture : gamePictures()) {
        // The game opens "data/...": the same file of this folder.
        std::string path = dir + picture.path.substr(4);
        SDL_Surface* loaded = loadPicture(path.c_str());
        if (loaded) {
            SDL_FreeSurface(loaded);
            continue;
        }
        std::string ending = picture.ending;
        if (!ending.empty() && ending.back() == '\n')
            ending.pop_back();
        if (ending.empty())
            report.add(path, 0,
                       "the game's picture loader refuses it (missing, not of its type or over "
                       "%d pixels on a side): the game goes on without it",
                       PICTURE_MAX_SIDE);
        else
            report.add(path, 0,
                       "the game's picture loader refuses it (missing, not of its type or over "
                       "%d pixels on a side): the game ends with \"%s\"",
                       PICTURE_MAX_SIDE, ending.c_str());
    }
    return true;
}
