#!/usr/bin/env bash
# The Debian package of this build: made with cpack, checked with lintian, installed (with apt-get
# as root, on the throw-away CI machine; otherwise unpacked into a temporary root), both installed
# programs started on a new data folder, then purged, leaving nothing of it behind.
# Usage: TestPacote.sh BUILD_DIR [CPACK]   (RAVELHA_PACOTE_SEM_DPKG=1: never install system-wide)
set -euo pipefail
build="$(cd "$1" && pwd)"
cpack="${2:-cpack}"
title_pattern='Principal da Aplica'   # of "Página Principal da Aplicação", the main window

work="$(mktemp -d /tmp/ravelha-pacote.XXXXXX)"
installed=no
real_home="${HOME:-/root}"
home_had_data=no
[ -e "$real_home/Molvedan" ] && home_had_data=yes

cleanup() {
    local status=$?
    if [ "$installed" = yes ]; then
        dpkg --purge ravelha >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
fail() { echo "FALHA: $*" >&2; exit 1; }
step() { echo "== $*"; }

for tool in dpkg-deb lintian xvfb-run xdotool xprop xwininfo file desktop-file-validate; do
    command -v "$tool" >/dev/null || fail "falta o programa $tool (scripts/install-deps.sh o instala)"
done

step "pacote"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/pacote" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack não fez o pacote"; }
deb="$(ls "$work"/pacote/ravelha_*.deb)"
echo "$deb"
dpkg-deb --info "$deb"
contents="$(dpkg-deb -c "$deb" | awk '{ print $6 }')"
for path in ./usr/bin/ravelha ./usr/bin/ravelha-cli ./usr/share/applications/ravelha.desktop \
    ./usr/share/man/man1/ravelha.1.gz ./usr/share/man/man1/ravelha-cli.1.gz \
    ./usr/share/doc/ravelha/copyright ./usr/share/doc/ravelha/changelog.Debian.gz; do
    grep -qxF "$path" <<<"$contents" || fail "o pacote não tem $path"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qxF "./usr/share/icons/hicolor/${size}x${size}/apps/ravelha.png" <<<"$contents" \
        || fail "o pacote não tem o ícone de $size px"
done
# What the programs load: the libraries (found by dpkg-shlibdeps) and the plugins (named by hand).
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libc6 libqt6core6 libqt6widgets6 libqt6sql6 libqt6printsupport6 \
    libical3 libqt6gui6 libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n; do
    grep -qE "(^|[ ,|])$package( |,|$)" <<<"$depends" || fail "Depends sem $package: $depends"
done

step "lintian"
# lintian exits 1 on an error tag and 2 when it could not check at all.
lintian_status=0
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
cat "$work/lintian.log"
[ "$lintian_status" -le 1 ] || fail "lintian não conseguiu examinar o pacote"
if grep -q '^E:' "$work/lintian.log"; then fail "lintian achou erros"; fi

step "instalação"
root=""
# RAVELHA_PACOTE_SEM_DPKG=1 takes the unpacked root even as root (to try that way on CI).
if [ "$(id -u)" -eq 0 ] && [ -z "${RAVELHA_PACOTE_SEM_DPKG:-}" ] && ! dpkg-query -W -f='${Status}' ravelha 2>/dev/null | grep -q installed; then
    installed=yes
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
        || fail "apt-get não instalou o pacote"
    dpkg-query -W -f='${Status}' ravelha | grep -qx 'install ok installed' || fail "o pacote não ficou instalado"
    dpkg -L ravelha >"$work/listed"
else
    # Not root (or a keeper's own installation is there, which the test leaves alone): the package
    # is unpacked into a throw-away root and run from it on the libraries of the machine.
    echo "sem dpkg -i: desempacotado em uma raiz temporária"
    root="$work/raiz"
    dpkg-deb -x "$deb" "$root"
    export XDG_DATA_DIRS="$root/usr/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
fi
bin="$root/usr/bin"
desktop-file-validate "$root/usr/share/applications/ravelha.desktop" || fail "a entrada do menu é inválida"
grep -qx 'Exec=ravelha' "$root/usr/share/applications/ravelha.desktop" || fail "a entrada do menu não abre o programa"
for program in ravelha ravelha-cli; do
    [ -x "$bin/$program" ] || fail "$bin/$program não foi instalado"
    file -L "$bin/$program" | grep -q ', stripped' || fail "$program não está sem símbolos: $(file -L "$bin/$program")"
    if ldd "$bin/$program" | grep -q 'not found'; then ldd "$bin/$program"; fail "falta biblioteca a $program"; fi
done

