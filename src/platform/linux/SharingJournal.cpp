#include "platform/linux/SharingJournal.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

// A zombie still answers kill(pid, 0) but has already lost its table and its children: what it
// left behind is to be undone now, not once its parent gets round to reaping it.
bool ProcessAlive(int pid) {
  if (pid <= 0 || (kill(pid, 0) != 0 && errno != EPERM)) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  const auto close = text.rfind(')');
  if (close == std::string::npos || close + 2 >= text.size()) return true;  // cannot tell
  const char state = text[close + 2];
  return state != 'Z' && state != 'X';
}

// A journal is a few short lines; anything longer was not written by a helper.
constexpr std::size_t kMaxJournalSize = std::size_t{64} * 1024;

// Root later acts on what this folder holds and dnsmasq writes its leases there, so it must be
// a real directory of ours that nobody else can write to: a planted link or a writable folder
// would let another user steer those writes or forge what the next helper undoes. Others may
// read it (which journals exist is how the program knows a helper must clean up).
bool SecureFolder(const std::string& folder) {
  std::error_code error;
  fs::create_directories(fs::path(folder).parent_path(), error);
  if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool ours = fstat(fd, &info) == 0 && info.st_uid == geteuid() &&
                    ((info.st_mode & 07777) == 0755 || fchmod(fd, 0755) == 0);
  close(fd);
  return ours;
}

bool WriteNewFile(const std::string& path, const std::string& text) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  return close(fd) == 0 && written == text.size();
}

std::string ReadJournalFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return {};
  std::string text;
  char buffer[4096];
  while (text.size() <= kMaxJournalSize) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return text.size() <= kMaxJournalSize ? text : std::string();
}

}  // namespace

std::string JournalText(const JournalEntries& entries) {
  std::ostringstream text;
  for (const auto& entry : entries.forwarding)
    text << "forwarding " << entry.interfaceName << " " << entry.originalValue << "\n";
  for (const auto& entry : entries.addresses)
    text << "address " << entry.interfaceName << " " << entry.cidr << "\n";
  for (const auto& entry : entries.servers)
    text << "dnsmasq " << entry.interfaceName << " " << entry.pid << " " << entry.startTime << "\n";
  for (const auto& entry : entries.virtualInterfaces)
    text << "virtual " << entry.interfaceName << " " << entry.wiphy << "\n";
  return text.str();
}

JournalEntries ParseJournal(const std::string& text) {
  JournalEntries entries;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string kind, name, value;
    if (!(fields >> kind >> name >> value)) continue;
    if (kind == "forwarding") {
      entries.forwarding.push_back({name, value});
    } else if (kind == "address") {
      entries.addresses.push_back({name, value});
    } else if (kind == "dnsmasq") {
      // Without its start time an entry cannot be told from a reused id; it still counts as
      // something to clean up, but never leads to a kill.
      unsigned long long startTime = 0;
      if (!(fields >> startTime)) startTime = 0;
      try {
        entries.servers.push_back({name, std::stoi(value), startTime});
      } catch (const std::exception&) {
      }
    } else if (kind == "virtual") {
      try {
        const unsigned long wiphy = std::stoul(value);
        if (wiphy <= UINT32_MAX)
          entries.virtualInterfaces.push_back({name, static_cast<uint32_t>(wiphy)});
      } catch (const std::exception&) {
      }
    }
  }
  return entries;
}

SharingJournal::SharingJournal(std::string folder, const std::string& namespaceId, int pid)
    : folder_(std::move(folder)),
      prefix_("sharing-" + namespaceId + "-"),
      leasePrefix_("leases-" + namespaceId + "-"),
      pid_(pid) {
  path_ = (fs::path(folder_) / (prefix_ + std::to_string(pid))).string();
}

std::string SharingJournal::LeaseFile(const std::string& interfaceName) const {
  return (fs::path(folder_) / (leasePrefix_ + std::to_string(pid_) + "-" + interfaceName)).string();
}

namespace {

// Lease files are "leases-<namespace id>-<pid>-<interface>"; removes those whose pid passes.
template <typename Select>
void RemoveLeaseFilesOf(const std::string& folder, const std::string& leasePrefix, Select select) {
  std::error_code error;
  // Stepping with an error code: a failed step ends the walk instead of throwing.
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.rfind(leasePrefix, 0) != 0) continue;
    int pid = 0;
    try {
      pid = std::stoi(name.substr(leasePrefix.size()));
    } catch (const std::exception&) {
      continue;
    }
    std::error_code removeError;
    if (select(pid)) fs::remove(entry->path(), removeError);
  }
}

}  // namespace

void SharingJournal::RemoveLeaseFiles() const {
  RemoveLeaseFilesOf(folder_, leasePrefix_, [this](int pid) { return pid == pid_; });
}

void SharingJournal::RemoveOrphanLeaseFiles() const {
  RemoveLeaseFilesOf(folder_, leasePrefix_, [](int pid) { return !ProcessAlive(pid); });
}

bool SharingJournal::Save(const JournalEntries& entries) {
  std::error_code error;
  if (entries.Empty()) {
    fs::remove(path_, error);
    return !error;
  }
  if (!PrepareFolder()) return false;
  const std::string temporary = path_ + ".new";
  fs::remove(temporary, error);
  if (!WriteNewFile(temporary, JournalText(entries))) return false;
  fs::rename(temporary, path_, error);
  return !error;
}

bool SharingJournal::PrepareFolder() const {
  return SecureFolder(folder_);
}

std::vector<std::string> SharingJournal::JournalPaths(bool alive) const {
  std::vector<std::string> paths;
  std::error_code error;
  for (fs::directory_iterator entry(folder_, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.rfind(prefix_, 0) != 0 || name.find('.') != std::string::npos ||
        entry->path().string() == path_) {
      continue;
    }
    int pid = 0;
    try {
      pid = std::stoi(name.substr(prefix_.size()));
    } catch (const std::exception&) {
      continue;
    }
    if (ProcessAlive(pid) == alive) paths.push_back(entry->path().string());
  }
  return paths;
}

std::vector<std::string> SharingJournal::OrphanPaths() const {
  return JournalPaths(false);
}

bool SharingJournal::OtherHelperSharing() const {
  return !JournalPaths(true).empty();
}

std::vector<std::pair<std::string, JournalEntries>> SharingJournal::Orphans() const {
  std::vector<std::pair<std::string, JournalEntries>> orphans;
  for (const std::string& path : OrphanPaths()) {
    orphans.emplace_back(path, ParseJournal(ReadJournalFile(path)));
  }
  return orphans;
}

bool SharingJournal::HasOrphans() const {
  return !OrphanPaths().empty();
}

void SharingJournal::Remove(const std::string& path) {
  std::error_code error;
  fs::remove(path, error);
}

std::string NetworkNamespaceId() {
  struct stat info {};
  if (stat("/proc/self/ns/net", &info) != 0) return "0";
  return std::to_string(info.st_dev) + "_" + std::to_string(info.st_ino);
}

}  // namespace orvane::platform::linux_backend
