#!/usr/bin/python3
"""Makes the browser edition's web site from its one file: a folder that a
school puts on its web server, from which the page installs as an app that
works offline. index.html is zentavo.html with what the site adds in its
head (the manifest, the icons, the touch icon of an iPad's home screen and a
content security policy that allows them and the service worker from the
site itself, and the scanner's decoder from it) and with its bulk data as
files of the site beside it: the WebAssembly and the faces, named after
their bytes (a page never meets the bytes of another version, from a cache
on the way or the worker's), fetched once the page has painted; and the
faces' licence, fetched when it is shown. So the page a
pupil's tablet loads first is its content and script alone, and the data
come as bytes rather than base64, a quarter fewer. Its script is the one
file's without 集計, a module of its own (also named after its bytes)
loaded when 集計 is first opened, which a pupil's page never is. The service worker keeps
every file of the site, the decoder's too, by the version written into it: a
hash of the files. web.config gives IIS the files' types."""
import argparse
import base64
import configparser
import hashlib
import html
import json
import re
import sys
from pathlib import Path

# The manifest's icons, as named in the icons' folder; and the touch icon of
# an iPad's home screen, by the name iPads look for.
MANIFEST_ICONS = [("zentavo-192.png", "192x192", "image/png"), ("zentavo-512.png", "512x512", "image/png"),
                  ("zentavo.svg", "any", "image/svg+xml")]
ICONS = {name: name for name, _, _ in MANIFEST_ICONS} | {"apple-touch-icon.png": "zentavo-touch-180.png"}
CSP_ADDED = "manifest-src 'self'; img-src 'self'; worker-src 'self'; connect-src 'self'"
# The scanner's decoder, a module of the site loaded when the scanner opens.
CSP_SCRIPTS = "script-src 'self' "


def launcher_names(desktop):
    """The desktop launcher's names: the app's names on a home screen too."""
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop, encoding="utf-8")
    return entry["Desktop Entry"]


def manifest(names):
    return {
        "name": f"{names['Name']} {names['Name[ja]']}",
        "short_name": names["Name[ja]"],
        "description": names["Comment[ja]"],
        "lang": "ja",
        "start_url": "./",
        "scope": "./",
        "display": "standalone",
        "icons": [{"src": name, "sizes": sizes, "type": kind} for name, sizes, kind in MANIFEST_ICONS],
    }


LICENCE = "LICENSE-fonts.txt"
# The type of every kind of file of the site, as its web server is to send
# it. IIS sends no file of a type it does not know (most of these); the
# site's web.config gives it them. Apache, nginx and the like know them all.
TYPES = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
         ".gz": "application/gzip", ".woff2": "font/woff2", ".txt": "text/plain; charset=utf-8",
         ".png": "image/png", ".svg": "image/svg+xml", ".webmanifest": "application/manifest+json"}
WEB_CONFIG = "web.config"


def named_after(stem, data, suffix):
    return f"{stem}-{hashlib.sha256(data).hexdigest()[:12]}{suffix}"


def one(pattern, page, what):
    found = re.findall(pattern, page)
    if len(found) != 1:
        sys.exit(f"site.py: the page must hold {what} once")
    return found[0]


def data_as_files(page):
    """The page with its WebAssembly, faces and licence taken out into files,
    and those files by name."""
    files = {}
    block = one(r'<script type="application/octet-stream" id="WebAssembly">([^<]*)</script>', page, "the WebAssembly")
    wasm = base64.b64decode(block)
    wasm_name = named_after("zentavo-page", wasm, ".wasm.gz")
    files[wasm_name] = wasm
    page = page.replace(f'id="WebAssembly">{block}<', f'id="WebAssembly" data-src="{wasm_name}"><', 1)
    block = one(r'<script type="application/json" id="EmbeddedFaces">([^<]*)</script>', page, "the faces")
    faces = []
    for face in json.loads(block):
        data = base64.b64decode(face["woff2"])
        name = named_after(face["family"].lower().replace(" ", "-"), data, ".woff2")
        files[name] = data
        faces.append({"family": face["family"], "src": name})
    page = page.replace(f'id="EmbeddedFaces">{block}<', f'id="EmbeddedFaces">{json.dumps(faces)}<', 1)
    text = one(r'<pre id="LicenceText">([^<]*)</pre>', page, "the faces' licence")
    files[LICENCE] = html.unescape(text).encode("utf-8")
    link = f'<a href="{LICENCE}">{LICENCE}</a>'
    page = page.replace(f'<pre id="LicenceText">{text}<', f'<pre id="LicenceText" data-src="{LICENCE}">{link}<', 1)
    return page, files


