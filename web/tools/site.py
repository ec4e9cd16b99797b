#!/usr/bin/python3
"""Makes the browser edition's web site from its one file: a folder that a
school puts on its web server, from which the page installs as an app that
works offline. index.html is zentavo.html with what the site adds in its
head (the manifest, the icons, the touch icon of an iPad's home screen and a
content security policy that allows them and the service worker from the
site itself, and the scanner's decoder from it); the service worker keeps
every file of the site, the decoder's too, by the version written into it: a
hash of the files."""
import argparse
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


def main():
    parser = argparse.ArgumentParser()
    for name in ("page", "worker", "desktop", "icons", "output"):
        parser.add_argument("--" + name, required=True, type=Path)
    parser.add_argument("--decoder", nargs="+", required=True, type=Path, help="the scanner's decoder files")
    parser.add_argument("--most-bytes", required=True, type=int, help="the page's budget")
    args = parser.parse_args()

    names = launcher_names(args.desktop)
    args.output.mkdir(parents=True, exist_ok=True)
    files = {
        "index.html": site_page(args.page.read_text(encoding="utf-8"), names["Name[ja]"]).encode("utf-8"),
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
    for name, data in files.items():
        (args.output / name).write_bytes(data)


if __name__ == "__main__":
    main()
