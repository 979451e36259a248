// The other end of a pseudo-terminal, standing in for the radio's side of the cable when a
// test needs replies that the simulated radio does not give.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

struct PtyPeer {
    PtyPeer() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        path = ptsname(master);
        // Keep one open of the slave, as a radio on the line does.
        slave = open(path.c_str(), O_RDWR | O_NOCTTY);
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
    }
    ~PtyPeer() { HangUp(); }
    void HangUp() {
        if (slave >= 0)
            close(slave);
        if (master >= 0)
            close(master);
        slave = master = -1;
    }
    void Send(std::initializer_list<unsigned char> bytes) {
        for (unsigned char b : bytes)
            ASSERT_EQ(write(master, &b, 1), 1);
    }
    // Up to count bytes from the PC, each waited for at most timeoutMs.
    std::string Take(std::size_t count, int timeoutMs = 2000) {
        std::string got;
        char c;
        pollfd pfd{master, POLLIN, 0};
        while (got.size() < count && poll(&pfd, 1, timeoutMs) == 1 && read(master, &c, 1) == 1)
            got += c;
        return got;
    }
    int master = -1;
    int slave = -1;
    std::string path;
};
