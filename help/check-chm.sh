#!/bin/sh
# Reads the compiled help back: a page for every window and menu of the
# launcher, the contents and the keyword index (in code page 932, every entry
# pointing at a page of the file, a few keywords present), and the title.
#
#   check-chm.sh CHMLS ICONV VRN.chm
set -eu
chmls=$1
iconv=$2
chm=$3

fail() {
  echo "check-chm: $*" >&2
  exit 1
}

[ -s "$chm" ] || fail "$chm is missing or empty"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$chmls" -n list "$chm" >"$tmp/list" 2>/dev/null || fail "chmls cannot list $chm"
for file in VRN.hhc VRN.hhk index.html \
  mainwindow.html controlbar.html launch.html dragdrop.html docking.html tray.html \
  buttonmenu.html helpmenu.html controlmenu.html traymenu.html \
  buttonset.html settings.html settings-button.html settings-sysobj.html settings-other.html \
  ranking.html tips.html about.html sysobjects.html files.html datafile.html startup.html \
  keyboard.html messages.html; do
  grep -qx "/$file" "$tmp/list" || fail "$chm holds no /$file"
done

# The help window names the index; without it a viewer may show no index tab.
grep -qx '/#WINDOWS' "$tmp/list" || fail "$chm defines no help window"

# chmls parses the contents and the index out of the file: it must find every
# entry, in code page 932, each pointing at a page of the file.
for sitemap in hhc:toc hhk:index; do
  ext=${sitemap%%:*}
  what=${sitemap#*:}
  "$chmls" extract "$chm" "/VRN.$ext" "$tmp/raw.$ext" >/dev/null 2>&1 || fail "cannot extract /VRN.$ext"
  "$chmls" "extract$what" "$chm" "$tmp/read.$ext" >/dev/null 2>&1 || fail "chmls cannot read the $what"
  "$iconv" -f CP932 -t UTF-8 "$tmp/read.$ext" >"$tmp/VRN.$ext" 2>/dev/null || fail "the $what is not in code page 932"
  [ "$(grep -c 'name="Name"' "$tmp/VRN.$ext")" -eq "$(grep -o 'name="Name"' "$tmp/raw.$ext" | wc -l)" ] ||
    fail "chmls reads only part of the $what"
  sed -n 's/.*<param name="Local" value="\([^"]*\)".*/\1/p' "$tmp/VRN.$ext" >"$tmp/locals"
  [ -s "$tmp/locals" ] || fail "the $what points at no page"
  while read -r page; do
    grep -qx "/$page" "$tmp/list" || fail "the $what points at $page, which is not in the file"
  done <"$tmp/locals"
done

for title in ボタン設定 ランチャー設定 起動ランキング ﾜﾝﾎﾟｲﾝﾄ ﾊﾞｰｼﾞｮﾝ情報 ｺﾝﾄﾛｰﾙﾒﾆｭｰ; do
  grep -q "<param name=\"Name\" value=\"$title\">" "$tmp/VRN.hhc" || fail "the contents lack $title"
done
for keyword in VRN.dat ボタン設定 ランチャー設定 起動ランキング ﾜﾝﾎﾟｲﾝﾄ タスクトレイ システムオブジェクト スタートアップ; do
  grep -q "<param name=\"Name\" value=\"$keyword\">" "$tmp/VRN.hhk" || fail "the index lacks $keyword"
done

# The title, in code page 932, and the Japanese language (0x411) in #SYSTEM.
"$chmls" extract "$chm" /#SYSTEM "$tmp/system" >/dev/null 2>&1 || fail "cannot extract /#SYSTEM"
title=$(printf 'Vornish ヘルプ' | "$iconv" -f UTF-8 -t CP932)
LC_ALL=C grep -aqF "$title" "$tmp/system" || fail "the title is not \"Vornish ヘルプ\" in code page 932"
od -An -tx1 -v "$tmp/system" | tr -d ' \n' | grep -q '040024001104' || fail "the language is not Japanese (0x411)"
echo "check-chm: $chm is complete"
