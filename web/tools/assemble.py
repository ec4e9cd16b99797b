#!/usr/bin/python3
"""Puts the browser edition together in one HTML file, its content first:
the page with its stylesheet, the window's caption (from the control table)
and the control table and a fresh page's state (a JSON data block); then the
faces' licence, the WebAssembly (gzip, base64 in a data block; the
browser's own DecompressionStream unpacks it) and the embedded faces (their
bytes in a JSON data block); last the page's script, held as a data block
too and run by the page's small starter once the caption has painted, so
that the first paint waits for neither its compiling nor its running
(Firefox's about 30 ms sooner than with the script ahead of the data
blocks, WebKit's some 3 ms; Chromium's within its runs' noise)."""
import argparse
import base64
import gzip
import html
import json
import sys
from pathlib import Path


def main():
    parser = argparse.ArgumentParser()
    for name in ("template", "bundle", "fonts", "start", "licence", "wasm", "output"):
        parser.add_argument("--" + name, required=True, type=Path)
    parser.add_argument("--most-bytes", required=True, type=int, help="the page's budget")
    args = parser.parse_args()

    faces = json.loads((args.fonts / "faces.json").read_text(encoding="utf-8"))
    embedded = [{"family": face["family"],
                 "woff2": base64.b64encode((args.fonts / face["file"]).read_bytes()).decode("ascii")}
                for face in faces]
    script = (args.bundle / "page.js").read_text(encoding="utf-8")
    if "</script" in script.lower():
        sys.exit("assemble.py: the page's script holds </script, which would end its element")
    start = args.start.read_text(encoding="utf-8").strip()
    parts = {
        "@@STYLE@@": (args.bundle / "page.css").read_text(encoding="utf-8").strip(),
        "@@CAPTION@@": html.escape(json.loads(start)["table"]["title"], quote=False),
        "@@START@@": start.replace("</", "<\\/"),
        "@@SCRIPT@@": script.strip(),
        "@@LICENCE@@": html.escape(args.licence.read_text(encoding="utf-8"), quote=False),
        "@@WASM@@": base64.b64encode(gzip.compress(args.wasm.read_bytes(), 9, mtime=0)).decode("ascii"),
        "@@FACES@@": json.dumps(embedded, ensure_ascii=True, separators=(",", ":")),
    }
    page = args.template.read_text(encoding="utf-8")
    for marker, text in parts.items():
        if page.count(marker) != (2 if marker == "@@CAPTION@@" else 1):
            sys.exit(f"assemble.py: the page must hold {marker} as the template has it")
        page = page.replace(marker, text)
    size = len(page.encode("utf-8"))
    if size > args.most_bytes:
        sys.exit(f"assemble.py: the page is {size} bytes, over its budget of {args.most_bytes}")
    args.output.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
