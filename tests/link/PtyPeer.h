// The other end of a pseudo-terminal, standing in for the radio's side of the cable when a
// test needs replies that the simulated radio does not give.
#pragma once

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
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
        if (slave >= 0) {
            close(slave);
        }
        if (master >= 0) {
            close(master);
        }
        slave = master = -1;
    }
    void Send(std::initializer_list<unsigned char> bytes) {
        for (unsigned char b : bytes) {
            ASSERT_EQ(write(master, &b, 1), 1);
        }
    }
    // Up to count bytes from the PC, each waited for at most timeoutMs.
    std::string Take(std::size_t count, int timeoutMs = 2000) {
        std::string got;
        char c;
        pollfd pfd{master, POLLIN, 0};
        while (got.size() < count && poll(&pfd, 1, timeoutMs) == 1 && read(master, &c, 1) == 1) {
            got += c;
        }
        return got;
    }
    // Waits until count bytes sent are waiting on the PC's side: what Send writes reaches it
    // a moment later. False when they have not after 10 s.
    bool AwaitQueued(int count) const {
        for (int i = 0; i < 10000; ++i) {
            int queued = 0;
            if (ioctl(slave, FIONREAD, &queued) == 0 && queued >= count) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
    // Sends byte without pause, as fast as the terminal takes it, until stop is set or limit
    // bytes are out; returns how many went out.
    std::size_t Babble(unsigned char byte, const std::atomic<bool>& stop, std::size_t limit) {
        const std::string chunk(4096, static_cast<char>(byte));
        const int flags = fcntl(master, F_GETFL);
        fcntl(master, F_SETFL, flags | O_NONBLOCK);
        std::size_t sent = 0;
        pollfd pfd{master, POLLOUT, 0};
        while (!stop && sent < limit) {
            if (poll(&pfd, 1, 10) != 1) {
                continue;
            }
            ssize_t n = write(master, chunk.data(), std::min(chunk.size(), limit - sent));
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
            }
        }
        fcntl(master, F_SETFL, flags);
        return sent;
    }
    int master = -1;
    int slave = -1;
    std::string path;
};
