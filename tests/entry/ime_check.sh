#!/usr/bin/env bash
# Chinese typed through an input method into the entry window, as a clerk types it:
# starts a virtual X server, a D-Bus session and fcitx5 with its pinyin engine on a
# profile of its own, then runs the check of <entry test binary> there.
#   ime_check.sh <entry test binary>
# Exits 77 (skipped) and says why where the input method cannot run.
set -u
check="$1"

skip() {
  echo "SKIPPED: $*"
  exit 77
}

for tool in Xvfb dbus-launch fcitx5 fcitx5-remote xdotool sqlite3; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f /usr/share/fcitx5/addon/pinyin.conf ] || skip "the pinyin engine of fcitx5 (fcitx5-pinyin) is not installed"
compgen -G "/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so" >/dev/null ||
  skip "the Qt 6 frontend of fcitx5 (fcitx5-frontend-qt6) is not installed"

work="$(mktemp -d)"
xvfb_pid=""
fcitx_pid=""
DBUS_SESSION_BUS_PID=""
cleanup() {
  # fcitx5 writes its settings as it ends: it goes first, and the folder after it.
  [ -n "$fcitx_pid" ] && kill "$fcitx_pid" 2>/dev/null && wait "$fcitx_pid" 2>/dev/null
  [ -n "$DBUS_SESSION_BUS_PID" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work" 2>/dev/null || { sleep 1; rm -rf "$work"; }
}
trap cleanup EXIT

# A home of its own: the profile makes pinyin the input method Ctrl+Space switches to.
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
EOF

# The X server picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || skip "the X server did not start: $(tail -3 "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"

eval "$(dbus-launch --sh-syntax)" || skip "dbus-launch could not start a D-Bus session"
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || skip "dbus-launch could not start a D-Bus session"

fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem >"$work/fcitx5.log" 2>&1 &
fcitx_pid=$!
# It answers once its engines are loaded, which takes a while on a busy machine.
deadline=$((SECONDS + 90))
until timeout 10 fcitx5-remote >/dev/null 2>&1; do
  kill -0 "$fcitx_pid" 2>/dev/null || skip "the fcitx5 daemon ended at start: $(tail -3 "$work/fcitx5.log")"
  [ "$SECONDS" -lt "$deadline" ] || skip "the fcitx5 daemon did not answer in 90 seconds: $(tail -3 "$work/fcitx5.log")"
  sleep 0.2
done

export QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx ORVANE_IME_CHECK=1
# Under AddressSanitizer: the X keyboard library copies names with strndup from
# buffers that end without a NUL, which the strict string checks take for an overflow.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
timeout 120 "$check" --gtest_filter='EntrySaveTest.PinyinThroughTheInputMethodIsSaved'
rc=$?
[ $rc -eq 0 ] || { echo "--- fcitx5 log"; tail -20 "$work/fcitx5.log"; }
exit $rc