# The programs run with a home of their own and a new data folder, never on the keeper's.
export HOME="$work/casa"
mkdir -p "$HOME"
unset RAVELHA_DADOS RAVELHA_BANCO RAVELHA_UNIDADE QT_QPA_PLATFORM
export LC_ALL=C.UTF-8
data="$work/unidade"

step "ravelha-cli instalar"
"$bin/ravelha-cli" --dados "$data" instalar >"$work/instalar.out" 2>&1 \
    || { cat "$work/instalar.out"; fail "ravelha-cli instalar"; }
[ -s "$data/Escala.Txt" ] || fail "instalar não fez a pasta de dados"
[ "$(head -n1 "$data/Escala.Txt" | tr -d '\r')" = 01/03/04 ] || fail "a pasta nova não é a dos dados iniciais"

step "ravelha-cli verificar"
before="$(cd "$data" && find . -type f -exec md5sum {} + | sort)"
"$bin/ravelha-cli" --dados "$data" verificar 03/03/04 >"$work/verificar.out" 2>"$work/verificar.err" \
    || { cat "$work/verificar.out" "$work/verificar.err"; fail "ravelha-cli verificar"; }
cat "$work/verificar.out"
[ ! -s "$work/verificar.err" ] || { cat "$work/verificar.err"; fail "verificar escreveu erros"; }
for header in '               02/03/04 (Pt)' '               03/03/04 (Pt)'; do
    grep -qxF "$header" "$work/verificar.out" || fail "verificar não listou '$header'"
done
for service in 'Cb Gda' 'Sd Gda' 'Of Dia' 'Adj Of'; do
    [ "$(grep -cE "^     $service:  ([0-9]+-[^ ]+  )+\$" "$work/verificar.out")" -eq 2 ] \
        || fail "verificar não escalou $service nos dois dias"
done
[ "$(tail -n1 "$work/verificar.out")" = '== Mensagens' ] || fail "verificar não terminou com as mensagens"
after="$(cd "$data" && find . -type f -exec md5sum {} + | sort)"
[ "$before" = "$after" ] || fail "verificar mudou a pasta de dados"

step "ravelha sob Xvfb"
cat >"$work/janela.sh" <<'SCRIPT'
#!/usr/bin/env bash
# Starts the program, waits for its main window, reads the window's name and icon, then ends it.
set -u
QT_QPA_PLATFORM=xcb "$1" --dados "$2" >"$3/ravelha.log" 2>&1 &
pid=$!
window=""
for _ in $(seq 1 120); do
    window="$(xdotool search --name "$4" 2>/dev/null | head -n1)"
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
done
if [ -n "$window" ]; then
    xwininfo -root -tree >"$3/arvore.txt"
    xprop -id "$window" _NET_WM_ICON WM_CLASS >"$3/propriedades.txt" 2>&1
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$window" ]
SCRIPT
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/janela.sh" "$bin/ravelha" "$data" "$work" "$title_pattern" \
    || { cat "$work/ravelha.log" 2>/dev/null; fail "a janela principal do programa instalado não apareceu"; }
grep -F 'Página Principal da Aplicação' "$work/arvore.txt" || fail "nenhuma janela com o título do programa"
# The icon of the installed hicolor theme reached the window.
grep -q '_NET_WM_ICON(CARDINAL) = ' "$work/propriedades.txt" || { cat "$work/propriedades.txt"; fail "a janela não tem o ícone instalado"; }
grep 'WM_CLASS' "$work/propriedades.txt"

[ ! -e "$HOME/Molvedan" ] || fail "os programas escreveram em \$HOME/Molvedan"
if [ "$home_had_data" = no ] && [ -e "$real_home/Molvedan" ]; then fail "os programas escreveram em $real_home/Molvedan"; fi

if [ "$installed" = yes ]; then
    step "remoção"
    dpkg --purge ravelha || fail "dpkg --purge falhou"
    installed=no
    dpkg-query -W -f='${Status}' ravelha 2>/dev/null | grep -q installed && fail "o pacote continua instalado"
    left=0
    while IFS= read -r path; do
        [ -e "$path" ] || [ -L "$path" ] || continue
        # What stays is a directory other packages share (owned by one, or holding their files).
        if [ -d "$path" ] && ! [ -L "$path" ]; then
            dpkg -S "$path" >/dev/null 2>&1 && continue
            [ -n "$(ls -A "$path")" ] && continue
        fi
        echo "restou: $path" >&2
        left=1
    done <"$work/listed"
    [ "$left" -eq 0 ] || fail "a remoção deixou arquivos do pacote"
fi
echo "OK"
