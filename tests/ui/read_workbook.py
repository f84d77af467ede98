#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the cells of the first worksheet of an .xlsx workbook, one row per line, cells
separated by tabs: text cells as written, number cells as Python's repr of the float, each
prefixed by its type (s: text, n: number)."""
import re
import sys
import xml.etree.ElementTree as ET
import zipfile

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}


def column_index(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    n = 0
    for c in letters:
        n = n * 26 + ord(c) - ord("A") + 1
    return n - 1


def main(path):
    with zipfile.ZipFile(path) as z:
        shared = []
        if "xl/sharedStrings.xml" in z.namelist():
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                shared.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
        sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
    for row in sheet.find("m:sheetData", NS).findall("m:row", NS):
        cells = {}
        for c in row.findall("m:c", NS):
            kind = c.get("t")
            if kind == "inlineStr":
                text = "".join(t.text or "" for t in c.iter("{%s}t" % NS["m"]))
                cells[column_index(c.get("r"))] = "s:" + text
            elif kind == "s":
                cells[column_index(c.get("r"))] = "s:" + shared[int(c.find("m:v", NS).text)]
            else:
                cells[column_index(c.get("r"))] = "n:" + repr(float(c.find("m:v", NS).text))
        width = max(cells) + 1 if cells else 0
        print("\t".join(cells.get(i, "") for i in range(width)))


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="utf-8")
    main(sys.argv[1])
