// The receive command of the tavrin tool, run as a program against a pseudo-terminal.
#include <gmock/gmock.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "serial_fixture.h"

using ::testing::HasSubstr;

extern char** environ;

using namespace serial_test;

namespace {

class ReceiveCommandTest : public ReceiveTest {
  protected:
    // Starts the tool with its output in a file; stdin is empty. With `limit` the tool may write
    // files of that many 512-byte blocks at most (a disk that fills up).
    pid_t Start(const std::vector<std::string>& args, int limit = 0) {
        std::string command = "trap '' XFSZ; ";
        if (limit > 0)
            command += "ulimit -f " + std::to_string(limit) + "; ";
        command += "exec '" TAVRIN_EXE "' --config '" + Path("settings.toml") + "' receive";
        for (const auto& a : args) command += " '" + a + "'";
        command += " </dev/null >'" + Path("out.log") + "' 2>&1";
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ),
                  0);
        return pid;
    }
    int Wait(pid_t pid, rusage* usage = nullptr) {
        int status = 0;
        rusage ignored{};
        wait4(pid, &status, 0, usage ? usage : &ignored);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Output() { return tmp.Read(Path("out.log")); }
};

}  // namespace

TEST_F(ReceiveCommandTest, InterruptStopsAndTheReceivedFileIsImported) {
    const termios before = pty.Settings();
    Play(Record({"0010", "ST1", "", "010203", "", "", "1550"}) +
         Record({"2010", "P1", "", "12345", "1234530", "0900000", "1500"}));
    const pid_t pid = Start({"--port", pty.path, "--baud", "153600", "--parity", "even",
                             "--stop-bits", "1", "--flow", "xon", "-o", Path("in.txt"), "--yes",
                             "--import", "--project", Path("p.json")});
    // Ctrl-C a while after the device has sent its bytes acts as the Stop button.
    const auto start = std::chrono::steady_clock::now();
    while (!sent && std::chrono::steady_clock::now() - start < 5s) std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(300ms);
    kill(pid, SIGINT);
    EXPECT_EQ(Wait(pid), 0) << Output();
    EXPECT_THAT(Output(), HasSubstr("Received 2 strings into " + Path("in.txt") + " (stopped)"));
    // The question whether to import is answered by --import, and says so.
    EXPECT_THAT(Output(), HasSubstr("-> yes (--import)"));
    EXPECT_TRUE(SameLine(before, pty.Settings()));
    EXPECT_THAT(tmp.Read(Path("p.json")),
                ::testing::AllOf(HasSubstr("\"ST1\""), HasSubstr("\"P1\"")));
}

TEST_F(ReceiveCommandTest, RefusalsAndBadArguments) {
    // An existing file with neither --new nor --append, and no terminal to ask: nothing starts.
    std::ofstream(Path("in.txt")) << "keep";
    EXPECT_EQ(Wait(Start({"--port", pty.path, "-o", Path("in.txt")})), 1);
    EXPECT_THAT(Output(), HasSubstr("already exists"));
    EXPECT_EQ(tmp.Read(Path("in.txt")), "keep");
    EXPECT_EQ(Wait(Start({"--port", "/nonexistent/ttyS5", "-o", Path("x.txt"), "--yes"})), 1);
    EXPECT_THAT(Output(), HasSubstr("Failed to open"));
    for (const std::string bad :
         {"--baud 1000", "--data-bits 6", "--data-bits 0", "--stop-bits 3", "--parity mark",
          "--flow dsr", "--new --append", "--project p.json"}) {
        const size_t space = bad.find(' ');
        EXPECT_EQ(Wait(Start({bad.substr(0, space), bad.substr(space + 1)})), 2) << bad;
        EXPECT_THAT(Output(), HasSubstr("tavrin: "));
    }
}

TEST_F(ReceiveCommandTest, WhatCameIsKeptAndWhatWasLostIsSaid) {
    const std::string job = Path("job.txt");
    const std::string record = Record({"0010", "ST1", "", "010203", "", "", "1550"});
    // --yes with nothing received (at the lowest rate): the old file is not destroyed.
    std::ofstream(job) << "keep";
    EXPECT_EQ(
        Wait(Start({"--port", pty.path, "-o", job, "--yes", "--timeout", "0.3", "--baud", "300"})),
        1);
    EXPECT_THAT(Output(), HasSubstr("Nothing was received; " + job + " is left as it was"));
    EXPECT_EQ(tmp.Read(job), "keep");

    // The cable is pulled after two records: what came is kept, the end is said, no spinning.
    Play(record + record);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = Start({"--port", pty.path, "-o", job, "--yes"});
    while (!sent && std::chrono::steady_clock::now() - start < 5s) std::this_thread::sleep_for(5ms);
    std::this_thread::sleep_for(200ms);
    close(pty.master);
    pty.master = -1;
    rusage usage{};
    EXPECT_EQ(Wait(pid, &usage), 1) << Output();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_LT(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec, 2);
    EXPECT_THAT(Output(), HasSubstr("the port was lost after 2 lines"));
    EXPECT_EQ(tmp.Read(job), record + "\r\n" + record + "\r\n");
}

TEST_F(ReceiveCommandTest, AFullDiskEndsTheReceiveAndSaysWhatWasSaved) {
    const std::string job = Path("full.txt");
    std::string many, expected;
    for (int i = 0; i < 80; ++i) {
        const std::string r = Record({"2010", "P" + std::to_string(i), "", "1", "1"});
        many += r;
        expected += r + "\r\n";
    }
    Play(many);
    // Four blocks: the file fills up after 2 or 4 kB, whichever block size the shell counts in.
    const pid_t pid = Start({"--port", pty.path, "-o", job, "--yes", "--timeout", "1"}, 4);
    EXPECT_EQ(Wait(pid), 1) << Output();
    const std::string out = Output();
    EXPECT_THAT(out, HasSubstr("write error"));
    const size_t at = out.find(" bytes were saved in " + job);
    ASSERT_NE(at, std::string::npos) << out;
    const size_t saved = std::stoul(out.substr(out.rfind('\n', at) + 1));
    EXPECT_TRUE(saved == 2048 || saved == 4096) << out;
    EXPECT_EQ(tmp.Read(job), expected.substr(0, saved));
}
