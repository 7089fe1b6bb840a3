#!/usr/bin/env bash
# The Windows build run under Wine beside the Linux build:
#   - `instalar` makes the same data folder (text files byte for byte, every table row for row);
#   - a folder made by either system opens on the other, with the same listing;
#   - a folder named with accents, `escalar`, `backup`, `restaurar --sim`, the exports (CSV,
#     iCalendar, PDF) and the refusal of `--banco`;
#   - the setup program installs silently, the installed program opens its main window (a
#     screenshot is kept beside the test's build folder), and the uninstaller removes what the setup
#     put in place and nothing else.
#
#   TestWindowsUnderWine.sh DIST SETUP LINUX_CLI OUTPUT_FOLDER
# run on a screen of 1024x768 (xvfb-run), with WINEPREFIX made by the caller.
set -euo pipefail

dist="$1"
setup="$2"
linux_cli="$3"
output="$4"
[ -n "${WINEPREFIX:-}" ] || { echo "WINEPREFIX não foi dado" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "sem tela: rode sob xvfb-run" >&2; exit 1; }

work="$(mktemp -d)"
gui_pid=""
cleanup() {
    [ -n "$gui_pid" ] && kill "$gui_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

step() { echo "== $*"; }
fail() { echo "FALHOU: $*" >&2; exit 1; }
win() { wine "$dist/ravelha-cli.exe" "$@"; }
lin() { "$linux_cli" "$@"; }
# Every table of a data folder, row by row in stored order; the time of day the log of counts
# keeps for each row ("Quando") is left out, as it differs from run to run.
# With "--conteudo", what a copy carries: every table but the log of counts (a restore logs the
# history it brings back), rows in any order, without the services' unused rest column ("Folga",
# which no save of the register keeps).
tables() {
    python3 - "$1/Ravelha.db" "${2:-}" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
content = sys.argv[2] == "--conteudo"
left_out = {"Quando", "Folga"} if content else {"Quando"}
for (name,) in db.execute("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"):
    if content and name in ("LogPontos", "sqlite_sequence"):
        continue
    cursor = db.execute(f'SELECT * FROM "{name}" ORDER BY rowid')
    columns = [d[0] for d in cursor.description]
    print(f"# {name}: {columns}")
    rows = ["|".join(repr(v) for c, v in zip(columns, row) if c not in left_out) for row in cursor]
    print("\n".join(sorted(rows) if content else rows))
PY
}
# The text files of two data folders are the same bytes; Niveis.Txt (and IniNiveis.Txt, its first
# state) names each folder's own copy on its line 6, so only their first five lines are compared.
same_text_files() {
    local a="$1" b="$2" name
    for name in $(cd "$a" && ls -- *.Txt *.Bmp 2>/dev/null); do
        [ -f "$b/$name" ] || fail "$name falta em $b"
        if [ "$name" = "Niveis.Txt" ] || [ "$name" = "IniNiveis.Txt" ]; then
            cmp -s <(head -n 5 "$a/$name") <(head -n 5 "$b/$name") || fail "$name difere (linhas 1 a 5)"
        else
            cmp -s "$a/$name" "$b/$name" || fail "$name difere entre $a e $b"
        fi
    done
}
same_tables() {
    diff <(tables "$1") <(tables "$2") >"$work/tables.diff" || { head -n 20 "$work/tables.diff" >&2; fail "$3"; }
}

# ---------------------------------------------------------------------------------------------
step "instalar: a mesma pasta de dados nos dois sistemas"
win --dados "Z:$work/win" instalar >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; fail "instalar no Windows"; }
grep -q "^Pasta de dados instalada: Z:" "$work/out" || fail "instalar disse: $(cat "$work/out")"
lin --dados "$work/lin" instalar >/dev/null
same_text_files "$work/lin" "$work/win"
same_tables "$work/lin" "$work/win" "as tabelas de instalar diferem"
# The copy's place is a Windows path, in the file's own encoding and line ends.
sed -n 6p "$work/win/Niveis.Txt" | grep -q '^Z:\\.*\\win\\Espelho'$'\r''$' \
    || fail "linha 6 de Niveis.Txt: $(sed -n 6p "$work/win/Niveis.Txt" | od -c | head -n 3)"

