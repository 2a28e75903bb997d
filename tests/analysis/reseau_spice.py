"""A netlist as quorvan writes it, solved by nodal analysis with NumPy for many sets of part
values at once (one row each): resistors, capacitors, 1 V at "in", and op-amps (E sources or
instances of the one-pole subcircuit), each taken as ideal or as A0 / (1 + s·A0 / (2π·GBW))
whatever the netlist says, so that Python chooses the op-amp."""
import numpy as np


class Reseau:
    def __init__(self, netlist):
        self.noms, self.elements, self.amplis, nominales = [], [], [], []
        sous_circuit = False
        for mots in (ligne.split() for ligne in netlist.upper().splitlines()):
            if not mots or mots[0].startswith("*"):
                continue
            sous_circuit = (sous_circuit or mots[0] == ".SUBCKT") and mots[0] != ".ENDS"
            if sous_circuit or mots[0][0] in ".V":
                continue
            if mots[0][0] in "RC":
                self.noms.append(mots[0])
                self.elements.append((mots[0][0], mots[1], mots[2]))
                nominales.append(float(mots[3]))
            elif mots[0][0] in "EX":  # E out 0 plus minus gain, X plus minus out subcircuit
                self.amplis.append((mots[1], mots[3], mots[4]) if mots[0][0] == "E"
                                   else (mots[3], mots[1], mots[2]))
            else:
                raise ValueError(f"unexpected netlist line: {' '.join(mots)}")
        self.nominales = np.array(nominales)
        self.noeuds = {}
        for n in (n for _, a, b in self.elements for n in (a, b) if n not in ("0", "IN")):
            self.noeuds.setdefault(n, len(self.noeuds))

    def transfert(self, valeurs, frequences, ampli=None):
        """H at `frequences` (Hz: one per row of `valeurs`, or one for all) for the part values
        `valeurs` (rows, parts); `ampli` None for ideal op-amps, else (GBW in Hz, A0)."""
        valeurs = np.atleast_2d(valeurs)
        t, n, k = len(valeurs), len(self.noeuds), len(self.amplis)
        s = 2j * np.pi * np.broadcast_to(np.asarray(frequences, dtype=float), (t,))
        a = np.zeros((t, n + k, n + k), dtype=complex)
        b = np.zeros((t, n + k), dtype=complex)
        for e, (nature, na, nb) in enumerate(self.elements):
            y = 1 / valeurs[:, e] if nature == "R" else s * valeurs[:, e]
            for i, j in ((na, nb), (nb, na)):
                if i in self.noeuds:
                    a[:, self.noeuds[i], self.noeuds[i]] += y
                    if j in self.noeuds:
                        a[:, self.noeuds[i], self.noeuds[j]] -= y
                    elif j == "IN":
                        b[:, self.noeuds[i]] += y
        for r, (sortie, plus, moins) in enumerate(self.amplis, start=n):
            a[:, self.noeuds[sortie], r] -= 1  # the current the op-amp drives out
            a[:, r, self.noeuds[moins]] += 1
            if plus != "0":
                a[:, r, self.noeuds[plus]] -= 1
            if ampli is not None:  # V− − V+ + Vout / A(s) = 0
                a[:, r, self.noeuds[sortie]] += 1 / ampli[1] + s / (2 * np.pi * ampli[0])
        return np.linalg.solve(a, b[..., None])[:, self.noeuds[self.amplis[-1][0]], 0]
