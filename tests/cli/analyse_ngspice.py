#!/usr/bin/env python3
"""quorvan-cli's optimised parts, parts list, Monte Carlo and one-pole op-amps against references
of their own: ngspice on the netlist it writes (the --reponse curve within 0.01 dB, 0.05 dB with
--gbw); the netlist's parts (the JSON's, the parts list's); NumPy's solve of that netlist (-3 dB
point and ripple to 1e-6, sensitivities by central differences to 1e-3 and 0.1 point of variance,
and the GBW needed to 1e-4 against a bisection of its definition: the gain within 0.2 dB of the
ideal op-amps' at 200 points a decade over the pass band, the lowest GBW by doubling from the
typed cut-off, then bisecting); SciPy's prototype of the family (largest deviation to 2e-3 dB:
the program samples 200 points a decade, this 4000); NumPy's own trials, with the settings the
run reports, against the percentiles and yield, within four standard deviations of sampling.
The worst case over every corner is monte_carlo_test.cpp's."""
import argparse
import json
import os
import re
import sys
import tempfile

import numpy as np
from scipy import signal

ICI = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(ICI, "..", "analysis"), os.path.join(ICI, "..", "netlist")]
from monte_carlo_numpy import mesurer, rendement  # noqa: E402
from poles_theorie import prototype  # noqa: E402
from reseau_spice import Reseau  # noqa: E402
from simulation_ngspice import lancer  # noqa: E402

