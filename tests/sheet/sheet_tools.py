"""Independent producers and readers of workbooks, for the sheet tests.

  make-xls PATH      a staff sheet written by xlwt
  make-xlsx PATH     the same sheet written by openpyxl
  rows PATH          print the first sheet's cells as JSON (xlrd or openpyxl)
  inspect-xlsx PATH  print formatting of an .xlsx as JSON (openpyxl)
  inspect-xls PATH   the same for an .xls (xlrd)
  sheet PATH ROWS    write the JSON rows (a file) as an .xls with xlwt
"""
import json
import sys

ROWS = [
    ["人员设置", None, None, None],
    ["部门", "岗位", "员工", "备注"],
    ["  财务部 ", "会计", "李四", 8001],
    ["技术部", "工程师", "王五", 3.5],
    ["", "空部门", "赵六", None],
    ["技术部", "工程师", "多行\n备注", "第一行\n第二行"],
]


def make_xls(path):
    import xlwt
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("人员")
    for r, row in enumerate(ROWS):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)
    book.add_sheet("second").write(0, 0, "not read")
    book.save(path)


def make_xlsx(path):
    import openpyxl
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "人员"
    for r, row in enumerate(ROWS):
        for c, value in enumerate(row):
            if value is not None:
                sheet.cell(row=r + 1, column=c + 1, value=value)
    book.create_sheet("second")["A1"] = "not read"
    book.save(path)


def sheet_from_json(path, rows_file):
    import xlwt
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Sheet1")
    with open(rows_file, encoding="utf-8") as f:
        for r, row in enumerate(json.load(f)):
            for c, value in enumerate(row):
                if value is not None and value != "":
                    sheet.write(r, c, value)
    book.save(path)


def rows(path):
    if path.endswith(".xlsx"):
        import openpyxl
        sheet = openpyxl.load_workbook(path).worksheets[0]
        out = [["" if v is None else str(v) for v in row] for row in sheet.iter_rows(values_only=True)]
    else:
        import xlrd
        sheet = xlrd.open_workbook(path).sheet_by_index(0)
        out = [[str(sheet.cell_value(r, c)) for c in range(sheet.ncols)] for r in range(sheet.nrows)]
    print(json.dumps(out, ensure_ascii=False))


def colour(c):
    return c.rgb[-6:].upper() if c is not None and isinstance(c.rgb, str) else ""


def inspect_xlsx(path):
    import openpyxl
    sheet = openpyxl.load_workbook(path).worksheets[0]
    cells = {}
    for row in sheet.iter_rows():
        for cell in row:
            cells[cell.coordinate] = {
                "value": "" if cell.value is None else str(cell.value),
                "font": cell.font.name, "bold": bool(cell.font.b), "size": float(cell.font.sz or 0),
                "fill": colour(cell.fill.fgColor) if cell.fill.fill_type == "solid" else "",
                "border": cell.border.left.style or "",
                "borders": [getattr(cell.border, side).style or "" for side in ("left", "right", "top", "bottom")],
                "wrap": bool(cell.alignment.wrap_text),
                "halign": cell.alignment.horizontal or "", "valign": cell.alignment.vertical or "",
                "format": cell.number_format,
            }
    print(json.dumps({
        "merges": sorted(str(r) for r in sheet.merged_cells.ranges),
        "widths": {k: round(v.width, 2) for k, v in sheet.column_dimensions.items() if v.width},
        "heights": {str(k): v.height for k, v in sheet.row_dimensions.items() if v.height},
        "cells": cells,
    }, ensure_ascii=False))


def inspect_xls(path):
    import xlrd
    book = xlrd.open_workbook(path, formatting_info=True)
    sheet = book.sheet_by_index(0)
    cells = {}
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            xf = book.xf_list[cell.xf_index]
            font = book.font_list[xf.font_index]
            fill = ""
            if xf.background.fill_pattern == 1:
                rgb = book.colour_map.get(xf.background.pattern_colour_index)
                fill = "%02X%02X%02X" % rgb if rgb else ""
            cells[xlrd.cellname(r, c)] = {
                "value": str(cell.value), "type": cell.ctype,
                "font": font.name, "bold": bool(font.bold), "size": font.height / 20,
                "fill": fill,
                "borders": [xf.border.left_line_style, xf.border.right_line_style,
                            xf.border.top_line_style, xf.border.bottom_line_style],
                "wrap": bool(xf.alignment.text_wrapped),
                "halign": xf.alignment.hor_align, "valign": xf.alignment.vert_align,
                "format": book.format_map[xf.format_key].format_str,
            }
    print(json.dumps({
        "merges": ["%s:%s" % (xlrd.cellname(r1, c1), xlrd.cellname(r2 - 1, c2 - 1))
                   for r1, r2, c1, c2 in sheet.merged_cells],
        "widths": {xlrd.colname(c): round(info.width / 256, 1) for c, info in sheet.colinfo_map.items()},
        "heights": {str(r + 1): info.height / 20 for r, info in sheet.rowinfo_map.items()},
        "cells": cells,
    }, ensure_ascii=False))


if __name__ == "__main__":
    command, target = sys.argv[1], sys.argv[2]
    if command == "sheet":
        sheet_from_json(target, sys.argv[3])
        sys.exit(0)
    {"make-xls": make_xls, "make-xlsx": make_xlsx, "rows": rows, "inspect-xlsx": inspect_xlsx, "inspect-xls": inspect_xls}[command](target)
