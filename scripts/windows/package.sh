#!/usr/bin/env bash
# Builds Ravelha for Windows with the toolchain that scripts/windows/build-toolchain.sh left in its
# cache folder, and makes of it the setup program (NSIS) and a zip for keepers without rights to
# install. Prints the path of the setup program on standard output; what it is doing goes to
# standard error.
#
#   scripts/windows/package.sh            build folder build-win/ (RAVELHA_WINDOWS_BUILD to change)
#
# Exits 3, saying so, when the toolchain has not been built on this machine.
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
REPO="$(cd "$HERE/../.." && pwd)"
CACHE="$("$HERE/build-toolchain.sh" --where)"
PREFIX="$CACHE/prefix"
BUILD="${RAVELHA_WINDOWS_BUILD:-$REPO/build-win}"
say() { echo "ravelha-windows: $*" >&2; }

if [ ! -f "$CACHE/stamps/translations.done" ] || [ ! -f "$PREFIX/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  say "o conjunto de ferramentas para Windows não está em $CACHE: rode scripts/windows/build-toolchain.sh"
  exit 3
fi
for tool in makensis zip x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null || { say "falta o programa $tool (rode scripts/windows/build-toolchain.sh)"; exit 3; }
done

# ---------------------------------------------------------------------------------------------
say "a compilar ravelha.exe e ravelha-cli.exe em $BUILD"
mkdir -p "$BUILD"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -G Ninja -S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$REPO/packaging/windows/mingw-toolchain.cmake" -DRAVELHA_MINGW_PREFIX="$PREFIX" \
  -DCMAKE_PREFIX_PATH="$PREFIX" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "${launcher[@]}" >"$BUILD/configure.log" 2>&1 \
  || { tail -n 30 "$BUILD/configure.log" >&2; say "falhou a configuração (registro: $BUILD/configure.log)"; exit 1; }
cmake --build "$BUILD" --parallel "$(nproc)" --target ravelha ravelha-cli >&2

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")"
name="Ravelha-$version"
dist="$BUILD/dist/$name"

# ---------------------------------------------------------------------------------------------
say "a juntar as bibliotecas em $dist"
rm -rf "$BUILD/dist"
mkdir -p "$dist"
cp "$BUILD/src/gui/ravelha.exe" "$BUILD/src/cli/ravelha-cli.exe" "$dist/"
x86_64-w64-mingw32-strip "$dist"/*.exe

# The plugins Qt loads at run time (what windeployqt would copy for these modules): the platform,
# the style of the system, the SQLite driver, the pictures a cover may be, and the translations.
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll sqldrivers/qsqlite.dll
  imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qico.dll)
for plugin in "${plugins[@]}"; do
  mkdir -p "$dist/$(dirname "$plugin")"
  cp "$PREFIX/plugins/$plugin" "$dist/$plugin"
done
mkdir -p "$dist/translations"
cp "$PREFIX/translations/"*.qm "$dist/translations/"

# The DLLs the programs and plugins import, and the DLLs those import, found among the libraries
# built for Windows and MinGW's runtime; the rest are Windows' own.
search=("$PREFIX/bin" /usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
find_dll() {
  local dir
  for dir in "${search[@]}"; do
    [ -f "$dir/$1" ] && { echo "$dir/$1"; return 0; }
  done
  return 1
}
queue=("$dist"/*.exe)
for plugin in "${plugins[@]}"; do queue+=("$dist/$plugin"); done
deployed=()
while [ ${#queue[@]} -gt 0 ]; do
  binary="${queue[0]}"
  queue=("${queue[@]:1}")
  while read -r dll; do
    [ -f "$dist/$dll" ] && continue
    if found="$(find_dll "$dll")"; then
      cp "$found" "$dist/$dll"
      deployed+=("$dll")
      queue+=("$dist/$dll")
    fi
  done < <(imports "$binary")
done
x86_64-w64-mingw32-strip --strip-unneeded "$dist"/*.dll "$dist"/*/*.dll
printf '%s\n' "${deployed[@]}" | sort > "$BUILD/dist/bibliotecas.txt"
say "bibliotecas copiadas: $(tr '\n' ' ' < "$BUILD/dist/bibliotecas.txt")"

# ---------------------------------------------------------------------------------------------
say "a fazer o zip"
zip_file="$BUILD/$name-windows.zip"
rm -f "$zip_file"
(cd "$BUILD/dist" && zip -q -r -X "$zip_file" "$name")

say "a fazer o programa de instalação"
# The uninstaller removes exactly the files the setup put in place, never the folder whole: a
# keeper who installed into a folder of his own keeps what else is there.
files_nsh="$BUILD/dist/arquivos.nsh"
{
  echo "!macro RavelhaInstallFiles"
  (cd "$dist" && find . -type d ! -name . | sort) | while read -r d; do
    d="${d#./}"
    echo "  CreateDirectory \"\$INSTDIR\\${d//\//\\}\""
  done
  (cd "$dist" && find . -type f | sort) | while read -r f; do
    f="${f#./}"
    sub="$(dirname "$f" | sed 's|^\.$||; s|/|\\|g')"
    echo "  SetOutPath \"\$INSTDIR${sub:+\\$sub}\""
    echo "  File \"/oname=$(basename "$f")\" \"$dist/$f\""
  done
  echo "!macroend"
  echo "!macro RavelhaRemoveFiles"
  (cd "$dist" && find . -type f | sort) | while read -r f; do
    f="${f#./}"
    echo "  Delete \"\$INSTDIR\\${f//\//\\}\""
  done
  (cd "$dist" && find . -type d ! -name . | sort -r) | while read -r d; do
    d="${d#./}"
    echo "  RMDir \"\$INSTDIR\\${d//\//\\}\""
  done
  echo "!macroend"
} > "$files_nsh"
setup="$BUILD/$name-setup.exe"
rm -f "$setup"
size_kb="$(du -sk "$dist" | cut -f1)"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$setup" -DFILES="$files_nsh" \
  -DICON="$REPO/packaging/windows/ravelha.ico" -DSIZE_KB="$size_kb" \
  "$REPO/packaging/windows/ravelha.nsi" >&2
say "zip: $zip_file"
echo "$setup"
