#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the cells of the first worksheet of an .xlsx workbook, one row per line, cells
separated by tabs: text cells as written, number cells as Python's repr of the float, error
cells as their code, each prefixed by its type (s: text, n: number, e: error).

Options before the path:
  --openpyxl  read through openpyxl instead of zipfile and ElementTree: a second reader that
              shares nothing with the first
  --formats   each number cell followed by "|" and its number format ("0.000")
  --sheet     a first line "sheet:" and the worksheet's name"""
import re
import sys
import xml.etree.ElementTree as ET
import zipfile

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
BUILTIN_FORMATS = {0: "General", 1: "0", 2: "0.00"}


def column_index(ref):
    letters = re.match(r"[A-Z]+", ref).group(0)
    n = 0
    for c in letters:
        n = n * 26 + ord(c) - ord("A") + 1
    return n - 1


def number_formats(z):
    """The number format of each cell style of the workbook."""
    if "xl/styles.xml" not in z.namelist():
        return []
    styles = ET.fromstring(z.read("xl/styles.xml"))
    codes = dict(BUILTIN_FORMATS)
    for f in styles.iter("{%s}numFmt" % NS["m"]):
        codes[int(f.get("numFmtId"))] = f.get("formatCode")
    xfs = styles.find("m:cellXfs", NS)
    return [codes.get(int(xf.get("numFmtId", "0")), "?") for xf in xfs.findall("m:xf", NS)]


def rows_by_elementtree(path, formats):
    with zipfile.ZipFile(path) as z:
        shared = []
        if "xl/sharedStrings.xml" in z.namelist():
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                shared.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
        name = ET.fromstring(z.read("xl/workbook.xml")).find("m:sheets/m:sheet", NS).get("name")
        styles = number_formats(z)
        sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
    rows = []
    for row in sheet.find("m:sheetData", NS).findall("m:row", NS):
        cells = {}
        for c in row.findall("m:c", NS):
            kind = c.get("t")
            if kind == "inlineStr":
                text = "s:" + "".join(t.text or "" for t in c.iter("{%s}t" % NS["m"]))
            elif kind == "s":
                text = "s:" + shared[int(c.find("m:v", NS).text)]
            elif kind == "e":
                text = "e:" + c.find("m:v", NS).text
            else:
                text = "n:" + repr(float(c.find("m:v", NS).text))
                if formats:
                    text += "|" + styles[int(c.get("s", "0"))]
            cells[column_index(c.get("r"))] = text
        width = max(cells) + 1 if cells else 0
        rows.append([cells.get(i, "") for i in range(width)])
    return name, rows


def rows_by_openpyxl(path, formats):
    import openpyxl

    sheet = openpyxl.load_workbook(path).worksheets[0]
    rows = []
    for row in sheet.iter_rows():
        cells = []
        for cell in row:
            if cell.value is None:
                text = ""
            elif cell.data_type == "s":
                text = "s:" + cell.value
            elif cell.data_type == "e":
                text = "e:" + cell.value
            else:
                text = "n:" + repr(float(cell.value))
                if formats:
                    text += "|" + cell.number_format
            cells.append(text)
        while cells and not cells[-1]:
            cells.pop()
        rows.append(cells)
    return sheet.title, rows


def main(args):
    path = args[-1]
    reader = rows_by_openpyxl if "--openpyxl" in args else rows_by_elementtree
    name, rows = reader(path, "--formats" in args)
    if "--sheet" in args:
        print("sheet:" + name)
    for cells in rows:
        print("\t".join(cells))


if __name__ == "__main__":
    sys.stdout.reconfigure(encoding="utf-8")
    main(sys.argv[1:])
