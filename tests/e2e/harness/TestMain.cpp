#include <gtest/gtest.h>

#include <memory>

#include "harness/FailureScreenshots.h"

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  // GoogleTest owns and deletes its listeners.
  testing::UnitTest::GetInstance()->listeners().Append(
      std::make_unique<vornish::e2e::FailureScreenshots>().release());
  return RUN_ALL_TESTS();
}
