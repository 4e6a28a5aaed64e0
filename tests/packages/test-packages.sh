#!/usr/bin/env bash
# The installer and the portable zip under Wine, one flow as a user meets
# them; run by ctest inside tools/test.sh's Wine session:
#   - vornish.exe and the installer carry the project's one version number;
#   - the portable zip holds exactly the files README.md lists; its launcher
#     runs in a folder of its own and writes nothing there but VRN.dat, and
#     its settings go to the Vornish.ini beside it, none to the registry;
#   - a silent install puts the program, the Start-menu shortcut and the
#     installed-apps entry in place (no Vornish.ini); the installed launcher starts, and the
#     button a dropped file made outlives it in VRN.dat beside it;
#   - installing again over a running launcher closes it politely: it saves
#     its buttons, and VRN.dat stays as it wrote it, byte for byte; /STARTUP
#     makes the start-up shortcut the launcher itself makes;
#   - a silent uninstall removes the program, the shortcuts and the entry and
#     keeps VRN.dat and the settings.
# It removes whatever it installed, also when it fails, so that the other
# tests of the prefix meet none of it.
#
#   test-packages.sh DIST_DIR BIN_DIR VERSION WINDRES README
set -euo pipefail
dist=$1 bin=$2 version=$3 windres=$4 readme=$5
: "${WINEPREFIX:?run inside the Wine session of tools/test.sh}"

setup="$dist/vornish-$version-setup.exe"
zip="$dist/vornish-$version-portable.zip"
window="$bin/vornish-window.exe"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornish'
settings_key='HKCU\Software\VB and VBA Program Settings\Vornish'

