#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

/** Runs `body` with every file write limited to `bytes`, as a nearly full disk cuts them (also for root). */
template <typename Body> void withFileSizeLimit(rlim_t bytes, Body body) {
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{bytes, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    body();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
}
