#!/usr/bin/python3
"""Fill the per-language source tables in resources/lang/tables/.

Language names come from the CLDR data of Debian's python3-babel. A row that
already holds a text is left alone, so corrections made by hand survive a
second run; pass --refresh-names to take the CLDR names again. Languages CLDR
does not name in a locale are left empty and must be written by hand.

Interface texts can be merged from a batch file: one "[code]" line per
language, followed by 29 lines in table order ("auto" and the 28 interface
texts). Lines starting with "#" are ignored.

Run with /usr/bin/python3: Debian's babel belongs to it.
"""

import argparse
import pathlib
import sys

import babel

import langdata
import tables

# Texts the design fixes; they win over CLDR.
FIXED_NAMES = {
    ("zh-CN", "zh-CN"): "中文(简体)",
    ("zh-CN", "zh-TW"): "中文(繁体)",
    ("zh-TW", "zh-CN"): "中文(簡體)",
    ("zh-TW", "zh-TW"): "中文(繁體)",
    ("yi", "yi"): "אידיש",
}


def capitalize(block, name):
    # Names head the entries of a selector list, and CLDR's own rule for
    # such lists is to capitalize the first word.
    if not name:
        return name
    first = name[0]
    if block in ("tr", "az") and first == "i":
        return "İ" + name[1:]
    return first.upper() + name[1:]


def cldr_names(block):
    try:
        locale = babel.Locale.parse(langdata.CLDR_BLOCK_LOCALES.get(block, block))
    except babel.UnknownLocaleError:
        return {}
    names = {}
    for code in langdata.LANGUAGE_CODES:
        key = langdata.CLDR_NAME_KEYS.get(code, code)
        if key in locale.languages:
            names[code] = capitalize(block, locale.languages[key])
    return names


def read_batch(path):
    batches = {}
    current = None
    for raw in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1]
            batches[current] = []
        else:
            batches[current].append(line)
    ids = ("auto",) + langdata.INTERFACE_IDS
    result = {}
    for code, lines in batches.items():
        if len(lines) != len(ids):
            sys.exit(f"{path}: [{code}] has {len(lines)} lines, expected {len(ids)}")
        result[code] = dict(zip(ids, lines))
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("codes", nargs="*", help="block codes (default: all)")
    parser.add_argument("--tables", type=pathlib.Path, default=tables.DEFAULT_DIR)
    parser.add_argument("--texts", help="batch file of interface texts to merge")
    parser.add_argument("--refresh-names", action="store_true")
    args = parser.parse_args()

    batch = read_batch(args.texts) if args.texts else {}
    codes = args.codes or (list(batch) if batch else langdata.BLOCK_CODES)
    for block in codes:
        if block not in langdata.BLOCK_CODES:
            sys.exit(f"unknown block code {block!r}")
        path = args.tables / f"{block}.tsv"
        rows = tables.read_table(path, strict=False) if path.exists() else {}
        if block == "en":
            names = dict(langdata.ENGLISH_NAMES)
        else:
            names = cldr_names(block)
        for code in langdata.LANGUAGE_CODES:
            if args.refresh_names or not rows.get(code):
                rows[code] = names.get(code, "")
        for (owner, code), text in FIXED_NAMES.items():
            if owner == block:
                rows[code] = text
        if block == "en":
            rows["auto"] = "Detect language"
            rows.update(langdata.INTERFACE_TEXTS)
        rows.update(batch.get(block, {}))
        tables.write_table(path, block, rows)
        missing = [i for i in langdata.TABLE_IDS if not rows.get(i)]
        if missing:
            print(f"{block}: {len(missing)} rows to write by hand: {' '.join(missing)}")


if __name__ == "__main__":
    main()
