// Texts the launcher shows in message boxes. All carry the application's
// title.
#pragma once

#include <string>
#include <string_view>

namespace vornish {

inline constexpr std::wstring_view kAppTitle = L"Vornish";

inline constexpr std::wstring_view kMsgFileNotFound = L"ﾌｧｲﾙが見つかりません。";
inline constexpr std::wstring_view kMsgNotDataFileSuffix = L"のﾃﾞｰﾀﾌｧｲﾙではありません。";

inline std::wstring NotDataFileMessage() { return std::wstring(kAppTitle) + std::wstring(kMsgNotDataFileSuffix); }

// The data file could not be saved at exit; the old file is kept.
std::wstring DataFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason);

// The data file exists but could not be read at start; this run will not
// write it, so nothing in it is lost.
std::wstring DataFileReadFailedMessage(std::wstring_view path, std::wstring_view reason);

// The data file holds more buttons than the launcher can show.
std::wstring DataFileTooLargeMessage(std::wstring_view path);

}  // namespace vornish
