#!/usr/bin/env python3
"""The Monte Carlo runs of analyse_json against NumPy, on designs of either type and law.
1. The draws: each part within its tolerance, the deviations of the law (Kolmogorov-Smirnov).
2. The same trials by NumPy's nodal solve of the netlist and its own reading of the pass band
   (golden sections and bisection, the definitions of analysis/MesureBande.h): percentiles,
   minimum, maximum, band and yield to 1e-7 relative, 1e-6 dB and one trial.
NumPy's own trials against the percentiles and yield, within sampling error, and the
sensitivities against central differences are tests/cli/analyse_ngspice.py's."""
import argparse
import json
import os
import subprocess
import sys

import numpy as np
from scipy import stats

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from reseau_spice import Reseau  # noqa: E402

GRILLE = 10.0 ** (np.arange(201) / 50 - 2)  # 50 a decade, a hundredth to a hundred times f0
CAS = [  # family, order, type, series, law, R %, C %, seed, ±%, ripple max (dB); 2000 trials
    ("3", "5", "passe-bas", "E24", "uniforme", 1.0, 5.0, 1, 2.0, 1.5),
    ("2", "4", "passe-haut", "-", "gauss", 1.0, 2.0, 7, 1.0, None),
]
N = 2000


def carre(reseau, valeurs, f):
    return np.abs(reseau.transfert(valeurs, f)) ** 2


def golden(reseau, valeurs, a, b, signe):
    """The extreme (signe +1 peak, -1 valley) of |H|² between a and b hertz, row by row."""
    r = (np.sqrt(5) - 1) / 2
    x, y = np.log(np.minimum(a, b)), np.log(np.maximum(a, b))
    for _ in range(45):  # 1e-10 of the bracket
        c, d = y - r * (y - x), x + r * (y - x)
        gauche = signe * carre(reseau, valeurs, np.exp(c)) >= signe * carre(reseau, valeurs,
                                                                           np.exp(d))
        x, y = np.where(gauche, x, c), np.where(gauche, d, y)
    m = np.exp((x + y) / 2)
    return m, carre(reseau, valeurs, m)


def mesurer(reseau, valeurs, passe_bas, f0):
    """Each row's −3 dB frequency (NaN without one), ripple (dB) and gains on the grid (dB)."""
    n = len(GRILLE)
    h = np.stack([carre(reseau, valeurs, f) for f in GRILLE * f0], axis=1)
    ouvert = carre(reseau, valeurs, f0 * (1e-6 if passe_bas else 1e6))
    hw, fw = (h, GRILLE * f0) if passe_bas else (h[:, ::-1], GRILLE[::-1] * f0)
    hmax = np.maximum(hw.max(axis=1), ouvert)
    milieu, avant, apres = hw[:, 1:-1], hw[:, :-2], hw[:, 2:]
    pic = (milieu >= avant) & (milieu > apres)
    ti, ki = np.nonzero((milieu > 0.01 * hmax[:, None]) & (pic | (milieu <= avant) &
                                                          (milieu < apres)))
    est_pic, ki = pic[ti, ki], ki + 1
    xe, he = golden(reseau, valeurs[ti], fw[ki - 1], fw[ki + 1], np.where(est_pic, 1.0, -1.0))
    coupures, ondulations, bornes = np.full(len(h), np.nan), np.zeros(len(h)), []
    for e in range(len(h)):
        s = np.nonzero(ti == e)[0]
        hm = max([hmax[e]] + [he[i] for i in s if est_pic[i]])
        seuil = hm * 10 ** -0.3
        dessus = np.nonzero(hw[e] >= seuil)[0]
        bord = dessus[-1] if len(dessus) else -1
        debut = fw[bord] if bord >= 0 else 0
        for i in s:
            if est_pic[i] and he[i] >= seuil and ki[i] >= bord:
                bord, debut = ki[i], xe[i]
        suivant = bord + 1
        while suivant < n and not (fw[suivant] > debut if passe_bas else fw[suivant] < debut):
            suivant += 1
        if bord >= 0 and suivant < n:
            bornes.append((e, debut, fw[suivant], seuil))
        dernier = max([0] + [ki[i] for i in s if est_pic[i] and ki[i] <= bord])
        bas = min([hw[e, 0], ouvert[e]] + [he[i] for i in s if not est_pic[i] and ki[i] < dernier])
        ondulations[e] = 10 * np.log10(hm / bas) if dernier else 0.0
    e, a, b, seuil = (np.array(c) for c in zip(*bornes))
    a, b = np.log(a), np.log(b)  # at or above the threshold at a, below at b
    for _ in range(60):
        m = (a + b) / 2
        dessus = carre(reseau, valeurs[e], np.exp(m)) >= seuil
        a, b = np.where(dessus, m, a), np.where(dessus, b, m)
    coupures[e] = np.exp((a + b) / 2)
    return coupures, ondulations, 10 * np.log10(h)


