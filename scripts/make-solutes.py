#!/usr/bin/env python3
"""Writes data/Solutes/solutes.tsv from the thermodynamic databases distributed with PHREEQC
(U.S. Geological Survey), the usual textbook values of the project's reference tables and the
published tables of data/Solutes/textbook.tsv.

PHREEQC writes association reactions with cumulative constants (3 H+ + PO4-3 = H3PO4,
log_k 21.721) or cumulative dissociations (H3AsO4 = HAsO4-2 + 2 H+, log_k -9.2); both are turned
here into stepwise pKa values in ascending order, and their enthalpies into the standard enthalpy
of each dissociation step in kJ/mol (PHREEQC's default unit is kJ/mol; "kcal" lines are
multiplied by 4.184).

The limiting molar conductivities λ° of the ions come from the diffusion coefficients of
phreeqc.dat (-dw, m²/s): λ° = z² F² D / (R T) at 298.15 K, written in mS·m²/mol.

Usage: make-solutes.py MINTEQ_V4_DAT WATEQ4F_DAT PHREEQC_DAT LLNL_DAT SIT_DAT MINTEQ_DAT
       > data/Solutes/solutes.tsv
"""
import os
import re
import sys


def is_reaction(text):
    """A reaction line: an equation, not an option (-log_k, -analytic...). sit.dat also writes
    reactions with a negative first term ("- 2 H+ + H3(AsO3) = ..."), which are left unread."""
    return "=" in text and not re.match(r"^-[A-Za-z_]", text)


def parse(path):
    """Every reaction of SOLUTION_SPECIES: (left, right, log_k, delta_h in kJ/mol or None)."""
    lines = open(path, encoding="latin-1").read().split("\n")
    end = next(i for i, l in enumerate(lines) if l.startswith("PHASES"))
    out = []
    for i in range(end):
        text = lines[i].split("#")[0].strip()
        if not is_reaction(text) or text.startswith("-"):
            continue
        left, right = [s.strip() for s in text.split("=", 1)]

        def terms(side):
            result = []
            for t in re.split(r"\s\+\s", side):
                m = re.match(r"^(\d+(?:\.\d+)?)\s+(\S+)$", t.strip())
                result.append((float(m.group(1)), m.group(2)) if m else (1.0, t.strip()))
            return result

        log_k = delta_h = None
        j = i + 1
        while j < end:
            s = lines[j].split("#")[0].strip()
            if is_reaction(s):
                break
            m = re.match(r"^-?log_?k\s+([-+0-9.eE]+)", s)
            if m:
                log_k = float(m.group(1))
            m = re.match(r"^-?delta_h\s+([-+0-9.eE]+)\s*(\S*)", s)
            if m:
                delta_h = float(m.group(1)) * (4.184 if m.group(2).lower().startswith("kcal") else 1)
            j += 1
        if log_k is not None:
            out.append((terms(left), terms(right), log_k, delta_h))
    return out


def fmt(x, digits=3):
    s = f"{x:.{digits}f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def protonations(db, ligand):
    """Cumulative association constants n H+ + L = HnL: {n: (log beta, dH)}."""
    found = {}
    for left, right, k, h in db:
        names = [s for c, s in left]
        if len(left) == 2 and "H+" in names and ligand in names and len(right) == 1:
            n = next(c for c, s in left if s == "H+")
            if next(c for c, s in left if s == ligand) == 1:
                found[int(n)] = (k, h)
    return found


def dissociations(db, acid):
    """Cumulative dissociations HnA = A + m H+: {m: (log_k, dH)}."""
    found = {}
    for left, right, k, h in db:
        if len(left) == 1 and left[0] == (1.0, acid) and len(right) == 2:
            names = [s for c, s in right]
            if "H+" in names:
                m = next(c for c, s in right if s == "H+")
                found[(int(m), [s for c, s in right if s != "H+"][0])] = (k, h)
    return found


def stepwise_from_protonations(found):
    """pKa values ascending and dissociation enthalpies from cumulative protonation constants."""
    n_max = max(found)
    pka, dh = [], []
    for n in range(n_max, 0, -1):
        k_n, h_n = found[n]
        k_p, h_p = found.get(n - 1, (0.0, 0.0)) if n > 1 else (0.0, 0.0)
        pka.append(k_n - k_p)
        dh.append(None if h_n is None or h_p is None or h_n == 0 else -(h_n - h_p))
    return pka, dh


