#include "core/Messages.h"

#include "core/ButtonRecord.h"
#include "core/FileSystem.h"
#include "core/Text.h"

namespace vornish {

namespace {

// A headline, a blank line, the path (when there is one) and the reason, and a footer
// after another blank line.
Message WithDetails(std::wstring_view headline, std::wstring_view path, std::wstring_view reason,
                    std::wstring_view footer) {
  std::wstring text(headline);
  if (!path.empty()) {
    text += L"\r\n\r\n";
    text += path;
  }
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

std::wstring FileProblemText(FileProblem problem, std::uint32_t code) {
  switch (problem) {
    case FileProblem::NotFound:
      return L"ﾌｧｲﾙが見つかりません。";
    case FileProblem::PathNotFound:
      return L"ﾌｫﾙﾀﾞが見つかりません。";
    case FileProblem::AccessDenied:
      return L"ｱｸｾｽが拒否されました。ﾌｧｲﾙが読み取り専用になっているか、使う権限がありません。";
    case FileProblem::SharingViolation:
      return L"ほかのﾌﾟﾛｸﾞﾗﾑがﾌｧｲﾙを使用中です。";
    case FileProblem::DiskFull:
      return L"ﾃﾞｨｽｸの空き容量が足りません。";
    case FileProblem::TooLarge:
      return L"ﾌｧｲﾙが大きすぎます。読み込めるのは" +
             ToDecimal(static_cast<std::int64_t>(kMaxReadableFile / (1024 * 1024))) + L"MBまでです。";
    case FileProblem::WriteProtected:
      return L"ﾃﾞｨｽｸが書き込み禁止になっています。";
    case FileProblem::Other:
      break;
  }
  std::wstring text = L"予期しないｴﾗｰが起きました。";
  if (code != 0) text += L"(ｴﾗｰ番号 " + ToDecimal(code) + L")";
  return text;
}

Message FileNotFoundMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾌｧｲﾙが見つかりません。", path, reason, {});
}

Message NotDataFileMessage(std::wstring_view path) {
  return WithDetails(std::wstring(kAppTitle) + L"のﾃﾞｰﾀﾌｧｲﾙではありません。", path, {}, {});
}

Message DataFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path, reason, {});
}

Message DataFileRunSaveFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"ﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path, reason,
                     L"次にﾎﾞﾀﾝを変更したときと終了するときに、もう一度保存します。");
}

Message EndOfSessionSaveFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"Windowsの終了時にﾃﾞｰﾀﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path,
                     reason, {});
}

Message SettingsFileWriteFailedMessage(std::wstring_view path, std::wstring_view reason) {
  return WithDetails(L"設定ﾌｧｲﾙを保存できませんでした。以前の内容はそのまま残っています。", path, reason, {});
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

Message ButtonsBeyondLongestWindowMessage(int shown, int total) {
  return {L"ﾎﾞﾀﾝの列がｳｲﾝﾄﾞｳの長さの上限を超えるため、" + ToDecimal(total) + L"個のﾎﾞﾀﾝのうち最初の" +
          ToDecimal(shown) + L"個だけを表示します。表示されないﾎﾞﾀﾝもﾃﾞｰﾀﾌｧｲﾙにそのまま残ります。"};
}

Message TargetMissingMessage(std::wstring_view path) {
  return WithDetails(L"ﾎﾞﾀﾝに登録されたﾌｧｲﾙが見つかりません。移動したか、削除された可能性があります。", path, {},
                     L"ﾌｧｲﾙを元の場所に戻すか、今の場所のﾌｧｲﾙをﾎﾞﾀﾝにﾄﾞﾛｯﾌﾟして登録し直して下さい。");
}

Message CountingOffMessage() { return {L"ランチャー設定画面で[起動回数を記録する]を有効にして下さい。"}; }

Message ClearCountsQuestion() { return {L"いままでの起動回数をクリアますか？", MessageStyle::Question}; }

Message CrashMessage(std::wstring_view reportPath) {
  std::wstring text = L"前回、予期しない問題が起きたため、Vornish を終了しました。";
  if (!reportPath.empty()) text += L"\r\n詳しい報告を次のファイルに保存しました。\r\n" + std::wstring(reportPath);
  return {text};
}

Message SkippedFileMessage(std::wstring_view file, std::wstring_view reportPath) {
  std::wstring footer = L"ｱｲｺﾝを選び直すか、ﾌｧｲﾙをﾎﾞﾀﾝにﾄﾞﾛｯﾌﾟし直すと、また読み込みます。";
  if (!reportPath.empty()) footer += L"\r\n詳しい報告: " + std::wstring(reportPath);
  return WithDetails(L"前回、次のﾌｧｲﾙを読み込んでいる途中で予期しない問題が起きたため、Vornish を終了しました。"
                     L"このﾌｧｲﾙは読み込まず、ﾎﾞﾀﾝにはｱｲｺﾝを表示しません。",
                     file, {}, footer);
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
