#!/usr/bin/env bash
# Builds, once, what the Windows build of Ravelha links against, into a cache folder:
#   SQLite (sqlite3.dll, shared by the program and Qt's SQLite driver), libical, and Qt 6.4.2
#   (Core, Gui, Widgets, Sql with the SQLite driver, PrintSupport, the Windows platform plugin) with its Portuguese translations.
# Everything comes from Debian's own packages: the MinGW-w64 compiler, the source packages of the
# same archive as this machine's apt sources (Qt in the very version of the host's Qt tools, which
# the cross build uses as its host Qt), and the host's translations.
#
#   scripts/windows/build-toolchain.sh          build what is missing (the first time: hours on two cores)
#   scripts/windows/build-toolchain.sh --where  print the cache folder and stop
#
# A step that finished is marked done and skipped on the next run; a step that stopped half-way
# starts again from its own beginning. The log of each step is kept in CACHE/logs.
set -euo pipefail

CACHE="${RAVELHA_MINGW_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ravelha-mingw}"
PREFIX="$CACHE/prefix"
if [ "${1:-}" = "--where" ]; then
  echo "$CACHE"
  exit 0
fi

HERE="$(cd "$(dirname "$0")" && pwd)"
REPO="$(cd "$HERE/../.." && pwd)"
TOOLCHAIN="$REPO/packaging/windows/mingw-toolchain.cmake"
JOBS="${RAVELHA_MINGW_JOBS:-$(nproc)}"
SRC="$CACHE/src"
BUILD="$CACHE/build"
LOGS="$CACHE/logs"
STAMPS="$CACHE/stamps"
mkdir -p "$PREFIX" "$SRC" "$BUILD" "$LOGS" "$STAMPS"

STEPS=6
step_no=0
say() { echo "ravelha-mingw: $*"; }
begin() { step_no=$((step_no + 1)); say "[$step_no/$STEPS] $1"; }
done_already() { [ -f "$STAMPS/$1.done" ]; }
mark_done() { date -u +%FT%TZ > "$STAMPS/$1.done"; }

# Runs a command with its output into the step's log; on failure shows the log's end.
logged() {
  local log="$LOGS/$1.log"
  shift
  if ! "$@" >>"$log" 2>&1; then
    say "falhou: $*"
    tail -n 40 "$log" >&2
    say "registro completo: $log"
    exit 1
  fi
}

# Builds a CMake tree with Ninja, printing how far along it is every minute.
ninja_with_progress() {
  local name="$1" dir="$2"
  shift 2
  local log="$LOGS/$name.log"
  NINJA_STATUS="[%f/%t] " cmake --build "$dir" --parallel "$JOBS" "$@" >>"$log" 2>&1 &
  local pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    sleep 60 &
    wait $! || true
    kill -0 "$pid" 2>/dev/null || break
    local last
    last="$(grep -o '^\[[0-9]*/[0-9]*\]' "$log" | tail -n 1 || true)"
    say "  $name: ${last:-a configurar}"
  done
  if ! wait "$pid"; then
    say "falhou a compilação de $name"
    grep -m 5 -B 2 -A 8 'error' "$log" >&2 || tail -n 40 "$log" >&2
    say "registro completo: $log"
    exit 1
  fi
}

# ---------------------------------------------------------------------------------------------
begin "pacotes do Debian (compilador MinGW-w64, Ninja, Qt do sistema, NSIS, Wine)"
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  ninja-build cmake pkg-config perl tcl dpkg-dev xz-utils
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libsqlite3-0 libical3
  nsis zip wine wine64 xvfb xauth imagemagick x11-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  say "  a instalar: ${missing[*]}"
  logged packages $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive logged packages $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# ---------------------------------------------------------------------------------------------
