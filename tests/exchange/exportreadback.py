"""Reads an exported document back with a real reader and prints it as JSON.

    readback.py docx FILE   body blocks in order: {"p": text, "align": name} or {"table": rows of cell texts}
    readback.py xlsx FILE   {"rows": cell values by row, "formats": number formats by row}
"""
import json
import sys


def docx(path):
    import docx as python_docx
    from docx.table import Table
    from docx.text.paragraph import Paragraph

    document = python_docx.Document(path)
    blocks = []
    for child in document.element.body.iterchildren():
        tag = child.tag.rsplit("}", 1)[-1]
        if tag == "p":
            paragraph = Paragraph(child, document)
            align = paragraph.alignment
            # The enumeration's name ("CENTER"); older python-docx prints it as "CENTER (1)".
            name = None if align is None else getattr(align, "name", None) or str(align).split(" ")[0]
            blocks.append({"p": paragraph.text, "align": name})
        elif tag == "tbl":
            table = Table(child, document)
            blocks.append({"table": [[cell.text for cell in row.cells] for row in table.rows]})
    return blocks


def xlsx(path):
    import openpyxl

    sheet = openpyxl.load_workbook(path).active
    rows, formats = [], []
    for row in sheet.iter_rows():
        rows.append(["" if cell.value is None else cell.value for cell in row])
        formats.append([cell.number_format for cell in row])
    return {"rows": rows, "formats": formats}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    print(json.dumps({"docx": docx, "xlsx": xlsx}[kind](path), ensure_ascii=False))