expect() {  # expect WHAT COMMAND...: the command must succeed
  local what=$1
  shift
  if ! "$@"; then
    echo "FAIL: $what" >&2
    exit 1
  fi
}
same() { [ "$1" = "$2" ] || { echo "  got:      [$1]" >&2; echo "  expected: [$2]" >&2; return 1; }; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
wine_quiet() { wine "$@" </dev/null >/dev/null 2>&1; }
# The text `wine reg query` prints (in code page 932) for a key.
reg_query() {
  local text
  text=$(wine reg query "$1" 2>/dev/null) || return 1
  iconv -f cp932 -t utf-8 <<<"$text" | tr -d '\r'
}
no_key() { ! wine_quiet reg query "$1"; }
value_of() { sed -n "s/^    $1    REG_[A-Z_]*    //p" <<<"$2"; }
# Linux path of a Windows path on a drive of the prefix, and the other way.
unix_path() {
  local drive=${1:0:1} rest=${1:2}
  echo "$WINEPREFIX/dosdevices/${drive,,}:${rest//\\//}"
}
windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

# Target, working folder, arguments and show command of a shortcut (.lnk).
shortcut() {
  perl -e '
    local $/; open my $f, "<:raw", $ARGV[0] or die "$ARGV[0]: $!\n"; my $d = <$f>;
    my ($flags, $show) = (unpack("V", substr($d, 0x14, 4)), unpack("V", substr($d, 0x3C, 4)));
    my $at = 0x4C;
    $at += 2 + unpack("v", substr($d, $at, 2)) if $flags & 1;           # item id list
    my $target = "";
    if ($flags & 2) {                                                   # link info
      my ($size, undef, $info, undef, $base, undef, $suffix) = unpack("V7", substr($d, $at, 28));
      $target = unpack("Z*", substr($d, $at + $base)) . unpack("Z*", substr($d, $at + $suffix)) if $info & 1;
      $at += $size;
    }
    my %text;
    for my $bit (2 .. 6) {            # name, relative path, working folder, arguments, icon
      next unless $flags & (1 << $bit);
      my $n = unpack("v", substr($d, $at, 2));
      ($text{$bit} = pack("U*", unpack("v*", substr($d, $at + 2, 2 * $n)))) =~ s/\0+$//;  # UTF-16
      $at += 2 + 2 * $n;
    }
    print join("|", $target, $text{4} // "", $text{5} // "", $show), "\n";
  ' "$1"
}

# The launcher's data file: its header and one line per button, each field
# followed by ESC; a dropped file's button holds its name, path and folder.
data_file() { printf '[Vornish Ver.1.0]\r\n'; }
dropped_button() {
  local file=$1
  printf '%s\033' "${file##*\\}" "$file" "${file%\\*}\\" "" 1 "" 0 0 -2147483633 0 0
  printf '\r\n'
}

folders=$(reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders')
instw="$(value_of 'Local AppData' "$folders")\\Programs\\Vornish"
inst=$(unix_path "$instw")
menu_link="$(unix_path "$(value_of Programs "$folders")")/Vornish.lnk"
startup_link="$(unix_path "$(value_of StartUp "$folders")")/Vornish.lnk"
expect "the prefix's folders are known" test -d "$(dirname "$menu_link")" -a -n "$instw"
work=$(mktemp -d "$TMPDIR/vornish-packages.XXXXXX")
launchers=()

cleanup() {
  local running=()
  for pid in "${launchers[@]}"; do kill -0 "$pid" 2>/dev/null && running+=("$pid"); done
  if [ ${#running[@]} -gt 0 ]; then
    wine_quiet "$window" close 5000 || true
    for pid in "${running[@]}"; do
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -KILL "$pid" 2>/dev/null || true
    done
  fi
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[-%s]\r\n\r\n[-%s]\r\n' \
    "${uninstall_key/HKCU/HKEY_CURRENT_USER}" "${settings_key/HKCU/HKEY_CURRENT_USER}" \
    | iconv -f utf-8 -t utf-16 >"$work/remove.reg"
  wine_quiet regedit /S "$(windows_path "$work/remove.reg")" || true
  # The uninstaller's copy of itself in %TEMP% too.
  rm -rf "$inst" "$menu_link" "$startup_link" "$work" "$WINEPREFIX"/drive_c/users/*/Temp/~nsu*.tmp
}
trap cleanup EXIT
cleanup  # what an interrupted run left
mkdir -p "$work"

# Starts a launcher (a Windows path keeps the installed one recognisable)
# and waits for its main window; once more when Wine, under load, did not
# start the process at all.
start_launcher() {
  local attempt
  for attempt in 1 2; do
    wine "$1" </dev/null >/dev/null 2>&1 &
    launcher=$!
    launchers+=("$launcher")
    if wine_quiet "$window" wait 20000; then return 0; fi
    kill -0 "$launcher" 2>/dev/null && break
  done
  expect "$1 shows its main window" false
}
# The launcher's exit status, once it ended by itself, in $status.
wait_for_launcher() {
  for _ in $(seq 100); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.1; done
  status=timeout
  if ! kill -0 "$launcher" 2>/dev/null; then
    status=0
    wait "$launcher" || status=$?
  fi
}

echo "== version $version"
resources=$("$windres" -i "$bin/vornish.exe" -O rc)
numbers="${version//./, }, 0"
expect "FILEVERSION of vornish.exe" grep -q "^ FILEVERSION $numbers\$" <<<"$resources"
expect "PRODUCTVERSION of vornish.exe" grep -q "^ PRODUCTVERSION $numbers\$" <<<"$resources"
expect "FileVersion of vornish.exe" grep -q "VALUE \"FileVersion\", \"$version.0\"" <<<"$resources"
expect "ProductVersion of vornish.exe" grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources"
expect "the manifest's version" grep -aq "name=\"Vornish.Launcher\" version=\"$version.0\"" "$bin/vornish.exe"
expect "PRODUCTVERSION of the installer" grep -q "^ PRODUCTVERSION $numbers\$" <<<"$("$windres" -i "$setup" -O rc)"

echo "== portable zip"
# README.md's list, less the help file when this build made none.
listed=$(sed -n '/<!-- portable zip -->/,/^$/p' "$readme" | sed -n 's/^- `\([^`]*\)`.*/\1/p')
[ -e "$bin/VRN.chm" ] || listed=$(grep -vx VRN.chm <<<"$listed")
expect "README.md lists the zip's files" test -n "$listed"
expect "the zip holds what README.md lists" same "$(unzip -Z1 "$zip" | sort)" "$(sort <<<"$listed")"
unzip -q "$zip" -d "$work/portable"
expect "the zip's vornish.exe is the one built" cmp -s "$work/portable/vornish.exe" "$bin/vornish.exe"
start_launcher "$(windows_path "$work/portable/vornish.exe")"
expect "the portable launcher closes" wine_quiet "$window" close 10000
wait_for_launcher
expect "the portable launcher ends cleanly" same "$status" 0
expect "it wrote only VRN.dat beside itself" same "$(ls -A "$work/portable" | sort)" "$(sort <<<"$listed"$'\n'VRN.dat)"
expect "and kept its settings in Vornish.ini, not in the registry" no_key "$settings_key"
expect "and no start-up shortcut" test ! -e "$startup_link"
rm -rf "$work/portable"

echo "== silent install"
started=$(now_ms)
expect "setup /S succeeds" wine_quiet "$setup" /S
install_ms=$(($(now_ms) - started))
expect "vornish.exe installed" cmp -s "$inst/vornish.exe" "$bin/vornish.exe"
expect "the uninstaller installed" test -f "$inst/uninstall.exe"
if [ -e "$bin/VRN.chm" ]; then
  expect "the help file installed beside it" cmp -s "$inst/VRN.chm" "$bin/VRN.chm"
fi
expect "no VRN.dat shipped" test ! -e "$inst/VRN.dat"
expect "no Vornish.ini: the installed copy keeps its settings in the registry" test ! -e "$inst/Vornish.ini"
expect "the Start-menu shortcut starts it" \
  same "$(shortcut "$menu_link")" "$instw\\vornish.exe|$instw||1"
expect "no start-up shortcut unless asked" test ! -e "$startup_link"
entry=$(reg_query "$uninstall_key")
for pair in "DisplayName=Vornish" "DisplayVersion=$version" "Publisher=Vornish" "InstallLocation=$instw" \
  "DisplayIcon=$instw\\vornish.exe,0" "UninstallString=\"$instw\\uninstall.exe\"" \
  "QuietUninstallString=\"$instw\\uninstall.exe\" /S" "NoModify=0x1" "NoRepair=0x1"; do
  expect "the installed-apps entry's ${pair%%=*}" same "$(value_of "${pair%%=*}" "$entry")" "${pair#*=}"
done
size_kb=$(($(value_of EstimatedSize "$entry")))
expect "EstimatedSize covers the program" test "$size_kb" -ge $(($(stat -c %s "$bin/vornish.exe") / 1024))

printf 'a' >"$work/alpha.txt"
printf 'b' >"$work/beta.txt"
alpha=$(windows_path "$work/alpha.txt")
beta=$(windows_path "$work/beta.txt")
start_launcher "$instw\\vornish.exe"
expect "a dropped file makes a button" wine_quiet "$window" drop 0 "$alpha"
expect "the installed launcher closes" wine_quiet "$window" close 10000
wait_for_launcher
expect "the installed launcher ends cleanly" same "$status" 0
expect "VRN.dat beside the installed program holds the button" \
  same "$(od -c "$inst/VRN.dat")" "$(od -c <(data_file; dropped_button "$alpha"))"

echo "== install again over a running launcher"
start_launcher "$instw\\vornish.exe"
expect "a second drop replaces the button" wine_quiet "$window" drop 0 "$beta"
expect "setup /S /STARTUP succeeds" wine_quiet "$setup" /S /STARTUP
wait_for_launcher
expect "the running launcher was closed, not killed" same "$status" 0
expect "it saved its buttons, and VRN.dat is kept byte for byte" \
  same "$(od -c "$inst/VRN.dat")" "$(od -c <(data_file; dropped_button "$beta"))"
expect "its settings are kept" wine_quiet reg query "$settings_key\\Set"
expect "the start-up shortcut is the launcher's own" \
  same "$(shortcut "$startup_link")" "$instw\\vornish.exe|$instw||1"

echo "== silent uninstall"
quiet=$(value_of QuietUninstallString "$entry")
uninstaller=${quiet#\"}
uninstaller=${uninstaller%%\"*}
started=$(now_ms)
# The uninstaller runs on from a copy in %TEMP%: it is done once it removed
# itself, its last step but the empty folder.
expect "the quiet uninstall starts" wine_quiet "$uninstaller" ${quiet##*\" }
for _ in $(seq 200); do [ -e "$inst/uninstall.exe" ] || break; sleep 0.1; done
uninstall_ms=$(($(now_ms) - started))
expect "the program is removed" test ! -e "$inst/vornish.exe" -a ! -e "$inst/uninstall.exe" -a ! -e "$inst/VRN.chm"
expect "the Start-menu shortcut is removed" test ! -e "$menu_link"
expect "the start-up shortcut is removed" test ! -e "$startup_link"
expect "the installed-apps entry is removed" no_key "$uninstall_key"
expect "VRN.dat is kept" same "$(od -c "$inst/VRN.dat")" "$(od -c <(data_file; dropped_button "$beta"))"
expect "the settings are kept" wine_quiet reg query "$settings_key\\Set"

echo "vornish.exe $(stat -c %s "$bin/vornish.exe") bytes, installer $(stat -c %s "$setup") bytes," \
  "zip $(stat -c %s "$zip") bytes; silent install ${install_ms} ms, silent uninstall ${uninstall_ms} ms"
echo "PASS"
