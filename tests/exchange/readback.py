#!/usr/bin/python3
"""Reads a saved result file with an independent reader and prints its table as UTF-8 lines,
cells separated by a tab. Usage: readback.py FORMAT FILE (FORMAT: txt csv htm rtf xlsx)."""
import csv
import html.parser
import os
import subprocess
import sys
import tempfile


class Tables(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.row, self.cell = [], None, None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.row = []
        elif tag in ("td", "th"):
            self.cell = ""

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.row is not None:
            self.row.append(" ".join(self.cell.split()))
            self.cell = None
        elif tag == "tr" and self.row is not None:
            self.rows.append(self.row)
            self.row = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def html_rows(text):
    parser = Tables()
    parser.feed(text)
    return parser.rows


def number(value):
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return "" if value is None else str(value)


def main():
    kind, path = sys.argv[1], sys.argv[2]
    if kind == "txt":
        with open(path, "rb") as f:
            data = f.read().decode("gbk")
        assert "\r\n" in data, "lines end in CR LF"
        rows = [line.split("\t") for line in data.split("\r\n")[:-1]]
    elif kind == "csv":
        with open(path, "rb") as f:
            assert f.read(3) == b"\xef\xbb\xbf", "byte order mark"
        with open(path, newline="", encoding="utf-8-sig") as f:
            rows = list(csv.reader(f))
    elif kind == "htm":
        with open(path, encoding="utf-8") as f:
            text = f.read()
        assert 'charset="utf-8"' in text
        rows = html_rows(text)
    elif kind == "rtf":
        with tempfile.TemporaryDirectory() as out:
            subprocess.run(["soffice", "-env:UserInstallation=file://" + out + "/profile", "--headless",
                            "--convert-to", "html", "--outdir", out, path],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
            name = os.path.splitext(os.path.basename(path))[0] + ".html"
            with open(os.path.join(out, name), encoding="utf-8", errors="replace") as f:
                rows = html_rows(f.read())
    elif kind == "xlsx":
        import openpyxl
        sheet = openpyxl.load_workbook(path).active
        rows = [[number(v) for v in row] for row in sheet.iter_rows(values_only=True)]
    else:
        sys.exit("unknown format " + kind)
    sys.stdout.buffer.write("".join("\t".join(row) + "\n" for row in rows).encode("utf-8"))


if __name__ == "__main__":
    main()
