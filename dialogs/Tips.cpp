#include "dialogs/Tips.h"

#include <algorithm>
#include <array>

#include "core/Text.h"

namespace vornish {

namespace {

struct TipText {
  std::wstring_view first;
  std::wstring_view second;
};

// Their leading spaces are part of them: one ideographic space or two ASCII ones.
constexpr std::array<TipText, kTipCount> kTips = {{
    {L"　ランチャー設定でボタンサイズ、並べかた、色などを変更することができます。",
     L"その外にもいろいろな機能があるので、最初に設定すると便利です。"},
    {L"　エクスプローラなどからファイルをドラッグし、任意のボタンの上でドロップするとアプリケーションをボタンに登録することができます。",
     {}},
    {L"  左クリックしながら任意のボタンをドラッグし、別のボタンのところでドロップするとボタンを入れ替えることができます。", {}},
    {L"  ボタンのロックモードを有効にすると、ドロップされたファイルを各ボタンのアプリケーションから開くことができます。", {}},
    {L"　コントロールバーもしくはランチャーの枠をドラッグするとランチャーを移動することができます。", {}},
    {L"  コントロールバーを左ダブルクリックするとランチャー設定画面で指定されている動作を行います。", {}},
    {L"  タスクトレイを左ダブルクリックするとランチャーを表示します。", {}},
    {L"  ランチャー設定画面の[個別にボタン色を変更]を無効にしている場合、個々のボタンの色は変更できません。", {}},
    {L"  いままでに起動した回数をランキング表示することができます。",
     L"[起動回数を記録する]を無効のときには、ランキング表示はできません。"},
    {L"  設定画面でランチャーの位置を浮動以外に設定するとWindow隅に固定されます。",
     L"その場合、[タスクバーの位置]を正しく設定して下さい。"},
    {L"  [コントロールバーの色]をグラディエーションに設定していると、パフォーマンスが悪化します。",
     L"気になる方は、Windows標準に変更して下さい。"},
    {L"  システムオブジェクトで表示されているボタンは、ボタンメニューからでは削除できません。",
     L"システムオブジェクトで選択を解除して下さい。"},
}};

}  // namespace

std::wstring Tip(int n) {
  if (n < 1 || n > kTipCount) return {};
  const TipText& tip = kTips[static_cast<std::size_t>(n - 1)];
  std::wstring text(tip.first);
  if (!tip.second.empty()) (text += L"\r\n\r\n") += tip.second;
  return text;
}

std::wstring TipNumber(int n) { return ToDecimal(n) + L". "; }

int PageTip(int current, int direction, double random) {
  switch (static_cast<Paging>(direction)) {
    case Paging::Next:
      return current + 1 > kTipCount ? 1 : current + 1;
    case Paging::Previous:
      return current == 1 ? kTipCount : current - 1;
    case Paging::Random:
      // A generator may round up to 1.0 itself: that is the last tip too.
      return std::clamp(static_cast<int>(random * kTipCount), 0, kTipCount - 1) + 1;
  }
  return current;
}

}  // namespace vornish
