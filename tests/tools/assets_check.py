#!/usr/bin/python3
"""tools/make_assets.py redraws every committed picture as it is decoded: the same size,
mode, palette, transparency and pixels. PNG bytes are not compared: they follow whichever
zlib and Pillow write them. The other files it writes (the SVG icon, the resource list)
must match byte for byte, and every picture under assets/ must be one it draws.

    assets_check.py <source dir>

Debian's own python3 with python3-pil and python3-numpy, whatever comes first on PATH.
"""

import os
import subprocess
import sys
import tempfile

from PIL import Image


def decoded(path):
    with Image.open(path) as img:
        return (img.size, img.mode, img.getpalette() if img.mode == "P" else None,
                img.info.get("transparency"), img.tobytes())


def differences(drawn, committed):
    """What differs between two files, or an empty string when nothing does."""
    if not committed.endswith(".png"):
        with open(drawn, "rb") as a, open(committed, "rb") as b:
            return "" if a.read() == b.read() else "its bytes differ"
    a, b = decoded(drawn), decoded(committed)
    for what, x, y in zip(("size", "mode", "palette", "transparency"), a, b):
        if x != y:
            return "its %s differs: %s drawn, %s committed" % (what, x, y)
    if a[4] != b[4]:
        step = len(a[4]) // (a[0][0] * a[0][1])
        changed = sum(a[4][i:i + step] != b[4][i:i + step] for i in range(0, len(a[4]), step))
        return "%d of its %d pixels differ" % (changed, a[0][0] * a[0][1])
    return ""


def files(root, pictures_only=False):
    found = set()
    for folder, _, names in os.walk(root):
        for name in names:
            if not pictures_only or name.endswith((".png", ".svg", ".qrc")):
                found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


def main():
    src = os.path.realpath(sys.argv[1])
    committed = os.path.join(src, "assets")
    with tempfile.TemporaryDirectory(prefix="numora-assets.") as out:
        subprocess.run([sys.executable, "-B", os.path.join(src, "tools", "make_assets.py"), "--out", out],
                       check=True, stdout=subprocess.DEVNULL)
        drawn = files(out)
        failures = []
        for f in sorted(drawn):
            if not os.path.isfile(os.path.join(committed, f)):
                failures.append("assets/%s is drawn but not committed" % f)
            elif why := differences(os.path.join(out, f), os.path.join(committed, f)):
                failures.append("assets/%s is not what make_assets.py draws: %s" % (f, why))
        # Pictures nobody can redraw would slip past the loop above.
        for f in sorted(files(committed, pictures_only=True) - drawn):
            failures.append("assets/%s is committed but make_assets.py does not draw it" % f)
    for failure in failures:
        print("FAIL: " + failure, file=sys.stderr)
    if failures:
        return 1
    print("make_assets.py redraws all %d files under assets/" % len(drawn))
    return 0


if __name__ == "__main__":
    sys.exit(main())