def stepwise_from_dissociations(steps):
    """steps: list of (log_k cumulative, dH cumulative) for 1, 2, ... protons lost."""
    pka, dh = [], []
    prev_k, prev_h = 0.0, 0.0
    for k, h in steps:
        pka.append(-(k - prev_k))
        dh.append(None if h is None or prev_h is None or h == 0 else h - prev_h)
        prev_k, prev_h = k, h
    return pka, dh


# Systems read from association reactions of minteq.v4.dat: the ligand (fully deprotonated
# form) as PHREEQC names it, its charge, then the names and formula of the fully protonated form.
# (ligand, charge of the ligand, French name, English name, synonyms, formula)
PROTONATED = [
    ("F-", -1, "acide fluorhydrique", "hydrofluoric acid", "fluorure d'hydrogène|hydrogen fluoride", "HF"),
    ("SO4-2", -2, "ion hydrogénosulfate", "hydrogen sulfate ion", "acide sulfurique (2e acidité)|bisulfate|sulfuric acid (second acidity)", "HSO4-"),
    ("HSeO3-", -1, "acide sélénieux", "selenous acid", "selenious acid", "H2SeO3"),
    ("SeO4-2", -2, "ion hydrogénoséléniate", "hydrogen selenate ion", "acide sélénique (2e acidité)|selenic acid (second acidity)", "HSeO4-"),
    ("Cyanide-", -1, "acide cyanhydrique", "hydrocyanic acid", "cyanure d'hydrogène|hydrogen cyanide|acide prussique|prussic acid", "HCN"),
    ("PO4-3", -3, "acide phosphorique", "phosphoric acid", "acide orthophosphorique|orthophosphoric acid", "H3PO4"),
    ("CO3-2", -2, "dioxyde de carbone dissous (acide carbonique)", "dissolved carbon dioxide (carbonic acid)", "acide carbonique|carbonic acid|CO2,H2O|CO2|H2CO3", "H2CO3"),
    ("CrO4-2", -2, "acide chromique", "chromic acid", "", "H2CrO4"),
    ("MoO4-2", -2, "acide molybdique", "molybdic acid", "", "H2MoO4"),
    ("Benzoate-", -1, "acide benzoïque", "benzoic acid", "", "C6H5COOH"),
    ("Phenylacetate-", -1, "acide phénylacétique", "phenylacetic acid", "acide phényléthanoïque|phenylethanoic acid", "C6H5CH2COOH"),
    ("Isophthalate-2", -2, "acide isophtalique", "isophthalic acid", "acide benzène-1,3-dicarboxylique|benzene-1,3-dicarboxylic acid", "C6H4(COOH)2"),
    ("Phthalate-2", -2, "acide phtalique", "phthalic acid", "acide benzène-1,2-dicarboxylique|benzene-1,2-dicarboxylic acid|hydrogénophtalate|hydrogen phthalate", "C6H4(COOH)2"),
    ("Diethylamine", 0, "ion diéthylammonium", "diethylammonium ion", "diéthylamine|diethylamine", "(C2H5)2NH2+"),
    ("Butylamine", 0, "ion butylammonium", "butylammonium ion", "butylamine|butan-1-amine|n-butylamine", "C4H9NH3+"),
    ("Methylamine", 0, "ion méthylammonium", "methylammonium ion", "méthylamine|methylamine|méthanamine|methanamine", "CH3NH3+"),
    ("Dimethylamine", 0, "ion diméthylammonium", "dimethylammonium ion", "diméthylamine|dimethylamine", "(CH3)2NH2+"),
    ("Hexylamine", 0, "ion hexylammonium", "hexylammonium ion", "hexylamine|hexan-1-amine", "C6H13NH3+"),
    ("Ethylenediamine", 0, "ion éthylènediammonium", "ethylenediammonium ion", "éthylènediamine|ethylenediamine|éthane-1,2-diamine|ethane-1,2-diamine|en", "H3N(CH2)2NH3+2"),
    ("Propylamine", 0, "ion propylammonium", "propylammonium ion", "propylamine|propan-1-amine", "C3H7NH3+"),
    ("Isopropylamine", 0, "ion isopropylammonium", "isopropylammonium ion", "isopropylamine|propan-2-amine", "(CH3)2CHNH3+"),
    ("Trimethylamine", 0, "ion triméthylammonium", "trimethylammonium ion", "triméthylamine|trimethylamine", "(CH3)3NH+"),
    ("Citrate-3", -3, "acide citrique", "citric acid", "citrate", "C6H8O7"),
    ("Nta-3", -3, "acide nitrilotriacétique", "nitrilotriacetic acid", "NTA", "H4NTA+"),
    ("Edta-4", -4, "acide éthylènediaminetétraacétique", "ethylenediaminetetraacetic acid", "EDTA|H4Y|Y4-", "H5EDTA+"),
    ("Propionate-", -1, "acide propanoïque", "propanoic acid", "acide propionique|propionic acid", "C2H5COOH"),
    ("Butyrate-", -1, "acide butanoïque", "butanoic acid", "acide butyrique|butyric acid", "C3H7COOH"),
    ("Isobutyrate-", -1, "acide 2-méthylpropanoïque", "2-methylpropanoic acid", "acide isobutyrique|isobutyric acid", "(CH3)2CHCOOH"),
    ("Two_picoline", 0, "ion 2-méthylpyridinium", "2-methylpyridinium ion", "2-picoline|2-méthylpyridine|2-methylpyridine", "C6H7NH+"),
    ("Three_picoline", 0, "ion 3-méthylpyridinium", "3-methylpyridinium ion", "3-picoline|3-méthylpyridine|3-methylpyridine", "C6H7NH+"),
    ("Four_picoline", 0, "ion 4-méthylpyridinium", "4-methylpyridinium ion", "4-picoline|4-méthylpyridine|4-methylpyridine", "C6H7NH+"),
    ("Formate-", -1, "acide méthanoïque", "methanoic acid", "acide formique|formic acid", "HCOOH"),
    ("Isovalerate-", -1, "acide 3-méthylbutanoïque", "3-methylbutanoic acid", "acide isovalérique|isovaleric acid", "(CH3)2CHCH2COOH"),
    ("Valerate-", -1, "acide pentanoïque", "pentanoic acid", "acide valérique|valeric acid", "C4H9COOH"),
    ("Acetate-", -1, "acide éthanoïque", "ethanoic acid", "acide acétique|acetic acid|vinaigre|vinegar", "CH3COOH"),
    ("Tartarate-2", -2, "acide tartrique", "tartaric acid", "", "C4H6O6"),
    ("Glycine-", -1, "ion glycinium", "glycinium ion", "glycine|glycocolle|acide aminoéthanoïque|aminoethanoic acid", "H3NCH2COOH+"),
    ("Salicylate-2", -2, "acide salicylique", "salicylic acid", "acide 2-hydroxybenzoïque|2-hydroxybenzoic acid", "C6H4(OH)COOH"),
    ("Glutamate-2", -2, "ion glutamique (acide glutamique protoné)", "glutamic acid, protonated", "acide glutamique|glutamic acid|glutamate", "C5H10NO4+"),
]

