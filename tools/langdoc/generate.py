#!/usr/bin/python3
"""Generate the language document resources/lang/Lang.xml from the tables.

The document is never edited by hand: correct a table in resources/lang/tables/
and run this script again. With --check the script writes nothing and fails
when the committed document differs from what the tables give.

Run with /usr/bin/python3: Debian's PyICU belongs to it, and the sort order of
each block must come from the same ICU that Qt uses.
"""

import argparse
import difflib
import pathlib
import sys

import icu

import langdata
import tables

ROOT = pathlib.Path(__file__).resolve().parents[2]
DEFAULT_OUTPUT = ROOT / "resources" / "lang" / "Lang.xml"


def escape(text):
    return (
        text.replace("&", "&amp;")
        .replace("<", "&lt;")
        .replace(">", "&gt;")
        .replace("'", "&apos;")
    )


def collator_for(block):
    collator = icu.Collator.createInstance(icu.Locale(langdata.collation_locale(block)))
    # QCollator switches normalization on; sort the same way it compares.
    collator.setAttribute(icu.UCollAttribute.NORMALIZATION_MODE, icu.UCollAttributeValue.ON)
    return collator


def sorted_languages(block, rows):
    collator = collator_for(block)
    codes = sorted(langdata.LANGUAGE_CODES, key=lambda c: collator.getSortKey(rows[c]))
    for first, second in zip(codes, codes[1:]):
        if collator.compare(rows[first], rows[second]) == 0:
            raise tables.TableError(
                f"{block}: {first!r} and {second!r} share the name {rows[first]!r}"
            )
    return codes


def load_tables(directory):
    blocks = {}
    for block in langdata.BLOCK_CODES:
        blocks[block] = tables.read_table(directory / f"{block}.tsv")
    return blocks


def render(blocks):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<Languages>"]
    for block, rows in blocks.items():
        lines.append(f'  <language id="{block}">')
        ids = ["auto"] + sorted_languages(block, rows) + list(langdata.INTERFACE_IDS)
        for ident in ids:
            lines.append(f'    <item id="{ident}">{escape(rows[ident])}</item>')
        lines.append("  </language>")
    lines.append("  <interface>")
    for block, rows in blocks.items():
        text = f"{blocks['en'][block]} : {rows[block]}"
        lines.append(f'    <item id="{block}">{escape(text)}</item>')
    lines.append("  </interface>")
    lines.append("</Languages>")
    return ("\ufeff" + "\r\n".join(lines) + "\r\n").encode("utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tables", type=pathlib.Path, default=tables.DEFAULT_DIR)
    parser.add_argument("--output", type=pathlib.Path, default=DEFAULT_OUTPUT)
    parser.add_argument(
        "--check", action="store_true", help="compare with --output instead of writing it"
    )
    args = parser.parse_args()

    try:
        document = render(load_tables(args.tables))
    except (tables.TableError, OSError) as error:
        sys.exit(f"error: {error}")

    if not args.check:
        args.output.write_bytes(document)
        return
    committed = args.output.read_bytes() if args.output.exists() else b""
    if committed == document:
        return
    diff = difflib.unified_diff(
        committed.decode("utf-8", "replace").splitlines(),
        document.decode("utf-8").splitlines(),
        f"{args.output} (committed)",
        "generated from the tables",
        lineterm="",
    )
    print("\n".join(list(diff)[:60]))
    sys.exit(f"error: {args.output} differs from the generator's output; run {__file__}")


if __name__ == "__main__":
    main()
