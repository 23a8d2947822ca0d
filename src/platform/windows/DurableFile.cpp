#include "platform/DurableFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>

namespace orvane::platform {

bool WriteNewFileDurably(const std::filesystem::path& path, std::string_view text) {
  const int fd =
      _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IWRITE);
  if (fd < 0) return false;
  bool written = true;
  while (written && !text.empty()) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(text.size(), INT_MAX));
    const int count = _write(fd, text.data(), chunk);
    written = count > 0;
    if (written) text.remove_prefix(static_cast<std::size_t>(count));
  }
  // _commit flushes the system's buffers of the file to the disk.
  written = written && _commit(fd) == 0;
  const bool closed = _close(fd) == 0;
  if (written && closed) return true;
  _wunlink(path.c_str());
  return false;
}

bool SyncFolder(const std::filesystem::path& folder) {
  // The file system keeps its own journal of renames, so there is no folder flush to ask for:
  // an existing folder is as safe on the disk as it gets.
  std::error_code error;
  return std::filesystem::is_directory(folder, error);
}

}  // namespace orvane::platform
