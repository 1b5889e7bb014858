"""A minimal PDF writer: pages of left-aligned text lines in Helvetica, and
pages that are only a picture, as a scanner makes them.

The text is stored in code page 1250 by default. Helvetica's built-in
encoding lacks most Central European letters, so the font carries an
/Encoding with a /Differences array that names the glyph of every byte from
0x80 up; text extractors then map the glyph names back to Unicode. With
encoding="cp1252" the text is stored in code page 1252 (Western European:
è à ñ œ ...) under the font's standard WinAnsiEncoding, which names those
glyphs itself.
"""

import zlib

# Glyph names of the code page 1250 bytes 0x80-0xFF (None: undefined byte).
CP1250_GLYPHS = [
    "Euro", None, "quotesinglbase", None, "quotedblbase", "ellipsis", "dagger", "daggerdbl",
    None, "perthousand", "Scaron", "guilsinglleft", "Sacute", "Tcaron", "Zcaron", "Zacute",
    None, "quoteleft", "quoteright", "quotedblleft", "quotedblright", "bullet", "endash", "emdash",
    None, "trademark", "scaron", "guilsinglright", "sacute", "tcaron", "zcaron", "zacute",
    "space", "caron", "breve", "Lslash", "currency", "Aogonek", "brokenbar", "section",
    "dieresis", "copyright", "Scedilla", "guillemotleft", "logicalnot", "hyphen", "registered", "Zdotaccent",
    "degree", "plusminus", "ogonek", "lslash", "acute", "mu", "paragraph", "periodcentered",
    "cedilla", "aogonek", "scedilla", "guillemotright", "Lcaron", "hungarumlaut", "lcaron", "zdotaccent",
    "Racute", "Aacute", "Acircumflex", "Abreve", "Adieresis", "Lacute", "Cacute", "Ccedilla",
    "Ccaron", "Eacute", "Eogonek", "Edieresis", "Ecaron", "Iacute", "Icircumflex", "Dcaron",
    "Dcroat", "Nacute", "Ncaron", "Oacute", "Ocircumflex", "Ohungarumlaut", "Odieresis", "multiply",
    "Rcaron", "Uring", "Uacute", "Uhungarumlaut", "Udieresis", "Yacute", "Tcommaaccent", "germandbls",
    "racute", "aacute", "acircumflex", "abreve", "adieresis", "lacute", "cacute", "ccedilla",
    "ccaron", "eacute", "eogonek", "edieresis", "ecaron", "iacute", "icircumflex", "dcaron",
    "dcroat", "nacute", "ncaron", "oacute", "ocircumflex", "ohungarumlaut", "odieresis", "divide",
    "rcaron", "uring", "uacute", "uhungarumlaut", "udieresis", "yacute", "tcommaaccent", "dotaccent",
]

PAGE_WIDTH, PAGE_HEIGHT = 595, 842
LEFT, TOP, FONT_SIZE, LEADING = 56, 780, 11, 15


def _differences():
    parts = []
    for offset, name in enumerate(CP1250_GLYPHS):
        if name:
            parts.append("%d /%s" % (0x80 + offset, name))
    return "[" + " ".join(parts) + "]"


def _pdf_string(text, encoding="cp1250"):
    raw = text.encode(encoding)
    out = bytearray(b"(")
    for b in raw:
        if b in (0x28, 0x29, 0x5C):  # ( ) \
            out += b"\\" + bytes([b])
        elif b < 0x20 or b > 0x7E:
            out += b"\\%03o" % b
        else:
            out.append(b)
    return bytes(out + b")")


def _text_stream(lines, encoding):
    ops = [b"BT", b"/F1 %d Tf" % FONT_SIZE, b"%d TL" % LEADING, b"%d %d Td" % (LEFT, TOP)]
    for line in lines:
        ops.append(_pdf_string(line, encoding) + b" Tj T*")
    ops.append(b"ET")
    return b"\n".join(ops)


def _drawing_stream():
    # A page with marks but no text: a framed box.
    return b"0.5 w 100 500 300 200 re S 120 520 260 160 re S"


def write_pdf(path, pages, title, text=True, encoding="cp1250"):
    """Writes a PDF whose page i shows the lines pages[i] (a list of str).

    With text=False every page holds a drawing only and no text layer.
    encoding is "cp1250" or "cp1252"; a character it lacks raises
    UnicodeEncodeError.
    """
    write_pages(path, [("text" if text else "drawing", lines) for lines in pages], title, encoding)


def _font(encoding):
    if encoding == "cp1252":
        return b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"
    if encoding != "cp1250":
        raise ValueError("no font encoding for " + encoding)
    return (b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding << /Type /Encoding "
            b"/BaseEncoding /WinAnsiEncoding /Differences " + _differences().encode() + b" >> >>")


def write_pages(path, pages, title, encoding="cp1250"):
    """Writes a PDF of mixed pages, each a pair (kind, content):

      ("text", lines)        lines of text, a text layer
      ("drawing", _)         a framed box, no text
      ("jpeg", (w, h, data)) a full-page grey picture of w x h pixels, DCT-coded
                             bytes as a scanner stores them (or damaged ones)
    """
    objects = []  # bodies; object number = index + 1

    def add(body):
        objects.append(body)
        return len(objects)

    catalog = add(None)
    pages_obj = add(None)
    font = add(_font(encoding))
    kids = []
    for kind, content in pages:
        resources = b"/Font << /F1 %d 0 R >>" % font
        if kind == "jpeg":
            width, height, data = content
            image = add(b"<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceGray "
                        b"/BitsPerComponent 8 /Filter /DCTDecode /Length %d >>\nstream\n" % (width, height, len(data))
                        + data + b"\nendstream")
            resources = b"/XObject << /Im1 %d 0 R >>" % image
            drawing = b"q %d 0 0 %d 0 0 cm /Im1 Do Q" % (PAGE_WIDTH, PAGE_HEIGHT)
        elif kind == "text":
            drawing = _text_stream(content, encoding)
        else:
            drawing = _drawing_stream()
        compressed = zlib.compress(drawing)
        stream = add(b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(compressed) + compressed + b"\nendstream")
        kids.append(add(b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d] /Resources << %s >> "
                        b"/Contents %d 0 R >>" % (pages_obj, PAGE_WIDTH, PAGE_HEIGHT, resources, stream)))
    objects[catalog - 1] = b"<< /Type /Catalog /Pages %d 0 R >>" % pages_obj
    objects[pages_obj - 1] = b"<< /Type /Pages /Kids [%s] /Count %d >>" % (
        b" ".join(b"%d 0 R" % k for k in kids), len(kids))
    # Document information strings are UTF-16BE with a byte order mark.
    title_hex = ("FEFF" + title.encode("utf-16-be").hex().upper()).encode()
    info = add(b"<< /Title <" + title_hex + b"> /Producer (tarvek samples) >>")

    with open(path, "wb") as f:
        f.write(serialize(objects, catalog, info))


def serialize(objects, catalog, info):
    """The bytes of a PDF file whose object i + 1 has the body objects[i],
    with its cross-reference table and trailer."""
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root %d 0 R /Info %d 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, catalog, info, xref)
    return bytes(out)
