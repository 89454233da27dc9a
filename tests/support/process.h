// Running the real game executable as a player's shell would start it: under
// a name of the test's choosing, in a folder of its choosing, its standard
// output and error kept.
#pragma once

#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "support/datatree.h"

struct GameRun {
    int status; // the exit status, or 128 + the signal that ended it
    std::string out, err;
};

// `shell` runs before the game starts (to unset variables, say).
inline GameRun runGame(const std::string& folder, const std::string& name = "tessary",
                       const std::string& args = "", const std::string& shell = "",
                       const std::string& binary = TESSARY_BINARY) {
    std::string outputs = folder + "/.game-";
    std::string command = "cd '" + folder + "' && " + shell + " exec -a '" + name + "' '" + binary +
                          "' " + args + " > " + outputs + "out 2> " + outputs + "err";
    // A game that hangs is killed after a minute.
    int status = system(("timeout -s KILL 60 bash -c \"" + command + "\"").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            readFile(outputs + "out"), readFile(outputs + "err")};
}
