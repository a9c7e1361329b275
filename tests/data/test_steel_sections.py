"""Unit weights computed from the dimensions, against figures printed in the standards' tables.

One or more sections per formula, chosen where a wrong radius term, a wrong rounding order or
rounding halves the wrong way would show.
"""

import unittest
from decimal import Decimal

from steel_sections import designation, significant, unit_weight


def texts(**dimensions):
    return {name: str(value) for name, value in dimensions.items()}


class UnitWeights(unittest.TestCase):
    CASES = [
        # section, dimensions, designation, tabulated unit weight
        ("h", texts(H=100, B=50, t1=5, t2=7, r=8), "H-100x50x5x7", "9.30"),
        ("h", texts(H=100, B=100, t1=6, t2=8, r=10), "H-100x100x6x8", "17.2"),
        # 136.49 from the exact area, 137 from the area tabulated to four figures (173.9 cm2)
        ("h", texts(H=350, B=350, t1=12, t2=19, r=20), "H-350x350x12x19", "137"),
        ("h", texts(H=900, B=300, t1=16, t2=28, r=28), "H-900x300x16x28", "243"),
        ("channel", texts(H=100, B=50, t1=5, t2=7.5, r1=8, r2=4), "[-100x50x5x7.5", "9.36"),
        ("channel", texts(H=380, B=100, t1=13, t2=20, r1=24, r2=12), "[-380x100x13x20", "67.3"),
        ("i", texts(H=100, B=75, t1=5, t2=8, r1=7, r2=3.5), "I-100x75x5x8", "12.9"),
        ("i", texts(H=600, B=190, t1=16, t2=35, r1=38, r2=19), "I-600x190x16x35", "176"),
        ("angle", texts(A=65, B=65, t=6, r1=8.5, r2=4), "L-65x65x6", "5.91"),
        ("angle", texts(A=250, B=250, t=35, r1=24, r2=18), "L-250x250x35", "128"),
        ("angle", texts(A=125, B=75, t=7, r1=10, r2=5), "L-125x75x7", "10.7"),
        ("lipped", texts(H=100, A=50, C=20, t=2.3), "C-100x50x20x2.3", "4.06"),
        ("lipped", texts(H=100, A=50, C=20, t=3.2), "C-100x50x20x3.2", "5.50"),
        ("pipe", texts(D=60.5, t=3.2), "P-60.5x3.2", "4.52"),
        ("pipe", texts(D=21.7, t="2.0"), "P-21.7x2.0", "0.972"),
        ("box", texts(H=100, B=100, t=3.2), "\u25a1-100x100x3.2", "9.52"),
        ("box", texts(H=200, B=200, t="12.0"), "\u25a1-200x200x12.0", "67.9"),
        ("flat", texts(t=9, B=50), "FB-9x50", "3.53"),
        # exactly 7.065: halves go up, as the flat bar tables print it
        ("flat", texts(t=9, B=100), "FB-9x100", "7.07"),
        ("round", texts(d=22), "\u03c622", "2.98"),
        ("plate", texts(t=6), "PL-6", "47.1"),
        ("plate", texts(t=9), "PL-9", "70.65"),
        ("plate", texts(t=2.3), "PL-2.3", "18.055"),
    ]

    def test_tabulated_weights(self):
        for section, dims, name, weight in self.CASES:
            with self.subTest(name):
                self.assertEqual(designation(section, dims), name)
                self.assertEqual(unit_weight(section, dims), Decimal(weight))


class SignificantFigures(unittest.TestCase):
    def test_rounding(self):
        for value, digits, expected in [
            ("136.4895", 3, "136"), ("0.97236", 3, "0.972"), ("7.065", 3, "7.07"),
            ("7.0649", 3, "7.06"), ("21.8977", 4, "21.90"), ("604.5", 3, "605"), ("0", 3, "0"),
        ]:
            with self.subTest(value=value, digits=digits):
                result = significant(Decimal(value), digits)
                self.assertEqual(result, Decimal(expected))
                self.assertEqual(str(result), expected)


if __name__ == "__main__":
    unittest.main()
