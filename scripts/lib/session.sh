# Shared by scripts/test and scripts/demo: a headless X display when none exists,
# and the persistent wineserver the Windows tests run against.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
xvfb_pid=

start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=
  done
  echo "no X display could be started" >&2
  return 1
}

wine_env() {
  export WINEPREFIX=$root/build/wineprefix WINEDEBUG=-all LANG=zh_CN.UTF-8
  export WINEDLLOVERRIDES=mscoree,mshtml=
}

start_wineserver() {
  wine_env
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  # Wine starts its own services with the first program; started by a test, they
  # would inherit that test's output pipe and keep ctest waiting for it to close.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wineserver() {
  wine_env
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

stop_all() {
  [ -n "${WINEPREFIX:-}" ] && stop_wineserver
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
