#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "RunUnprivileged.h"

namespace orvane::testing {
namespace {

namespace fs = std::filesystem;

// The unprivileged account the permission tests fall back to when run as root.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;
// The exit codes of the child that runs them.
constexpr int kChildPassed = 0;
constexpr int kChildFailed = 1;
constexpr int kChildCannotDrop = 77;

}  // namespace

// Root ignores file permissions, so as root the folder and everything in it is handed to the
// nobody account and `body` runs in a child process that has given up root for it; the child's
// failures print as usual and fail the calling test.
void RunAsOwnerWithoutPrivileges(const TempFolder& folder, const std::function<void()>& body) {
  if (geteuid() != 0) {
    body();
    return;
  }
  for (const auto& entry : fs::recursive_directory_iterator(folder.Path())) {
    ASSERT_EQ(chown(entry.path().c_str(), kNobody, kNoGroup), 0) << std::strerror(errno);
  }
  ASSERT_EQ(chown(folder.Path().c_str(), kNobody, kNoGroup), 0) << std::strerror(errno);

  std::fflush(stdout);  // or the child prints what is buffered a second time
  std::fflush(stderr);
  const pid_t child = fork();
  ASSERT_NE(child, -1) << std::strerror(errno);
  if (child == 0) {
    alarm(60);  // a child that hangs dies, so the wait below ends
    if (setgroups(0, nullptr) != 0 || setresgid(kNoGroup, kNoGroup, kNoGroup) != 0 ||
        setresuid(kNobody, kNobody, kNobody) != 0) {
      std::printf("cannot give up root: %s\n", std::strerror(errno));
      std::fflush(stdout);
      _exit(kChildCannotDrop);
    }
    if (setresuid(0, 0, 0) == 0) {
      std::printf("root could be taken back\n");
      _exit(kChildFailed);
    }
    if (access(folder.Path().c_str(), R_OK | W_OK | X_OK) != 0) {
      std::printf("the nobody account cannot reach %s: %s\n", folder.Path().c_str(),
                  std::strerror(errno));
      _exit(kChildFailed);
    }
    body();
    std::fflush(stdout);
    // _exit: the copies of the parent's objects (the folder among them) must not be destroyed.
    _exit(::testing::Test::HasFailure() ? kChildFailed : kChildPassed);
  }

  int status = 0;
  pid_t waited;
  do {
    waited = waitpid(child, &status, 0);
  } while (waited == -1 && errno == EINTR);
  ASSERT_EQ(waited, child) << std::strerror(errno);
  ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged child died by signal "
                                 << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  if (WEXITSTATUS(status) == kChildCannotDrop) {
    GTEST_SKIP() << "running as root without the right to become another user";
  }
  EXPECT_EQ(WEXITSTATUS(status), kChildPassed) << "the unprivileged child failed; see above";
}

}  // namespace orvane::testing