begin "fontes do Debian (qt6-base, sqlite3, libical3)"
# A private apt list of type deb-src for the machine's own Debian archive, read from its sources,
# so that the machine's apt set-up stays untouched.
APT="$CACHE/apt"
write_source_list() {
  mkdir -p "$APT/parts" "$APT/lists/partial"
  local uris="" signed="" suite="" file=/etc/apt/sources.list.d/debian.sources
  if [ -f "$file" ]; then
    # The stanza whose suites hold the release itself (not -updates nor -security alone).
    read -r uris signed suite < <(awk '
      BEGIN { RS=""; FS="\n" }
      {
        u=""; s=""; k=""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) { u = $i; sub(/^URIs:[ \t]*/, "", u) }
          if ($i ~ /^Signed-By:/) { s = $i; sub(/^Signed-By:[ \t]*/, "", s) }
          if ($i ~ /^Suites:/) { k = $i; sub(/^Suites:[ \t]*/, "", k) }
        }
        split(k, w, /[ \t]+/)
        for (j in w) if (w[j] !~ /-/ && u != "") { print u, (s == "" ? "-" : s), w[j]; exit }
      }' "$file")
  fi
  if [ -z "$uris" ] && [ -f /etc/apt/sources.list ]; then
    read -r uris suite < <(awk '$1 == "deb" && $3 !~ /-/ { print $2, $3; exit }' /etc/apt/sources.list)
    signed=-
  fi
  if [ -z "$uris" ]; then
    say "não encontrei o arquivo do Debian nas fontes do apt desta máquina"
    exit 1
  fi
  {
    echo "Types: deb-src"
    echo "URIs: $uris"
    echo "Suites: $suite"
    echo "Components: main"
    [ "$signed" != "-" ] && echo "Signed-By: $signed"
  } > "$APT/parts/debian-src.sources"
}
apt_private() {
  apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$APT/parts" \
    -o Dir::State::Lists="$APT/lists" -o Dir::Cache="$APT/cache" -o APT::Sandbox::User=root "$@"
}
# The source version of an installed package: a rebuild's "+bN" is not part of it.
host_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null | sed 's/+b[0-9]*$//' || true; }
fetch_source() {
  local name="$1" version="$2"
  done_already "src-$name" && return 0
  local dir="$SRC/$name"
  rm -rf "$dir"
  mkdir -p "$dir"
  say "  a obter $name${version:+ $version}"
  if ! (cd "$dir" && apt_private source -q "$name${version:+=$version}" >>"$LOGS/sources.log" 2>&1); then
    # The archive here may hold a package's upstream tarball without Debian's changes: take the
    # tarball alone when its checksum is the one the package's .dsc gives.
    local orig dsc
    orig="$(find "$dir" -maxdepth 1 -name '*.orig.tar.*' ! -name '*.orig-*' | head -n 1)"
    dsc="$(find "$dir" -maxdepth 1 -name '*.dsc' | head -n 1)"
    if [ -z "$orig" ] || [ -z "$dsc" ] \
       || ! grep -q "^ $(sha256sum "$orig" | cut -d' ' -f1) .* $(basename "$orig")\$" "$dsc"; then
      say "falhou: não consegui obter as fontes de $name"
      tail -n 20 "$LOGS/sources.log" >&2
      exit 1
    fi
    say "  aviso: só as fontes originais de $name estão no arquivo (sem as alterações do Debian)"
    tar -C "$dir" -xf "$orig"
  fi
  mark_done "src-$name"
}
if ! done_already src-qt6-base || ! done_already src-sqlite3 || ! done_already src-libical3; then
  write_source_list
  mkdir -p "$APT/cache/archives/partial"
  logged sources apt_private update -q
  # Qt for Windows must be the version of the host's Qt tools; the others follow the host too.
  fetch_source qt6-base "$(host_version qt6-base-dev-tools)"
  fetch_source sqlite3 "$(host_version libsqlite3-0)"
  fetch_source libical3 "$(host_version libical3)"
fi
source_dir() { find "$SRC/$1" -mindepth 1 -maxdepth 1 -type d | head -n 1; }

# ---------------------------------------------------------------------------------------------
begin "SQLite para Windows (sqlite3.dll)"
if ! done_already sqlite; then
  s="$(source_dir sqlite3)"
  b="$BUILD/sqlite3"
  rm -rf "$b"
  mkdir -p "$b"
  # The amalgamation is made on the host, from the package's own sources, with its own tools.
  (cd "$b" && logged sqlite "$s/configure" --disable-tcl --disable-readline && logged sqlite make sqlite3.c)
  # Debian's own compile options, so the engine behaves as the Linux build's.
  flags=(-O2 -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS3
    -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1
    -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_ENABLE_DBSTAT_VTAB=1 -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1
    -DSQLITE_ENABLE_LOAD_EXTENSION -DSQLITE_ENABLE_JSON1 -DSQLITE_LIKE_DOESNT_MATCH_BLOBS
    -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS4 -DSQLITE_ENABLE_FTS5 -DSQLITE_USE_URI=1
    -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK -DSQLITE_ENABLE_SESSION
    -DSQLITE_ENABLE_STMTVTAB -DSQLITE_MAX_VARIABLE_NUMBER=250000
    "-DSQLITE_API=__declspec(dllexport)")
  (cd "$b" && logged sqlite x86_64-w64-mingw32-gcc-posix "${flags[@]}" -shared -o sqlite3.dll sqlite3.c \
    -Wl,--out-implib,libsqlite3.dll.a)
  mkdir -p "$PREFIX/bin" "$PREFIX/lib/pkgconfig" "$PREFIX/include"
  cp "$b/sqlite3.dll" "$PREFIX/bin/"
  cp "$b/libsqlite3.dll.a" "$PREFIX/lib/"
  cp "$b/sqlite3.h" "$b/sqlite3ext.h" "$PREFIX/include/" 2>/dev/null || cp "$b/sqlite3.h" "$PREFIX/include/"
  version="$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' "$PREFIX/include/sqlite3.h")"
  cat > "$PREFIX/lib/pkgconfig/sqlite3.pc" <<EOF
