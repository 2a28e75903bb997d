#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorvan need, and the locales the
# tests format numbers in. Installs only what is missing, so it is quick to run again.
set -euo pipefail

paquets=(
    cmake make g++ pkg-config     # build
    libfontconfig-dev             # reading the font configuration ahead at start-up
    qt6-base-dev qt6-qpa-plugins  # Qt 6 Widgets, PrintSupport and Core; X11 and offscreen
    qt6-translations-l10n         # Qt's own buttons and dialogs in French
    qt6-charts-dev libqt6opengl6-dev  # the analysis window's response chart (Charts needs OpenGL's CMake files)
    libeigen3-dev                 # the small complex solves of the response analysis
    libboost-dev                  # Boost.Math's minimum and root finders (Monte Carlo trials)
    libgtest-dev                  # unit and GUI tests
    clang libclang-rt-14-dev      # libFuzzer targets
    clang-format                  # formatting check
    locales                       # French and English locales for the tests
    xvfb xauth xdotool            # the window tested on a real X server
    scrot                         # screenshots for the README (scripts/screenshots.sh)
    desktop-file-utils            # checks the desktop menu entry
    fonts-liberation              # Liberation Serif, metric twin of the help text's Times New Roman
    fonts-dejavu-core             # the diagrams' labels when Liberation Sans is missing
    fonts-urw-base35 python3-fonttools  # the Symbol font and Adobe's glyph list, for the help's symbols
    poppler-utils                 # reading printed PDF files back in the printing tests
    libcups2-dev                  # handing print jobs to CUPS and hearing whether it took them
    cups printer-driver-cups-pdf  # a real print queue for scripts/cups-test.sh
    ngspice                       # simulates every exported netlist in the tests
    python3-scipy python3-numpy   # filter theory and curve comparison in the tests
    dpkg-dev fakeroot lintian     # the Debian package: shlibdeps, building it, checking it
    appstream                     # validates the package's AppStream metadata
)
locales_voulues=(fr_FR.UTF-8 en_US.UTF-8)

en_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

manquants=()
for p in "${paquets[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        manquants+=("$p")
    fi
done
if [ "${#manquants[@]}" -gt 0 ]; then
    echo "Installation de : ${manquants[*]}"
    en_root apt-get update -qq
    en_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${manquants[@]}"
fi

a_generer=0
for l in "${locales_voulues[@]}"; do
    nom_court="$(echo "${l%%.*}.utf8")"
    if ! locale -a 2>/dev/null | grep -qx "$nom_court"; then
        en_root sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
        grep -qx "${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | en_root tee -a /etc/locale.gen >/dev/null
        a_generer=1
    fi
done
if [ "$a_generer" -eq 1 ]; then
    en_root locale-gen >/dev/null
fi
