#!/usr/bin/env python3
"""Every family's poles and exact response, as the program computes them, against SciPy's
analogue prototypes (besselap with norm="delay", buttap, cheb1ap) and scipy.signal.freqs.
Usage: poles_theorie.py POLES_FAMILLES   (the program printing them as JSON)"""
import json
import subprocess
import sys

import numpy as np
from scipy import signal

# SciPy's poles are exact to a few ulps; the program's Bessel roots go through an eigenvalue
# solve and Newton steps, which leave about as much.
ECART_POLE, ECART_REPONSE = 1e-12, 1e-10


def prototype(f):
    if f["nom"] == "bessel":
        return signal.besselap(f["ordre"], norm="delay")
    if f["ondulation_db"] == 0:
        return signal.buttap(f["ordre"])
    # The "±r dB" families have r dB of ripple from peak to valley: cheb1ap(n, r) matches every
    # stored row, cheb1ap(n, 2r) none of them.
    return signal.cheb1ap(f["ordre"], f["ondulation_db"])


def main():
    donnees = json.loads(subprocess.run([sys.argv[1]], capture_output=True, text=True,
                                        check=True).stdout)
    w0, w = 2 * np.pi * donnees["frequence"], 2 * np.pi * np.array(donnees["frequences"])
    echecs, pire = [], [0.0, 0.0]
    for f in donnees["familles"]:
        nom = f"{f['nom']} order {f['ordre']}"
        z, p, k = prototype(f)
        obtenus = np.array([complex(*q) for q in f["poles"]])
        ecart = max(np.min(np.abs(obtenus - q)) / abs(q) for q in p) if len(obtenus) == len(p) \
            else np.inf
        pire[0] = max(pire[0], ecart)
        if ecart > ECART_POLE:
            echecs.append(f"{nom}: poles {obtenus} against {p}")
        for type_, transformer, bout in (("bas", signal.lp2lp_zpk, 0.0),
                                         ("haut", signal.lp2hp_zpk, np.inf)):
            zt, pt, kt = transformer(z, p, k, w0)
            b, a = signal.zpk2tf(zt, pt, kt)
            # Scaled to a gain of −1/2 where the filter passes (DC or infinite frequency).
            gain = b[-1] / a[-1] if bout == 0.0 else b[0] / a[0]
            h = signal.freqs(b * (-0.5 / gain), a, worN=w)[1]
            h_programme = np.array([complex(*v) for v in f[type_]])
            ecart = np.max(np.abs(h_programme / h - 1))
            pire[1] = max(pire[1], ecart)
            if ecart > ECART_REPONSE:
                echecs.append(f"{nom} {type_}: response off by {ecart:.2e}")
    print(f"{len(donnees['familles'])} families and orders: poles within {pire[0]:.1e}, "
          f"responses within {pire[1]:.1e}")
    print("\n".join(["FAILED:"] + echecs) if echecs else "all poles and responses agree")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
