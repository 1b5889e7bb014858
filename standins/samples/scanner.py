"""Scanned copies of PDF pages: each page is drawn by pdftoppm (poppler) at
a scanner's resolution, turned a little and speckled as paper through a
scanner comes out, and stored as a DCT-coded grey picture, so the result
has no text layer at all."""

import glob
import io
import os
import random
import subprocess
import tempfile

from PIL import Image, ImageChops


def scan(pdf_path, dpi=200, angle=0.0, noise=0.0, seed=1):
    """The pages of pdf_path as ("jpeg", (w, h, bytes)) pages for pdfwriter.

    angle: degrees the sheet lies askew; noise: the sigma of grey grain
    (0 for a clean scan), with dust specks in proportion.
    """
    rng = random.Random(seed)
    pages = []
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["pdftoppm", "-r", str(dpi), "-gray", pdf_path, os.path.join(folder, "p")], check=True)
        for name in sorted(glob.glob(os.path.join(folder, "p-*.pgm")),
                           key=lambda n: int(n.rsplit("-", 1)[1].split(".")[0])):
            image = Image.open(name).convert("L")
            if angle:
                image = image.rotate(angle, resample=Image.BICUBIC, fillcolor=255)
            if noise:
                grain = Image.effect_noise(image.size, noise)
                image = ImageChops.add(image, grain, 1.0, -128)
                pixels = image.load()
                width, height = image.size
                for _ in range(int(width * height * noise / 20000)):
                    x, y = rng.randrange(width), rng.randrange(height)
                    pixels[x, y] = rng.randrange(0, 90)
            data = io.BytesIO()
            image.save(data, "JPEG", quality=75)
            pages.append(("jpeg", (image.size[0], image.size[1], data.getvalue())))
    return pages
