# Shared by run.sh and test.sh: install what is missing, build, and start a
# virtual display and a Wine prefix of the build's own.

QL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QL_BUILD="$QL_ROOT/build"

ql_log() { printf '==> %s\n' "$*" >&2; }

# Debian packages the build and the tests need.
QL_PACKAGES=(cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  cups-daemon cups-client printer-driver-cups-pdf)

ql_install_missing() {
  local missing=()
  for p in "${QL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  ql_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

ql_build_native() {
  cmake -S "$QL_ROOT" -B "$QL_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  ninja -C "$QL_BUILD/native"
}

# ql_build_windows <x86_64|i686> [extra cmake args]; QL_TARGETS limits what is built.
ql_build_windows() {
  local arch="$1"; shift
  local dir="$QL_BUILD/win64"
  [ "$arch" = i686 ] && dir="$QL_BUILD/win32"
  cmake -S "$QL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$QL_ROOT/cmake/mingw-$arch.cmake" "$@" >/dev/null
  # shellcheck disable=SC2086
  ninja -C "$dir" ${QL_TARGETS:-}
}

# Starts Xvfb on a free display number; sets DISPLAY and QL_XVFB_PID.
ql_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QL_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  ql_log "Xvfb did not start on :$n"
  return 1
}

ql_stop_xvfb() {
  [ -n "${QL_XVFB_PID:-}" ] && kill "$QL_XVFB_PID" 2>/dev/null || true
  QL_XVFB_PID=""
}

# A Wine prefix inside the build folder, made once.
ql_wine_prefix() {
  export WINEPREFIX="${QL_WINEPREFIX:-$QL_BUILD/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    ql_log "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Windows that no window manager manages: without one, Wine waits a
    # second or two for every top-level window that hides.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  ql_wine_fonts
}

# Wine looks for its own fonts (Marlett, Tahoma, the bitmap faces of MS Sans
# Serif...) beside its libraries, in <libdir>/wine/fonts, but Debian's
# fonts-wine puts them in /usr/share/wine/fonts, so a prefix has none of
# them: caption buttons and
# DrawFrameControl then draw the letters "0 1 r", and every face falls back
# to another font. A prefix's own Windows font folder is always scanned:
# put them there.
ql_wine_fonts() {
  local dest="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d /usr/share/wine/fonts ] || return 0
  [ -f "$dest/marlett.ttf" ] && [ -f "$dest/sserife.fon" ] && return 0
  mkdir -p "$dest"
  cp -n /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$dest/" 2>/dev/null || true
}

# A home of the test run's own inside the build folder: Wine keeps its
# trash, its desktop files and its menus below the home, and a test must
# neither depend on what the user's home holds nor leave anything there.
ql_private_home() {
  export HOME="$QL_BUILD/home"
  export XDG_DATA_HOME="$HOME/.local/share"
  export XDG_CONFIG_HOME="$HOME/.config"
  export XDG_CACHE_HOME="$HOME/.cache"
  export TMPDIR="$QL_BUILD/tmp"
  mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
}

# ql_world_reachable <dir>: every folder on the way to dir lets others pass.
ql_world_reachable() {
  local p
  p="$(realpath "$1")" || return 1
  while [ "$p" != "/" ]; do
    [ -n "$(find "$p" -maxdepth 0 -perm -o+x 2>/dev/null)" ] || return 1
    p="$(dirname "$p")"
  done
  return 0
}

# A PDF printer for the printing tests: a CUPS daemon of the test run's own
# (its own folders and socket, no system service touched) with one cups-pdf
# queue, made the default. Wine reaches it through libcups (CUPS_SERVER).
# Sets QL_PRINT_OUT to the folder the jobs land in; without root or without
# the packages it sets up nothing and the printing test skips.
ql_start_printer() {
  [ "$(id -u)" -eq 0 ] || return 0
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null || return 0
  [ -x /usr/lib/cups/backend/cups-pdf ] || return 0
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$ppd" ] || return 0
  local d="$QL_BUILD/cups"
  # A Unix socket's path has room for about 100 bytes, and the daemon's
  # filters run as lp, who must reach the folder.
  if [ ${#d} -gt 80 ] || ! ql_world_reachable "$QL_BUILD"; then
    d="$(mktemp -d /tmp/ql-cups.XXXXXX)" || return 0
  else
    rm -rf "$d" && mkdir -p "$d" || return 0
  fi
  [ -n "$d" ] || return 0
  chmod 755 "$d"
  mkdir -p "$d/etc/ppd" "$d/spool/tmp" "$d/run" "$d/cache" "$d/log" "$d/out"
  chmod 777 "$d/out"
  cat >"$d/etc/cupsd.conf" <<EOF
Listen $d/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$d/etc/cups-files.conf" <<EOF
ServerRoot $d/etc
RequestRoot $d/spool
TempDir $d/spool/tmp
StateDir $d/run
CacheDir $d/cache
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $d/log/access_log
ErrorLog $d/log/error_log
PageLog $d/log/page_log
Printcap $d/printcap
User lp
Group lp
SystemGroup root
EOF
  # cups-pdf reads the settings of the queue cups-pdf:/NAME from this file.
  # cups-pdf has no other place for it; ql_stop_printer removes it again.
  QL_CUPS_PDF_CONF=/etc/cups/cups-pdf-quillon-test.conf
  printf 'Out %s\nAnonDirName %s\n' "$d/out" "$d/out" >"$QL_CUPS_PDF_CONF"
  cupsd -f -c "$d/etc/cupsd.conf" -s "$d/etc/cups-files.conf" >"$d/log/cupsd.out" 2>&1 &
  QL_CUPSD_PID=$!
  QL_CUPS_DIR="$d"
  for _ in $(seq 50); do
    [ -S "$d/cups.sock" ] && break
    sleep 0.1
  done
  export CUPS_SERVER="$d/cups.sock"
  if lpadmin -p QuillonPDF -E -v cups-pdf:/quillon-test -P "$ppd" >/dev/null 2>&1 &&
    lpadmin -d QuillonPDF >/dev/null 2>&1; then
    export QL_PRINT_OUT="$d/out"
  else
    ql_log "no PDF printer: lpadmin failed"
    ql_stop_printer
  fi
  return 0
}

ql_stop_printer() {
  if [ -n "${QL_CUPSD_PID:-}" ]; then
    kill "$QL_CUPSD_PID" 2>/dev/null
    wait "$QL_CUPSD_PID" 2>/dev/null
  fi
  if [ -n "${QL_CUPS_DIR:-}" ]; then
    case "$QL_CUPS_DIR" in
      /tmp/ql-cups.* | "$QL_BUILD/cups") rm -rf "$QL_CUPS_DIR" ;;
    esac
  fi
  if [ -n "${QL_CUPS_PDF_CONF:-}" ]; then
    rm -f "$QL_CUPS_PDF_CONF"
  fi
  QL_CUPS_PDF_CONF=""
  QL_CUPSD_PID=""
  QL_CUPS_DIR=""
  unset QL_PRINT_OUT CUPS_SERVER
  return 0
}
