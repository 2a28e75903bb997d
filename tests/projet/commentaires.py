"""Comments that a reader can follow: every folder or file they name exists, and no line of a
comment paragraph stops far short of the margin in mid-sentence, which leaves a fragment.

Usage: commentaires.py <source folder>
"""

import os
import re
import sys

MARGE = 100  # .clang-format's ColumnLimit
# A line this far from the margin that could have taken the next line's first word was cut
# short by hand: what follows reads as a fragment.
JEU = 25
DOSSIERS = ("analysis|app|bench|circuit|cli|docs|engine|help|netlist|packaging|report|scripts"
            "|tests|toolkit|ui")
CHEMIN = re.compile(rf"(?<![\w./-])((?:{DOSSIERS})/[\w./-]*\w)")
# Where a line may end short: a sentence's end, a list item's start, a usage line.
FIN_DE_PHRASE = re.compile(r"[.:;!?]$")
ELEMENT = re.compile(r"([-*•]|\d+[.)])\s")


def sources(racine):
    for dossier, sous_dossiers, fichiers in os.walk(racine):
        if dossier == racine:
            sous_dossiers[:] = [d for d in sous_dossiers if d not in ("build", ".git", "docs")]
        for f in fichiers:
            if f.endswith((".h", ".cpp", ".py", ".sh", ".cmake")) or f == "CMakeLists.txt":
                yield os.path.join(dossier, f)


def commentaires(chemin):
    """(line number, indent or None for a comment after code, text) of each comment line."""
    marque = "//" if chemin.endswith((".h", ".cpp")) else "#"
    seul = re.compile(rf"^(\s*){re.escape(marque)}(?!!) ?(.*)$")
    apres = re.compile(rf"\s{re.escape(marque)} (.*)$")
    with open(chemin, encoding="utf-8") as f:
        for n, ligne in enumerate(f.read().split("\n"), 1):
            m = seul.match(ligne)
            if m:
                yield n, m.group(1), m.group(2).rstrip(), len(ligne.rstrip())
            elif (m := apres.search(ligne)) and '"' not in ligne[: m.start()]:
                yield n, None, m.group(1), len(ligne.rstrip())


def main():
    racine = os.path.abspath(sys.argv[1])
    erreurs = []
    for chemin in sorted(sources(racine)):
        nom = os.path.relpath(chemin, racine)
        precedente = None
        for n, retrait, texte, longueur in commentaires(chemin):
            for cite in CHEMIN.findall(texte):
                if not os.path.exists(os.path.join(racine, cite)):
                    erreurs.append(f"{nom}:{n}: names {cite}, which does not exist")
            if (precedente and retrait is not None and precedente[1] == retrait
                    and precedente[0] == n - 1 and texte and precedente[2]
                    and precedente[3] + 1 + len(texte.split()[0]) <= MARGE - JEU
                    and not FIN_DE_PHRASE.search(precedente[2])
                    and not precedente[2].startswith("Usage:") and not ELEMENT.match(texte)):
                erreurs.append(f"{nom}:{n - 1}: the line stops short of the margin in "
                               f"mid-sentence: {precedente[2]!r}")
            precedente = (n, retrait, texte, longueur)
    print("\n".join(erreurs) or "comments name existing files and run on to the margin")
    return 1 if erreurs else 0


if __name__ == "__main__":
    sys.exit(main())
