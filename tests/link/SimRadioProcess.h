// A simulated radio (radiosim) running on its own pseudo-terminal for the length of a test.
// It dies with the test process; what it prints goes to a log file of its own, shown when
// the test has failed.
#pragma once

#include "ChildProcess.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

class SimRadioProcess {
public:
    explicit SimRadioProcess(std::vector<std::string> args) {
        char name[] = "/tmp/radiosim-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) {
            return;
        }
        close(fd);
        m_log = name;
        args.insert(args.begin(), std::string(DROMEL_BIN_DIR) + "/radiosim");
        m_pid = StartChild(args, m_log, m_log);
        // The first line of its output names the terminal.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m_pid > 0 && std::chrono::steady_clock::now() < giveUp) {
            const std::string log = Log();
            const std::size_t end = log.find('\n');
            if (end != std::string::npos) {
                m_path = log.substr(0, end);
                break;
            }
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    ~SimRadioProcess() {
        Stop();
        if (::testing::Test::HasFailure()) {
            std::cerr << "--- radiosim log " << m_log << " ---\n" << Log() << "--- end ---\n";
        }
        if (!m_log.empty()) {
            std::remove(m_log.c_str());
        }
    }
    SimRadioProcess(const SimRadioProcess&) = delete;
    SimRadioProcess& operator=(const SimRadioProcess&) = delete;

    // The slave side of the radio's pseudo-terminal, empty when it did not start.
    const std::string& Path() const { return m_path; }
    pid_t Pid() const { return m_pid; }

    // Everything the radio printed so far.
    std::string Log() const {
        std::ifstream in(m_log);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Stops the radio (it saves its memory when asked to) and returns its exit status.
    int Stop() {
        if (m_pid <= 0) {
            return m_status;
        }
        kill(m_pid, SIGTERM);
        m_status = WaitChild(m_pid);
        m_pid = -1;
        return m_status;
    }

private:
    pid_t m_pid = -1;
    int m_status = -1;
    std::string m_path;
    std::string m_log;
};
