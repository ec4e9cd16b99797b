#!/usr/bin/python3
"""Makes the page's embedded faces: a WOFF2 subset of each source face with
exactly the characters the page draws in it, renamed as the IPA Font
Licence asks of a derived font (no name of the original), and checks the
rule the sheets' grid relies on: a sheet text's character is half the em
wide for each of its Shift-JIS bytes.

    subset.py CHARACTERS OUTDIR SOURCE.ttf...

CHARACTERS is the output of the page's character lister. Writes to OUTDIR
one .woff2 per face, faces.json (family and file of each) and
EmbeddedMetrics.h (each family's units per em and Windows ascent and
descent, which the page's SVG canvas sizes its texts by).
"""
import json
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

WINDOWS, MAC = 3, 1


def read_characters(path):
    faces = {}  # family -> source family
    characters = {}  # family -> {character: bytes in a sheet text, or None}
    for line in Path(path).read_text(encoding="ascii").splitlines():
        kind, family, rest = line.split("\t")
        if kind == "face":
            faces[family] = rest
            characters.setdefault(family, {})
            continue
        encoding, hexbytes = rest.split(" ")
        raw = bytes.fromhex(hexbytes)
        if encoding == "sjis":
            characters.setdefault(family, {})[raw.decode("cp932")] = len(raw)
        else:
            characters.setdefault(family, {}).setdefault(raw.decode("utf-8"), None)
    return faces, characters


def family_of(font):
    return font["name"].getName(1, WINDOWS, 1, 0x409).toUnicode()


def check_widths(font, family, characters):
    em = font["head"].unitsPerEm
    cmap = font.getBestCmap()
    metrics = font["hmtx"].metrics
    for character, sheet_bytes in sorted(characters.items()):
        glyph = cmap.get(ord(character))
        if glyph is None:
            sys.exit(f"subset.py: {family} has no glyph for {character!r} (U+{ord(character):04X})")
        if sheet_bytes is None:
            continue  # a caption's character, outside the grid
        width = metrics[glyph][0]
        wanted = em * sheet_bytes // 2
        if width != wanted:
            sys.exit(f"subset.py: {character!r} in {family} is {width} units wide, not {wanted} (em {em})")


def rename(font, family):
    """The original's names give way to the subset's; the copyright notice
    and the licence's address stay."""
    postscript = family.replace(" ", "")
    names = {1: family, 2: "Regular", 3: f"{postscript}-subset", 4: family, 6: postscript}
    table = font["name"]
    table.names = [n for n in table.names if n.nameID in (0, 13, 14)]
    for name_id, text in names.items():
        table.setName(text, name_id, WINDOWS, 1, 0x409)
        table.setName(text, name_id, MAC, 0, 0)


def main():
    characters_path, outdir, *sources = sys.argv[1:]
    outdir = Path(outdir)
    outdir.mkdir(parents=True, exist_ok=True)
    faces, characters = read_characters(characters_path)
    by_family = {family_of(TTFont(path, lazy=True)): path for path in sources}
    manifest = []
    metrics = []
    for family, source in faces.items():
        if source not in by_family:
            sys.exit(f"subset.py: no source face {source} among {', '.join(sources)}")
        # The source face's own date kept, so that every build makes the same bytes.
        font = TTFont(by_family[source], recalcTimestamp=False)
        check_widths(font, family, characters[family])
        options = subset.Options()
        options.flavor = "woff2"
        options.layout_features = []
        options.hinting = False
        options.name_IDs = ["*"]
        options.name_languages = ["*"]
        options.notdef_outline = True
        subsetter = subset.Subsetter(options)
        subsetter.populate(text="".join(sorted(characters[family])))
        subsetter.subset(font)
        rename(font, family)
        file_name = family.lower().replace(" ", "-") + ".woff2"
        font.flavor = "woff2"
        font.save(outdir / file_name)
        manifest.append({"family": family, "file": file_name})
        os2 = font["OS/2"]
        metrics.append((family, font["head"].unitsPerEm, os2.usWinAscent, os2.usWinDescent))
    (outdir / "faces.json").write_text(json.dumps(manifest, ensure_ascii=False) + "\n", encoding="utf-8")
    lines = ["// Made by web/tools/subset.py from the embedded faces.", "#pragma once", "",
             '#include "web/SvgCanvas.h"', "", "#include <string_view>", "#include <utility>", "",
             "namespace zentavo {", "",
             "inline constexpr std::pair<std::string_view, FaceMetrics> EmbeddedMetrics[] = {"]
    for family, em, ascent, descent in metrics:
        lines.append(f'    {{"{family}", {{{em}, {ascent}, {descent}}}}},')
    lines += ["};", "", "}  // namespace zentavo", ""]
    (outdir / "EmbeddedMetrics.h").write_text("\n".join(lines), encoding="utf-8")


if __name__ == "__main__":
    main()