# Systems read from cumulative dissociations (acid, French name, English name, synonyms,
# formula, charge of the acid, database, successive products).
DISSOCIATED = [
    ("H4SiO4", "acide orthosilicique", "orthosilicic acid", "acide silicique|silicic acid|silice dissoute|dissolved silica", "H4SiO4", 0, "minteq", ["H3SiO4-", "H2SiO4-2"]),
    ("H3BO3", "acide borique", "boric acid", "", "H3BO3", 0, "minteq", ["H2BO3-"]),
    ("NH4+", "ion ammonium", "ammonium ion", "ammoniac|ammonia", "NH4+", 1, "minteq", ["NH3"]),
    ("H3AsO3", "acide arsénieux", "arsenous acid", "arsenious acid", "H3AsO3", 0, "minteq", ["H2AsO3-", "HAsO3-2", "AsO3-3"]),
    ("H3AsO4", "acide arsénique", "arsenic acid", "", "H3AsO4", 0, "minteq", ["H2AsO4-", "HAsO4-2", "AsO4-3"]),
]

# Diacids whose two acidities are written as two dissociations in wateq4f.dat (H2S = HS- + H+,
# HS- = S-2 + H+). minteq.v4.dat gives 17.3 for HS-/S2-: wateq4f's 12.918 is kept, the value
# the usual textbook tables print (about 13), so that the entry agrees with the lessons.
# (first acid, second acid, last base, French name, English name, synonyms, formula)
WATEQ_DIACIDS = [
    ("H2S", "HS-", "S-2", "sulfure d'hydrogène", "hydrogen sulfide", "acide sulfhydrique|hydrosulfuric acid", "H2S"),
]

