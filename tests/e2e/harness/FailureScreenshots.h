// Saves the screen when a test fails, before its fixtures close the windows
// that show what went wrong.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

namespace vornish::e2e {

// %VORNISH_E2E_FAILURES% when set, else e2e-failures beside the test program.
std::filesystem::path FailureFolder();

class FailureScreenshots : public testing::EmptyTestEventListener {
 public:
  explicit FailureScreenshots(std::filesystem::path folder = FailureFolder());
  // Runs the moment an assertion fails, still inside the test body, before
  // fixtures and destructors close the windows: the picture shows the state
  // that failed. Only a test's first failure is pictured.
  void OnTestPartResult(const testing::TestPartResult& result) override;
  void OnTestStart(const testing::TestInfo& info) override;

 private:
  std::filesystem::path folder_;
  bool taken_ = false;
};

}  // namespace vornish::e2e
