#!/usr/bin/python3
"""Reads an .xls file with xlrd, a reader independent of the program, for the native tests.

    /usr/bin/python3 read_xls.py FILE
        prints the workbook as UTF-8 JSON:
        {"codepage": 1200, "sheets": [{"name": ..., "nrows": ..., "ncols": ...,
          "cells": [[{"type": "text", "value": ...}, ...], ...]}]}
    /usr/bin/python3 read_xls.py --stream NAME FILE
        writes the bytes of the compound file's stream NAME to stdout.

Exits non-zero when the file cannot be read or xlrd reports anything suspect.
"""
import io
import json
import sys

import xlrd
import xlrd.compdoc


def fail(message):
    sys.stderr.write(message.rstrip("\n") + "\n")
    return 1


def cell_json(cell):
    value = cell.value
    if isinstance(value, bytes):
        value = value.hex()
    return {"type": xlrd.sheet.ctype_text.get(cell.ctype, str(cell.ctype)), "value": value}


def read_workbook(path, log):
    book = xlrd.open_workbook(path, logfile=log, formatting_info=True)
    sheets = []
    for sheet in book.sheets():
        cells = [[cell_json(sheet.cell(r, c)) for c in range(sheet.ncols)] for r in range(sheet.nrows)]
        sheets.append({"name": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols, "cells": cells})
    return {"codepage": book.codepage, "sheets": sheets}


def main(argv):
    log = io.StringIO()
    try:
        if len(argv) == 3 and argv[0] == "--stream":
            with open(argv[2], "rb") as f:
                stream = xlrd.compdoc.CompDoc(f.read(), logfile=log).get_named_stream(argv[1])
            if stream is None:
                return fail("no stream named " + argv[1])
            output = bytes(stream)
        elif len(argv) == 1:
            output = json.dumps(read_workbook(argv[0], log), ensure_ascii=False).encode("utf-8")
        else:
            return fail("usage: read_xls.py FILE | read_xls.py --stream NAME FILE")
    except Exception as error:  # xlrd raises many kinds on a malformed file
        return fail("%s: %s\n%s" % (type(error).__name__, error, log.getvalue()))
    if log.getvalue().strip():
        return fail("xlrd reported:\n" + log.getvalue())
    sys.stdout.buffer.write(output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
