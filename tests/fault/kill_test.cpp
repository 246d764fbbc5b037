// Kills a process that keeps replacing a data file, at random moments: the file must always be
// one whole version, never a mix, never empty, never missing.
#include "core/io/files.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using corvane::test::readFile;
using corvane::test::TempDir;

std::string content(char fill, std::size_t bytes)
{
    std::string text;
    while (text.size() + 26 <= bytes)
        text += std::string("20020105 1 2 3 4 5 6 ") + fill + fill + "\r\n";
    return text;
}

struct KillRun
{
    int kills = 0;
    int whole = 0;
};

KillRun killWhileWriting(const std::string& mode, std::size_t bytes, int times)
{
    TempDir dir;
    const std::string path = dir.file("ca649.txt");
    const std::string a = content('a', bytes);
    const std::string b = content('b', bytes);
    corvane::core::writeFileAtomically(path, b);
    std::mt19937 random(20261209);
    KillRun run;
    for (int i = 0; i < times; ++i) {
        int ready[2];
        if (pipe(ready) != 0)
            break;
        const pid_t child = fork();
        if (child == 0) {
            dup2(ready[1], STDOUT_FILENO);
            execl(ATOMIC_WRITER, ATOMIC_WRITER, path.c_str(), std::to_string(bytes).c_str(),
                mode.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        char word[8];
        const bool started = read(ready[0], word, sizeof word) > 0;
        close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (!started || !WIFSIGNALED(status))
            continue;
        ++run.kills;
        const std::string now = readFile(path);
        if (now == a || now == b)
            ++run.whole;
        else
            ADD_FAILURE() << "kill " << i << " left " << now.size() << " bytes of neither version";
    }
    // The writer's temporary files may stay behind a kill, never in place of the file.
    return run;
}

TEST(KillWhileWriting, theDataFileIsAlwaysOneWholeVersion)
{
    // An update stores no more than the program opens; a save may write more.
    const struct
    {
        const char* mode;
        std::size_t bytes;
    } runs[] = {{"save", 4 << 20}, {"update", 1000000}};
    for (const auto& [mode, bytes] : runs) {
        const KillRun run = killWhileWriting(mode, bytes, 100);
        EXPECT_EQ(run.kills, 100) << mode;
        EXPECT_EQ(run.whole, run.kills) << mode;
    }
}

} // namespace
