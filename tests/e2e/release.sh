#!/usr/bin/env bash
# The release files under Wine. The portable zip's tavilo.exe starts; a
# silent install over that running copy closes it and puts every file, the
# shortcut, the Run value and the uninstall entry in place without starting
# Tavilo; a silent install over the running installed program upgrades it and
# keeps the settings; over a newer version it is refused; a silent uninstall
# closes the program and leaves nothing but the settings.
#   release.sh <e2e_tools_probe.exe> <setup.exe> <portable.zip> <version>
e2e_name=release
setup=${2:?setup.exe} zip=${3:?portable.zip} version=${4:?version}
. "$(dirname "$0")/session.sh" "$1"
forget_tavilo_before_and_after

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavilo'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
windows_folder() { "$WINELOADER" cmd /c echo "%$1%" | tr -d '\r'; }
unix_path() { "$WINELOADER" winepath -u "$1" | tr -d '\r'; }
reg_value() {
  "$WINELOADER" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
expect_value() {
  [[ $(reg_value "$1" "$2") == "$3" ]] || fail "$1 $2 is '$(reg_value "$1" "$2")', not '$3'"
}
silent_install() { "$TAVILO_WINE_RUN" "$setup" /S >/dev/null 2>&1; }

win_dir=$(windows_folder LOCALAPPDATA)'\Programs\Tavilo'
dir=$(unix_path "$win_dir")
shortcut=$(unix_path "$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Tavilo.lnk")
portable=$WINEPREFIX/drive_c/tavilo-portable
files=(LICENSE.txt NOTICE.txt README.txt tavilo.exe)
"$WINELOADER" reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
rm -rf "$dir" "$portable" "$shortcut"

unzip -q "$zip" -d "$portable"
zipped=("${files[@]:0:3}" portable.ini tavilo.exe)
[[ $(cd "$portable" && echo Tavilo/*) == "${zipped[*]/#/Tavilo/}" ]] || fail "the zip holds $(cd "$portable" && echo Tavilo/*)"
[[ $(head -c 3 "$portable/Tavilo/README.txt" | xxd -p) == efbbbf ]] || fail "README.txt has no byte-order mark"
exe=$portable/Tavilo/tavilo.exe
start_tavilo

silent_install
expect_program_exit
for file in "${files[@]}"; do
  cmp -s "$portable/Tavilo/$file" "$dir/$file" || fail "$file is not installed as packed"
done
[[ -f $dir/uninstall.exe && -f $shortcut ]] || fail "no uninstaller or no Start menu shortcut"
[[ ! -e $dir/portable.ini ]] || fail "the installer put a portable.ini in place"
expect_value "$run_key" Tavilo "\"$win_dir\\tavilo.exe\""
while read -r name value; do
  expect_value "$uninstall_key" "$name" "$value"
done <<VALUES
DisplayName Tavilo
DisplayVersion $version
Publisher Tavilo
DisplayIcon "$win_dir\\tavilo.exe",0
InstallLocation $win_dir
UninstallString "$win_dir\\uninstall.exe"
QuietUninstallString "$win_dir\\uninstall.exe" /S
VALUES
[[ $(reg_value "$uninstall_key" EstimatedSize) =~ ^0x[0-9a-f]{3}$ ]] || fail "EstimatedSize is not about 1 MB"
! locate TaviloForm1 || fail "a silent install started Tavilo"

# An upgrade over the running program; the user's settings stay.
exe=$dir/tavilo.exe
start_tavilo
"$WINELOADER" reg add 'HKCU\Software\Tavilo' /v Opacity /t REG_DWORD /d 200 /f >/dev/null
echo stale >"$dir/LICENSE.txt"
silent_install
expect_program_exit
cmp -s "$portable/Tavilo/LICENSE.txt" "$dir/LICENSE.txt" || fail "the upgrade left an old file"
expect_value 'HKCU\Software\Tavilo' Opacity 0xc8

# Never silently over a newer version: refused with its own exit code.
"$WINELOADER" reg add "$uninstall_key" /v DisplayVersion /d 999.0 /f >/dev/null
echo newer >"$dir/LICENSE.txt"
status=0
silent_install || status=$?
((status == 3)) || fail "an install over a newer version ended with $status"
[[ $(<"$dir/LICENSE.txt") == newer ]] || fail "an install over a newer version replaced files"

start_tavilo
"$TAVILO_WINE_RUN" "$dir/uninstall.exe" /S >/dev/null 2>&1
expect_program_exit
uninstalled() { [[ ! -e $dir ]] && ! "$WINELOADER" reg query "$uninstall_key" >/dev/null 2>&1; }
wait_for 60 "the uninstaller to remove the folder and the entry" uninstalled
[[ ! -e $shortcut && -z $(reg_value "$run_key" Tavilo) ]] || fail "the shortcut or the Run value is left"
expect_value 'HKCU\Software\Tavilo' Opacity 0xc8
rm -rf "$portable"
echo "e2e: release files install, upgrade, refuse a downgrade and uninstall cleanly"
