#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it: lintian finds neither error nor
# warning, the desktop entry and the AppStream metadata are valid, every file that carries the
# version carries the program's, the manual page names every option of quorvan-cli, no
# file names a folder of the machine that built it, and the programs run from the unpacked
# package in a clean environment, where every file the window loads comes from a package the
# package depends on.
# Usage: scripts/verifier-paquet.sh [build folder, default build/dev]
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${1:-build/dev}"

rm -f "$construction"/quorvan_*.deb
(cd "$construction" && cpack -G DEB >/dev/null 2>&1)
paquet="$(ls "$construction"/quorvan_*.deb)"
echo "Paquet : $paquet"
dpkg-deb -f "$paquet" Depends
if ! rapport="$(lintian --fail-on error,warning "$paquet" 2>&1)"; then
    echo "$rapport"
    exit 1
fi
echo "$rapport" | grep -v 'running with root privileges' || true

dossier="$(mktemp -d)"
trap 'rm -rf "$dossier"' EXIT
dpkg-deb -x "$paquet" "$dossier/racine"
racine="$dossier/racine"
desktop-file-validate "$racine/usr/share/applications/quorvan.desktop"
appstreamcli validate --no-net "$racine"/usr/share/metainfo/*.metainfo.xml >/dev/null

version="$(dpkg-deb -f "$paquet" Version)"
[ "$("$racine/usr/bin/quorvan-cli" --version)" = "quorvan-cli $version" ]
zcat "$racine/usr/share/doc/quorvan/changelog.gz" | head -n 1 | grep -q "^quorvan ($version) "
grep -q "<release version=\"$version\"" "$racine"/usr/share/metainfo/*.metainfo.xml
for page in quorvan quorvan-cli; do
    zcat "$racine/usr/share/man/man1/$page.1.gz" | head -n 1 | grep -q "\"Quorvan $version\""
done
# The manual page names every option the program's help lists.
for option in $("$racine/usr/bin/quorvan-cli" --help | grep -o -- '--[a-z]\+' | sort -u); do
    if ! zcat "$racine/usr/share/man/man1/quorvan-cli.1.gz" | grep -q -- "\\\\-\\\\-${option#--}"; then
        echo "quorvan-cli.1 does not describe $option" >&2
        exit 1
    fi
done

# A folder of the build machine written into a program is one another user of that machine may
# fill; Qt's string literals are UTF-16.
sources="$(pwd -P)"
binaires="$(cd "$construction" && pwd -P)"
while IFS= read -r -d '' f; do
    if { strings -a "$f"; strings -a -e l "$f"; } | grep -F -e "$sources" -e "$binaires"; then
        echo "$f names a folder of the build machine" >&2
        exit 1
    fi
done < <(find "$racine" -type f -print0)

"$racine/usr/bin/quorvan-cli" --filtre butterworth --ordre 4 --type passe-haut 1000 |
    grep -qx 'R4 = 5551 Ohms'
sortie="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$racine/usr/bin/quorvan" 2>&1 || true)"
grep -q 'aucun affichage' <<<"$sortie"
# The window on a virtual X server with nothing of this environment: its windows open, the
# analysis window from the plugin beside the program, and what they load is declared.
mkdir "$dossier/maison"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'exec env -i DISPLAY="$DISPLAY" \
    XAUTHORITY="$XAUTHORITY" PATH=/usr/bin:/bin HOME="$1" tests/app/smoke_x11.sh "$2" "$3"' \
    _ "$dossier/maison" "$racine/usr/bin/quorvan" "$dossier/cartes"
python3 scripts/dependances-execution.py "$paquet" "$racine" "$dossier/cartes"
echo "Paquet vérifié"
