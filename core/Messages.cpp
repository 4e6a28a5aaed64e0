#include "core/Messages.h"

#include "core/ButtonRecord.h"
#include "core/Text.h"

namespace vornish {

namespace {

std::wstring WithDetails(std::wstring_view headline, std::wstring_view path, std::wstring_view reason,
                         std::wstring_view footer) {
  std::wstring text(headline);
  text += L"\r\n\r\n";
  text += path;
  if (!reason.empty()) {
    text += L"\r\n";
    text += reason;
  }
  if (!footer.empty()) {
    text += L"\r\n\r\n";
    text += footer;
  }
  return text;
}

constexpr std::wstring_view kNotSavedThisRun = L"ﾃﾞｰﾀﾌｧｲﾙを守るため、今回の起動中のﾎﾞﾀﾝの変更は保存されません。";

}  // namespace

std::wstring DataFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path, reason, {});
}

std::wstring DataFileReadFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。", path, reason, kNotSavedThisRun);
}

std::wstring DataFileTooLargeMessage(std::wstring_view path) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙのﾎﾞﾀﾝが多すぎます。最初の" + ToDecimal(static_cast<std::int64_t>(kMaxButtons)) +
                         L"個だけを表示します。",
                     path, {}, kNotSavedThisRun);
}

}  // namespace vornish