step "uma pasta de um sistema abre no outro, com a mesma lista"
day=10/03/04
lin --dados "$work/lin" --hoje 01/03/04 verificar $day >"$work/lin.out" 2>&1
win --dados "Z:$work/lin" --hoje 01/03/04 verificar $day >"$work/win-on-lin.out" 2>&1
lin --dados "$work/win" --hoje 01/03/04 verificar $day >"$work/lin-on-win.out" 2>&1
[ -s "$work/lin.out" ] || fail "verificar não listou nada"
cmp "$work/lin.out" "$work/win-on-lin.out" || fail "verificar do Windows difere na pasta do Linux"
cmp "$work/lin.out" "$work/lin-on-win.out" || fail "verificar do Linux difere na pasta do Windows"

step "escalar: a mesma escala, as mesmas tabelas e arquivos"
lin --dados "$work/lin" --hoje 01/03/04 escalar $day >"$work/lin.out" 2>&1
win --dados "Z:$work/win" --hoje 01/03/04 escalar $day >"$work/win.out" 2>&1
cmp "$work/lin.out" "$work/win.out" || fail "a saída de escalar difere"
same_text_files "$work/lin" "$work/win"
same_tables "$work/lin" "$work/win" "as tabelas depois de escalar diferem"

step "uma pasta com acentos no nome"
accented="$work/Escalas da Seção"
win --dados "Z:$accented" instalar >"$work/out" || fail "instalar numa pasta com acentos"
grep -q "Escalas da Seção" "$work/out" || fail "o nome com acentos saiu assim: $(cat "$work/out")"
[ -f "$accented/Ravelha.db" ] || fail "a pasta com acentos não foi criada com o seu nome"

step "exportações: planilha e calendário iguais aos do Linux"
lin --dados "$work/lin" historico --csv "$work/lin.csv" >/dev/null
win --dados "Z:$work/win" historico --csv "Z:$work/win.csv" >/dev/null
cmp "$work/lin.csv" "$work/win.csv" || fail "o CSV do histórico difere"
lin --dados "$work/lin" exportar-ical "$work/lin.ics" >/dev/null
win --dados "Z:$work/win" exportar-ical "Z:$work/win.ics" >/dev/null
grep -q $'^BEGIN:VCALENDAR\r$' "$work/win.ics" || fail "o calendário não começa por BEGIN:VCALENDAR"
# The moment each file was made (DTSTAMP) is all that may differ.
cmp <(grep -v '^DTSTAMP:' "$work/lin.ics") <(grep -v '^DTSTAMP:' "$work/win.ics") || fail "o calendário difere"
# The printout of the coming days: the same text as the Linux build's.
win --dados "Z:$work/win" --hoje 01/03/04 imprimir 14/03/04 --pdf "Z:$work/win.pdf" >/dev/null 2>"$work/err" \
    || { cat "$work/err" >&2; fail "imprimir --pdf"; }
lin --dados "$work/lin" --hoje 01/03/04 imprimir 14/03/04 --pdf "$work/lin.pdf" >/dev/null 2>&1
pdftotext "$work/win.pdf" - | grep -q "14/03/04" || fail "o PDF da escala não mostra o dia 14/03/04"
# Word for word: the fonts' engines of the two systems may place a blank line differently.
words() { pdftotext "$1" - | tr -s '[:space:]' '\n'; }
cmp <(words "$work/lin.pdf") <(words "$work/win.pdf") || fail "o texto do PDF difere"
[ "$(pdfinfo "$work/win.pdf" | sed -n 's/^Pages: *//p')" = "$(pdfinfo "$work/lin.pdf" | sed -n 's/^Pages: *//p')" ] \
    || fail "o PDF tem outro número de páginas"
# An export is never written inside the data folder.
if win --dados "Z:$work/win" historico --csv "Z:$work/win/h.csv" >/dev/null 2>"$work/err"; then
    fail "um CSV dentro da pasta de dados foi aceito"
fi
[ ! -e "$work/win/h.csv" ] || fail "o CSV foi gravado dentro da pasta de dados"