def with_site_script(page, script, collect):
    """The page with the site's script, which loads 集計 when it is first
    opened from a file of its own, and that file by name."""
    name = named_after("zentavo-collect", collect, ".js")
    specifier = 'import("./collect.js")'
    if script.count(specifier) != 1 or "</script" in script.lower():
        sys.exit(f"site.py: the site's script must hold {specifier} once, and no </script")
    block = one(r'(<script type="text/plain" id="PageScript">[\s\S]*?</script>)', page, "the page's script")
    script = script.strip().replace(specifier, 'import("./' + name + '")')
    return page.replace(block, f'<script type="text/plain" id="PageScript">{script}</script>', 1), {name: collect}


def site_page(page, short_name):
    """zentavo.html with the site's additions in its head."""
    policy = re.findall(r'(<meta http-equiv="Content-Security-Policy" content=")([^"]*)(">)', page)
    if len(policy) != 1 or "</head>" not in page:
        sys.exit("site.py: the page must hold one content security policy and a head")
    start, rules, end = policy[0]
    if rules.count("script-src ") != 1:
        sys.exit("site.py: the page's content security policy must have one script-src")
    rules = rules.replace("script-src ", CSP_SCRIPTS, 1)
    page = page.replace(start + policy[0][1] + end, f"{start}{rules}; {CSP_ADDED}{end}", 1)
    head = "\n".join([
        '<link rel="manifest" href="manifest.webmanifest">',
        '<link rel="icon" href="zentavo.svg" type="image/svg+xml">',
        '<link rel="apple-touch-icon" href="apple-touch-icon.png">',
        '<meta name="mobile-web-app-capable" content="yes">',
        '<meta name="apple-mobile-web-app-capable" content="yes">',
        f'<meta name="apple-mobile-web-app-title" content="{html.escape(short_name)}">',
    ])
    return page.replace("</head>", head + "\n</head>", 1)


def web_config(names):
    """IIS's configuration of the site's folder: the type of each kind of its
    files, in place of any IIS has for it (one it has cannot be added again).
    IIS itself refuses to send web.config, so the worker does not keep it."""
    kinds = sorted({Path(name).suffix for name in names})
    unknown = [kind for kind in kinds if kind not in TYPES]
    if unknown:
        sys.exit(f"site.py: no type for the site's files of kind {', '.join(unknown)}")
    maps = "".join(f'      <remove fileExtension="{kind}" />\n      <mimeMap fileExtension="{kind}" mimeType="{TYPES[kind]}" />\n'
                   for kind in kinds)
    return ('<?xml version="1.0" encoding="utf-8"?>\n<configuration>\n  <system.webServer>\n    <staticContent>\n'
            f"{maps}    </staticContent>\n  </system.webServer>\n</configuration>\n").encode("utf-8")


def main():
    parser = argparse.ArgumentParser()
    for name in ("page", "script", "collect", "worker", "desktop", "icons", "output"):
        parser.add_argument("--" + name, required=True, type=Path)
    parser.add_argument("--decoder", nargs="+", required=True, type=Path, help="the scanner's decoder files")
    parser.add_argument("--most-bytes", required=True, type=int, help="the page's budget")
    args = parser.parse_args()

    names = launcher_names(args.desktop)
    args.output.mkdir(parents=True, exist_ok=True)
    page, files = data_as_files(site_page(args.page.read_text(encoding="utf-8"), names["Name[ja]"]))
    page, collect = with_site_script(page, args.script.read_text(encoding="utf-8"), args.collect.read_bytes())
    files |= collect | {
        "index.html": page.encode("utf-8"),
        "manifest.webmanifest": (json.dumps(manifest(names), ensure_ascii=False, indent=2) + "\n").encode("utf-8"),
    }
    files.update({name: (args.icons / source).read_bytes() for name, source in ICONS.items()})
    files.update({path.name: path.read_bytes() for path in args.decoder})
    if len(files["index.html"]) > args.most_bytes:
        sys.exit(f"site.py: index.html is {len(files['index.html'])} bytes, over its budget of {args.most_bytes}")
    digests = {name: hashlib.sha256(data).hexdigest() for name, data in sorted(files.items())}
    version = hashlib.sha256(json.dumps(digests).encode("ascii")).hexdigest()[:16]
    worker = args.worker.read_text(encoding="utf-8")
    for marker in ("@@VERSION@@", "@@FILES@@"):
        if worker.count(marker) != 1:
            sys.exit(f"site.py: the service worker must hold {marker} once")
    files["sw.js"] = worker.replace("@@VERSION@@", version).replace("@@FILES@@", json.dumps(digests, indent=2)).encode()
    files[WEB_CONFIG] = web_config(files)
    # The data files an earlier build left under other names go.
    for old in args.output.glob("zentavo-*-*.*"):
        if re.fullmatch(r"zentavo-[a-z]+-[0-9a-f]{12}\.(wasm\.gz|woff2|js)", old.name) and old.name not in files:
            old.unlink()
    for name, data in files.items():
        (args.output / name).write_bytes(data)


if __name__ == "__main__":
    main()
