"""Checks that a package declares what its programs load at run time.

Usage: dependances-execution.py <package.deb> <unpacked folder> <memory map>...

Qt loads its platform plugin, fonts and translations while it runs: no binary names them, so
the dependencies read from the binaries miss them. Every file mapped into a program of the
package (a memory map from /proc/<pid>/maps, taken while the program runs) must come from the
package itself or from a package it depends on or recommends, directly or through the
packages those depend on. Files that no package owns (caches, the locale archive) are
generated on the machine.
"""

import re
import subprocess
import sys


def noms(champ):
    """The package names of a Depends field: each alternative of each dependency."""
    return {re.sub(r"[\s(:].*", "", alternative.strip())
            for dependance in champ.split(",") if dependance.strip()
            for alternative in dependance.split("|")}


def installes():
    """Installed package -> what it depends on; virtual package -> the packages providing it."""
    sortie = subprocess.run(
        ["dpkg-query", "-W", "-f", "${Package}\t${Depends}, ${Pre-Depends}\t${Provides}\n"],
        check=True, capture_output=True, text=True).stdout
    dependances, fournisseurs = {}, {}
    for ligne in sortie.splitlines():
        paquet, depend, fournit = ligne.split("\t")
        dependances[paquet] = noms(depend)
        for virtuel in noms(fournit):
            fournisseurs.setdefault(virtuel, set()).add(paquet)
    return dependances, fournisseurs


def fermeture(depart, dependances, fournisseurs):
    vus, a_voir = set(), list(depart)
    while a_voir:
        nom = a_voir.pop()
        for paquet in {nom} | fournisseurs.get(nom, set()):
            if paquet not in vus:
                vus.add(paquet)
                a_voir.extend(dependances.get(paquet, ()))
    return vus


def fichiers_charges(cartes, dossier):
    charges = set()
    for carte in cartes:
        with open(carte, encoding="utf-8") as f:
            for ligne in f:
                champs = ligne.split(maxsplit=5)
                if len(champs) == 6 and champs[5].startswith("/"):
                    chemin = champs[5].strip()
                    if not chemin.startswith(dossier) and not chemin.endswith("(deleted)"):
                        charges.add(chemin)
    return charges


def proprietaires(chemins):
    """File -> the packages that own it; files of no package are left out. Packages may
    install a library under /lib, which the merged /usr maps as /usr/lib."""
    jumeaux = {re.sub(r"^/usr/(lib|bin|sbin)/", r"/\1/", c): c for c in chemins}
    sortie = subprocess.run(["dpkg", "-S", *sorted(set(chemins) | set(jumeaux))],
                            capture_output=True, text=True).stdout
    possede = {}
    for ligne in sortie.splitlines():
        if ligne.startswith("diversion "):
            continue
        paquets, chemin = ligne.split(": ", 1)
        possede.setdefault(jumeaux.get(chemin, chemin), set()).update(
            p.strip().split(":")[0] for p in paquets.split(","))
    return possede


def main():
    paquet, dossier, cartes = sys.argv[1], sys.argv[2].rstrip("/") + "/", sys.argv[3:]
    champs = subprocess.run(["dpkg-deb", "-f", paquet, "Depends", "Recommends"], check=True,
                            capture_output=True, text=True).stdout
    declares = noms(",".join(re.sub(r"^\w+: ", "", l) for l in champs.splitlines()))
    atteints = fermeture(declares, *installes())
    manquants = [f"{chemin} ({', '.join(sorted(p))})"
                 for chemin, p in sorted(proprietaires(fichiers_charges(cartes, dossier)).items())
                 if not p & atteints]
    if manquants:
        print("Loaded at run time from packages the package does not depend on:")
        print("\n".join(manquants))
        return 1
    print("Every file loaded at run time comes from a declared dependency")
    return 0


if __name__ == "__main__":
    sys.exit(main())
