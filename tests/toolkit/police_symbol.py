"""The Symbol font's bytes as the RTF reader reads them (table_symbol prints them), against the
font Debian draws "Symbol" with: its metrics name each byte's glyph, Adobe's glyph list says
which character each name stands for, and Unicode's character names settle what that list
leaves to a private-use code or a look-alike sign. No glyph, or no character: U+FFFD.

Usage: police_symbol.py <table_symbol executable>
"""

import re
import subprocess
import sys
import unicodedata

from fontTools.agl import LEGACY_AGL2UV

METRIQUES = "/usr/share/fonts/type1/urw-base35/StandardSymbolsPS.afm"
# The pieces of tall brackets and integrals and the arrows' extenders, private-use codes in
# Adobe's list, have named characters since Unicode 3.2.
PIECE = re.compile(r"(paren|bracket|brace|integral|arrowvert|arrowhoriz)(left|right)?"
                   r"(tp|mid|bt|ex)")
FORMES = {"paren": "PARENTHESIS", "bracket": "SQUARE BRACKET", "brace": "CURLY BRACKET",
          "integral": "INTEGRAL", "arrowvert": "VERTICAL LINE", "arrowhoriz": "HORIZONTAL LINE"}
PIECES = {"tp": ["UPPER HOOK", "UPPER CORNER"], "mid": ["MIDDLE PIECE"],
          "bt": ["LOWER HOOK", "LOWER CORNER"], "ex": ["EXTENSION"]}


def caracteres(*noms):
    trouves = set()
    for nom in noms:
        try:
            trouves.add(ord(unicodedata.lookup(nom)))
        except KeyError:
            pass
    return trouves


def attendus(glyphe):
    if glyphe == "radicalex":  # the radical's bar: no character extends it, the overline draws it
        return {0x203E}
    # The letters are Greek: Adobe's list reads Delta, Omega, mu as increment, ohm, micro.
    grec = caracteres(f"GREEK {'CAPITAL' if glyphe[0].isupper() else 'SMALL'} LETTER {glyphe}")
    adobe = {c for c in LEGACY_AGL2UV.get(glyphe, []) if not 0xE000 <= c <= 0xF8FF}
    if not adobe and (m := re.fullmatch(r"(.+)(serif|sans)", glyphe)):  # designs of one sign
        adobe = {c for n, cs in LEGACY_AGL2UV.items() if n.startswith(m.group(1)) for c in cs
                 if not 0xE000 <= c <= 0xF8FF}
    if not adobe and (m := PIECE.fullmatch(glyphe)):
        cote = f"{m.group(2).upper()} " if m.group(2) else ""
        adobe = caracteres(*(f"{cote}{FORMES[m.group(1)]} {p}" for p in PIECES[m.group(3)]))
    return grec or adobe or {0xFFFD}


def main():
    with open(METRIQUES, encoding="latin-1") as f:
        glyphes = {int(m.group(1)): m.group(2) for m in re.finditer(r"^C (\d+) ;.*?\bN (\S+) ;",
                                                                     f.read(), re.M)}
    sortie = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    lus = {int(o, 16): int(c, 16) for o, c in (ligne.split() for ligne in sortie.splitlines())}
    erreurs = []
    for octet in range(0x20, 0x100):
        voulus = attendus(glyphes[octet]) if octet in glyphes else {0xFFFD}
        if lus.get(octet) not in voulus:
            erreurs.append(f"0x{octet:02X} {glyphes.get(octet)}: U+{lus.get(octet, 0):04X}, "
                           f"expected {' or '.join(f'U+{c:04X}' for c in sorted(voulus))}")
    print("\n".join(erreurs) or f"{len(lus)} bytes read as the font draws them")
    return 1 if erreurs or len(lus) != 0xE0 else 0


if __name__ == "__main__":
    sys.exit(main())
