#include "process.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

GameProcess::GameProcess(const std::string& binary, const std::vector<std::string>& args,
                         const std::string& folder, const std::string& outputs)
    : outPath(outputs + "/game-stdout.txt"), errPath(outputs + "/game-stderr.txt") {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(NULL);
    fflush(stdout);
    fflush(stderr);
    pid = fork();
    if (pid == 0) { // only calls that are safe between fork and exec
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || chdir(folder.c_str()) != 0)
            _exit(126);
        dup2(out, 1);
        dup2(err, 2);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    EXPECT_GT(pid, 0) << "fork failed";
}

GameProcess::~GameProcess() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
    }
}

bool GameProcess::waitUntilQuitRequestsAreEvents(int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.compare(0, 7, "SigCgt:") == 0 &&
                (strtoull(line.c_str() + 7, NULL, 16) & (1ull << (SIGTERM - 1))))
                return true;
        usleep(10000);
    }
    return false;
}

GameRun GameProcess::waitFor(int repeatedSignal) {
    int status = 0;
    for (int waited = 0;; waited += 10) {
        if (repeatedSignal && waited % 200 == 0)
            kill(pid, repeatedSignal);
        if (waitpid(pid, &status, WNOHANG) == pid)
            break;
        if (waited >= 60000) {
            ADD_FAILURE() << "the game did not end within a minute";
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        usleep(10000);
    }
    pid = -1;
    bool exited = WIFEXITED(status);
    return {exited, exited ? WEXITSTATUS(status) : WTERMSIG(status), readFile(outPath),
            readFile(errPath)};
}

GameRun runGame(const std::string& binary, const std::vector<std::string>& args,
                const std::string& folder, const std::string& outputs) {
    return GameProcess(binary, args, folder, outputs).wait();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

void copyExecutable(const std::string& from, const std::string& to) {
    {
        std::ifstream in(from, std::ios::binary);
        std::ofstream out(to, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
    }
    ASSERT_EQ(chmod(to.c_str(), 0755), 0) << to;
}
