// Running part of a test in a forked child: as another user, or under
// limits the test process itself must not take on.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

// A memory limit means nothing to the address sanitizer, which maps its
// shadow memory up front.
#if defined(__SANITIZE_ADDRESS__)
#define LINEARA_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINEARA_UNDER_ASAN 1
#endif
#endif

namespace lineara::test {

// The unprivileged user the tests drop to when they run as root.
constexpr uid_t kNobody = 65534;

// Runs `work` in a forked child and returns the text it returned (a
// description of what went wrong, empty when all was as expected). As root
// the child first becomes kNobody, with no supplementary groups, so that
// file permissions apply to it; otherwise it keeps the current user. A child
// that dies says so in the text.
std::string runInChild(const std::function<std::string()>& work, bool asNobody);

}  // namespace lineara::test
