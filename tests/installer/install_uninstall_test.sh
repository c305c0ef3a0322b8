#!/usr/bin/env bash
# Installs the setup program silently in a Wine prefix made fresh for this
# run, checks every file, shortcut and registry value it made, starts the
# installed program and the installed source filter, then uninstalls and
# checks that the disk and the registry are as they were before.
#
# Then it goes through the setup's pages as a user would and checks that
# the finish page offers to start the program, and that it does. Last come
# what users meet later: a copy left running, an upgrade from an older
# version in a folder of their own, a downgrade, a repair, a report saved
# in the folder, and a Windows the program refuses.
#
# usage: install_uninstall_test.sh RUNNER PROBE SETUP PREFIX WINEARCH VIEW APP_EXE FILTER_DLL GUIDE_DIR OBJDUMP OLD_SETUP
# VIEW is "native", or "wow64" for a 32-bit setup in a 64-bit prefix.
# OBJDUMP looks for debug sections in the installed files; "-" skips that.
set -u
runner=$1 probe=$2 setup=$3 prefix=$4 arch=$5 view=$6 appExe=$7 filterDll=$8 guideDir=$9 objdump=${10}
oldSetup=${11}

export WINE_TEST_PREFIX=$prefix WINEARCH=$arch
# winemenubuilder would copy the Start-menu entry into the host's own menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ "$view" = wow64 ]; then
  programFiles='Program Files (x86)'
  software='HKEY_LOCAL_MACHINE\Software\Wow6432Node'
  classes='HKEY_LOCAL_MACHINE\Software\Classes\Wow6432Node'
else
  programFiles='Program Files'
  software='HKEY_LOCAL_MACHINE\Software'
  classes='HKEY_LOCAL_MACHINE\Software\Classes'
fi
drive=$prefix/drive_c
installDir="C:\\$programFiles\\Lumora\\Solario"
installPath="$drive/$programFiles/Lumora/Solario"
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\ソラリオ for UT-750.lnk'
shortcutPath="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/ソラリオ for UT-750.lnk"
work=$prefix.results
log=$work/wine.log

stop_prefix() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  WINEPREFIX=$prefix wineserver -w 2>/dev/null
  local pidfile=$prefix.state/xvfb.pid
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null
    rm -f "$pidfile" "$prefix.state/xvfb.display" "$prefix.state/display"
  fi
}
stop_prefix
rm -rf "$prefix" "$prefix.state" "$work"
mkdir -p "$work"
trap stop_prefix EXIT

failures=0
check() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" == "$actual" ]; then
    echo "ok: $what"
  else
    echo "FAIL: $what" >&2
    diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /' >&2
    failures=$((failures + 1))
  fi
}

# Every Wine call is bounded: a program that hangs fails the test, not CTest.
wine_run() {
  timeout 120 "$runner" "$@" 2>>"$log" </dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# The registry below Software as flat "key value" lines, without Wine's own
# run-time state, which changes whenever a window opens.
software_registry() {
  wine_run regedit /E "C:\\registry-$1.reg" >/dev/null
  iconv -f UTF-16LE -t UTF-8 "$drive/registry-$1.reg" | tr -d '\r' |
    awk '/^\[/ { key = $0; keep = (key ~ /^\[HKEY_(LOCAL_MACHINE|USERS\\[^\\]+)\\Software/ &&
                                   key !~ /\\Software\\Wine(\\|\])/); next }
         keep && $0 != "" { print key " " $0 }' |
    LC_ALL=C sort >"$work/registry-$1.txt"
  rm -f "$drive/registry-$1.reg"
}

# The files of drive C, without the registry exports of this script.
disk_files() {
  (cd "$drive" && find . -path ./users -prune -o -print | LC_ALL=C sort) >"$work/disk-$1.txt"
  (cd "$drive/users" && find . -print | LC_ALL=C sort) >>"$work/disk-$1.txt"
}

kilobytes() {
  local total=0 size
  for file in "$@"; do
    size=$(stat -c %s "$file")
    total=$((total + (size + 1023) / 1024))
  done
  echo $total
}

guidePages=$(cd "$guideDir" && ls | LC_ALL=C sort)

