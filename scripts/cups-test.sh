#!/usr/bin/env bash
# Prints through a real CUPS server: starts a private cupsd with three cups-pdf queues (one
# accepting, one refusing jobs, one for the test to delete), then runs the tests that press
# "Impression du résultat" in the main window and check what arrives, or the message. Stops
# the server afterwards.
#
# Usage: scripts/cups-test.sh [test executable]
# Without root or the CUPS packages the test is skipped with the reason, except under CI
# (CI=true), where it must run.
set -euo pipefail
cd "$(dirname "$0")/.."

test_exe="${1:-build/dev/tests/ui/impression_cups_test}"

ignorer() {
    if [ "${CI:-}" = "true" ]; then
        echo "Test d'impression CUPS impossible en CI : $1" >&2
        exit 1
    fi
    echo "Test d'impression CUPS ignoré : $1"
    exit 0
}

if [ "$(id -u)" -ne 0 ]; then
    # cupsd and the cups-pdf backend run as root.
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        exec sudo -n --preserve-env=CI "$0" "$@"
    fi
    ignorer "il faut être root (ou sudo sans mot de passe) pour lancer cupsd"
fi
for outil in cupsd cupsreject lpadmin lpoptions lpstat pdfinfo pdftoppm; do
    command -v "$outil" >/dev/null || ignorer "$outil est introuvable (scripts/install-deps.sh)"
done
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x "$backend" ] && [ -f "$ppd" ] || ignorer "printer-driver-cups-pdf n'est pas installé"
if [ ! -x "$test_exe" ]; then
    echo "$test_exe est introuvable : construire le projet d'abord" >&2
    exit 1
fi

# A server of our own, in a temporary folder with its own socket, so that neither the
# system's configuration nor a cupsd already running is touched.
racine="$(mktemp -d /tmp/quorvan-cups.XXXXXX)"
pid_cupsd=""
sortie_creee=""
arreter() {
    if [ -n "$pid_cupsd" ] && kill -0 "$pid_cupsd" 2>/dev/null; then
        kill "$pid_cupsd"
        wait "$pid_cupsd" 2>/dev/null || true
    fi
    rm -rf "$racine"
    if [ -n "$sortie_creee" ]; then
        rmdir "$sortie_creee" 2>/dev/null || true
    fi
}
trap arreter EXIT

mkdir -p "$racine"/{etc/ppd,etc/ssl,spool/tmp,cache,run,log,home}
sed -e '/^Listen /d' -e '/^Port /d' -e '/^IdleExitTimeout/d' -e '/^BrowseLocalProtocols/d' \
    -e 's/^Browsing .*/Browsing No/' -e 's/^WebInterface .*/WebInterface No/' \
    /etc/cups/cupsd.conf >"$racine/etc/cupsd.conf"
echo "Listen $racine/cups.sock" >>"$racine/etc/cupsd.conf"
cat >"$racine/etc/cups-files.conf" <<FIN
SystemGroup root lpadmin
PeerCred on
ServerRoot $racine/etc
RequestRoot $racine/spool
TempDir $racine/spool/tmp
CacheDir $racine/cache
StateDir $racine/run
AccessLog $racine/log/access_log
ErrorLog $racine/log/error_log
PageLog $racine/log/page_log
FIN
chmod -R a+rX "$racine"
chmod 1777 "$racine/spool/tmp"

cupsd -f -c "$racine/etc/cupsd.conf" -s "$racine/etc/cups-files.conf" &
pid_cupsd=$!

# Every CUPS client below, the test included, talks to that server; HOME keeps lpoptions'
# choice of default printer out of the user's own settings.
export CUPS_SERVER="$racine/cups.sock"
export CUPS_SERVERROOT="$racine/etc"
export HOME="$racine/home"

for _ in $(seq 50); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$pid_cupsd" 2>/dev/null || break
    sleep 0.2
done
if ! lpstat -r >/dev/null 2>&1; then
    cat "$racine/log/error_log" 2>/dev/null >&2 || true
    ignorer "cupsd n'a pas démarré"
fi

# An accepting queue, one that refuses jobs, and one the test deletes on the way.
for file in QuorvanPDF QuorvanRefus QuorvanEphemere; do
    lpadmin -p "$file" -E -v cups-pdf:/ -P "$ppd" 2>&1 | grep -v 'drivers are deprecated' || true
done
cupsreject QuorvanRefus
lpoptions -d QuorvanPDF >/dev/null

# cups-pdf writes into the "Out" folder of its configuration, ${HOME} being the home of the
# user who prints.
maison="$(getent passwd "$(id -un)" | cut -d: -f6)"
sortie="$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)"
sortie="${sortie:-/var/spool/cups-pdf/\${USER\}}"
sortie="${sortie//\$\{HOME\}/$maison}"
sortie="${sortie//\$\{USER\}/$(id -un)}"
if [ ! -d "$sortie" ]; then
    mkdir -p "$sortie"
    sortie_creee="$sortie"
fi

echo "Imprimante par défaut : $(lpstat -d)"
echo "Documents attendus dans $sortie"
QT_QPA_PLATFORM=offscreen QUORVAN_CUPS_PDF_DIR="$sortie" "$test_exe"
