"""Unit weights computed from the dimensions, against figures printed in the standards' tables
(tabulated-weights.tsv)."""

import unittest
from decimal import Decimal

from steel_sections import designation, significant, unit_weight


class UnitWeights(unittest.TestCase):
    def test_tabulated_weights(self):
        with open("tabulated-weights.tsv", encoding="utf-8") as table:
            rows = [line.rstrip("\n").split("\t") for line in table if line.strip() and line[0] != "#"]
        for section, dimensions, name, weight in rows:
            dims = dict(dimension.split("=") for dimension in dimensions.split())
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