def rendement(coupures, ondulations, nominale, ecart, ondulation_max):
    bons = ~np.isnan(coupures) & (np.abs(coupures / nominale - 1) * 100 <= (ecart or np.inf))
    return 100 * np.mean(bons & (ondulations <= (ondulation_max or np.inf)))


def verifier(args, cas):
    famille, ordre, type_, serie, loi, tol_r, tol_c, graine, ecart, ond_max = cas
    nom, echecs = f"family {famille} order {ordre} {type_} {serie} {loi} {tol_r}/{tol_c} %", []
    p = json.loads(subprocess.run(
        [args.json, famille, ordre, type_, "1000", serie, str(N), loi, str(tol_r),
         str(tol_c), str(graine), str(ecart or "-"), str(ond_max or "-")],
        capture_output=True, text=True, check=True).stdout)
    reseau, passe_bas = Reseau(p["netlist"]), p["type"] == "passe-bas"
    tolerances = np.array([(tol_r if n[0] == "R" else tol_c) / 100 for n in reseau.noms])
    essais = np.array(p["essais"])

    def attendre(condition, texte):
        echecs.extend([] if condition else [f"{nom}: {texte}"])

    u = (essais / reseau.nominales - 1) / tolerances
    loi_attendue = stats.uniform(-1, 2) if loi == "uniforme" else stats.truncnorm(-3, 3, scale=1/3)
    attendre(np.all(np.abs(u) <= 1 + 1e-9), f"a part beyond its tolerance: {np.abs(u).max()}")
    attendre(stats.kstest(u.ravel(), loi_attendue.cdf).pvalue > 1e-4, f"deviations not {loi}")

    nominale = mesurer(reseau, reseau.nominales[None, :], passe_bas, 1000.0)[0][0]
    coupures, ondulations, gains = mesurer(reseau, essais, passe_bas, 1000.0)
    ecarts = [0.0, 0.0]
    for k, (cle, v) in enumerate((("coupure_3db_hz", coupures[~np.isnan(coupures)]),
                                  ("ondulation_db", ondulations))):
        nous = np.percentile(v, [1, 5, 50, 95, 99, 0, 100])
        leur = np.array([p[cle][q] for q in ("p1", "p5", "p50", "p95", "p99", "min", "max")])
        ecarts[k] = np.max(np.abs(leur / nous - 1) if k == 0 else np.abs(leur - nous))
        attendre(ecarts[k] < (1e-7, 1e-6)[k], f"{cle}: {leur} against {nous}")
    bande = np.max(np.abs(np.array([p["bande_bas_db"], p["bande_haut_db"]])
                          - np.percentile(gains, [1, 99], axis=0)))
    attendre(bande < 1e-6, f"band {bande} dB from NumPy's percentiles")
    y = rendement(coupures, ondulations, nominale, ecart, ond_max)
    attendre(abs(p["rendement_pct"] - y) <= 100 / N + 1e-9, f"yield {p['rendement_pct']} % / {y}")

    print(f"{nom}: same trials within {ecarts[0]:.1e} (-3 dB), {ecarts[1]:.1e} dB (ripple), "
          f"band {bande:.1e} dB, yield {p['rendement_pct']:.1f} %")
    return echecs


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--json", required=True)
    echecs = [e for cas in CAS for e in verifier(ap.parse_args(), cas)]
    print("\n".join(["FAILED:"] + echecs) if echecs else "all runs agree")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
