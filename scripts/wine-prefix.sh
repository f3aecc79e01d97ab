#!/usr/bin/env bash
# Makes the rig's Wine prefix: a Windows XP of the tree's kind (32- or 64-bit) with fonts that render Korean. The prefix is created
# once; its settings are imported again whenever this script's settings change.
set -euo pipefail
: "${WINEPREFIX:?run through scripts/rig.sh}"

created="$WINEPREFIX/.mivora-created"
if [ ! -f "$created" ]; then
  rm -rf "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  # Wine finds fonts through fontconfig; the Korean font is also a file of the prefix.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  for f in /usr/share/fonts/truetype/nanum/NanumGothic.ttf /usr/share/fonts/truetype/nanum/NanumGothicBold.ttf; do
    [ -f "$f" ] && ln -sf "$f" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  touch "$created"
fi

# Windows XP by default (tests choose others per program under AppDefaults); the suite's face names
# rendered by a Korean font; sound through the rig's own sound server; no window-manager handshake,
# which would cost two seconds each time a window is hidden on a display without a window manager; and a
# crash debugger that prints the backtrace and ends the program instead of showing its crash dialog,
# which nobody answers and which would hold the program's output open past every time-out.
settings=$(cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine]
"Version"="winxp"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"굴림"="NanumGothic"
"Gulim"="NanumGothic"
"MS Sans Serif"="NanumGothic"
"Arial"="NanumGothic"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="pulse"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
)
applied="$WINEPREFIX/mivora-settings.reg"
if [ ! -f "$applied" ] || [ "$(cat "$applied")" != "$settings" ]; then
  # regedit reads UTF-16 files.
  { printf '\xff\xfe'; printf '%s\n' "$settings" | iconv -f UTF-8 -t UTF-16LE; } >"$WINEPREFIX/mivora-settings-utf16.reg"
  wine regedit /S "$WINEPREFIX/mivora-settings-utf16.reg" >/dev/null 2>&1
  wineserver -w
  printf '%s' "$settings" >"$applied"
fi
