// The pictures' fonts need a Qt application; one for the whole test program.
#include <gtest/gtest.h>

#include <memory>

#include "replay/OffscreenGui.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { gui_ = std::make_unique<sattrail::replay::OffscreenGui>(); }
  void TearDown() override { gui_.reset(); }

 private:
  std::unique_ptr<sattrail::replay::OffscreenGui> gui_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
