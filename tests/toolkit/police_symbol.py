"""The Symbol font's bytes as the RTF reader reads them, against the font itself.

Usage: police_symbol.py <table_symbol executable>

The font Debian draws "Symbol" with (URW's Standard Symbols PS) names the glyph of each byte
in its metrics file; Adobe's glyph list says which character each name stands for, and
Unicode's character names settle what that list leaves to a private-use code or to a
look-alike sign. A byte without a glyph, or whose glyph has no character, reads as U+FFFD.
"""

import re
import subprocess
import sys
import unicodedata

from fontTools.agl import LEGACY_AGL2UV

METRIQUES = "/usr/share/fonts/type1/urw-base35/StandardSymbolsPS.afm"
REMPLACEMENT = 0xFFFD

# The pieces that build tall brackets and integrals, and the arrows' extenders: Adobe's list
# gives them private-use codes; Unicode has named characters for them since version 3.2.
FORMES = {"paren": "PARENTHESIS", "bracket": "SQUARE BRACKET", "brace": "CURLY BRACKET",
          "integral": "INTEGRAL", "arrowvert": "VERTICAL LINE", "arrowhoriz": "HORIZONTAL LINE"}
PIECES = {"tp": ["UPPER HOOK", "UPPER CORNER"], "mid": ["MIDDLE PIECE"],
          "bt": ["LOWER HOOK", "LOWER CORNER"], "ex": ["EXTENSION"]}
# The radical's bar, drawn over what it covers: no character extends a radical, the overline
# draws the same bar.
CHOIX = {"radicalex": {0x203E}}


def glyphes():
    """Byte -> glyph name, from the font's metrics."""
    noms = {}
    with open(METRIQUES, encoding="latin-1") as f:
        for ligne in f:
            m = re.match(r"C (\d+) ;.*\bN (\S+) ;", ligne)
            if m:
                noms[int(m.group(1))] = m.group(2)
    return noms


def prive(c):
    return 0xE000 <= c <= 0xF8FF


def attendus(nom):
    """The characters that glyph `nom` may read as."""
    if nom in CHOIX:
        return CHOIX[nom]
    # The font's letters are Greek letters: Adobe's list reads some as look-alike signs
    # (Delta as the increment, Omega as the ohm, mu as the micro sign).
    casse = "CAPITAL" if nom[0].isupper() else "SMALL"
    try:
        return {ord(unicodedata.lookup(f"GREEK {casse} LETTER {nom.upper()}"))}
    except KeyError:
        pass
    codes = [c for c in LEGACY_AGL2UV.get(nom, []) if not prive(c)]
    if codes:
        return set(codes)
    # Serif and sans-serif versions of the same sign.
    for style in ("serif", "sans"):
        if nom.endswith(style):
            racine = nom[: -len(style)]
            return {c for n, cs in LEGACY_AGL2UV.items() if n.startswith(racine)
                    for c in cs if not prive(c)}
    m = re.fullmatch(r"(paren|bracket|brace|integral|arrowvert|arrowhoriz)(left|right)?"
                     r"(tp|mid|bt|ex)", nom)
    if m:
        cote = f"{m.group(2).upper()} " if m.group(2) else ""
        trouves = set()
        for piece in PIECES[m.group(3)]:
            try:
                trouves.add(ord(unicodedata.lookup(f"{cote}{FORMES[m.group(1)]} {piece}")))
            except KeyError:
                pass
        return trouves
    return {REMPLACEMENT}


def main():
    sortie = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    lus = {int(o, 16): int(c, 16) for o, c in (ligne.split() for ligne in sortie.splitlines())}
    noms = glyphes()
    erreurs = []
    for octet in range(0x20, 0x100):
        nom = noms.get(octet)
        voulus = attendus(nom) if nom else {REMPLACEMENT}
        if not voulus:
            erreurs.append(f"0x{octet:02X} {nom}: no character found for it")
        elif lus.get(octet) not in voulus:
            attendu = ", ".join(f"U+{c:04X}" for c in sorted(voulus))
            erreurs.append(f"0x{octet:02X} {nom}: U+{lus.get(octet, 0):04X}, expected {attendu}")
    print("\n".join(erreurs) or f"{len(lus)} bytes read as the font draws them")
    return 1 if erreurs or len(lus) != 0xE0 else 0


if __name__ == "__main__":
    sys.exit(main())
