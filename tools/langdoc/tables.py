"""Reading and writing the per-language source tables.

A table is UTF-8 text, one row per text id: the id, a tab, the text. Rows
come in a fixed order so that two tables can be read side by side; lines
starting with "#" are comments.
"""

import pathlib

import langdata

DEFAULT_DIR = pathlib.Path(__file__).resolve().parents[2] / "resources" / "lang" / "tables"


class TableError(Exception):
    pass


def read_table(path, strict=True):
    rows = {}
    for number, line in enumerate(pathlib.Path(path).read_text(encoding="utf-8").split("\n"), 1):
        if not line or line.startswith("#"):
            continue
        where = f"{path}:{number}"
        if "\t" not in line:
            raise TableError(f"{where}: expected an id, a tab and a text")
        ident, text = line.split("\t", 1)
        if ident in rows:
            raise TableError(f"{where}: id {ident!r} appears twice")
        if strict:
            if ident not in langdata.TABLE_IDS:
                raise TableError(f"{where}: unknown id {ident!r}")
            if "\t" in text or "\r" in text or text != text.strip():
                raise TableError(f"{where}: text of {ident!r} has a tab, a CR or outer blanks")
            if not text:
                raise TableError(f"{where}: text of {ident!r} is empty")
        rows[ident] = text
    if strict:
        missing = [i for i in langdata.TABLE_IDS if i not in rows]
        if missing:
            raise TableError(f"{path}: missing ids {' '.join(missing)}")
    return rows


def write_table(path, block, rows):
    lines = [
        f"# Parlino interface texts: {langdata.ENGLISH_NAMES[block]} ({block})",
        "# id<TAB>text. Language names are sorted by tools/langdoc/generate.py.",
    ]
    lines += [f"{ident}\t{rows.get(ident, '')}" for ident in langdata.TABLE_IDS]
    pathlib.Path(path).write_text("\n".join(lines) + "\n", encoding="utf-8")