# Cations whose hydrated ion is a weak acid (first hydrolysis, M+z + H2O = MOH + H+).
# (PHREEQC species, French name, English name, formula as printed, charge)
CATIONS = [
    ("Pb+2", "ion plomb(II)", "lead(II) ion", "Pb2+", 2),
    ("Al+3", "ion aluminium(III)", "aluminium(III) ion", "Al3+", 3),
    ("Tl+", "ion thallium(I)", "thallium(I) ion", "Tl+", 1),
    ("Zn+2", "ion zinc(II)", "zinc(II) ion", "Zn2+", 2),
    ("Cd+2", "ion cadmium(II)", "cadmium(II) ion", "Cd2+", 2),
    ("Cu+2", "ion cuivre(II)", "copper(II) ion", "Cu2+", 2),
    ("Ag+", "ion argent(I)", "silver(I) ion", "Ag+", 1),
    ("Ni+2", "ion nickel(II)", "nickel(II) ion", "Ni2+", 2),
    ("Co+2", "ion cobalt(II)", "cobalt(II) ion", "Co2+", 2),
    ("Co+3", "ion cobalt(III)", "cobalt(III) ion", "Co3+", 3),
    ("Fe+2", "ion fer(II)", "iron(II) ion", "Fe2+", 2),
    ("Fe+3", "ion fer(III)", "iron(III) ion", "Fe3+", 3),
    ("Mn+2", "ion manganèse(II)", "manganese(II) ion", "Mn2+", 2),
    ("V+2", "ion vanadium(II)", "vanadium(II) ion", "V2+", 2),
    ("V+3", "ion vanadium(III)", "vanadium(III) ion", "V3+", 3),
    ("U+4", "ion uranium(IV)", "uranium(IV) ion", "U4+", 4),
    ("UO2+2", "ion uranyle", "uranyl ion", "UO2+2", 2),
    ("Be+2", "ion béryllium", "beryllium ion", "Be2+", 2),
    ("Mg+2", "ion magnésium", "magnesium ion", "Mg2+", 2),
    ("Ca+2", "ion calcium", "calcium ion", "Ca2+", 2),
    ("Sr+2", "ion strontium", "strontium ion", "Sr2+", 2),
    ("Ba+2", "ion baryum", "barium ion", "Ba2+", 2),
]


# Bases of the project's reference tables (literature column, checked there against the CRC
# Handbook and Harris): (French name, English name, synonyms, formula, charge, pKa).
TEXTBOOK = [
    ("ion éthylammonium", "ethylammonium ion", "éthylamine|ethylamine|éthanamine|ethanamine", "C2H5NH3+", 1, 10.75),
    ("ion triéthylammonium", "triethylammonium ion", "triéthylamine|triethylamine", "(C2H5)3NH+", 1, 10.75),
    ("ion pyridinium", "pyridinium ion", "pyridine", "C5H5NH+", 1, 5.23),
    ("ion anilinium", "anilinium ion", "aniline|phénylamine|phenylamine", "C6H5NH3+", 1, 4.60),
    ("ion hydrazinium", "hydrazinium ion", "hydrazine", "N2H5+", 1, 8.07),
    ("ion hydroxylammonium", "hydroxylammonium ion", "hydroxylamine", "NH3OH+", 1, 5.96),
]


