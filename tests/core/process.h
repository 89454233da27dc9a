// Running the real game executable in a folder of a test's choosing, its
// standard output and error kept in files, as a player's shell would start it.
#pragma once

#include <csignal>
#include <string>
#include <sys/types.h>
#include <vector>

struct GameRun {
    bool exited; // ended by exit status (else by a signal)
    int status;  // the exit status, or the signal
    std::string out, err;
};

class GameProcess {
  public:
    // args[0] is the name the program is given.
    GameProcess(const std::string& binary, const std::vector<std::string>& args,
                const std::string& folder, const std::string& outputs);
    ~GameProcess();
    // True once the game catches SIGTERM, which it takes as a quit request.
    bool waitUntilQuitRequestsAreEvents(int timeoutMs);
    // Sends SIGTERM every 200 ms until the game ends: one sent while the
    // screen is still being set up may be lost.
    GameRun askToQuit() { return waitFor(SIGTERM); }
    GameRun wait() { return waitFor(0); }

  private:
    pid_t pid;
    std::string outPath, errPath;
    GameRun waitFor(int repeatedSignal);
};

GameRun runGame(const std::string& binary, const std::vector<std::string>& args,
                const std::string& folder, const std::string& outputs);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void copyExecutable(const std::string& from, const std::string& to);
