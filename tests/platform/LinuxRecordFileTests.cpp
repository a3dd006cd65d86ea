// SPDX-License-Identifier: BSD-2-Clause
// Record files on Linux: replace and append, and the system's reasons when the folder is gone
// or the disk is full.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/linux/LinuxRecordFile.h"

namespace sattrail {
namespace {

namespace fs = std::filesystem;
using Mode = RecordFiles::Mode;

std::string Contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WriteText(RecordFile& file, const std::string& text) {
  return file.Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(LinuxRecordFile, ReplaceEmptiesAppendAddsAndFailuresSayWhy) {
  char pattern[] = "/tmp/sattrail-record-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path folder = pattern;
  const fs::path path = folder / "session.nmea";
  LinuxRecordFiles files;
  std::string reason;

  const struct {
    Mode mode;
    std::string written;
    std::string contents;
  } cases[] = {{Mode::Replace, "$GPGGA\r\n", "$GPGGA\r\n"},
               {Mode::Append, std::string("\0\xff\r", 3), std::string("$GPGGA\r\n\0\xff\r", 11)},
               {Mode::Replace, "", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents);
    auto file = files.Open(path.string(), c.mode, reason);
    ASSERT_NE(file, nullptr) << reason;
    EXPECT_TRUE(WriteText(*file, c.written));
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(Contents(path), c.contents);
  }

  auto full = files.Open("/dev/full", Mode::Replace, reason);
  ASSERT_NE(full, nullptr) << reason;
  EXPECT_FALSE(WriteText(*full, "$GPGGA\r\n"));
  EXPECT_EQ(full->LastErrorText(), "No space left on device");

  fs::remove_all(folder);
  EXPECT_EQ(files.Open(path.string(), Mode::Append, reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
}  // namespace sattrail