# Systems minteq.v4.dat lacks, read from association reactions of llnl.dat (Lawrence Livermore
# National Laboratory's thermo.com.V8.R6 as converted for PHREEQC): same columns as PROTONATED.
LLNL_PROTONATED = [
    ("BrO-", -1, "acide hypobromeux", "hypobromous acid", "acide oxobromique", "HBrO"),
    ("ClO-", -1, "acide hypochloreux", "hypochlorous acid", "acide oxochlorique|hypochlorite|eau de Javel|bleach", "HClO"),
    ("ClO2-", -1, "acide chloreux", "chlorous acid", "chlorite", "HClO2"),
    ("IO3-", -1, "acide iodique", "iodic acid", "iodate", "HIO3"),
    ("N3-", -1, "acide azothydrique", "hydrazoic acid", "azoture d'hydrogène|hydrogen azide|azide", "HN3"),
    ("NO2-", -1, "acide nitreux", "nitrous acid", "nitrite", "HNO2"),
    ("NO3-", -1, "acide nitrique", "nitric acid", "nitrate", "HNO3"),
    ("SO3-2", -2, "acide sulfureux", "sulfurous acid", "dioxyde de soufre dissous|dissolved sulfur dioxide|SO2,H2O|sulfite|hydrogénosulfite|bisulfite", "H2SO3"),
]

# Systems neither minteq.v4.dat nor llnl.dat holds, read from association reactions of sit.dat
# (the ThermoChimie selection distributed with PHREEQC): same columns as PROTONATED.
SIT_PROTONATED = [
    ("Ox-2", -2, "acide oxalique", "oxalic acid", "acide éthanedioïque|ethanedioic acid|oxalate|hydrogénooxalate|hydrogen oxalate", "H2C2O4"),
    ("Malonate-2", -2, "acide malonique", "malonic acid", "acide propanedioïque|propanedioic acid|malonate", "HOOCCH2COOH"),
    ("Succinat-2", -2, "acide succinique", "succinic acid", "acide butanedioïque|butanedioic acid|succinate", "HOOC(CH2)2COOH"),
    ("Adipate-2", -2, "acide adipique", "adipic acid", "acide hexanedioïque|hexanedioic acid|adipate", "HOOC(CH2)4COOH"),
    ("Suberate-2", -2, "acide subérique", "suberic acid", "acide octanedioïque|octanedioic acid|subérate|suberate", "HOOC(CH2)6COOH"),
    ("HGlu-", -1, "acide gluconique", "gluconic acid", "gluconate", "C6H12O7"),
    ("HIsa-", -1, "acide isosaccharinique", "isosaccharinic acid", "ISA|isosaccharinate", "C6H12O6"),
    ("Pyrophos-4", -4, "acide diphosphorique", "diphosphoric acid", "acide pyrophosphorique|pyrophosphoric acid|pyrophosphate|diphosphate", "H4P2O7"),
    ("S2O3-2", -2, "acide thiosulfurique", "thiosulfuric acid", "thiosulfate", "H2S2O3"),
    ("S2O4-2", -2, "acide dithioneux", "dithionous acid", "dithionite|hydrosulfite", "H2S2O4"),
]

# Cations whose first hydrolysis minteq.v4.dat writes from a hydroxide master species
# (M(OH)n + n H+ = M+z, M(OH)n + (n-1) H+ = MOH): (master species, PHREEQC cation, first
# hydroxo complex, French name, English name, formula as printed, charge).
MINTEQ_HYDROXIDE_CATIONS = [
    ("Hg(OH)2", "Hg+2", "HgOH+", "ion mercure(II)", "mercury(II) ion", "Hg2+", 2),
    ("Cr(OH)2+", "Cr+3", "Cr(OH)+2", "ion chrome(III)", "chromium(III) ion", "Cr3+", 3),
]

