"""Comments a reader can follow: every folder or file they name exists, and no line of a comment
paragraph stops far short of the margin in mid-sentence, which leaves a fragment.

Usage: commentaires.py <source folder>
"""

import os
import re
import sys

# A line that could have taken the next one's first word within 25 columns of the margin
# (.clang-format's 100) was cut short by hand.
LIBRE = 100 - 25
CHEMIN = re.compile(r"(?<![\w./-])((?:analysis|app|bench|circuit|cli|docs|engine|help|netlist"
                    r"|packaging|report|scripts|tests|toolkit|ui)/[\w./-]*\w)")
# Where a line may end short: a sentence's end, a usage line, before a list item or a formula.
FIN = re.compile(r"[.:;!?]$|^Usage:")
ELEMENT = re.compile(r"([-*•]|\d+[.)])\s|[\d(+−*/=]")


def main():
    racine = os.path.abspath(sys.argv[1])
    erreurs = []
    for dossier, sous_dossiers, fichiers in os.walk(racine):
        sous_dossiers[:] = sorted(d for d in sous_dossiers
                                  if dossier != racine or d not in ("build", ".git", "docs"))
        for f in sorted(fichiers):
            if not (f.endswith((".h", ".cpp", ".py", ".sh", ".cmake")) or f == "CMakeLists.txt"):
                continue
            nom = os.path.relpath(os.path.join(dossier, f), racine)
            marque = re.escape("//" if f.endswith((".h", ".cpp")) else "#")
            with open(os.path.join(dossier, f), encoding="utf-8") as texte:
                lignes = texte.read().split("\n")
            avant = None  # the previous line, when it is a whole-line comment: indent, text
            for n, ligne in enumerate(lignes, 1):
                seul = re.match(rf"^(\s*){marque}(?!!) ?(.*)$", ligne)
                apres = re.search(rf"\s{marque} (.*)$", ligne)
                texte = seul.group(2) if seul else apres.group(1) if apres else ""
                if apres and not seul and '"' in ligne[: apres.start()]:
                    texte = ""  # inside a string
                for cite in CHEMIN.findall(texte):
                    if not os.path.exists(os.path.join(racine, cite)):
                        erreurs.append(f"{nom}:{n}: names {cite}, which does not exist")
                if (seul and avant and avant[0] == seul.group(1) and avant[1] and texte
                        and len(lignes[n - 2].rstrip()) + 1 + len(texte.split()[0]) <= LIBRE
                        and not FIN.search(avant[1]) and not ELEMENT.match(texte)):
                    erreurs.append(f"{nom}:{n - 1}: stops short in mid-sentence: {avant[1]!r}")
                avant = (seul.group(1), seul.group(2).rstrip()) if seul else None
    print("\n".join(erreurs) or "comments name existing files and run on to the margin")
    return 1 if erreurs else 0


if __name__ == "__main__":
    sys.exit(main())
