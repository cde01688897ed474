#!/usr/bin/env bash
# Writes the import's test workbooks with the tools offices use, from orders.csv's three
# orders (the second amount a formula, 0.1*700): LibreOffice, gnumeric, openpyxl,
# xlsxwriter, SheetJS and exceljs. The files are kept in the repository; run this only to
# make them again (needs libreoffice-calc-nogui, gnumeric, python3-openpyxl,
# python3-xlsxwriter and npm).
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
lo=(soffice "-env:UserInstallation=file://$tmp/profile" --headless --infilter=CSV:44,34,76,1)
for t in xlsx xls ods; do "${lo[@]}" --convert-to "$t" --outdir "$tmp" orders.csv >/dev/null; done
# Excel's "Unicode Text": UTF-16 LE with its mark, TAB between cells.
"${lo[@]}" --convert-to 'txt:Text - txt - csv (StarCalc):9,34,65535' --outdir "$tmp" orders.csv >/dev/null
cp "$tmp/orders.xlsx" libreoffice.xlsx
cp "$tmp/orders.xls" libreoffice.xls
cp "$tmp/orders.ods" libreoffice.ods
cp "$tmp/orders.txt" excel-unicode-text.txt
for t in xlsx xls ods; do ssconvert libreoffice.xlsx "gnumeric.$t" 2>/dev/null; done

/usr/bin/python3 - <<'PY'
import openpyxl, xlsxwriter
rows = [["101", "10100", "นาย ก ใจดี", "1 ถนนสีลม", 1250.5],
        ["103", "10110", "นาง ข", "2 หมู่ 3", None],
        ["112", None, "นาย ค", "3 ซอย 4", 100]]
# openpyxl: a summary sheet before the orders, title rows above the header, the slip's own headings,
# a line break in an address (stored as _x000D_), blanks around a code, and a formula it
# never calculates (no stored result).
wb = openpyxl.Workbook()
summary = wb.active
summary.title = "สรุป"
summary.append(["ยอดรวม", "=SUM(รายการ!E4:E6)"])
ws = wb.create_sheet("รายการ")
ws.append(["รายการธนาณัติ ธันวาคม 2569"])
ws.append([])
ws.append(["ประเภท", "รหัสไปรษณีย์", "ชื่อผู้รับเงิน", "ที่อยู่ผู้รับ", "จำนวนเงิน (บาท)"])
ws.append(["101 ", "10100", "นาย ก ใจดี", "1 ถนนสีลม\r\nแขวงสีลม", 1250.5])
ws.append(["103", " 10110", "นาง ข", "2 หมู่ 3", "=0.1*700"])
ws.append(["112", None, "นาย ค", "3 ซอย 4", 100])
wb.save("openpyxl.xlsx")
# xlsxwriter: numbers as numbers, the formula with the result a spreadsheet stores.
wb = xlsxwriter.Workbook("xlsxwriter.xlsx")
ws = wb.add_worksheet()
ws.write_row(0, 0, ["ประเภท", "รหัสไปรษณีย์", "ชื่อผู้รับ", "ที่อยู่ผู้รับ", "จำนวนเงิน"])
for i, r in enumerate(rows, 1):
    ws.write_row(i, 0, [int(r[0]), int(r[1]) if r[1] else None, r[2], r[3], r[4]])
ws.write_formula(2, 4, "=0.1*700", None, 0.1 * 700)
wb.close()
PY

cat > "$tmp/write.js" <<'JS'
const XLSX = require('xlsx');
const ExcelJS = require('exceljs');
const head = ['ประเภท', 'รหัสไปรษณีย์', 'ชื่อผู้รับ', 'ที่อยู่ผู้รับ', 'จำนวนเงิน'];
// SheetJS: shared strings off by default, the formula with its cached value.
const ws = XLSX.utils.aoa_to_sheet([head, ['101', '10100', 'นาย ก ใจดี', '1 ถนนสีลม', 1250.5],
  ['103', '10110', 'นาง ข', '2 หมู่ 3', {t: 'n', v: 0.1 * 700, f: '0.1*700'}], ['112', '', 'นาย ค', '3 ซอย 4', 100]]);
const wb = XLSX.utils.book_new();
XLSX.utils.book_append_sheet(wb, ws, 'Sheet1');
XLSX.writeFile(wb, process.argv[2] + '/sheetjs.xlsx');
// exceljs: rich-text runs in a cell, the formula with its result.
const book = new ExcelJS.Workbook();
const s = book.addWorksheet('orders');
s.addRow(head);
s.addRow([101, 10100, {richText: [{text: 'นาย ก '}, {font: {bold: true}, text: 'ใจดี'}]}, '1 ถนนสีลม', 1250.5]);
s.addRow([103, 10110, 'นาง ข', '2 หมู่ 3', {formula: '0.1*700', result: 0.1 * 700}]);
s.addRow([112, null, 'นาย ค', '3 ซอย 4', 100]);
book.xlsx.writeFile(process.argv[2] + '/exceljs.xlsx');
JS
(cd "$tmp" && npm init -y >/dev/null && npm install --silent xlsx exceljs >/dev/null)
NODE_PATH="$tmp/node_modules" node "$tmp/write.js" "$PWD"