step "cópia de segurança e restauração"
tables "$work/win" --conteudo >"$work/before-backup"
win --dados "Z:$work/win" backup >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; fail "backup"; }
[ -f "$work/win/Espelho/CopiaDeSeguranca.Ravelha" ] || fail "a cópia não tem a sua marca"
[ -f "$work/win/Espelho/Ravelha.db" ] || fail "a cópia não tem o banco de dados"
win --dados "Z:$work/win" --hoje 01/03/04 escalar 12/03/04 >/dev/null 2>&1 || fail "escalar depois da cópia"
cmp -s "$work/before-backup" <(tables "$work/win" --conteudo) && fail "escalar não mudou nada antes de restaurar"
win --dados "Z:$work/win" restaurar --sim >"$work/out" 2>"$work/err" || { cat "$work/err" >&2; fail "restaurar --sim"; }
diff "$work/before-backup" <(tables "$work/win" --conteudo) | head -n 10 >&2
cmp -s "$work/before-backup" <(tables "$work/win" --conteudo) || fail "restaurar não trouxe de volta as tabelas da cópia"
if win --dados "Z:$work/win" restaurar >/dev/null 2>"$work/err"; then fail "restaurar sem --sim foi aceito"; fi

step "--banco: esta versão não trabalha com servidor e diz isso"
status=0
win --dados "Z:$work/win" --banco postgresql://localhost/ravelha --unidade Bpm3 verificar $day >/dev/null 2>"$work/err" \
    || status=$?
[ "$status" -ne 0 ] || fail "--banco foi aceito"
grep -q "esta versão do Ravelha para Windows" "$work/err" || fail "--banco disse: $(cat "$work/err")"

# ---------------------------------------------------------------------------------------------
step "o programa de instalação, em silêncio"
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Ravelha"
wine "$setup" /S /ATALHO
wineserver -w
for name in ravelha.exe ravelha-cli.exe Desinstalar.exe Qt6Core.dll sqlite3.dll platforms/qwindows.dll \
    sqldrivers/qsqlite.dll translations/qtbase_pt_BR.qm; do
    [ -f "$installed/$name" ] || fail "a instalação não pôs $name em Program Files\\Ravelha"
done
start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Ravelha/Ravelha.lnk"
[ -f "$start_menu" ] || fail "não há entrada no menu Iniciar"
desktop="$(find "$drive_c/users" -path '*/Desktop/Ravelha.lnk' | head -n 1)"
[ -n "$desktop" ] || fail "/ATALHO não pôs o atalho na área de trabalho"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelha'
wine reg query "$uninstall_key" /v DisplayName /reg:64 2>/dev/null | grep -q Ravelha \
    || fail "Adicionar ou remover programas não mostra o Ravelha"

step "o programa instalado abre a janela principal (1024x768)"
data_folder="$drive_c/Molvedan/Ravelha"
shot="$output/ravelha-windows.png"
rm -f "$shot"
cat >"$work/gui.sh" <<EOF
wine "C:\\\\Program Files\\\\Ravelha\\\\ravelha.exe" &
for i in \$(seq 1 90); do
    window=\$(xdotool search --name "Página Principal da Aplicação" 2>/dev/null | head -n 1)
    [ -n "\$window" ] && break
    sleep 1
done
[ -n "\$window" ] || { echo "a janela principal não abriu"; exit 1; }
sleep 3
xwininfo -id "\$window" > "$work/window.txt"
import -window root "$shot"
wine taskkill /IM ravelha.exe /F >/dev/null 2>&1 || true
wineserver -w
EOF
bash "$work/gui.sh" || fail "o programa instalado não abriu"
[ -f "$shot" ] || fail "sem imagem da janela"
width="$(sed -n 's/.*Width: //p' "$work/window.txt")"
height="$(sed -n 's/.*Height: //p' "$work/window.txt")"
[ "$width" -le 1024 ] && [ "$height" -le 768 ] || fail "a janela principal ($width x $height) não cabe em 1024x768"
[ -f "$data_folder/Ravelha.db" ] || fail "a primeira abertura não criou C:\\Molvedan\\Ravelha"
echo "imagem da janela: $shot"

step "o desinstalador remove o programa e deixa os dados"
wine "$installed/Desinstalar.exe" /S
# The uninstaller runs from a copy of itself and returns at once: wait for its work to end.
wineserver -w
for i in $(seq 1 60); do
    [ -e "$installed/ravelha.exe" ] || break
    sleep 1
done
[ ! -e "$installed" ] || fail "Program Files\\Ravelha ficou: $(ls -R "$installed" | head)"
[ ! -e "$start_menu" ] || fail "a entrada do menu Iniciar ficou"
[ ! -e "$desktop" ] || fail "o atalho da área de trabalho ficou"
if wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1; then fail "o registro de desinstalação ficou"; fi
[ -f "$data_folder/Ravelha.db" ] || fail "a desinstalação apagou a pasta de dados"

echo "Windows sob Wine: tudo certo"
