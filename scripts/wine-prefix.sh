#!/usr/bin/env bash
# Creates the rig's Wine prefix once: a 32-bit Windows XP with fonts that render Korean.
set -euo pipefail
: "${WINEPREFIX:?run through scripts/rig.sh}"
here=$(cd "$(dirname "$0")" && pwd)
stamp="$WINEPREFIX/.mivora-ready"
[ -f "$stamp" ] && exit 0

rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w

# Wine's own settings: Windows XP by default (tests override per program under AppDefaults), and font
# replacements so the suite's face names render with a Korean font. regedit takes UTF-16 files.
reg_utf8="$WINEPREFIX/mivora-settings.reg"
nanum=$(fc-list : family | grep -m1 -o 'NanumGothic' || echo NanumGothic)
cat >"$reg_utf8" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine]
"Version"="winxp"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"굴림"="$nanum"
"Gulim"="$nanum"
"MS Sans Serif"="$nanum"
"Arial"="$nanum"
REG
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg_utf8"; } >"$WINEPREFIX/mivora-settings-utf16.reg"
wine regedit /S "$WINEPREFIX/mivora-settings-utf16.reg" >/dev/null 2>&1
wineserver -w
# Wine finds fonts through fontconfig; link the Korean font into the prefix so it is also a file there.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
for f in /usr/share/fonts/truetype/nanum/NanumGothic.ttf /usr/share/fonts/truetype/nanum/NanumGothicBold.ttf; do
  [ -f "$f" ] && ln -sf "$f" "$WINEPREFIX/drive_c/windows/Fonts/"
done
touch "$stamp"
