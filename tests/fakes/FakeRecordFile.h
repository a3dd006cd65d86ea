// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/RecordFile.h"

namespace sattrail::testing {

// What the fake file system holds and records, shared with the files it hands out.
struct FakeFileSystem {
  struct Opened {
    std::string path;
    RecordFiles::Mode mode;
  };
  std::vector<Opened> opens;
  std::string contents;             // of the one file the tests record to
  std::vector<std::size_t> writes;  // the size of each write
  int closes = 0;
  std::string failOpen;   // a reason: the next opens fail with it
  std::string failWrite;  // a reason: writes fail with it (the disk is full)
  std::string failClose;
};

class FakeRecordFile : public RecordFile {
 public:
  explicit FakeRecordFile(std::shared_ptr<FakeFileSystem> files) : files_(std::move(files)) {}
  bool Write(const std::uint8_t* bytes, std::size_t count) override {
    if (!files_->failWrite.empty()) return Fail(files_->failWrite);
    files_->contents.append(reinterpret_cast<const char*>(bytes), count);
    files_->writes.push_back(count);
    return true;
  }
  bool Close() override {
    ++files_->closes;
    return files_->failClose.empty() || Fail(files_->failClose);
  }
  std::string LastErrorText() const override { return error_; }

 private:
  bool Fail(const std::string& reason) {
    error_ = reason;
    return false;
  }
  std::shared_ptr<FakeFileSystem> files_;
  std::string error_;
};

class FakeRecordFiles : public RecordFiles {
 public:
  std::unique_ptr<RecordFile> Open(const std::string& path, Mode mode,
                                   std::string& reason) override {
    system->opens.push_back({path, mode});
    if (!system->failOpen.empty()) {
      reason = system->failOpen;
      return nullptr;
    }
    if (mode == Mode::Replace) system->contents.clear();
    return std::make_unique<FakeRecordFile>(system);
  }
  std::shared_ptr<FakeFileSystem> system = std::make_shared<FakeFileSystem>();
};

}  // namespace sattrail::testing
