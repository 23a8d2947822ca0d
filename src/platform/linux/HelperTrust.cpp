#include "platform/linux/HelperTrust.h"

#include <sys/stat.h>

#include <filesystem>

namespace orvane::platform::linux_backend {

std::string HelperTrustProblem(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path real = fs::canonical(path, error);
  if (error) return "the sharing helper is missing: " + path;
  // pkexec is given this very path; a link or a ".." on it could be re-pointed by its owner
  // between this check and pkexec's own look, so only a path that is its own target is run.
  if (real.string() != path) return "the sharing helper's path is not canonical: " + path;
  struct stat info {};
  if (stat(real.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return "the sharing helper is missing: " + path;
  for (fs::path step = real;; step = step.parent_path()) {
    if (stat(step.c_str(), &info) != 0) return "cannot check " + step.string();
    if (info.st_uid != 0) return step.string() + " does not belong to root";
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
      return step.string() + " can be changed by other users";
    if (step == step.root_path() || step.parent_path() == step) break;
  }
  return {};
}

}  // namespace orvane::platform::linux_backend
