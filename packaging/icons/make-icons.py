#!/usr/bin/env python3
"""Draws the desktop icon at every size of the hicolor theme, after the window icon
src/forms/icons/zelk.xpm: a tee, a pipe, a channel and an angle in the 16-colour palette.

The window icon itself serves at 32 px, and zelk-16.xpm, drawn by hand, at 16 px: at that size
the sections are only three pixels thick. Every other size is drawn anew on the pixel grid of its
own: edges fall on whole pixels and every section keeps a dark outline around a light inside, so
that no size is a blurred scaling of another. Needs rsvg-convert (librsvg2-bin) and ImageMagick.
Run it after changing the drawing and commit the PNGs; the build only installs them.
Usage: make-icons.py [OUTPUT_FOLDER]   (default: hicolor beside this script)
"""
import pathlib
import shutil
import subprocess
import sys

APP_ID = "io.github.zelkwin.Zelk"
SIZES = (16, 32, 48, 64, 128, 256)
HERE = pathlib.Path(__file__).resolve().parent
WINDOW_ICON = HERE.parents[1] / "src" / "windows" / "icons" / "zelk.png"
SMALL_ICON = HERE / "zelk-16.xpm"

# Dark outline and light inside of each section, as in the window icon.
RED = ("#800000", "#ff0000")
YELLOW = ("#808000", "#ffff00")
GREEN = ("#008000", "#00ff00")
CYAN = ("#008080", "#00ffff")


class Grid:
    """The window icon's 32 x 32 layout on a canvas of `size` pixels."""

    def __init__(self, size):
        self.scale = size / 32
        self.outline = max(1, round(self.scale))

    def at(self, design):
        return round(design * self.scale)

    def thickness(self, design):
        # Thick enough for an outline on both sides of a light stripe at least one pixel wide.
        return max(3 * self.outline, round(design * self.scale))


def rect(x0, y0, x1, y1, fill):
    return f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="{fill}"/>'


def section(parts, colours, outline):
    """Rectangles in the dark colour, then each inset by the outline in the light colour: where
    the parts overlap, the light insides run into each other as in a rolled section."""
    dark, light = colours
    shapes = [rect(*p, dark) for p in parts]
    shapes += [rect(x0 + outline, y0 + outline, x1 - outline, y1 - outline, light) for x0, y0, x1, y1 in parts]
    return shapes


def drawing(size):
    g = Grid(size)
    o = g.outline
    shapes = []
    rings = []

    # Tee, top left: flange across the top, web down the middle.
    left, right, top, bottom = g.at(1), g.at(15), g.at(2), g.at(15)
    flange, web = g.thickness(4), g.thickness(4)
    webLeft = round((left + right - web) / 2)
    shapes += section([(left, top, right, top + flange), (webLeft, top, webLeft + web, bottom)], RED, o)

    # Channel, bottom left: open to the right.
    left, right, top, bottom = g.at(2), g.at(14), g.at(18), g.at(30)
    flange, web = g.thickness(3), g.thickness(4)
    shapes += section([(left, top, right, top + flange), (left, top, left + web, bottom),
                       (left, bottom - flange, right, bottom)], GREEN, o)

    # Angle, bottom right.
    left, right, top, bottom = g.at(18), g.at(31), g.at(17), g.at(30)
    leg = g.thickness(4)
    shapes += section([(left, top, left + leg, bottom), (left, bottom - leg, right, bottom)], CYAN, o)

    # Pipe, top right: a ring, dark on both edges.
    cx, cy = 24 * g.scale, 8 * g.scale
    outer = 7 * g.scale
    wall = g.thickness(3)
    dark, light = YELLOW
    # Smoothed, unlike the straight edges, which stay on whole pixels.
    rings.append(f'<circle cx="{cx}" cy="{cy}" r="{outer - wall / 2}" fill="none" stroke="{dark}" '
                 f'stroke-width="{wall}"/>')
    rings.append(f'<circle cx="{cx}" cy="{cy}" r="{outer - wall / 2}" fill="none" stroke="{light}" '
                 f'stroke-width="{wall - 2 * o}"/>')

    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 {size} {size}">\n'
            f'  <g shape-rendering="crispEdges">\n    ' + "\n    ".join(shapes) + '\n  </g>\n  '
            + "\n  ".join(rings) + '\n</svg>\n')


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else HERE / "hicolor"
    for size in SIZES:
        target = out / f"{size}x{size}" / "apps" / f"{APP_ID}.png"
        target.parent.mkdir(parents=True, exist_ok=True)
        if size == 32:
            shutil.copyfile(WINDOW_ICON, target)
            continue
        if size == 16:
            subprocess.run(["convert", SMALL_ICON, "-define", "png:exclude-chunks=date,time", f"PNG32:{target}"],
                           check=True)
            continue
        subprocess.run(["rsvg-convert", "--format=png", f"--output={target}"], input=drawing(size).encode(),
                       check=True)


if __name__ == "__main__":
    main()
