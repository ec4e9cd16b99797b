#!/usr/bin/python3
"""Puts the browser edition together in one HTML file: the page, its styles,
the embedded faces (their bytes in a JSON data block, from which the page's
script loads them first of all), the control table and a fresh page's state
(a JSON data block), the faces' licence, the page's script, the WebAssembly
(base64 in a data block) and its loader."""
import argparse
import base64
import html
import json
import re
import sys
from pathlib import Path


def qr_encoder(folder):
    """lean-qr's script (CommonJS, without dependencies) as a script that
    defines LeanQr, after its name, version and licence."""
    package = json.loads((folder / "package.json").read_text(encoding="utf-8"))
    licence = (folder / "LICENSE").read_text(encoding="utf-8").replace("*/", "* /")
    source = (folder / "index.js").read_text(encoding="utf-8")
    return (f"/*! {package['name']} {package['version']}\n{licence}*/\n"
            f"const LeanQr = (() => {{\nconst exports = {{}};\n{source}\nreturn exports;\n}})();")


def main():
    parser = argparse.ArgumentParser()
    for name in ("page", "fonts", "start", "licence", "qr", "script", "output"):
        parser.add_argument("--" + name, required=True, type=Path)
    args = parser.parse_args()

    faces = json.loads((args.fonts / "faces.json").read_text(encoding="utf-8"))
    embedded = [{"family": face["family"],
                 "woff2": base64.b64encode((args.fonts / face["file"]).read_bytes()).decode("ascii")}
                for face in faces]
    style = (args.page / "page.css").read_text(encoding="utf-8")
    page_script = (args.page / "page.js").read_text(encoding="utf-8")
    # 画面で解く, the answering view: its own script and styles.
    solve_style = (args.page / "solve.css").read_text(encoding="utf-8")
    solve_script = (args.page / "solve.js").read_text(encoding="utf-8")
    # The links to a sheet and the records of results, with the QR code encoder.
    links_style = (args.page / "links.css").read_text(encoding="utf-8")
    links_script = (args.page / "links.js").read_text(encoding="utf-8")
    qr_script = qr_encoder(args.qr)
    # The WebAssembly moves out of its loader into a data block of its own,
    # from which the page's script hands it to the loader ready decoded:
    # the loader would otherwise fetch it from a data: URL, and begin
    # compiling only once the page is built.
    module_script = args.script.read_text(encoding="utf-8")
    inline = re.findall(r'"data:application/octet-stream;base64,([A-Za-z0-9+/=]+)"', module_script)
    if len(inline) != 1:
        sys.exit(f"assemble.py: the WebAssembly's script holds {len(inline)} inline modules, not 1 (SINGLE_FILE?)")
    module_script = module_script.replace(inline[0], "", 1)
    for name, script in (("page.js", page_script), ("solve.js", solve_script), ("links.js", links_script),
                         ("the QR code encoder", qr_script),
                         ("the WebAssembly's script", module_script)):
        if "</script" in script.lower():
            sys.exit(f"assemble.py: {name} holds </script, which would end its element")
    parts = {
        "@@STYLE@@": style,
        "@@FACES@@": json.dumps(embedded, ensure_ascii=True),
        "@@WASM@@": inline[0],
        "@@START@@": args.start.read_text(encoding="utf-8").strip().replace("</", "<\\/"),
        "@@LICENCE@@": html.escape(args.licence.read_text(encoding="utf-8"), quote=False),
        "@@PAGE@@": page_script,
        "@@SOLVESTYLE@@": solve_style,
        "@@SOLVE@@": solve_script,
        "@@LINKSSTYLE@@": links_style,
        "@@QR@@": qr_script,
        "@@LINKS@@": links_script,
        "@@MODULE@@": module_script,
    }
    page = (args.page / "page.html").read_text(encoding="utf-8")
    for marker, text in parts.items():
        if page.count(marker) != 1:
            sys.exit(f"assemble.py: page.html must hold {marker} once")
        page = page.replace(marker, text)
    args.output.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
