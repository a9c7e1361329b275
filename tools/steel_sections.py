"""Designations and unit weights of the standard steel sections, from their dimensions.

Every figure is computed in decimal arithmetic from the dimension texts as the source tables give
them, so that the rounding of the standards' tables (three significant figures, halves upwards) is
applied to the exact value and never to a binary approximation of it.
"""

from decimal import ROUND_HALF_UP, Decimal

# Density 7.85 g/cm3: kg/m per cm2 of sectional area, and kg/m2 per mm of plate thickness.
KG_PER_M_PER_CM2 = Decimal("0.785")
KG_PER_M2_PER_MM = Decimal("7.85")
PI = Decimal("3.14159265358979323846")


def significant(value, digits):
    """`value` rounded to `digits` significant figures, halves upwards."""
    if value == 0:
        return value
    exponent = value.adjusted() - (digits - 1)
    return value.quantize(Decimal(1).scaleb(exponent), rounding=ROUND_HALF_UP)


def weight_from_area_mm2(area):
    """Unit weight in kg/m the way the tables of rolled and cold-formed sections give it: the area
    is tabulated in cm2 to four significant figures and the weight is 0.785 times that figure,
    to three significant figures."""
    return significant(significant(area / 100, 4) * KG_PER_M_PER_CM2, 3)


def h_section(d):
    area = d["t1"] * (d["H"] - 2 * d["t2"]) + 2 * d["B"] * d["t2"] + Decimal("0.858") * d["r"] ** 2
    return weight_from_area_mm2(area)


def channel(d):
    area = (d["t1"] * d["H"] + 2 * d["t2"] * (d["B"] - d["t1"])
            + Decimal("0.349") * (d["r1"] ** 2 - d["r2"] ** 2))
    return weight_from_area_mm2(area)


def i_section(d):
    area = (d["t1"] * d["H"] + 2 * d["t2"] * (d["B"] - d["t1"])
            + Decimal("0.615") * (d["r1"] ** 2 - d["r2"] ** 2))
    return weight_from_area_mm2(area)


def angle(d):
    area = d["t"] * (d["A"] + d["B"] - d["t"]) + Decimal("0.215") * (d["r1"] ** 2 - 2 * d["r2"] ** 2)
    return weight_from_area_mm2(area)


def welded_h_section(d):
    # Three plates welded together: no fillet, and the weld metal is not counted.
    return weight_from_area_mm2(d["t1"] * (d["H"] - 2 * d["t2"]) + 2 * d["B"] * d["t2"])


def cut_tee(d):
    # Half of the H-section of depth 2H that the tee is cut from, fillets included.
    area = d["t1"] * (d["H"] - d["t2"]) + d["B"] * d["t2"] + Decimal("0.429") * d["r"] ** 2
    return weight_from_area_mm2(area)


def lipped_channel(d):
    # Four bends of inner radius t and outer radius 2t: each quarter ring takes the place of a
    # square corner and leaves out (1 - pi/4)((2t)^2 - t^2) of it.
    t = d["t"]
    area = t * (d["H"] + 2 * d["A"] + 2 * d["C"] - 4 * t) - 3 * (4 - PI) * t ** 2
    return weight_from_area_mm2(area)


def pipe(d):
    return significant(Decimal("0.02466") * d["t"] * (d["D"] - d["t"]), 3)


def box(d):
    return significant(Decimal("0.0157") * d["t"] * (d["H"] + d["B"] - Decimal("3.287") * d["t"]), 3)


def flat_bar(d):
    return significant(Decimal("0.00785") * d["t"] * d["B"], 3)


def round_bar(d):
    return significant(Decimal("0.00785") * PI * d["d"] ** 2 / 4, 3)


def square_bar(d):
    return significant(Decimal("0.00785") * d["a"] ** 2, 3)


def deformed_bar(d):
    # The nominal area of the nominal diameter d to four significant figures in cm2, and 0.785
    # times that to three: the nominal unit weights of the standard's table.
    return significant(significant(Decimal("0.7854") * d["d"] ** 2 / 100, 4) * KG_PER_M_PER_CM2, 3)


def plate(d):
    return KG_PER_M2_PER_MM * d["t"]


# Section kind -> (dimension columns, designation prefix, the columns joined into the designation
# in the order that the coefficient rule of the group's shape reads them, weight function).
SECTIONS = {
    "h": (("H", "B", "t1", "t2", "r"), "H-", ("H", "B", "t1", "t2"), h_section),
    "channel": (("H", "B", "t1", "t2", "r1", "r2"), "[-", ("H", "B", "t1", "t2"), channel),
    "i": (("H", "B", "t1", "t2", "r1", "r2"), "I-", ("H", "B", "t1", "t2"), i_section),
    "angle": (("A", "B", "t", "r1", "r2"), "L-", ("A", "B", "t"), angle),
    "welded-h": (("H", "B", "t1", "t2"), "LH-", ("H", "B", "t1", "t2"), welded_h_section),
    "ct": (("H", "B", "t1", "t2", "r"), "CT-", ("H", "B", "t1", "t2"), cut_tee),
    "lipped": (("H", "A", "C", "t"), "C-", ("H", "A", "C", "t"), lipped_channel),
    "pipe": (("D", "t"), "P-", ("D", "t"), pipe),
    "box": (("H", "B", "t"), "\u25a1-", ("H", "B", "t"), box),
    "flat": (("t", "B"), "FB-", ("t", "B"), flat_bar),
    "round": (("d",), "\u03c6", ("d",), round_bar),
    "square": (("a",), "SQ-", ("a",), square_bar),
    "plate": (("t",), "PL-", ("t",), plate),
    "deformed": (("D", "d"), "D", ("D",), deformed_bar),
}


# Painted outline in mm, the surface of one metre of the member in m2 per 1000, for the sections
# whose outline no coefficient rule of the generator reads from the designation; None: not painted.
OUTLINES = {
    "square": lambda d: 4 * d["a"],
    "deformed": lambda d: None,
}


def designation(section, texts):
    """The member's designation from the dimension texts as the source writes them."""
    _, prefix, order, _ = SECTIONS[section]
    return prefix + "x".join(texts[name] for name in order)


def dimensions(section, texts):
    return {name: Decimal(texts[name]) for name in SECTIONS[section][0]}


def unit_weight(section, texts):
    """The unit weight as a Decimal: kg/m, or kg/m2 for plates."""
    return SECTIONS[section][3](dimensions(section, texts))


def coefficient(section, texts, weight):
    """The paint-area coefficient in m2/t for a section outside the generator's shape rules, to
    the two decimals that the generator writes and keeps: outline / weight, or 0 unpainted."""
    outline = OUTLINES[section](dimensions(section, texts))
    if outline is None:
        return Decimal("0.00")
    return (outline / weight).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)
