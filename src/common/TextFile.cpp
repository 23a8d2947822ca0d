#include "TextFile.h"

#include <fstream>
#include <random>
#include <system_error>

#include "platform/DurableFile.h"

namespace orvane {

namespace fs = std::filesystem;

std::optional<std::string> ReadTextFile(const fs::path& path, std::uintmax_t maxBytes) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error || size > maxBytes) return std::nullopt;

  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(size));
  // The file may have shrunk since its size was taken; keep what was really read.
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return text;
}

namespace {

// A name of our own beside the target, so two writers never share a temporary file.
fs::path TemporaryPathFor(const fs::path& path) {
  std::random_device random;
  fs::path temporary = path;
  temporary += "." + std::to_string(random()) + ".tmp";
  return temporary;
}

}  // namespace

bool WriteTextFileAtomically(const fs::path& path, std::string_view text) {
  const fs::path temporary = TemporaryPathFor(path);
  // Only a file this call created is renamed or removed: one already there is not ours.
  if (!platform::WriteNewFileDurably(temporary, text)) return false;
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  // The new name on disk too; the data is safe either way, so a failure here changes nothing.
  platform::SyncFolder(path.parent_path().empty() ? fs::path(".") : path.parent_path());
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace orvane
