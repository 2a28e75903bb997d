#!/usr/bin/env python3
"""Every family, order and type from quorvan-cli at its lowest, middle and highest cut-off, and
the middle one with E24 values: the program's own analysis (--reponse, --json) against ngspice's
simulation of each op-amp's output of the netlist it exports and, with computed values, against
the response of the stored coefficient row (the row against the family's poles is
coefficients_theorie.py's)."""
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

DEUX_PI = 6.283178  # the 2π the designs are scaled with
# The analysis follows ngspice within 0.02 dB (its op-amps' gain of 1e6) and 1e-3 dB at the open
# end, and the row, with ideal op-amps, within 1e-7 dB; the row's grid misses a peak of Q 17 by
# 2e-5 dB, its -3 dB point by 1e-6. The pass band measured without its open end is 0.01 dB and
# 1e-4 off.
SEUILS = {"gain dB": 0.02, "open end dB": 1e-3, "highest gain dB": 0.02, "row gain dB": 1e-6,
          "stages": 1e-6, "phase deg": 1e-6, "delay": 1e-6, "row ripple dB": 1e-4,
          "row -3 dB": 2e-6}
TYPES = ("passe-bas", "passe-haut")
ENV = dict(os.environ, LC_ALL="C")


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


def ngspice_noeuds(args, base, f0, bas):
    """ngspice's dB at each op-amp's output, input first: over the netlist's span, frequencies
    first, at 2000 points a decade (a peak of Q 17 within 2e-3 dB), and at the open end."""
    with open(base + ".cir") as f:
        netlist = f.read()
    v = " ".join(f"vdb({n})" for n in re.findall(r"^E\d+ (\S+) ", netlist, re.M))
    o = f0 * (1e-6 if bas else 1e6)  # within 1e-9 dB of the limit
    with open(base + "-noeuds.cir", "w") as f:
        f.write(re.sub(r"^\.(ac|print|end)\b.*\n", "", netlist, flags=re.M)
                + f".control\nset wr_singlescale\nac dec 2000 {f0 / 100} {f0 * 100}\n"
                f"wrdata {base}-b.txt {v}\nac lin 1 {o} {o}\nwrdata {base}-o.txt {v}\nquit 0\n"
                ".endc\n.end\n")
    p = lancer([args.ngspice, "-n", base + "-noeuds.cir"])
    if p.returncode or not os.path.exists(base + "-o.txt"):
        return f"ngspice exit {p.returncode} on the op-amps' outputs"
    return np.loadtxt(base + "-b.txt", ndmin=2), np.loadtxt(base + "-o.txt", ndmin=2)[0, 1:]


def etages_ligne(ligne, bas, f0):
    """(f0, Q, real pole or None, gain in the pass band) of each stage by the stage relations,
    input first."""
    n, echelle = len(ligne), DEUX_PI * f0
    blocs = [ligne[i:i + 2] for i in range(3 * (n % 2), n, 2)]
    denominateurs = [[a * b, 3 * b, 1] for a, b in blocs]
    if n % 2:
        c1, c2, c3 = ligne[:3]
        denominateurs.append([c1 * c2 * c3, 2 * c2 * c3 + 3 * c1 * c3, c1 + 5 * c3, 2])
    resultat = []
    for d in denominateurs:
        r = np.roots(d)
        s = r * echelle if bas else echelle / r  # s = p·ω for low-pass, ω / p for high-pass
        paire, reel = s[np.abs(s.imag) > 0], s[s.imag == 0]
        w = abs(paire[0])
        resultat.append((w / 2 / np.pi, w / -2 / paire[0].real,
                         abs(reel[0]) / 2 / np.pi if len(reel) else None,
                         1 / abs(d[-1])))  # each numerator is -1: |H| = 1 / d(0) at the open end
    return resultat


