"""The version number is written once, in the top CMakeLists.txt: any other file that spells it
holds a copy that the next version would leave behind.

Usage: version.py <source folder> <version>
"""

import os
import re
import sys


def main():
    racine, version = os.path.abspath(sys.argv[1]), sys.argv[2]
    # As a number of its own: not inside 11.005 or 1.000000e+01.
    motif = re.compile(rf"(?<![\w.]){re.escape(version)}(?![\w.])")
    copies = []
    for dossier, sous_dossiers, fichiers in os.walk(racine):
        if dossier == racine:
            sous_dossiers[:] = [d for d in sous_dossiers if d not in ("build", ".git")]
        for f in fichiers:
            chemin = os.path.join(dossier, f)
            nom = os.path.relpath(chemin, racine)
            if nom == "CMakeLists.txt":
                continue
            try:
                with open(chemin, encoding="utf-8") as texte:
                    lignes = texte.read().split("\n")
            except UnicodeDecodeError:
                continue  # pictures
            copies += [f"{nom}:{n}: {l.strip()}" for n, l in enumerate(lignes, 1)
                       if motif.search(l)]
    print("\n".join(copies) or f"{version} is written in CMakeLists.txt only")
    return 1 if copies else 0


if __name__ == "__main__":
    sys.exit(main())
