// SPDX-License-Identifier: BSD-2-Clause
// The pictures' fonts need a Qt application; one for the whole test program. It also sets
// the C library's locale from the environment, as the replay program's does.
#include <gtest/gtest.h>

#include <memory>

#include "replay/OffscreenGui.h"
#include "support/LocaleRun.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    gui_ = std::make_unique<sattrail::replay::OffscreenGui>();
    sattrail::testing::RequireTheDecimalCommaOfALocaleRun();
  }
  void TearDown() override { gui_.reset(); }

 private:
  std::unique_ptr<sattrail::replay::OffscreenGui> gui_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