# --- Before: a fresh prefix, as a user's PC before the setup.
software_registry before
disk_files before
echo "prefix ready"

# --- Install.
wine_run "$setup" /S >/dev/null
check "the setup exits with 0" 0 "$?"

expectedFiles=$(
  echo GUIDE
  for page in $guidePages; do echo "GUIDE/$page"; done
  printf '%s\n' ball_source.dll qorChecker.exe uninstall.exe
)
check "installed files" "$expectedFiles" "$(cd "$installPath" 2>/dev/null && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)"
same=yes
cmp -s "$appExe" "$installPath/qorChecker.exe" || same="qorChecker.exe differs"
cmp -s "$filterDll" "$installPath/ball_source.dll" || same="ball_source.dll differs"
for page in $guidePages; do
  cmp -s "$guideDir/$page" "$installPath/GUIDE/$page" || same="GUIDE/$page differs"
done
check "installed files are the build's" yes "$same"
if [ "$objdump" != - ]; then
  check "the installed program and filter carry no debug sections" "" \
    "$("$objdump" -h "$installPath/qorChecker.exe" "$installPath/ball_source.dll" | grep -o ' \.debug_[a-z_]*' | sort -u)"
fi

check "the setup's version resource" "language 1041
ProductName ソラリオ for UT-750
ProductVersion 5.0.0.7567
CompanyName ルモラ株式会社
FileDescription ソラリオ for UT-750 セットアップ" "$(wine_run "$probe" version "Z:$setup")"