prefix=$PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: SQLite
Description: SQL database engine
Version: $version
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
EOF
  mark_done sqlite
fi

# ---------------------------------------------------------------------------------------------
begin "libical para Windows"
if ! done_already libical; then
  s="$(source_dir libical3)"
  b="$BUILD/libical"
  rm -rf "$b"
  logged libical cmake -G Ninja -S "$s" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DRAVELHA_MINGW_PREFIX="$PREFIX" -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release \
    -DICAL_GLIB=OFF -DGOBJECT_INTROSPECTION=OFF -DICAL_BUILD_DOCS=OFF -DENABLE_GTK_DOC=OFF \
    -DLIBICAL_BUILD_TESTING=OFF -DWITH_CXX_BINDINGS=OFF -DUSE_BUILTIN_TZDATA=ON -DSHARED_ONLY=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_ICU=ON -DCMAKE_DISABLE_FIND_PACKAGE_BDB=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Doxygen=ON
  ninja_with_progress libical "$b"
  logged libical cmake --install "$b"
  mark_done libical
fi

# ---------------------------------------------------------------------------------------------
begin "Qt 6 base para Windows (Core, Gui, Widgets, Sql, PrintSupport)"
QT_HOST=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
if ! done_already qtbase; then
  s="$(source_dir qt6-base)"
  b="$BUILD/qtbase"
  # Debian's source leaves out the Wintab headers (their licence forbids changes); only the legacy
  # tablet support of the Windows plugin uses them. Built without it, pens still work through
  # Windows' own pointer messages.
  w="$s/src/plugins/platforms/windows"
  sed -i 's|QT_CONFIG(tabletevent)|0 /* sem Wintab nesta fonte */|' "$w/qwindowscontext.cpp"
  perl -0pi -e 's|#if QT_CONFIG\(tabletevent\)\n#  include "qwindowstabletsupport.h"\n#endif\n||' \
    "$w/qwindowspointerhandler.cpp"
  sed -i 's|CONDITION QT_FEATURE_tabletevent$|CONDITION QT_FEATURE_tabletevent AND EXISTS ${QtBase_SOURCE_DIR}/src/3rdparty/wintab|' \
    "$w/CMakeLists.txt" "$w/../direct2d/CMakeLists.txt"
  # Without OpenGL, Qt 6.4 still compiles the Windows plugin's check for a software OpenGL when
  # "dynamicgl" is on, against headers it does not have: the check belongs to OpenGL alone.
  sed -i 's|^#if QT_CONFIG(dynamicgl)$|#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)|' "$w/qwindowswindow.cpp"
  # A build stopped half-way goes on where it stopped (Ninja redoes only what is missing or stale).
  [ -f "$b/build.ninja" ] || { rm -rf "$b"; logged qtbase cmake -G Ninja -S "$s" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DRAVELHA_MINGW_PREFIX="$PREFIX" "${QT_HOST[@]}" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF \
    -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
    -DSQLite3_INCLUDE_DIR="$PREFIX/include" -DSQLite3_LIBRARY="$PREFIX/lib/libsqlite3.dll.a" \
    -DFEATURE_sql_psql=OFF -DFEATURE_sql_odbc=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
    -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF; }
  if ! grep -q 'SQL driver.*SQLite.*yes\|SQLite .*\. yes' "$b/config.summary" 2>/dev/null; then
    say "  aviso: veja em $b/config.summary se o driver SQLite ficou ativo"
  fi
  ninja_with_progress qtbase "$b"
  logged qtbase cmake --install "$b"
  mark_done qtbase
fi

# ---------------------------------------------------------------------------------------------
begin "traduções do Qt em português"
mkdir -p "$PREFIX/translations"
cp /usr/share/qt6/translations/qtbase_pt_BR.qm /usr/share/qt6/translations/qt_pt_BR.qm \
  "$PREFIX/translations/" 2>/dev/null || cp /usr/share/qt6/translations/qtbase_pt*.qm "$PREFIX/translations/"
mark_done translations

say "pronto: $PREFIX"
