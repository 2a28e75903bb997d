#!/usr/bin/env python3
"""Every family, order and type exported by quorvan-cli and simulated by ngspice, against
the response of the stored coefficient row and against the family's ideal response."""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor
from decimal import Decimal

import numpy as np
from scipy import signal

DEUX_PI = 6.283178  # the 2π the designs are scaled with
# A correct design stays within 0.01 dB of its row (the op-amps' gain of 1e6 at the sharpest
# peaks); 0.03 dB still sees a value 1 % off or two Bessel stages swapped, which 0.1 dB may not.
ECART_LIGNE_DB, ECART_FAMILLE_DB = 0.03, 2.0
TYPES = ("passe-bas", "passe-haut")
ENV = dict(os.environ, LC_ALL="C")
POINT = re.compile(r"^\d+\s+(\S+)\s+(\S+)\s*$", re.M)


def poles(famille, n):
    if famille["nom"] == "bessel":
        return signal.besselap(n, norm="delay")
    if famille["ondulation_db"] == 0:
        return signal.buttap(n)
    return signal.cheb1ap(n, famille["ondulation_db"])  # ±r dB is r dB peak to valley


def reponse_ligne(ligne, s):
    """The stored row through the stage relations, at normalised s."""
    n, h = len(ligne), np.ones_like(s)
    if n % 2:
        c1, c2, c3 = ligne[:3]
        h = -1 / (2 + (c1 + 5 * c3) * s + (2 * c2 * c3 + 3 * c1 * c3) * s**2 + c1 * c2 * c3 * s**3)
    for a, b in zip(ligne[3 * (n % 2)::2], ligne[3 * (n % 2) + 1::2]):
        h = h * -1 / (a * b * s**2 + 3 * b * s + 1)
    return h


def lancer(cmd):
    return subprocess.run(cmd, env=ENV, capture_output=True, text=True, timeout=60)


def frequences(cli, famille, n, type_):
    """Exit status of the CLI at every candidate cut-off (0 design, 1 none)."""
    candidats = [format(Decimal(m).scaleb(k), "f") for k in range(-2, 9) for m in (1, 2, 5)]
    cmd = [cli, "--filtre", famille["nom"], "--ordre", str(n), "--type", type_, "--"]
    return {f: lancer(cmd + [f]).returncode for f in candidats}


def simuler(args, dossier, famille, n, type_, freq):
    """(deviation from the row, from the family) in dB with their frequencies, or a failure."""
    cir = os.path.join(dossier, f"{famille['nom']}-{n}-{type_}-{freq}.cir")
    p = lancer([args.cli, "--filtre", famille["nom"], "--ordre", str(n), "--type", type_,
                "--spice", cir, "--", freq])
    if p.returncode != 0:
        return f"quorvan-cli exit {p.returncode}: {p.stderr.strip()}"
    p = lancer([args.ngspice, "-b", cir])
    points = np.array([[float(x) for x in m.groups()] for m in POINT.finditer(p.stdout)])
    attendus = re.search(r"No\. of Data Rows : (\d+)", p.stdout)
    f0 = float(freq)
    if p.returncode or not attendus or len(points) != int(attendus[1]) or len(points) < 2 \
            or not np.allclose(points[[0, -1], 0], [f0 / 100, f0 * 100], rtol=1e-3):
        return f"ngspice exit {p.returncode}, {len(points)} points, sweep not f/100..f*100"
    hz, db = points[:, 0], points[:, 1]
    w = 2 * np.pi * hz
    bas = type_ == "passe-bas"
    s = 1j * w / (DEUX_PI * f0) if bas else DEUX_PI * f0 / (1j * w)
    # (a) absolute, every point down to the bottom of the sweep.
    ecart_a = np.abs(db - 20 * np.log10(np.abs(reponse_ligne(famille["lignes"][str(n)], s))))
    # (b) shapes, each relative to its gain at the open end, from there to the cut-off.
    z, p_, k = poles(famille, n)
    z, p_, k = (signal.lp2lp_zpk if bas else signal.lp2hp_zpk)(z, p_, k, 2 * np.pi * f0)
    ideal = 20 * np.log10(np.abs(signal.freqs_zpk(z, p_, k, worN=w)[1]))
    bout = 0 if bas else -1
    bande = hz <= f0 * (1 + 1e-9) if bas else hz >= f0 * (1 - 1e-9)
    ecart_b = np.where(bande, np.abs((db - db[bout]) - (ideal - ideal[bout])), 0)
    ia, ib = int(np.argmax(ecart_a)), int(np.argmax(ecart_b))
    return (ecart_a[ia], hz[ia]), (ecart_b[ib], hz[ib])


def main():
    ap = argparse.ArgumentParser()
    for opt in ("--cli", "--table", "--ngspice"):
        ap.add_argument(opt, required=True)
    args = ap.parse_args()
    table = json.loads(lancer([args.table]).stdout)
    cas = [(f, n, t) for f in table["familles"]
           for n in range(table["ordre_min"], table["ordre_max"] + 1) for t in TYPES]
    echecs, pires = [], {}
    with ThreadPoolExecutor(2) as pool, tempfile.TemporaryDirectory() as dossier:
        designs = []
        for (f, n, t), codes in zip(cas, pool.map(lambda c: frequences(args.cli, *c), cas)):
            ok = [x for x, c in codes.items() if c == 0]
            if not ok or set(codes.values()) - {0, 1}:
                echecs.append(f"{f['nom']} order {n} {t}: exit statuses {codes}")
                continue
            milieu = min(ok, key=lambda x: abs(np.log(float(x)**2 / float(ok[0]) / float(ok[-1]))))
            designs += [(f, n, t, x) for x in dict.fromkeys([ok[0], milieu, ok[-1]])]
        resultats = pool.map(lambda d: simuler(args, dossier, *d), designs)
        for (f, n, t, x), r in zip(designs, resultats):
            nom = f"{f['nom']} order {n} {t} {x} Hz"
            if isinstance(r, str):
                echecs.append(f"{nom}: {r}")
                continue
            (a, fa), (b, fb) = r
            if a > ECART_LIGNE_DB or b > ECART_FAMILLE_DB:
                echecs.append(f"{nom}: {a:.3f} dB from its row at {fa:.4g} Hz, "
                              f"{b:.3f} dB from the family at {fb:.4g} Hz")
            p = pires.setdefault(f["nom"], {"a": (-1,), "b": (-1,), "n": 0})
            p["n"] += 1
            p["a"] = max(p["a"], (a, f"order {n} {t} {x} Hz, at {fa:.4g} Hz"))
            p["b"] = max(p["b"], (b, f"order {n} {t} {x} Hz, at {fb:.4g} Hz"))
    for nom, p in pires.items():
        print(f"{nom}: {p['n']} designs; worst vs row {p['a'][0]:.4f} dB ({p['a'][1]}); "
              f"worst vs family {p['b'][0]:.3f} dB ({p['b'][1]})")
    print("\n".join(["FAILED:"] + echecs) if echecs else "all designs pass")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
