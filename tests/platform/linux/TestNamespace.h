#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace orvane::test {

// Why this machine cannot run the namespace tests ("" when it can): they need root and
// network namespaces.
std::string NamespaceSkipReason();

// A network namespace of the test's own, deleted with every process in it when the object goes,
// also when the test fails.
class TestNamespace {
 public:
  explicit TestNamespace(const std::string& role);
  ~TestNamespace();
  TestNamespace(const TestNamespace&) = delete;
  TestNamespace& operator=(const TestNamespace&) = delete;

  const std::string& Name() const { return name_; }
  // Runs a shell command inside the namespace; answers its exit status.
  int Run(const std::string& command) const;
  // Its standard output (trailing newline dropped).
  std::string Output(const std::string& command) const;
  // Starts a command in the background inside the namespace.
  void Spawn(const std::string& command);
  // Processes inside the namespace whose command name is comm.
  std::vector<pid_t> Processes(const std::string& comm) const;

 private:
  std::string name_;
};

// Moves the calling thread into the namespace's network only (sockets and routes, not sysfs);
// false when it cannot.
bool EnterNetwork(const TestNamespace& space);

// Moves the calling thread into a namespace, with a private mount of sysfs that shows the
// namespace's interfaces, and back out again on destruction.
class NamespaceEntry {
 public:
  explicit NamespaceEntry(const TestNamespace& space);
  ~NamespaceEntry();
  NamespaceEntry(const NamespaceEntry&) = delete;
  NamespaceEntry& operator=(const NamespaceEntry&) = delete;

 private:
  // Returns to the namespaces the thread had before and closes their handles.
  void Restore();

  int originalNet_ = -1;
  int originalMount_ = -1;
};

// Runs a shell command on the host; answers its exit status.
int Shell(const std::string& command);

// A temporary folder, removed with its content; made in `base` when given, else in the system's
// temporary folder.
class TempFolder {
 public:
  explicit TempFolder(const std::string& base = "");
  ~TempFolder();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace orvane::test

#define SKIP_WITHOUT_NAMESPACES()                                                    \
  do {                                                                               \
    if (std::string reason = ::orvane::test::NamespaceSkipReason(); !reason.empty()) \
      GTEST_SKIP() << reason;                                                        \
  } while (false)
