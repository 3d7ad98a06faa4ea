#!/usr/bin/env bash
# Chinese typed through an input method into the entry window, as a clerk types it:
# starts a virtual X server, a D-Bus session and fcitx5 with its pinyin engine on a
# profile of its own, then runs the check of <entry test binary> there.
#   ime_check.sh <entry test binary>
# Exits 77 (skipped) and says why where a tool it needs is not installed. When the X
# server or the daemon ends at start (as on a busy machine), both start again on a
# fresh display, three times at most; then it fails with the daemon's log.
set -u
check="$1"

skip() {
  echo "SKIPPED: $*"
  exit 77
}

for tool in Xvfb dbus-launch dbus-send fcitx5 fcitx5-remote xdotool sqlite3; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f /usr/share/fcitx5/addon/pinyin.conf ] || skip "the pinyin engine of fcitx5 (fcitx5-pinyin) is not installed"
compgen -G "/usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so" >/dev/null ||
  skip "the Qt 6 frontend of fcitx5 (fcitx5-frontend-qt6) is not installed"

work="$(mktemp -d)"
xvfb_pid=""
fcitx_pid=""
DBUS_SESSION_BUS_PID=""
xvfb_log="" fcitx_log=""
cleanup() {
  # The folder goes after the programs that write into it.
  stop_session
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

# Ends the X server, the D-Bus session and fcitx5 of a try.
stop_session() {
  # fcitx5 writes its settings as it ends: it goes first.
  [ -n "$fcitx_pid" ] && kill "$fcitx_pid" 2>/dev/null && wait "$fcitx_pid" 2>/dev/null
  [ -n "$DBUS_SESSION_BUS_PID" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  fcitx_pid="" DBUS_SESSION_BUS_PID="" xvfb_pid=""
  unset DBUS_SESSION_BUS_ADDRESS DISPLAY
}

# Whether the X server and fcitx5 of the try still run; when not, `why` says which ended.
session_alive() {
  kill -0 "$xvfb_pid" 2>/dev/null || { why="the X server ended at start: $(tail -3 "$xvfb_log")"; return 1; }
  kill -0 "$fcitx_pid" 2>/dev/null || { why="the fcitx5 daemon ended at start: $(tail -3 "$fcitx_log")"; return 1; }
}

# Whether our fcitx5 has taken its name on the bus. The bus is asked, not fcitx5:
# a call to the name while nobody has it (fcitx5-remote's) makes the bus start an
# fcitx5 of its own from the system's service file, which takes the name from ours.
owns_name() {
  timeout 10 dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q "boolean true"
}

# One try: a virtual X server on a display of its own, a D-Bus session there and
# fcitx5, until fcitx5 answers. Fails with `why` set when one of them ends or does
# not come up before `deadline`.
start_session() {
  local try="$1"
  xvfb_log="$work/xvfb-$try.log" fcitx_log="$work/fcitx5-$try.log"
  # The X server picks a free display and writes its number; it keeps running when
  # its last client (dbus-launch's, before fcitx5 connects) goes.
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$xvfb_log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$work/display" ] || { why="the X server did not start: $(tail -3 "$xvfb_log")"; return 1; }
  export DISPLAY=":$(head -1 "$work/display")"

  eval "$(dbus-launch --sh-syntax)" && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
    { why="dbus-launch could not start a D-Bus session"; return 1; }

  fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem >"$fcitx_log" 2>&1 &
  fcitx_pid=$!
  # It answers once its engines are loaded, which takes a while on a busy machine;
  # it may answer on D-Bus before it finds that its display is gone.
  until owns_name && timeout 10 fcitx5-remote >/dev/null 2>&1; do
    session_alive || return 1
    [ "$SECONDS" -lt "$deadline" ] || { why="the fcitx5 daemon did not answer in time: $(tail -3 "$fcitx_log")"; return 1; }
    sleep 0.2
  done
  timeout 10 xdotool getdisplaygeometry >/dev/null 2>&1 ||
    { session_alive && why="the X server does not answer: $(tail -3 "$xvfb_log")"; return 1; }
  sleep 0.5
  session_alive
}

export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx ORVANE_IME_CHECK=1
# Under AddressSanitizer: the X keyboard library copies names with strndup from
# buffers that end without a NUL, which the strict string checks take for an overflow.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"

# Three tries, each on a fresh display, started within 150 seconds. The check's answer
# counts unless its X server or daemon ended under it.
deadline=$((SECONDS + 150))
for try in 1 2 3; do
  why=""
  if start_session "$try"; then
    QT_QPA_PLATFORM=xcb timeout 120 "$check" --gtest_filter='EntrySaveTest.PinyinThroughTheInputMethodIsSaved'
    rc=$?
    if [ $rc -eq 0 ] || session_alive; then
      [ $rc -eq 0 ] || { echo "--- fcitx5 log"; tail -20 "$fcitx_log"; }
      exit $rc
    fi
  fi
  echo "try $try: $why"
  stop_session
  [ "$SECONDS" -lt "$deadline" ] || break
done
echo "FAILED: the input method could not be started: $why"
echo "--- fcitx5 log"
cat "$fcitx_log" 2>/dev/null
echo "--- X server log"
tail -20 "$xvfb_log" 2>/dev/null
exit 1
