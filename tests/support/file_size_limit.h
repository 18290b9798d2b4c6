// Runs part of a test with writes beyond a size failing, as on a disk that
// is full but for a little room: the process's file size limit, with
// SIGXFSZ ignored so that a write past it fails with EFBIG instead of
// ending the process. Both are put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>

namespace wdtest {

inline void withFileSizeLimit(rlim_t bytes, const std::function<void()> &body)
{
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = bytes;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    body();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
}

}  // namespace wdtest
