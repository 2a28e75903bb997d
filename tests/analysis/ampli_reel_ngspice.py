#!/usr/bin/env python3
"""The one-pole op-amp: the program's curve with it against ngspice on the netlist it exports,
within 0.05 dB two decades either side of the cut-off; the GBW it says a design needs against
a bisection of the same definition (the gain within 0.2 dB of the ideal op-amps' at 200 points
a decade over the pass band; the lowest GBW by doubling from the typed cut-off, then
bisecting) on NumPy's nodal solve of the netlist with its own op-amp model, to 1e-4."""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from monte_carlo_numpy import mesurer  # noqa: E402
from reseau_spice import Reseau  # noqa: E402

POINT = re.compile(r"^\d+\s+(\S+)\s+(\S+)\s*$", re.M)
CAS = [  # family, order, type, frequency, series, GBW Hz, A0
    ("1", "4", "passe-bas", "10000", "-", "1e6", "1e5"),
    ("1", "4", "passe-bas", "10000", "-", "2e5", "1e4"),
    ("3", "5", "passe-haut", "1000", "E24", "3e5", "1e5"),
    ("5", "7", "passe-bas", "1000", "-", "1e6", "1e5"),
    ("0", "3", "passe-haut", "5000", "-", "1e7", "3e5"),
]


def gain_db(reseau, f, ampli=None):
    """The nominal circuit's gain at every frequency of `f`, in one batched solve."""
    valeurs = np.repeat(reseau.nominales[None, :], len(f), axis=0)
    return 20 * np.log10(np.abs(reseau.transfert(valeurs, f, ampli)))


def gbw_necessaire(reseau, passe_bas, f0, a0):
    coupure = mesurer(reseau, reseau.nominales[None, :], passe_bas, f0)[0][0]
    debut, fin = (f0 / 100, coupure) if passe_bas else (coupure, f0 * 100)
    f = np.geomspace(debut, fin, int(np.ceil(np.log10(fin / debut) * 200 - 1e-9)) + 1)
    ideal = gain_db(reseau, f)

    def tient(gbw):
        return np.max(np.abs(gain_db(reseau, f, (gbw, a0)) - ideal)) <= 0.2
    bas = haut = f0
    while not tient(haut):
        bas, haut = haut, 2 * haut
    while bas == haut or tient(bas):
        haut, bas = bas, bas / 2
    while haut / bas > 1 + 1e-7:
        m = np.sqrt(bas * haut)
        bas, haut = (bas, m) if tient(m) else (m, haut)
    return haut


def verifier(args, dossier, cas):
    famille, ordre, type_, freq, serie, gbw, a0 = cas
    nom = f"family {famille} order {ordre} {type_} {freq} Hz {serie}, GBW {gbw} A0 {a0}"
    cir = os.path.join(dossier, "ampli.cir")
    p = json.loads(subprocess.run([args.json, "ampli", famille, ordre, type_, freq, serie, gbw,
                                   a0, cir], capture_output=True, text=True, check=True).stdout)
    sim = subprocess.run([args.ngspice, "-b", cir], capture_output=True, text=True,
                         env=dict(os.environ, LC_ALL="C"))
    points = np.array([[float(x) for x in m.groups()] for m in POINT.finditer(sim.stdout)])
    f, gains = np.array(p["frequences"]), np.array(p["gains_db"])
    # Every fourth of ngspice's points is one of the curve's, to the seven digits it prints.
    i = np.round(np.interp(np.log(f), np.log(points[:, 0]), np.arange(len(points)))).astype(int)
    if sim.returncode or not np.allclose(points[i, 0], f, rtol=1e-6):
        return [f"{nom}: ngspice exit {sim.returncode}, not the curve's frequencies"]
    ecart = np.max(np.abs(points[i, 1] - gains))
    reseau = Reseau(p["netlist_ideale"])
    attendu = gbw_necessaire(reseau, type_ == "passe-bas", float(freq), float(a0))
    print(f"{nom}: {ecart:.1e} dB from ngspice (the op-amp moves the gain by up to "
          f"{np.max(np.abs(gains - gain_db(reseau, f))):.2f} dB); GBW needed "
          f"{p['gbw_necessaire_hz'] / 1e3:.2f} kHz, NumPy {attendu / 1e3:.2f} kHz")
    echecs = [f"{nom}: {ecart:.4f} dB from ngspice"] if ecart > 0.05 else []
    if not abs((p["gbw_necessaire_hz"] or 0) / attendu - 1) < 1e-4:
        echecs.append(f"{nom}: GBW needed {p['gbw_necessaire_hz']} against {attendu}")
    return echecs


def main():
    ap = argparse.ArgumentParser()
    for opt in ("--json", "--ngspice"):
        ap.add_argument(opt, required=True)
    args = ap.parse_args()
    with tempfile.TemporaryDirectory() as dossier:
        echecs = [e for cas in CAS for e in verifier(args, dossier, cas)]
    print("\n".join(["FAILED:"] + echecs) if echecs else "all curves and GBWs agree")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