# Cations minteq.v4.dat lacks, first hydrolysis from llnl.dat: same columns as CATIONS.
LLNL_CATIONS = [
    ("Li+", "ion lithium", "lithium ion", "Li+", 1),
    ("Na+", "ion sodium", "sodium ion", "Na+", 1),
    ("K+", "ion potassium", "potassium ion", "K+", 1),
    ("Sn+2", "ion étain(II)", "tin(II) ion", "Sn2+", 2),
    ("Sn+4", "ion étain(IV)", "tin(IV) ion", "Sn4+", 4),
    ("Pd+2", "ion palladium(II)", "palladium(II) ion", "Pd2+", 2),
    ("Ru+3", "ion ruthénium(III)", "ruthenium(III) ion", "Ru3+", 3),
    ("VO+2", "ion vanadyle", "vanadyl ion", "VO2+", 2),
    ("Zr+4", "ion zirconium(IV)", "zirconium(IV) ion", "Zr4+", 4),
    ("Hf+4", "ion hafnium(IV)", "hafnium(IV) ion", "Hf4+", 4),
    ("Th+4", "ion thorium(IV)", "thorium(IV) ion", "Th4+", 4),
    ("Y+3", "ion yttrium(III)", "yttrium(III) ion", "Y3+", 3),
    ("La+3", "ion lanthane(III)", "lanthanum(III) ion", "La3+", 3),
    ("Ce+3", "ion cérium(III)", "cerium(III) ion", "Ce3+", 3),
    ("Pr+3", "ion praséodyme(III)", "praseodymium(III) ion", "Pr3+", 3),
    ("Nd+3", "ion néodyme(III)", "neodymium(III) ion", "Nd3+", 3),
    ("Pm+3", "ion prométhium(III)", "promethium(III) ion", "Pm3+", 3),
    ("Sm+3", "ion samarium(III)", "samarium(III) ion", "Sm3+", 3),
    ("Eu+3", "ion europium(III)", "europium(III) ion", "Eu3+", 3),
    ("Gd+3", "ion gadolinium(III)", "gadolinium(III) ion", "Gd3+", 3),
    ("Tb+3", "ion terbium(III)", "terbium(III) ion", "Tb3+", 3),
    ("Dy+3", "ion dysprosium(III)", "dysprosium(III) ion", "Dy3+", 3),
    ("Ho+3", "ion holmium(III)", "holmium(III) ion", "Ho3+", 3),
    ("Er+3", "ion erbium(III)", "erbium(III) ion", "Er3+", 3),
    ("Tm+3", "ion thulium(III)", "thulium(III) ion", "Tm3+", 3),
    ("Yb+3", "ion ytterbium(III)", "ytterbium(III) ion", "Yb3+", 3),
    ("Lu+3", "ion lutécium(III)", "lutetium(III) ion", "Lu3+", 3),
    ("Np+3", "ion neptunium(III)", "neptunium(III) ion", "Np3+", 3),
    ("Np+4", "ion neptunium(IV)", "neptunium(IV) ion", "Np4+", 4),
    ("NpO2+", "ion neptunyle(V)", "neptunyl(V) ion", "NpO2+", 1),
    ("NpO2+2", "ion neptunyle(VI)", "neptunyl(VI) ion", "NpO2+2", 2),
    ("Pu+3", "ion plutonium(III)", "plutonium(III) ion", "Pu3+", 3),
    ("Pu+4", "ion plutonium(IV)", "plutonium(IV) ion", "Pu4+", 4),
    ("PuO2+", "ion plutonyle(V)", "plutonyl(V) ion", "PuO2+", 1),
    ("PuO2+2", "ion plutonyle(VI)", "plutonyl(VI) ion", "PuO2+2", 2),
    ("Am+3", "ion américium(III)", "americium(III) ion", "Am3+", 3),
]

# Systems no database distributed with PHREEQC holds, with the values of published tables: the
# data lines of textbook.tsv beside solutes.tsv (French name, English name, synonyms, formula,
# charge, pKa values, one source key per pKa).
TEXTBOOK_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Solutes",
                             "textbook.tsv")


def textbook_systems(path):
    out = []
    for number, line in enumerate(open(path, encoding="utf-8").read().split("\n"), 1):
        if not line.strip() or line.startswith("#"):
            continue
        f = line.split("\t")
        if len(f) != 7 or len(f[5].split()) != len(f[6].split()):
            raise SystemExit(f"{path}:{number}: 7 columns and one source key per pKa expected")
        out.append((f[0], f[1], "" if f[2] == "-" else f[2], f[3], int(f[4]),
                    [float(v) for v in f[5].split()], f[6].split()))
    return out


