#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it: lintian finds no error, the
# desktop entry and the AppStream metadata are valid, and the programs run from the unpacked
# package.
# Usage: scripts/verifier-paquet.sh [build folder, default build/dev]
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${1:-build/dev}"

rm -f "$construction"/quorvan_*.deb
(cd "$construction" && cpack -G DEB >/dev/null 2>&1)
paquet="$(ls "$construction"/quorvan_*.deb)"
echo "Paquet : $paquet"
if ! rapport="$(lintian --fail-on error "$paquet" 2>&1)"; then
    echo "$rapport"
    exit 1
fi
echo "$rapport" | grep -v 'running with root privileges' || true

dossier="$(mktemp -d)"
trap 'rm -rf "$dossier"' EXIT
dpkg-deb -x "$paquet" "$dossier"
desktop-file-validate "$dossier/usr/share/applications/quorvan.desktop"
appstreamcli validate --no-net "$dossier"/usr/share/metainfo/*.metainfo.xml >/dev/null
"$dossier/usr/bin/quorvan-cli" --version
"$dossier/usr/bin/quorvan-cli" --filtre butterworth --ordre 4 --type passe-haut 1000 |
    grep -qx 'R4 = 5551 Ohms'
# The window program loads its libraries, and finds its plugin where it looks for it.
sortie="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$dossier/usr/bin/quorvan" 2>&1 || true)"
grep -q 'aucun affichage' <<<"$sortie"
[ -f "$dossier/usr/bin/../lib/quorvan/plugins/libquorvan_analyse.so" ]
echo "Paquet vérifié"
