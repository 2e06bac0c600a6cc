#!/usr/bin/python3
# Reads files written by our .xls writer with xlrd, a reader that shares no
# code with it, and prints what it found one fact a line for the C++ tests.
# Texts are printed as "x" + hex of their UTF-8 bytes so any character,
# line breaks included, survives the trip.
#
#   xls_check.py book <file.xls> <out.txt>
#   xls_check.py stream <compound file> <stream name> <out.bin>
import io
import struct
import sys

import xlrd
import xlrd.compdoc


def hexed(text):
    return "x" + text.encode("utf-8").hex()


def rgb(colour):
    return "-" if colour is None else "%02x%02x%02x" % colour


def book(path, out):
    log = io.StringIO()
    wb = xlrd.open_workbook(path, formatting_info=True, ragged_rows=True, logfile=log, verbosity=0)
    lines = []
    for line in log.getvalue().splitlines():
        if line.strip():
            lines.append("log " + hexed(line))
    lines.append("sheets %d" % wb.nsheets)
    sh = wb.sheet_by_index(0)
    lines.append("sheet %s %d %d" % (hexed(sh.name), sh.nrows, sh.ncols))
    used_xfs = set()
    for r in range(sh.nrows):
        for c in range(sh.row_len(r)):
            cell = sh.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            if cell.ctype == xlrd.XL_CELL_TEXT:
                value = hexed(cell.value)
            elif cell.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):
                value = repr(float(cell.value))
            elif cell.ctype in (xlrd.XL_CELL_ERROR, xlrd.XL_CELL_BOOLEAN):
                value = str(int(cell.value))
            else:
                value = "-"
            xfx = sh.cell_xf_index(r, c)
            used_xfs.add(xfx)
            lines.append("cell %d %d %d %d %s" % (r, c, cell.ctype, xfx, value))
    for xfx in sorted(used_xfs):
        xf = wb.xf_list[xfx]
        font = wb.font_list[xf.font_index]
        b = xf.border
        lines.append(" ".join(str(v) for v in (
            "xf", xfx, hexed(font.name), font.height, font.bold, font.weight,
            b.left_line_style, b.right_line_style, b.top_line_style, b.bottom_line_style,
            rgb(wb.colour_map.get(b.left_colour_index)),
            xf.background.fill_pattern,
            rgb(wb.colour_map.get(xf.background.pattern_colour_index)),
            xf.alignment.text_wrapped, xf.alignment.hor_align, xf.alignment.vert_align,
            hexed(wb.format_map[xf.format_key].format_str or ""))))
    for rlo, rhi, clo, chi in sh.merged_cells:
        lines.append("merge %d %d %d %d" % (rlo, rhi, clo, chi))
    for col, info in sorted(sh.colinfo_map.items()):
        lines.append("col %d %d" % (col, info.width))
    for row, info in sorted(sh.rowinfo_map.items()):
        lines.append("row %d %d %d" % (row, info.height, info.height_mismatch))
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


def allocation_problem(data, sat):
    # xlrd reads through a FAT that does not mark its own sectors; Excel may
    # not, so check the bookkeeping as well.
    fat_count, = struct.unpack("<i", data[44:48])
    dir_start, = struct.unpack("<i", data[48:52])
    difat_start, difat_count = struct.unpack("<ii", data[68:76])
    listed = list(struct.unpack("<109i", data[76:512]))
    difat_sectors = []
    sid = difat_start
    while sid >= 0:
        difat_sectors.append(sid)
        entries = struct.unpack("<128i", data[512 + 512 * sid:1024 + 512 * sid])
        listed.extend(entries[:127])
        sid = entries[127]
    if sid != -2 and difat_count:
        return "DIFAT chain ends in %d" % sid
    if len(difat_sectors) != difat_count:
        return "%d DIFAT sectors, header says %d" % (len(difat_sectors), difat_count)
    fat_sectors = [x for x in listed if x >= 0]
    if len(fat_sectors) != fat_count or any(x != -1 for x in listed[fat_count:]):
        return "FAT sectors listed: %d, header says %d" % (len(fat_sectors), fat_count)
    if any(sat[x] != -3 for x in fat_sectors) or sat.count(-3) != fat_count:
        return "FAT sectors not marked as such"
    if any(sat[x] != -4 for x in difat_sectors) or sat.count(-4) != difat_count:
        return "DIFAT sectors not marked as such"
    if sat[dir_start] != -2:
        return "directory is not one sector"
    if (len(data) - 512) // 512 > len(sat):
        return "sectors beyond the FAT"
    return None


def stream(path, name, out):
    with open(path, "rb") as f:
        data = f.read()
    log = io.StringIO()
    doc = xlrd.compdoc.CompDoc(data, logfile=log)
    content = doc.get_named_stream(name)
    if content is None or log.getvalue().strip():
        sys.stderr.write("compound file problem: %r\n" % log.getvalue())
        sys.exit(1)
    problem = allocation_problem(data, doc.SAT)
    if problem:
        sys.stderr.write("compound file problem: %s\n" % problem)
        sys.exit(1)
    with open(out, "wb") as f:
        f.write(content)


if __name__ == "__main__":
    if sys.argv[1] == "book":
        book(sys.argv[2], sys.argv[3])
    else:
        stream(sys.argv[2], sys.argv[3], sys.argv[4])
