// Running the real game executable in a folder of a test's choosing, with its
// standard output and error kept in files, as a player's shell would start it.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

struct GameRun {
    bool exited;     // ended by exit status (else by a signal)
    int status;      // the exit status, or the signal
    std::string out; // standard output
    std::string err; // standard error
};

class GameProcess {
  public:
    // Starts `binary` with the argument vector `args` (args[0] is the name the
    // program is given) in `folder`; its output goes to files in `outputs`.
    GameProcess(const std::string& binary, const std::vector<std::string>& args,
                const std::string& folder, const std::string& outputs);
    ~GameProcess();

    // True once SDL has taken over the termination signal, so that a
    // SIGTERM from here on reaches the game as a quit request.
    bool waitUntilQuitRequestsAreEvents(int timeoutMs);
    // Asks the game to quit the way the window system does (SIGTERM, which
    // SDL turns into a quit event), again every 200 ms until it ends: a
    // request that comes while the screen is still being set up may be lost.
    GameRun askToQuit(int timeoutMs = 60000);
    // Waits for the end (killing the game after `timeoutMs`) and collects it.
    GameRun wait(int timeoutMs = 60000);

  private:
    pid_t pid;
    GameRun waitFor(int timeoutMs, int repeatedSignal);
    std::string outPath, errPath;
};

// Runs the game to its end (see GameProcess).
GameRun runGame(const std::string& binary, const std::vector<std::string>& args,
                const std::string& folder, const std::string& outputs);

std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// Copies an executable (keeping it executable).
void copyExecutable(const std::string& from, const std::string& to);
