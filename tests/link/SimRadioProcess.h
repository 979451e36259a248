// A simulated radio (radiosim) running on its own pseudo-terminal for the length of a test.
#pragma once

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

class SimRadioProcess {
public:
    explicit SimRadioProcess(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0)
            return;
        args.insert(args.begin(), std::string(DROMEL_BIN_DIR) + "/radiosim");
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            m_path += c;
        close(out[0]);
    }
    ~SimRadioProcess() { Stop(); }
    SimRadioProcess(const SimRadioProcess&) = delete;
    SimRadioProcess& operator=(const SimRadioProcess&) = delete;

    // The slave side of the radio's pseudo-terminal, empty when it did not start.
    const std::string& Path() const { return m_path; }

    // Stops the radio (it saves its memory when asked to) and returns its exit status.
    int Stop() {
        if (m_pid <= 0)
            return m_status;
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return m_status;
    }

private:
    pid_t m_pid = -1;
    int m_status = -1;
    std::string m_path;
};
