// Reading values of the system registry, so that the logic that looks things
// up there can be tested without one. The Win32 layer implements it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornish {

enum class RegistryRoot { LocalMachine, CurrentUser };

class RegistryReader {
 public:
  virtual ~RegistryReader() = default;
  // The text of string value `name` of `key`, up to its first null; nothing
  // when the key cannot be opened for reading or holds no such string.
  virtual std::optional<std::wstring> ReadRegistryText(RegistryRoot root, std::wstring_view key,
                                                       std::wstring_view name) const = 0;
};

}  // namespace vornish
