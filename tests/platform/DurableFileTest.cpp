#include "platform/DurableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../common/TempFolder.h"

namespace orvane::platform {
namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(DurableFile, WritesANewFileAndRefusesOneAlreadyThere) {
  testing::TempFolder folder;
  const fs::path path = folder.Path() / "new.tmp";
  ASSERT_TRUE(WriteNewFileDurably(path, std::string("a\0b\r\n", 5)));
  EXPECT_EQ(Content(path), std::string("a\0b\r\n", 5));

  // Someone else's file, or a link planted where the temporary file goes, stays untouched.
  EXPECT_FALSE(WriteNewFileDurably(path, "other"));
  EXPECT_EQ(Content(path), std::string("a\0b\r\n", 5));
  // Where the system cannot make a link (Windows without the privilege), nobody can plant one.
  const fs::path link = folder.Path() / "link.tmp";
  std::error_code linkError;
  fs::create_symlink(path, link, linkError);
  if (!linkError) {
    EXPECT_FALSE(WriteNewFileDurably(link, "other"));
    EXPECT_EQ(Content(path), std::string("a\0b\r\n", 5));
  }

  EXPECT_FALSE(WriteNewFileDurably(folder.Path() / "missing" / "x", "text"));
  EXPECT_TRUE(SyncFolder(folder.Path()));
  EXPECT_FALSE(SyncFolder(folder.Path() / "missing"));
}

}  // namespace
}  // namespace orvane::platform