HEADER = """\
# Acid-base systems of the solute database, one system a line, columns separated by one tab.
# Written by scripts/make-solutes.py from the databases distributed with PHREEQC (see
# NOTICE-USGS.txt beside this file), the project's reference tables and the published tables of
# textbook.tsv; sources.tsv resolves the source keys. Lines starting with # are comments.
#  1 French name
#  2 English name
#  3 synonyms in either language, separated by |; - when none
#  4 formula of the fully protonated form, ASCII, as typed
#  5 charge of the fully protonated form
#  6 pKa of each acidity at 25 °C and zero ionic strength, stepwise, ascending, separated by spaces
#  7 source key of each pKa, separated by spaces
#  8 standard enthalpy of each acidity (loss of its proton), kJ/mol, - when unknown
#  9 source key of each enthalpy, - when unknown
# 10 limiting molar conductivity λ° of each form at 25 °C, mS·m²/mol, - when unknown (all - : none)
# 11 source key of each conductivity, - when unknown
"""


# Systems whose every ion has a diffusion coefficient in phreeqc.dat: the species of each form,
# from the fully protonated one, by formula of the system.
FORM_SPECIES = {
    "HF": ["HF", "F-"],
    "HSO4-": ["HSO4-", "SO4-2"],
    "H3PO4": ["H3PO4", "H2PO4-", "HPO4-2", "PO4-3"],
    "H2CO3": ["H2CO3", "HCO3-", "CO3-2"],
    "NH4+": ["NH4+", "NH3"],
    "H2S": ["H2S", "HS-", "S-2"],
}


def diffusion_coefficients(path):
    """-dw of each species of SOLUTION_SPECIES, m²/s, by the species the reaction defines."""
    lines = open(path, encoding="latin-1").read().split("\n")
    end = next(i for i, l in enumerate(lines) if l.startswith("PHASES"))
    found, species = {}, None
    for i in range(end):
        text = lines[i].split("#")[0].strip()
        if "=" in text and not text.startswith("-"):
            species = text.split("=", 1)[1].strip().split(" + ")[0].strip()
        m = re.match(r"^-dw\s+([0-9.eE+-]+)", text)
        if m and species:
            found[species] = float(m.group(1))
    return found


def charge_of(species):
    m = re.search(r"([+-])(\d*)$", species)
    return 0 if not m else (1 if m.group(1) == "+" else -1) * int(m.group(2) or 1)