ESSAIS, NUMPY, Z = 2000, 300, 4
POINT = re.compile(r"^\d+\s+(\S+)\s+(\S+)\s*$", re.M)
CAS = [  # family, ripple dB, order, type, cut-off, resistor and capacitor series, law
    ("butterworth", 0, 4, "passe-bas", "1000", "E96", "E12", "uniforme"),
    ("chebyshev-1", 1, 5, "passe-haut", "2500", "e24", "E6", "gauss"),
    ("bessel", 0, 3, "passe-bas", "40", "E48", "E24", "uniforme"),
]
AMPLIS = [  # family, order, type, cut-off, series of the numbered parts, GBW Hz, A0 dB
    ("butterworth", "4", "passe-bas", "10000", None, "1e6", "100"),
    ("butterworth", "4", "passe-bas", "10000", None, "2e5", "80"),
    ("chebyshev-1", "5", "passe-haut", "1000", "E24", "3e5", "100"),
    ("chebyshev-3", "7", "passe-bas", "1000", None, "1e6", "100"),
    ("bessel", "3", "passe-haut", "5000", None, "1e7", "110"),
    ("chebyshev-2", "6", "passe-bas", "5000", None, "2e5", "90"),
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


def ecart_ngspice(args, base):
    """The largest gain difference (dB) between --reponse and ngspice at the curve's points."""
    sim = lancer([args.ngspice, "-b", base + ".cir"])
    points = np.array([[float(x) for x in m.groups()] for m in POINT.finditer(sim.stdout)])
    courbe = np.loadtxt(base + ".csv", delimiter=";", skiprows=1)
    i = np.round(np.interp(np.log(courbe[:, 0]), np.log(points[:, 0]), np.arange(len(points))))
    i = i.astype(int)
    ok = not sim.returncode and np.allclose(points[i, 0], courbe[:, 0], rtol=1e-6)
    return np.max(np.abs(points[i, 1] - courbe[:, 1])) if ok else np.inf


def ecart_famille(reseau, nom, ondulation, ordre, bas, f0, gain):
    """The largest difference (dB) from the family's response at `gain` dB, from a hundredth of
    the cut-off to where that response is 20 dB down (high-pass: mirrored)."""
    z, p, k = prototype({"nom": nom, "ondulation_db": ondulation, "ordre": ordre})
    z, p, k = (signal.lp2lp_zpk if bas else signal.lp2hp_zpk)(z, p, k, 2 * np.pi * f0)
    hz = np.geomspace(f0 / 100, f0 * 100, 16001)
    ouvert = f0 * (1e-6 if bas else 1e6)  # the pass band's open end, within 1e-9 dB
    ideal = 20 * np.log10(np.abs(signal.freqs_zpk(z, p, k, 2 * np.pi * np.append(hz, ouvert))[1]))
    ideal = ideal[:-1] + gain - ideal[-1]
    bande = np.cumprod((ideal > gain - 20)[::1 if bas else -1])[::1 if bas else -1] > 0
    return np.max(np.abs(gain_db(reseau, hz) - ideal)[bande])


def verifier_monte_carlo(reseau, mc, bas, f0, noms, tol, loi):
    reglages = (mc["essais"], mc["loi"], mc["graine"], mc["tolerance_r_pct"], mc["tolerance_c_pct"])
    echecs = [] if reglages == (ESSAIS, loi, 7, 1, 5) else [f"settings {reglages}"]
    n, nominal, rng = len(noms), reseau.nominales[None, :], np.random.default_rng(11)
    (coupure0,), _, _ = mesurer(reseau, nominal, bas, f0)
    if loi == "uniforme":
        u = rng.uniform(-1, 1, (NUMPY, n))
    else:  # σ a third of the tolerance, drawn again beyond it
        u = rng.normal(0, 1 / 3, (NUMPY, n))
        while np.any(dehors := np.abs(u) > 1):
            u[dehors] = rng.normal(0, 1 / 3, dehors.sum())
    tirages = nominal * (1 + tol * u)
    coupures, ondulations, _ = mesurer(reseau, tirages, bas, f0)
    for grandeur, valeurs in (("coupure_3db_hz", coupures), ("ondulation_db", ondulations)):
        for q in (0.01, 0.05, 0.5, 0.95, 0.99):
            x = mc[grandeur][f"p{round(q * 100)}"]
            # A flat band's trials often have no ripple at all: q may lie anywhere in the tie.
            dessous, jusque = np.mean(valeurs < x - 1e-9), np.mean(valeurs <= x + 1e-9)
            borne = Z * np.sqrt(q * (1 - q) * (1 / ESSAIS + 1 / NUMPY))
            if not dessous - borne <= q <= jusque + borne:
                echecs.append(f"{grandeur} p{q}: {dessous:.3f}..{jusque:.3f} of NumPy's below")
    y = rendement(coupures, ondulations, coupure0, 2.0, None)
    if abs(mc["rendement_pct"] - y) > 100 * Z * np.sqrt(max(y * (100 - y), 1) / 1e4 * 2 / NUMPY):
        echecs.append(f"yield {mc['rendement_pct']} % against NumPy's {y} %")
    h, un = 1e-4, np.eye(n)
    (cp, op, _), (cm, om, _) = (mesurer(reseau, nominal * (1 + e * un), bas, f0) for e in (h, -h))
    s, o = (np.log(cp) - np.log(cm)) / (np.log1p(h) - np.log1p(-h)), (op - om) / (2 * h * 100)
    part = (s * tol) ** 2 / np.sum((s * tol) ** 2) * 100
    attendu = {noms[i]: (s[i], o[i], part[i]) for i in range(n)}
    recu = {e["nom"]: (e["coupure_pct_par_pct"], e["ondulation_db_par_pct"],
                       e["part_variance_pct"]) for e in mc["sensibilites"]}
    if attendu.keys() != recu.keys() or any(
            np.any(np.abs(np.subtract(recu[k], v)) > [1e-3, 1e-3, 0.1]) for k, v in attendu.items()):
        echecs.append(f"sensitivities {recu} against {attendu}")
    return echecs


def verifier(args, dossier, cas):
    nom, ondulation, ordre, type_, freq, serie_r, serie_c, loi = cas
    base = os.path.join(dossier, f"{nom}-{ordre}-{type_}")
    p = lancer([args.cli, "--filtre", nom, "--ordre", str(ordre), "--type", type_, "--json",
                "--optimiser", "--serie-r", serie_r, "--serie-c", serie_c, "--spice", base + ".cir",
                "--reponse", base + ".csv", "--nomenclature", base + ".bom", "--essais",
                str(ESSAIS), "--loi", loi, "--graine", "7", "--gabarit-coupure", "2", "--", freq])
    o = json.loads(p.stdout)
    opt, mc, f0, bas = o["optimisation"], o["monte_carlo"], float(freq), type_ == "passe-bas"
    with open(base + ".cir") as f:
        netlist = f.read()
    pieces, cellule = [], 0
    for mots in (ligne.split() for ligne in netlist.splitlines()):
        cellule = int(mots[2]) if mots[:2] == ["*", "Cellule"] else cellule
        if mots and mots[0][0] in "RC":
            series = {"R": serie_r.upper(), "C": serie_c.upper()}
            pieces.append({"nom": mots[0], "valeur": float(mots[3]), "serie": series[mots[0][0]],
                           "etage": cellule})
    with open(base + ".bom") as f:
        lignes = [ligne.split(";") for ligne in f.read().splitlines()[1:]]
    references = sorted(r for ligne in lignes for r in ligne[0].split())
    echecs = [] if opt["pieces"] == pieces else [f"parts {opt['pieces']} against {pieces}"]
    valeurs = {p["nom"]: p["valeur"] for p in pieces}
    prefixes = {"p": 1e-12, "n": 1e-9, "µ": 1e-6, "k": 1e3, "M": 1e6}
    # Each line's value as a buyer reads it ("12.1 kΩ") is the value of each of its parts.
    lues = {r: float(v.split()[0]) * prefixes.get(v.split()[1][:-1], 1)
            for r_, v, _, _ in lignes for r in r_.split()}
    if sum(int(ligne[3]) for ligne in lignes) != len(pieces) or \
            references != sorted(valeurs) or \
            any(abs(lues[r] / v - 1) > 1e-12 for r, v in valeurs.items()):
        echecs.append(f"parts list {lignes}")
    ecart, reseau = ecart_ngspice(args, base), Reseau(netlist)
    (coupure,), (ripple,), _ = mesurer(reseau, reseau.nominales[None, :], bas, f0)
    famille = ecart_famille(reseau, nom.split("-")[0], ondulation, ordre, bas, f0, o["gain_db"])
    print(f"{nom} {ordre} {type_} {freq} Hz {serie_r}/{serie_c}: --reponse {ecart:.1e} dB from "
          f"ngspice; {opt['ecart_max_db']:.4f} dB from the family (SciPy {famille:.4f}, rounded "
          f"{opt['ecart_max_db_arrondi']:.3f})")
    checks = {"--reponse against ngspice": ecart <= 0.01,
              "-3 dB": abs(opt["coupure_3db_hz"] / coupure - 1) < 1e-6,
              "ripple": abs(opt["ondulation_db"] - ripple) < 1e-6,
              "deviation": abs(opt["ecart_max_db"] - famille) < 2e-3,
              "rounding no better": opt["ecart_max_db"] <= opt["ecart_max_db_arrondi"],
              "series": (opt["serie_r"], opt["serie_c"]) == (serie_r.upper(), serie_c.upper())}
    echecs += [k for k, ok in checks.items() if not ok]
    tol = np.array([0.01 if p["nom"][0] == "R" else 0.05 for p in pieces])
    echecs += verifier_monte_carlo(reseau, mc, bas, f0, [p["nom"] for p in pieces], tol, loi)
    return [f"{nom} {ordre} {type_}: {e}" for e in echecs]


def verifier_ampli(args, dossier, cas):
    """The one-pole op-amp's curve against its netlist in ngspice, and the GBW needed."""
    nom, ordre, type_, freq, serie, gbw, a0 = cas
    base = os.path.join(dossier, "ampli")
    demande = [args.cli, "--filtre", nom, "--ordre", ordre, "--type", type_, "--json", "--gbw",
               gbw, "--gain-boucle-ouverte", a0] + (["--serie", serie] if serie else []) + [freq]
    o = json.loads(lancer(demande + ["--spice", base + ".cir", "--reponse", base + ".csv"]).stdout)
    ecart = ecart_ngspice(args, base)
    with open(base + ".cir") as f:
        reseau = Reseau(f.read())
    attendu = gbw_necessaire(reseau, type_ == "passe-bas", float(freq), 10 ** (float(a0) / 20))
    texte = f"{nom} {ordre} {type_} {freq} Hz {serie or ''}, GBW {gbw} Hz, A0 {a0} dB"
    print(f"{texte}: --reponse {ecart:.1e} dB from ngspice; GBW needed "
          f"{o['gbw_necessaire_hz'] / 1e3:.2f} kHz, NumPy {attendu / 1e3:.2f} kHz")
    return [f"{texte}: {e}" for e, ok in [
        (f"{ecart} dB from ngspice", ecart <= 0.05),
        (f"ampli_op {o['ampli_op']}",
         o["ampli_op"] == {"gbw_hz": float(gbw), "gain_boucle_ouverte_db": float(a0)}),
        (f"GBW needed {o['gbw_necessaire_hz']}", abs(o["gbw_necessaire_hz"] / attendu - 1) < 1e-4),
    ] if not ok]


def main():
    ap = argparse.ArgumentParser()
    for opt in ("--cli", "--ngspice"):
        ap.add_argument(opt, required=True)
    args = ap.parse_args()
    with tempfile.TemporaryDirectory() as dossier:
        echecs = [e for cas in CAS for e in verifier(args, dossier, cas)]
        echecs += [e for cas in AMPLIS for e in verifier_ampli(args, dossier, cas)]
    print("\n".join(["FAILED:"] + echecs) if echecs else "all agree")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
