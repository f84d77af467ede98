#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the two earthquake workbooks of data/ and the small test workbooks of tests/data/.

Layout of every worksheet (rows and columns from 1, column 1 = A):
  row 1: A = title of the worksheet in English, B = its title in French
  row 2, column k + 1: title of record k (the first empty title ends the list)
  row 3, column k + 1: n, the number of samples of record k
  row 4, column k + 1: dt, its time step in seconds
  rows 5 .. 4 + n, column k + 1: the n accelerations, in g

The records are the plain-text files of the ground-motion collection (one file per record, a
header of "# key: value" lines, then one acceleration in g per line). The values are written as
IEEE doubles parsed from their text, so the workbook holds exactly the numbers of the files.

Needs python3-xlwt (Debian package). Usage:
  scripts/make_earthquake_workbooks.py [--records DIR] [--data DIR] [--tests DIR]
Defaults: DIR of records = ../shared/data/ground-motions beside the repository, data/ and
tests/data/ of the repository.
"""

import argparse
import math
import os
import sys

import xlwt

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# One worksheet per group of records, dam sites first; within a sheet the records are in date
# order. Both workbooks use the same sheet names, so a horizontal record and its vertical
# partner are found under the same name.
HORIZONTAL = [
    ("Dam sites", "Sites de barrages", [
        "San_Fernando_1971_PUL-164",
        "Morgan_Hill_1984_CYC-285",
        "Northridge_1994_PAC-175",
    ]),
    ("California 1940-1986", "Californie 1940-1986", [
        "Imperial_Valley_1940_ELC-180",
        "Coyote_Lake_1979_G02-050",
        "Imperial_Valley_1979_BCR-230",
        "Mammoth_Lakes-1_1980_CVK-090",
        "Mammoth_Lakes-2_1980_CVK-090",
        "Coalinga_1983_PVB-045",
        "N_Palm_Springs_1986_WWT-180",
    ]),
    ("California 1989-1994", "Californie 1989-1994", [
        "Loma_Prieta_1989_CLS-000",
        "Loma_Prieta_1989_HSP-000",
        "Cape_Mendocino_1992_PET-090",
        "Landers_1992_LCN-345",
        "Northridge_1994_VSP-360",
    ]),
    ("Canada and Pacific Northwest", "Canada et nord-ouest du Pacifique", [
        "Nahanni_1985_NS1-280",
        "Nisqually_2001_UNR-058",
    ]),
    ("Asia and Turkey", "Asie et Turquie", [
        "Kobe_1995_TAK-090",
        "Chi-Chi_1999_TCU068-090",
        "Duzce_1999_375-090",
        "Kocaeli_1999_ATS-090",
    ]),
    ("New Zealand", "Nouvelle-Zélande", [
        "Kaikoura_2016_WTMC-N28W",
    ]),
]

VERTICAL = [
    ("Dam sites", "Sites de barrages", [
        "San_Fernando_1971_PUL-DWN",
    ]),
    ("California", "Californie", [
        "Imperial_Valley_1940_ELC-UP",
        "Coalinga_1983_PFZ14-UP",
        "Loma_Prieta_1989_CLS-UP",
        "Loma_Prieta_1989_SAF-UP",
        "La_Habra_2014_WLT-UP",
    ]),
    ("New Zealand", "Nouvelle-Zélande", [
        "Christchurch_2011_HVSC-UP",
        "Kaikoura_2016_HSES-UP",
        "Kaikoura_2016_WTMC-UP",
    ]),
]

MAX_ROWS = 65536  # rows of a BIFF8 worksheet


class Record:
    def __init__(self, title, dt, values):
        self.title = title
        self.dt = dt
        self.values = values


def read_record(path):
    """The title, time step and samples of one record file; checks its sample count."""
    header = {}
    values = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line:
                continue
            if line.startswith("#"):
                key, _, value = line[1:].partition(":")
                header[key.strip()] = value.strip()
                continue
            v = float(line)
            if not math.isfinite(v):
                sys.exit(f"{path}: sample {len(values) + 1} is not finite")
            values.append(v)
    n = int(header["n"])
    if n != len(values):
        sys.exit(f"{path}: header gives n = {n}, the file holds {len(values)} samples")
    if header.get("units", "g") != "g":
        sys.exit(f"{path}: samples are not in g")
    if 4 + n > MAX_ROWS:
        sys.exit(f"{path}: {n} samples do not fit in a worksheet column")
    return Record(header["title"], float(header["dt"]), values)


def write_workbook(path, sheets, tab_names=None):
    """sheets: list of (English title, French title, [Record or raw column]). A raw column is a
    list of the cells of rows 2, 3, 4, ... (None leaves a cell empty), for damaged test cases."""
    book = xlwt.Workbook(encoding="utf-8")
    for index, (english, french, records) in enumerate(sheets):
        name = tab_names[index] if tab_names else english
        sheet = book.add_sheet(name[:31], cell_overwrite_ok=False)
        if english is not None:
            sheet.write(0, 0, english)
        if french is not None:
            sheet.write(0, 1, french)
        for k, record in enumerate(records, start=1):
            column = k  # column k + 1 in spreadsheet numbering, k in xlwt's 0-based one
            if isinstance(record, Record):
                cells = [record.title, len(record.values), record.dt] + record.values
            else:
                cells = record
            for offset, value in enumerate(cells):
                if value is not None:
                    sheet.write(1 + offset, column, value)
    tmp = path + ".tmp"
    book.save(tmp)
    os.replace(tmp, path)
    print(f"wrote {path}")


def build_database(records_dir, data_dir):
    for groups, folder, name in ((HORIZONTAL, "horizontal", "Earthquakes - horizontal.xls"),
                                 (VERTICAL, "vertical", "Earthquakes - vertical.xls")):
        sheets = []
        for english, french, files in groups:
            records = [read_record(os.path.join(records_dir, folder, f + ".txt")) for f in files]
            sheets.append((english, french, records))
        write_workbook(os.path.join(data_dir, name), sheets)


def build_test_workbooks(tests_dir):
    # earthquakes-test.xls: the cases the reader and the database dialog are checked on.
    # Sheet 1: a three-sample record (0.1, -0.2, 0.3 at dt 0.01) and a 1000-sample record at
    # dt 0.01 (duration 9.99 s) whose sample i is i / 1000.
    short = Record("Three samples", 0.01, [0.1, -0.2, 0.3])
    long_record = Record("Thousand samples", 0.01, [i / 1000.0 for i in range(1, 1001)])
    # Sheet 3: 52 one-sample records; record k holds the value k / 1000 at dt 0.02, so that the
    # record read from column Z (k = 25), AA (26) or AZ (51) shows where it came from.
    many = [Record(f"Record {k}", 0.02, [k / 1000.0]) for k in range(1, 53)]
    write_workbook(os.path.join(tests_dir, "earthquakes-test.xls"), [
        ("Short records", "Enregistrements courts", [short, long_record]),
        ("Empty sheet", "Feuille vide", []),
        ("Many records", "Nombreux enregistrements", many),
    ])
    # earthquakes-damaged.xls: one sheet whose records are broken in the ways a hand-edited
    # workbook can be (cells of rows 2, 3, 4, 5, ...).
    write_workbook(os.path.join(tests_dir, "earthquakes-damaged.xls"), [
        ("Damaged records", "Enregistrements endommagés", [
            ["Count is text", "many", 0.01, 0.1],
            ["Count is zero", 0, 0.01, 0.1],
            ["Count not whole", 2.5, 0.01, 0.1, 0.2, 0.3],
            ["Step is zero", 2, 0.0, 0.1, 0.2],
            ["Sample is text", 3, 0.01, 0.1, "x", 0.3],
            ["Samples missing", 5, 0.01, 0.1, 0.2, 0.3],
            ["Numbers as text", "2", "0.01", "0.5", "-0.5"],
            [1940, 1, 0.01, 0.25],
        ]),
        (None, None, [Record("Untitled sheet record", 0.01, [0.5])]),
    ], tab_names=["Damaged", "No titles"])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--records", default=os.path.join(os.path.dirname(REPO), "shared", "data",
                                                          "ground-motions"))
    parser.add_argument("--data", default=os.path.join(REPO, "data"))
    parser.add_argument("--tests", default=os.path.join(REPO, "tests", "data"))
    args = parser.parse_args()
    build_database(args.records, args.data)
    build_test_workbooks(args.tests)


if __name__ == "__main__":
    main()
