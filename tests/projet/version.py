"""The version number is written once, in the top CMakeLists.txt: a file that spells it holds a
copy the next version would leave behind.

Usage: version.py <source folder> <version>
"""

import os
import re
import sys


def main():
    racine, version = os.path.abspath(sys.argv[1]), sys.argv[2]
    motif = re.compile(rf"(?<![\w.]){re.escape(version)}(?![\w.])")  # not in 1.000000e+01
    copies = []
    for dossier, sous_dossiers, fichiers in os.walk(racine):
        sous_dossiers[:] = [d for d in sous_dossiers
                            if dossier != racine or d not in ("build", ".git")]
        for f in fichiers:
            nom = os.path.relpath(os.path.join(dossier, f), racine)
            try:
                with open(os.path.join(dossier, f), encoding="utf-8") as texte:
                    lignes = texte.read().split("\n")
            except UnicodeDecodeError:
                continue  # pictures
            copies += [f"{nom}:{n}: {ligne.strip()}" for n, ligne in enumerate(lignes, 1)
                       if nom != "CMakeLists.txt" and motif.search(ligne)]
    print("\n".join(copies) or f"{version} is written in CMakeLists.txt only")
    return 1 if copies else 0


if __name__ == "__main__":
    sys.exit(main())
