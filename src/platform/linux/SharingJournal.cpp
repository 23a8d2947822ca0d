#include "platform/linux/SharingJournal.h"

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvane::platform::linux_backend {
namespace {

namespace fs = std::filesystem;

bool ProcessAlive(int pid) {
  return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

}  // namespace

std::string JournalText(const JournalEntries& entries) {
  std::ostringstream text;
  for (const auto& entry : entries.forwarding)
    text << "forwarding " << entry.interfaceName << " " << entry.originalValue << "\n";
  for (const auto& entry : entries.addresses)
    text << "address " << entry.interfaceName << " " << entry.cidr << "\n";
  for (const auto& entry : entries.servers)
    text << "dnsmasq " << entry.interfaceName << " " << entry.pid << "\n";
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
      try {
        entries.servers.push_back({name, std::stoi(value)});
      } catch (const std::exception&) {
      }
    }
  }
  return entries;
}

SharingJournal::SharingJournal(std::string folder, std::string namespaceId, int pid)
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
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(leasePrefix, 0) != 0) continue;
    int pid = 0;
    try {
      pid = std::stoi(name.substr(leasePrefix.size()));
    } catch (const std::exception&) {
      continue;
    }
    std::error_code removeError;
    if (select(pid)) fs::remove(entry.path(), removeError);
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
  fs::create_directories(folder_, error);
  // Others may read which journals exist and what they hold (interface names and settings).
  fs::permissions(folder_,
                  fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec,
                  error);
  const std::string temporary = path_ + ".new";
  {
    std::ofstream file(temporary, std::ios::trunc);
    file << JournalText(entries);
    file.flush();
    if (!file) return false;
  }
  fs::rename(temporary, path_, error);
  return !error;
}

std::vector<std::string> SharingJournal::OrphanPaths() const {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder_, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix_, 0) != 0 || name.find('.') != std::string::npos ||
        entry.path().string() == path_) {
      continue;
    }
    int pid = 0;
    try {
      pid = std::stoi(name.substr(prefix_.size()));
    } catch (const std::exception&) {
      continue;
    }
    if (!ProcessAlive(pid)) paths.push_back(entry.path().string());
  }
  return paths;
}

std::vector<std::pair<std::string, JournalEntries>> SharingJournal::Orphans() const {
  std::vector<std::pair<std::string, JournalEntries>> orphans;
  for (const std::string& path : OrphanPaths()) {
    std::ifstream file(path);
    std::string text(std::istreambuf_iterator<char>(file), {});
    orphans.emplace_back(path, ParseJournal(text));
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
