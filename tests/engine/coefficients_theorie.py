#!/usr/bin/env python3
"""Every stored coefficient row against the poles of its family, computed by SciPy.
Usage: coefficients_theorie.py TABLE_COEF   (the program printing the rows as JSON)"""
import json
import os
import subprocess
import sys
from decimal import Decimal

import numpy as np
from scipy import optimize

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "analysis"))
from poles_theorie import prototype  # noqa: E402


def section(c):
    """Denominator of the three-component section, highest power first."""
    c1, c2, c3 = c
    return [c1 * c2 * c3, 2 * c2 * c3 + 3 * c1 * c3, c1 + 5 * c3, 2.0]


def attendu(famille, n, ligne):
    """The row the family's poles give, in the row's own stage order."""
    p = prototype({**famille, "ordre": n})[1]
    paires = sorted((q for q in p if q.imag > 1e-9), key=lambda q: abs(q) / (-2 * q.real),
                    reverse=famille["nom"] != "bessel")
    valeurs = []
    if n % 2:
        # The section takes the first pair of the order (lowest Q for Bessel, highest
        # otherwise) and the real pole; its DC gain is 1/2, so the constant term is 2.
        reel = [q for q in p if abs(q.imag) <= 1e-9]
        cible = np.real(np.poly(reel + [paires[0], np.conj(paires[0])]))
        cible = cible * 2 / cible[-1]
        sol, _, ok, msg = optimize.fsolve(lambda c: np.subtract(section(c)[:3], cible[:3]),
                                          ligne[:3], full_output=True, xtol=1e-13)
        obtenus = np.sort_complex(np.roots(section(sol)))
        assert ok == 1 and np.allclose(obtenus, np.sort_complex(np.roots(cible)), rtol=1e-8), \
            f"{famille['nom']} order {n}: section solve failed ({msg}) {sol}"
        valeurs += list(sol)
        paires = paires[1:]
    for q in paires:
        w0, qf = abs(q), abs(q) / (-2 * q.real)
        valeurs += [3 * qf / w0, 1 / (3 * qf * w0)]
    return valeurs


def unite(x):
    """One unit of the last decimal digit of the literal x was written as."""
    return 10.0 ** Decimal(repr(float(x))).as_tuple().exponent


def cellules_fausses(famille, n, ligne, unites):
    """(component, stored, expected) of every cell outside the precision of its literal:
    a literal is the true value truncated or rounded, so it may sit up to one unit below
    the true value and half a unit above; 0.5 % either way is accepted as well."""
    attendus = attendu(famille, n, ligne)
    return [(i, v, e) for i, (v, e, u) in enumerate(zip(ligne, attendus, unites), 1)
            if not (e - u <= v <= e + u / 2 or abs(v - e) <= 0.005 * e)]


def main():
    sortie = subprocess.run([sys.argv[1]], check=True, capture_output=True, text=True).stdout
    table = json.loads(sortie)
    erreurs = []
    for f in table["familles"]:
        for n in range(table["ordre_min"], table["ordre_max"] + 1):
            ligne = f["lignes"][str(n)]
            assert len(ligne) == n, f"{f['nom']} order {n}: {len(ligne)} cells"
            for i, v, e in cellules_fausses(f, n, ligne, [unite(x) for x in ligne]):
                erreurs.append(f"{f['nom']} order {n} component {i}: "
                               f"stored {v!r}, expected {e:.5g}")
    print("\n".join(erreurs) or "every cell matches its family's poles")
    return 1 if erreurs else 0


if __name__ == "__main__":
    sys.exit(main())
