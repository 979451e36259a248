// dpmtool as the tests run it: a child of the test, in the C locale, working in a folder of
// the test with its user data folder there, with what it prints to stdout and stderr kept in files
// of that folder.
#pragma once

#include "ChildProcess.h"
#include "TempDir.h"

#include <string>

struct DpmResult {
    int status = -1;
    std::string out;
    std::string err;
};

class DpmtoolRunner {
public:
    // The built dpmtool, beside the settings and language files the build ships.
    static constexpr const char* kBuilt = DROMEL_BIN_DIR "/dpmtool";

    explicit DpmtoolRunner(const TempDir& folder) : m_folder(folder) {}

    // The shell command that runs program with args (already quoted for the shell).
    static std::string Command(const std::string& args, const std::string& program = kBuilt) {
        return "exec env -u LC_ALL -u LC_MESSAGES LANG=C " + program + " " + args;
    }

    // Starts a shell command line in the folder; returns the shell's process id.
    pid_t StartShell(const std::string& command) const {
        // Backups and the programming history go to the folder, never to the user's own.
        return StartChild({"/bin/sh", "-c",
                           "cd '" + m_folder.path() + "' && export XDG_DATA_HOME='" +
                               m_folder.path() + "/data' && " + command},
                          m_folder.file("stdout.txt"), m_folder.file("stderr.txt"));
    }
    pid_t Start(const std::string& args, const std::string& program = kBuilt) const {
        return StartShell(Command(args, program));
    }

    // Waits for what Start or StartShell started; its exit status and what it printed.
    DpmResult Finish(pid_t pid) const {
        const int status = WaitChild(pid);
        return {status, Out(), Err()};
    }
    DpmResult RunShell(const std::string& command) const { return Finish(StartShell(command)); }
    DpmResult Run(const std::string& args, const std::string& program = kBuilt) const {
        return RunShell(Command(args, program));
    }

    std::string Out() const { return m_folder.read("stdout.txt"); }
    std::string Err() const { return m_folder.read("stderr.txt"); }

private:
    const TempDir& m_folder;
};
