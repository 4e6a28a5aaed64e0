#include "harness/FailureScreenshots.h"

#include <cstdlib>
#include <iostream>

#include "harness/Files.h"
#include "harness/Pixels.h"
#include "harness/Process.h"

namespace vornish::e2e {

std::filesystem::path FailureFolder() {
  if (const wchar_t* folder = _wgetenv(L"VORNISH_E2E_FAILURES"); folder != nullptr && *folder != L'\0') {
    return folder;
  }
  return ProgramFolder() / L"e2e-failures";
}

FailureScreenshots::FailureScreenshots(std::filesystem::path folder) : folder_(std::move(folder)) {}

void FailureScreenshots::OnTestStart(const testing::TestInfo&) { taken_ = false; }

void FailureScreenshots::OnTestPartResult(const testing::TestPartResult& result) {
  if (!result.failed() || taken_) return;
  taken_ = true;
  const auto file = folder_ / (CurrentTestName() + L".bmp");
  try {
    SaveScreenshot(file);
    std::cout << "[ screenshot ] " << file.string() << std::endl;
  } catch (const std::exception& error) {
    std::cout << "[ screenshot ] not saved: " << error.what() << std::endl;
  }
}

}  // namespace vornish::e2e
