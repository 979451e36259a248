#include "app/StopSignals.h"

#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>

namespace {

// Each stop signal is recorded (the first one counts) and wakes the pipe; when the scope
// ends the earlier actions are back and nothing is left recorded.
TEST(StopSignalsTest, RecordsTheFirstSignalWakesThePipeAndRestoresTheActions) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        ASSERT_NE(std::signal(signal, SIG_IGN), SIG_ERR);
        {
            CStopSignals stops(true);
            ASSERT_TRUE(stops.IsCatching());
            EXPECT_EQ(CStopSignals::Received(), 0);
            pollfd wake{stops.WakeFd(), POLLIN, 0};
            EXPECT_EQ(poll(&wake, 1, 0), 0);
            raise(signal);
            raise(signal == SIGINT ? SIGTERM : SIGINT);
            EXPECT_EQ(CStopSignals::Received(), signal);
            EXPECT_EQ(poll(&wake, 1, 0), 1);
        }
        EXPECT_EQ(CStopSignals::Received(), 0);
        struct sigaction now {};
        ASSERT_EQ(sigaction(signal, nullptr, &now), 0);
        EXPECT_EQ(now.sa_handler, SIG_IGN);
        std::signal(signal, SIG_DFL);
    }
}

} // namespace