def analyser(args, dossier, famille, n, type_, freq, serie):
    """The analysis against ngspice on the same netlist: gain, open-end gains and each output's
    highest gain (dB); with computed values, against the row: gain (dB), stages (relative),
    phase (degrees), group delay (relative to its peak), ripple and −3 dB point (on standard
    values, monte_carlo_test.cpp reads the band against another reading of the same curve)."""
    base = os.path.join(dossier, f"{famille['nom']}-{n}-{type_}-{freq}-{serie}")
    p = lancer([args.cli, "--filtre", famille["nom"], "--ordre", str(n), "--type", type_, "--json",
                "--spice", base + ".cir", "--reponse", base + ".csv"]
               + (["--serie", serie] if serie else []) + ["--", freq])
    if p.returncode != 0:
        return f"quorvan-cli exit {p.returncode}: {p.stderr.strip()}"
    conception, f0, bas = json.loads(p.stdout), float(freq), type_ == "passe-bas"
    csv = np.loadtxt(base + ".csv", delimiter=";", skiprows=1)
    if len(csv) < 4 * 20 + 1 or not np.allclose(csv[[0, -1], 0], [f0 / 100, f0 * 100]):
        return "--reponse: fewer than 20 points a decade, or not f/100..f*100"
    noeuds = ngspice_noeuds(args, base, f0, bas)
    if isinstance(noeuds, str):
        return noeuds
    (hz, *db), ouverture = noeuds[0].T, noeuds[1]
    # Every 40th point of ngspice's sweep is one of ours.
    i = np.round(np.interp(np.log(csv[:, 0]), np.log(hz), np.arange(len(hz)))).astype(int)
    ecart = np.max(np.abs(csv[:, 1] - db[-1][i]) + np.where(np.isclose(hz[i], csv[:, 0]), 0, 1e9))
    etages = conception["etages"]
    gains = [conception["gain_db"]] + [e["gain_db"] for e in etages]
    gains_ngspice = [ouverture[-1]] + list(np.diff(ouverture, prepend=0))
    r = {"gain dB": ecart, "open end dB": max(abs(a - b) for a, b in zip(gains, gains_ngspice)),
         "highest gain dB": max(abs(e["gain_max_db"] - max(d.max(), o))
                                for e, d, o in zip(etages, db, ouverture))}
    if serie:
        return r
    ligne = famille["lignes"][str(n)]
    r["stages"] = max(max(abs(e["f0_hz"] / f - 1), abs(e["q"] / q - 1),
                          abs(e["pole_reel_hz"] / reel - 1) if reel else 0,
                          abs(e["gbw_min_hz"] / (100 * gain * f * q) - 1))
                      for e, (f, q, reel, gain) in zip(etages, etages_ligne(ligne, bas, f0)))

    def h(f):  # the stored row's response at f hertz
        w = 2 * np.pi * np.asarray(f)
        return reponse_ligne(ligne, 1j * w / (DEUX_PI * f0) if bas else DEUX_PI * f0 / (1j * w))
    f = csv[:, 0]
    r["row gain dB"] = np.max(np.abs(csv[:, 1] - 20 * np.log10(np.abs(h(f)))))
    r["phase deg"] = np.max(np.abs(np.angle(np.exp(1j * np.radians(csv[:, 2])) / h(f), deg=True)))
    retard = -np.angle(h(f * (1 + 1e-7)) / h(f * (1 - 1e-7))) / (2 * np.pi * f * 2e-7)
    r["delay"] = np.max(np.abs(csv[:, 3] - retard)) / np.max(np.abs(retard))
    # The row's pass band at 20000 points a decade and at its open end (s = 0), as the JSON's.
    grille = np.geomspace(f0 / 100, f0 * 100, 80001)[::1 if bas else -1]
    ouvert, g = (20 * np.log10(np.abs(v)) for v in (reponse_ligne(ligne, 0.0), h(grille)))
    haut = max(ouvert, g.max())
    bord = np.nonzero(g >= haut - 3)[0][-1]
    pics = [i for i in range(1, bord + 1) if g[i] >= g[i - 1] and g[i] > g[i + 1]]
    ondulation = haut - min(ouvert, g[:pics[-1] + 1].min()) if pics else 0.0
    r["row ripple dB"] = abs(conception["ondulation_db"] - ondulation)
    f3 = np.exp(np.interp(haut - 3, g[[bord + 1, bord]], np.log(grille[[bord + 1, bord]])))
    r["row -3 dB"] = abs(conception["coupure_3db_hz"] / f3 - 1)
    return r


def main():
    ap = argparse.ArgumentParser()
    for opt in ("--cli", "--table", "--ngspice"):
        ap.add_argument(opt, required=True)
    args = ap.parse_args()
    table = json.loads(lancer([args.table]).stdout)
    cas = [(f, n, t) for f in table["familles"]
           for n in range(table["ordre_min"], table["ordre_max"] + 1) for t in TYPES]
    echecs, pires, analyses = [], {}, []
    with ThreadPoolExecutor(2) as pool, tempfile.TemporaryDirectory() as dossier:
        for (f, n, t), codes in zip(cas, pool.map(lambda c: frequences(args.cli, *c), cas)):
            ok = [x for x, c in codes.items() if c == 0]
            if not ok or set(codes.values()) - {0, 1}:
                echecs.append(f"{f['nom']} order {n} {t}: exit statuses {codes}")
                continue
            milieu = min(ok, key=lambda x: abs(np.log(float(x)**2 / float(ok[0]) / float(ok[-1]))))
            analyses += [(f, n, t, x, None) for x in dict.fromkeys([ok[0], milieu, ok[-1]])]
            analyses.append((f, n, t, milieu, "E24"))
        for (f, n, t, x, serie), r in zip(analyses,
                                          pool.map(lambda a: analyser(args, dossier, *a), analyses)):
            if isinstance(r, str) or any(e > SEUILS[k] for k, e in r.items()):
                echecs.append(f"{f['nom']} order {n} {t} {x} Hz {serie or 'computed'}: {r}")
                continue
            for k, e in r.items():
                pires[k] = max(e, pires.get(k, 0))
    print(f"analysis of {len(analyses)} designs, worst deviations: "
          + ", ".join(f"{k} {e:.2g}" for k, e in pires.items()))
    print("\n".join(["FAILED:"] + echecs) if echecs else "all designs pass")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
