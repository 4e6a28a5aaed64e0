// Reading values of the system registry, so that the logic that looks things
// up there can be tested without one. The Win32 layer implements it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornish {

enum class RegistryRoot { LocalMachine, CurrentUser };

// How a key is opened. Windows refuses a normal user full access to the
// machine's keys, so whatever only reads asks for reading alone.
enum class RegistryAccess { Read, Full };

class RegistryReader {
 public:
  virtual ~RegistryReader() = default;
  // The text of string value `name` of `key` opened with `access`, up to its
  // first null; nothing when the key does not open that way or holds no such
  // string.
  virtual std::optional<std::wstring> ReadRegistryText(RegistryRoot root, std::wstring_view key,
                                                       std::wstring_view name, RegistryAccess access) const = 0;
};

}  // namespace vornish
