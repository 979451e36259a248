// Programs that tests start (the simulated radio, dpmtool): each dies with the test process
// that started it, so a test that crashes or is killed leaves nothing running, and what it
// prints goes to files of its own that the test shows when it fails.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Starts argv (argv[0] a path) with stdout to outPath and stderr to errPath (the same file
// when equal), stdin from /dev/null. Returns the child's process id, or -1.
inline pid_t StartChild(const std::vector<std::string>& argv, const std::string& outPath,
                        const std::string& errPath) {
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    // The parent may have gone already, before the signal was asked for.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) {
        _exit(127);
    }
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err =
        errPath == outPath ? out : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) {
        _exit(127);
    }
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

// Waits for a child; its exit status, or -1 when it did not exit normally.
inline int WaitChild(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a shell command line to its end as a child of the test; its exit status. The shell
// execs the last program of the line, which keeps the death signal.
inline int RunShellChild(const std::string& command, const std::string& outPath,
                         const std::string& errPath) {
    return WaitChild(StartChild({"/bin/sh", "-c", command}, outPath, errPath));
}
