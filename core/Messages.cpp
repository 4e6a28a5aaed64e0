#include "core/Messages.h"

#include "core/ButtonRecord.h"
#include "core/Text.h"

namespace vornish {

namespace {

// A headline, a blank line, the path and the system's reason, and a footer
// after another blank line.
Message WithDetails(std::wstring_view headline, std::wstring_view path, std::wstring_view reason,
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
  return {text, MessageStyle::Failure};
}

constexpr std::wstring_view kNotSavedThisRun = L"ﾃﾞｰﾀﾌｧｲﾙを守るため、今回の起動中のﾎﾞﾀﾝの変更は保存されません。";

}  // namespace

Message FileNotFoundMessage() { return {L"ﾌｧｲﾙが見つかりません。"}; }

Message NotDataFileMessage() { return {std::wstring(kAppTitle) + L"のﾃﾞｰﾀﾌｧｲﾙではありません。"}; }

Message DataFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path, reason, {});
}

Message EndOfSessionSaveFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"Windowsの終了時にﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path,
                     reason, {});
}

Message DataFileReadFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙを読み込めませんでした。", path, reason, kNotSavedThisRun);
}

Message DataFileTooLargeMessage(std::wstring_view path) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙのﾎﾞﾀﾝが多すぎます。最初の" + ToDecimal(static_cast<std::int64_t>(kMaxButtons)) +
                         L"個だけを表示します。",
                     path, {}, kNotSavedThisRun);
}

Message DataFileNotRecognisedMessage(std::wstring_view path) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙの1行目が[Vornish Ver.1.0]ではありません。", path, {}, kNotSavedThisRun);
}

Message DataFileDamagedMessage(std::wstring_view path) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙに読み取れない文字があります。", path, {}, kNotSavedThisRun);
}

Message DataFileChangedMessage(std::wstring_view path, std::wstring_view kept) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙは起動中に他のﾌﾟﾛｸﾞﾗﾑによって変更されていました。その内容は次のﾌｧｲﾙに残しました。",
                     kept, {}, L"ﾃﾞｰﾀﾌｧｲﾙ: " + std::wstring(path));
}

Message ButtonsNotShownMessage(int count) {
  return {L"ｳｲﾝﾄﾞｳを作れないため、" + ToDecimal(count) +
          L"個のﾎﾞﾀﾝを表示できませんでした。これらのﾎﾞﾀﾝはﾃﾞｰﾀﾌｧｲﾙにそのまま残ります。"};
}

Message CountingOffMessage() { return {L"ランチャー設定画面で[起動回数を記録する]を有効にして下さい。"}; }

Message ClearCountsQuestion() { return {L"いままでの起動回数をクリアますか？", MessageStyle::Question}; }

Message CrashMessage(std::wstring_view reportPath) {
  std::wstring text = L"予期しない問題が起きたため、Vornish を終了します。";
  if (!reportPath.empty()) text += L"\r\n詳しい報告を次のファイルに保存しました。\r\n" + std::wstring(reportPath);
  return {text};
}

Message ClearRankingQuestion() { return {L"ランキングデータをクリアしてもよろしいですか？", MessageStyle::Question}; }

Message ClearRankingAgainQuestion() { return {L"本当にクリアしてもよろしいですか？", MessageStyle::Question}; }

Message HelpFileMissingMessage(std::wstring_view path) {
  return WithDetails(L"ﾍﾙﾌﾟﾌｧｲﾙが見つかりません。", path, {}, {});
}

Message HelpFileNotOpenedMessage(std::wstring_view path) {
  return WithDetails(L"ﾍﾙﾌﾟﾌｧｲﾙを開けませんでした。", path, {}, {});
}

Message NoIconsInFileMessage() { return {L"このﾌｧｲﾙにはｱｲｺﾝがありません。"}; }

Message StartupLinkFailedMessage() { return {L"ｽﾀｰﾄｱｯﾌﾟの登録に失敗しました。"}; }

Message StartupLinkHowToMessage() {
  return {L"VB5STKIT.DLLが見つかりません。\r\nVB5STKIT.DLLを入手し、Windowsｼｽﾃﾑﾃﾞｨﾚｸﾄﾘにｺﾋﾟｰして下さい。",
          MessageStyle::Hint};
}

}  // namespace vornish