def main():
    minteq = parse(sys.argv[1])
    rows = []

    def add(fr, en, syn, formula, charge, pka, dh, key):
        if any(b <= a for a, b in zip(pka, pka[1:])):
            raise SystemExit(f"{en}: pKa not ascending {pka}")
        if any(row[0] == fr for row in rows):
            raise SystemExit(f"{fr}: two systems of that name")
        keys = key if isinstance(key, list) else [key for _ in pka]
        rows.append([fr, en, syn or "-", formula, str(charge),
                     " ".join(fmt(p) for p in pka), " ".join(keys),
                     " ".join("-" if h is None else fmt(h, 2) for h in dh),
                     " ".join("-" if h is None else key for h in dh), "-", "-"])

    for ligand, z, fr, en, syn, formula in PROTONATED:
        found = protonations(minteq, ligand)
        pka, dh = stepwise_from_protonations(found)
        add(fr, en, syn, formula, z + max(found), pka, dh, "MINTEQ4")
    for acid, fr, en, syn, formula, z, _, products in DISSOCIATED:
        found = dissociations(minteq, acid)
        steps = [found[(m + 1, p)] for m, p in enumerate(products)]
        pka, dh = stepwise_from_dissociations(steps)
        add(fr, en, syn, formula, z, pka, dh, "MINTEQ4")
    if len(sys.argv) > 2:
        wateq = parse(sys.argv[2])
        for first, second, last, fr, en, syn, formula in WATEQ_DIACIDS:
            k1, h1 = dissociations(wateq, first)[(1, second)]
            k2, h2 = dissociations(wateq, second)[(1, last)]
            add(fr, en, syn, formula, 0, [-k1, -k2], [h1, h2], "WATEQ4F")
    for ion, fr, en, formula, z in CATIONS:
        for left, right, k, h in minteq:
            if left == [(1.0, ion), (1.0, "H2O")] and len(right) == 2 and right[1] == (1.0, "H+"):
                add(fr, en, formula.replace(" ", ""), formula, z, [-k], [h if h else None], "MINTEQ4")
                break
        else:
            raise SystemExit(ion)
    for master, ion, complex_, fr, en, formula, z in MINTEQ_HYDROXIDE_CATIONS:
        to_ion = to_complex = None
        for left, right, k, h in minteq:
            if left[0] == (1.0, master) and right[0] == (1.0, ion):
                to_ion = (k, h)
            if left[0] == (1.0, master) and right[0] == (1.0, complex_):
                to_complex = (k, h)
        # M+z + H2O = MOH + H+ is the second reaction less the first.
        pka = to_ion[0] - to_complex[0]
        dh = None if to_ion[1] is None or to_complex[1] is None else to_complex[1] - to_ion[1]
        add(fr, en, formula, formula, z, [pka], [dh], "MINTEQ4")
    if len(sys.argv) > 4:
        llnl = parse(sys.argv[4])
        for ligand, z, fr, en, syn, formula in LLNL_PROTONATED:
            found = protonations(llnl, ligand)
            pka, dh = stepwise_from_protonations(found)
            add(fr, en, syn, formula, z + max(found), pka, dh, "LLNL")
        for ion, fr, en, formula, z in LLNL_CATIONS:
            for left, right, k, h in llnl:
                if sorted(left) == sorted([(1.0, ion), (1.0, "H2O")]) and len(right) == 2 \
                        and (1.0, "H+") in right:
                    add(fr, en, formula, formula, z, [-k], [h if h else None], "LLNL")
                    break
            else:
                raise SystemExit(ion)
        # H2Se: llnl.dat writes its second acidity as a dissociation (HSe- = Se-2 + H+) and the
        # first through the cumulative 2 H+ + Se-2 = H2Se.
        beta2 = protonations(llnl, "Se-2")[2][0]
        k2 = -dissociations(llnl, "HSe-")[(1, "Se-2")][0]
        add("séléniure d'hydrogène", "hydrogen selenide", "acide sélénhydrique|hydroselenic acid",
            "H2Se", 0, [beta2 - k2, k2], [None, None], "LLNL")
    if len(sys.argv) > 5:
        sit = parse(sys.argv[5])
        for ligand, z, fr, en, syn, formula in SIT_PROTONATED:
            found = protonations(sit, ligand)
            pka, dh = stepwise_from_protonations(found)
            add(fr, en, syn, formula, z + max(found), pka, dh, "SIT")
    if len(sys.argv) > 6:
        # Cyanic acid is only in the older MINTEQA2 file distributed with PHREEQC.
        old_minteq = parse(sys.argv[6])
        found = protonations(old_minteq, "Cyanate-")
        pka, dh = stepwise_from_protonations(found)
        add("acide cyanique", "cyanic acid", "cyanate", "HOCN", 0, pka, dh, "MINTEQ")
    for fr, en, syn, formula, z, pka in TEXTBOOK:
        add(fr, en, syn, formula, z, [pka], [None], "REFTAB")
    for fr, en, syn, formula, z, pka, keys in textbook_systems(TEXTBOOK_FILE):
        add(fr, en, syn, formula, z, pka, [None] * len(pka), keys)
    print(HEADER, end="")
    if len(sys.argv) > 3:
        dw = diffusion_coefficients(sys.argv[3])
        faraday, gas, kelvin = 96485.33212, 8.314462618, 298.15
        for row in rows:
            forms = FORM_SPECIES.get(row[3])
            if not forms:
                continue
            values, keys = [], []
            for sp in forms:
                z = charge_of(sp)
                if z == 0:
                    values.append("0")
                    keys.append("NEUTRAL")
                else:
                    values.append(fmt(z * z * faraday ** 2 * dw[sp] / (gas * kelvin) * 1000, 3))
                    keys.append("PHREEQC")
            row[9], row[10] = " ".join(values), " ".join(keys)
    for row in rows:
        print("\t".join(row))


if __name__ == "__main__":
    main()