software_registry installed
size=$(kilobytes "$appExe" "$filterDll" "$guideDir"/*)
uninstallKey="[$software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LumoraSolarioUT750]"
escapedDir=${installDir//\\/\\\\}
class_values() {
  local key="[$1\\CLSID\\{289A8718-002D-4840-8D80-5E066F2DFE78}"
  echo "$key] @=\"Bouncing Ball\""
  echo "$key\\InprocServer32] @=\"$escapedDir\\\\ball_source.dll\""
  echo "$key\\InprocServer32] \"ThreadingModel\"=\"Both\""
}
classValues=$(class_values "$classes")
# The 32-bit classes are also seen through their alias below
# Software\Wow6432Node, so an export lists them twice there.
if [ "$view" = wow64 ]; then
  classValues+=$'\n'$(class_values "$software\\Classes")
fi
expectedKeys=$(
  LC_ALL=C sort <<EOF
$uninstallKey "DisplayIcon"="$escapedDir\\\\qorChecker.exe,0"
$uninstallKey "DisplayName"="ソラリオ for UT-750"
$uninstallKey "DisplayVersion"="5.0.0.7567"
$uninstallKey "EstimatedSize"=dword:$(printf %08x "$size")
$uninstallKey "InstallLocation"="$escapedDir"
$uninstallKey "NoModify"=dword:00000001
$uninstallKey "NoRepair"=dword:00000001
$uninstallKey "Publisher"="ルモラ株式会社"
$uninstallKey "QuietUninstallString"="\\"$escapedDir\\\\uninstall.exe\\" /S"
$uninstallKey "UninstallString"="\\"$escapedDir\\\\uninstall.exe\\""
$classValues
EOF
)
check "registry values the setup added, and no others" "$expectedKeys" \
  "$(LC_ALL=C comm -13 "$work/registry-before.txt" "$work/registry-installed.txt")"
check "registry values the setup changed or removed" "" \
  "$(LC_ALL=C comm -23 "$work/registry-before.txt" "$work/registry-installed.txt")"

check "Start-menu shortcut" "load 0x00000000
target $installDir\\qorChecker.exe
directory $installDir
icon $installDir\\qorChecker.exe,0" "$(wine_run "$probe" shortcut "$shortcut")"

check "the source filter comes from the installed DLL and joins a graph" "create 0x00000000
server $installDir\\ball_source.dll
add 0x00000000
outputs 1" "$(wine_run "$probe" filter)"

check "the program starts from its installed place and shows its window" "image $installDir\\qorChecker.exe
window 　ソラリオ　
exit 0" "$(wine_run "$probe" program "$installDir\\qorChecker.exe" "$installDir")"

# --- Uninstall. Run from its own place an NSIS uninstaller copies itself to
# the temporary folder and returns at once; a copy started with "_?=" works
# in place and returns when it is done.
mkdir -p "$drive/uninstall-copy"
cp "$installPath/uninstall.exe" "$drive/uninstall-copy/uninstall.exe"
software_registry refused-before
check "an uninstaller pointed at a folder without the program refuses" "exit 9" \
  "$(wine_run "$probe" run 'C:\uninstall-copy\uninstall.exe' '/S _?=C:\uninstall-copy')"
software_registry refused
check "a refused uninstall changes no registry value" "" \
  "$(LC_ALL=C comm -3 "$work/registry-refused-before.txt" "$work/registry-refused.txt")"
check "a refused uninstall keeps the shortcut" yes "$([ -f "$shortcutPath" ] && echo yes)"

check "the uninstaller exits with 0" "exit 0" \
  "$(wine_run "$probe" run 'C:\uninstall-copy\uninstall.exe' "/S _?=$installDir")"
rm -rf "$drive/uninstall-copy"

check "the filter is no longer registered" "create 0x80040154" "$(wine_run "$probe" filter)"
software_registry uninstalled
check "registry after uninstall equals the registry before install" "" \
  "$(LC_ALL=C comm -3 "$work/registry-before.txt" "$work/registry-uninstalled.txt")"
disk_files uninstalled
check "drive C after uninstall holds the files it held before install" "" \
  "$(diff "$work/disk-before.txt" "$work/disk-uninstalled.txt")"

# --- The pages a user clicks through, the finish page's box left ticked.
check "the finish page offers to start the program, and [完了] starts the installed one through the shell" \
  "checkbox ソラリオ for UT-750 を起動する
checked 1
program the installed one
parent not the setup" "$(wine_run "$probe" finish-page "Z:$setup" "$installDir\qorChecker.exe")"

# Every file below a folder with its checksum, and the registry: what a
# refused run must leave as it was.
state_of() {
  software_registry "$1"
  (cd "$drive" && find "${@:2}" -type f -print0 2>/dev/null | LC_ALL=C sort -z | xargs -0r md5sum) \
    >"$work/files-$1.txt"
  cat "$work/registry-$1.txt" "$work/files-$1.txt"
}
copy_uninstaller() {
  mkdir -p "$drive/uninstall-copy"
  cp "$drive/$1/uninstall.exe" "$drive/uninstall-copy/uninstall.exe"
}

# --- A copy left running: neither the setup nor the uninstaller touches it.
installed=("$programFiles/Lumora" "ProgramData/Microsoft/Windows/Start Menu")
before=$(state_of running-before "${installed[@]}")
check "the setup over a running copy exits with 3" "exit 3
program still running" \
  "$(wine_run "$probe" while-running "$installDir\qorChecker.exe" "$installDir" "Z:$setup" /S)"
check "the setup over a running copy changes no file and no registry value" "$before" \
  "$(state_of running-setup "${installed[@]}")"
copy_uninstaller "$programFiles/Lumora/Solario"
check "the uninstaller of a running copy exits with 3" "exit 3
program still running" \
  "$(wine_run "$probe" while-running "$installDir\qorChecker.exe" "$installDir" \
    'C:\uninstall-copy\uninstall.exe' "/S _?=$installDir")"
check "the uninstaller of a running copy keeps program, entry and shortcut" "$before" \
  "$(state_of running-uninstall "${installed[@]}")"
check "the uninstaller exits with 0 once the program is closed" "exit 0" \
  "$(wine_run "$probe" run 'C:\uninstall-copy\uninstall.exe' "/S _?=$installDir")"

# --- An older version in a folder the user chose, upgraded, then offered
# again; the same version again repairs.
toolsDir='C:\Tools\Sol'
toolsPath=$drive/Tools/Sol
folder_files() { (cd "$toolsPath" 2>/dev/null && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }
entry_of() {
  software_registry "$1"
  grep -F "$uninstallKey" "$work/registry-$1.txt" | grep -E '"(DisplayVersion|InstallLocation)"' | sed 's/^[^ ]* //'
}
check "the older setup installs into C:\Tools\Sol" "exit 0" \
  "$(wine_run "$probe" run "Z:$oldSetup" "/S /D=$toolsDir")"
check "the older version's files, with its own guide page" "$(printf '%s\n' "$expectedFiles" GUIDE/retired.htm | LC_ALL=C sort)" \
  "$(folder_files)"
check "the setup upgrades in place" "exit 0" "$(wine_run "$probe" run "Z:$setup" /S)"
check "the upgraded folder holds this version's files only: the old uninstaller ran first" "$expectedFiles" \
  "$(folder_files)"
check "the upgrade makes no second copy" "no" "$([ -e "$drive/$programFiles/Lumora" ] && echo yes || echo no)"
check "the entry names this version and the chosen folder" '"DisplayVersion"="5.0.0.7567"
"InstallLocation"="C:\\Tools\\Sol"' "$(entry_of upgraded)"
check "the shortcut leads to the chosen folder" "target $toolsDir\qorChecker.exe" \
  "$(wine_run "$probe" shortcut "$shortcut" | grep '^target')"
before=$(state_of downgrade-before Tools)
check "a silent downgrade is refused with 6" "exit 6" "$(wine_run "$probe" run "Z:$oldSetup" /S)"
check "a refused downgrade changes nothing" "$before" "$(state_of downgrade Tools)"
rm "$toolsPath/GUIDE/error01.htm"
check "the same version again exits with 0" "exit 0" "$(wine_run "$probe" run "Z:$setup" /S)"
check "the same version again repairs the folder" "$before" "$(state_of repaired Tools)"

# --- A second copy's uninstaller leaves the installed copy what it owns.
cp -r "$toolsPath" "$drive/Tools/Copy"
software_registry second-copy-before
copy_uninstaller Tools/Copy
check "a second copy's uninstaller exits with 0" "exit 0" \
  "$(wine_run "$probe" run 'C:\uninstall-copy\uninstall.exe' '/S _?=C:\Tools\Copy')"
check "a second copy's uninstaller removes its own folder" no "$([ -e "$drive/Tools/Copy" ] && echo yes || echo no)"
software_registry second-copy
check "a second copy's uninstaller leaves the entry and the filter's class" "" \
  "$(LC_ALL=C comm -3 "$work/registry-second-copy-before.txt" "$work/registry-second-copy.txt")"
check "the installed copy keeps its shortcut and its filter" "load 0x00000000
server $toolsDir\ball_source.dll" \
  "$(wine_run "$probe" shortcut "$shortcut" | grep '^load'; wine_run "$probe" filter | grep '^server')"

# --- A report saved in the folder outlives the uninstall, and so does its folder.
printf 'report\r\n' >"$toolsPath/qorChekerLog.txt"
copy_uninstaller Tools/Sol
check "the uninstaller exits with 0 around a saved report" "exit 0" \
  "$(wine_run "$probe" run 'C:\uninstall-copy\uninstall.exe' "/S _?=$toolsDir")"
rm -rf "$drive/uninstall-copy"
check "the folder keeps the report and nothing else" "qorChekerLog.txt" "$(folder_files)"
check "the report is as saved" "$(printf 'report\r\n' | md5sum)" "$(md5sum <"$toolsPath/qorChekerLog.txt")"
rm -rf "$drive/Tools"
software_registry report-kept
check "the registry after that uninstall equals the registry before install" "" \
  "$(LC_ALL=C comm -3 "$work/registry-before.txt" "$work/registry-report-kept.txt")"

# --- A Windows the program refuses: the setup refuses it first.
wine_run reg add 'HKCU\Software\Wine\AppDefaults\SolarioSetup.exe' /v Version /d winxp /f >/dev/null
disk_files xp-before
check "a silent setup on Windows XP exits with 5" "exit 5" "$(wine_run "$probe" run "Z:$setup" /S)"
disk_files xp
check "a setup on Windows XP installs nothing" "" "$(diff "$work/disk-xp-before.txt" "$work/disk-xp.txt")"
wine_run reg delete 'HKCU\Software\Wine\AppDefaults\SolarioSetup.exe' /f >/dev/null

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; Wine's messages are in $log" >&2
  exit 1
fi
echo "all checks passed"
