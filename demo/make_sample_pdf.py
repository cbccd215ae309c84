#!/usr/bin/env python3
"""Build the demo portal's sample PDF by hand (standard library only).

Two A4 pages: page 1 landscape, page 2 portrait. Each page has a framed,
filled rectangle and a few lines of text, so a print job shows at a glance
whether orientation and scaling came out right.

serve.py imports build_pdf() and serves the bytes from memory; run this
file directly to write a copy to disk:

    python3 demo/make_sample_pdf.py [OUTPUT]      (default: sample.pdf)
"""

import sys

A4_SHORT = 595
A4_LONG = 842


def _pdf_text(s):
    """Escape a string for use inside a PDF literal string (...)."""
    return s.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def _page_content(number, total, width, height, orientation):
    margin = 40
    lines = [
        # Outer frame: light fill, dark blue border.
        "q",
        "0.88 0.93 1 rg",
        "0.10 0.25 0.55 RG",
        "3 w",
        f"{margin} {margin} {width - 2 * margin} {height - 2 * margin} re",
        "B",
        # A solid block in the lower right corner marks the page's orientation.
        "0.10 0.25 0.55 rg",
        f"{width - margin - 160} {margin + 20} 140 60 re",
        "f",
        "Q",
    ]

    def text(font, size, x, y, s, gray=0):
        lines.append(f"BT {gray} g /{font} {size} Tf {x} {y} Td ({_pdf_text(s)}) Tj ET")

    top = height - margin - 60
    text("F2", 28, margin + 30, top, "Orvanta demo portal")
    text("F1", 18, margin + 30, top - 40, f"Sample document - page {number} of {total}")
    text("F1", 14, margin + 30, top - 80,
         f"{orientation.capitalize()} A4, {width} x {height} points")
    text("F1", 12, margin + 30, top - 110,
         "If this page came out of the printer, the print path works.", 0.3)
    text("F2", 14, width - margin - 150, margin + 45, orientation.upper(), 1)
    return "\n".join(lines).encode("latin-1") + b"\n"


def build_pdf():
    """Return the bytes of the two-page sample PDF."""
    pages = [
        (A4_LONG, A4_SHORT, "landscape"),
        (A4_SHORT, A4_LONG, "portrait"),
    ]

    # Object numbers: 1 catalog, 2 page tree, 3-4 fonts, then for each page
    # the page object followed by its content stream.
    first_page_obj = 5
    page_ids = [first_page_obj + 2 * i for i in range(len(pages))]

    objects = {
        1: b"<< /Type /Catalog /Pages 2 0 R >>",
        2: ("<< /Type /Pages /Kids [%s] /Count %d >>" % (
            " ".join(f"{pid} 0 R" for pid in page_ids), len(pages))).encode("ascii"),
        3: b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        4: b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
    }
    for i, (w, h, orientation) in enumerate(pages):
        page_id = page_ids[i]
        content_id = page_id + 1
        objects[page_id] = (
            f"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 {w} {h}] "
            f"/Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> "
            f"/Contents {content_id} 0 R >>"
        ).encode("ascii")
        stream = _page_content(i + 1, len(pages), w, h, orientation)
        objects[content_id] = (
            b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"endstream"
        )

    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = {}
    for num in sorted(objects):
        offsets[num] = len(out)
        out += b"%d 0 obj\n" % num + objects[num] + b"\nendobj\n"

    count = max(objects) + 1
    xref_at = len(out)
    out += b"xref\n0 %d\n" % count
    out += b"0000000000 65535 f \n"
    for num in range(1, count):
        # Every xref entry is exactly 20 bytes, including the trailing " \n".
        out += b"%010d 00000 n \n" % offsets[num]
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%EOF\n" % (count, xref_at)
    return bytes(out)


def main(argv):
    target = argv[1] if len(argv) > 1 else "sample.pdf"
    data = build_pdf()
    with open(target, "wb") as f:
        f.write(data)
    print(f"wrote {target} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
