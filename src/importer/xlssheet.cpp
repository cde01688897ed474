// Excel 97-2003 workbooks (.xls) through Debian's libfreexl, which reads the old binary
// format only and never runs what a file holds. Fuzzing found libfreexl 1.0.6 reading past
// its own buffers on broken files, so the program never calls it itself: a helper program
// (vorlane-xls) reads the workbook and hands the cells over as text; a helper that fails
// or dies is a file that cannot be read, and the program goes on.
#include "importer/numberformat.h"
#include "importer/sheet.h"

#include "records/fileio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QProcess>

#include <freexl.h>

using namespace Qt::StringLiterals;

namespace vorlane {

QString ReadXlsInProcessHint()
{
    return u" (ถ้าเซลล์นี้เป็นสูตร: อ่านผลของสูตรจากแฟ้ม .xls ไม่ได้ กรุณาบันทึกแฟ้มเป็น .xlsx แล้วนำเข้าอีกครั้ง)"_s;
}

Sheet ReadXlsInProcess(const QString &path, int sheetIndex)
{
    Sheet sheet;
    const QString unreadable = u"อ่านแฟ้ม Excel 97-2003 (.xls) นี้ไม่ได้ : "_s + path;
    const void *handle = nullptr;
    if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) {
        if (handle)
            freexl_close(handle);
        sheet.error = unreadable;
        return sheet;
    }
    struct Close {
        const void *h;
        ~Close() { freexl_close(h); }
    } close{handle};

    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        sheet.error = u"แฟ้มนี้ตั้งรหัสผ่านไว้ กรุณาเอารหัสผ่านออกแล้วบันทึกอีกครั้ง : "_s + path;
        return sheet;
    }
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) == FREEXL_OK)
        sheet.sheetCount = int(count);
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (sheetIndex < 0 || unsigned(sheetIndex) >= count
        || freexl_select_active_worksheet(handle, (unsigned short)sheetIndex) != FREEXL_OK
        || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
        sheet.error = unreadable;
        return sheet;
    }
    if (qint64(rows) * cols > kMaxSheetCells) {
        sheet.error = u"แฟ้มมีข้อมูลมากเกินไป"_s;
        return sheet;
    }
    // libfreexl leaves formula cells empty: their last computed values come from the
    // file's records themselves.
    const FileReadResult file = ReadFileBounded(path, kMaxSheetBytes);
    const auto formulas = file.ok() ? XlsFormulaResults(file.bytes, sheetIndex) : std::nullopt;
    if (!formulas)
        sheet.emptyCellHint = ReadXlsInProcessHint();
    sheet.rows.reserve(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(cols);
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue cell{};
            QString text;
            if (freexl_get_cell_value(handle, r, c, &cell) == FREEXL_OK) {
                switch (cell.type) {
                case FREEXL_CELL_INT: text = QString::number(cell.value.int_value); break;
                case FREEXL_CELL_DOUBLE: text = plainNumber(QString::number(cell.value.double_value, 'g', 17)); break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    if (cell.value.text_value)
                        text = QString::fromUtf8(cell.value.text_value);
                    break;
                default: break;
                }
            }
            if (text.isEmpty() && formulas) {
                const auto it = formulas->constFind(Sheet::cellKey(r, c));
                if (it != formulas->constEnd())
                    text = *it;
            }
            row.append(text);
        }
        // Trailing empty cells are not part of the row, as the other readers give it.
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
        sheet.rows.append(std::move(row));
    }
    return sheet;
}

namespace {

constexpr QLatin1StringView kMagic("vorlane-xls 1");

QString escapedCell(const QString &cell)
{
    QString out;
    out.reserve(cell.size());
    for (QChar c : cell) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"_s; break;
        case u'\t': out += u"\\t"_s; break;
        case u'\n': out += u"\\n"_s; break;
        case u'\r': out += u"\\r"_s; break;
        default: out += c;
        }
    }
    return out;
}

QString unescapedCell(QStringView cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] == u'\\' && i + 1 < cell.size()) {
            const QChar n = cell[++i];
            out += n == u't' ? u'\t' : n == u'n' ? u'\n' : n == u'r' ? u'\r' : n;
        } else {
            out += cell[i];
        }
    }
    return out;
}

QString helperPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {dir + u"/vorlane-xls"_s, dir + u"/../libexec/vorlane/vorlane-xls"_s})
        if (QFileInfo(candidate).isExecutable())
            return QDir::cleanPath(candidate);
    return {};
}

}  // namespace

QByteArray XlsHandover(const Sheet &sheet)
{
    // The sheet count, and whether an empty cell may be an unread formula.
    QString out = QString(kMagic) + u'\n' + QString::number(sheet.sheetCount)
                  + (sheet.emptyCellHint.isEmpty() ? u" 0"_s : u" 1"_s) + u'\n';
    out += sheet.error.isEmpty() ? u"\n"_s : u"!"_s + escapedCell(sheet.error) + u'\n';
    for (const QStringList &row : sheet.rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString &c : row)
            cells << escapedCell(c);
        out += cells.join(u'\t') + u'\n';
    }
    return out.toUtf8();
}

Sheet XlsTakeover(QByteArrayView bytes, const QString &path)
{
    Sheet sheet;
    const QString text = QString::fromUtf8(bytes);
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    if (lines.size() < 3 || lines[0] != kMagic) {
        sheet.error = u"อ่านแฟ้ม Excel 97-2003 (.xls) นี้ไม่ได้ : "_s + path;
        return sheet;
    }
    const QList<QStringView> counts = lines[1].split(u' ');
    sheet.sheetCount = counts.value(0).toInt();
    if (lines[2].startsWith(u'!')) {
        sheet.error = unescapedCell(lines[2].sliced(1));
        return sheet;
    }
    if (counts.value(1) != u"0")
        sheet.emptyCellHint = ReadXlsInProcessHint();
    // The last piece is what follows the last line end: nothing.
    for (qsizetype i = 3; i + 1 < lines.size(); ++i) {
        QStringList row;
        if (!lines[i].isEmpty())
            for (QStringView cell : lines[i].split(u'\t'))
                row << unescapedCell(cell);
        sheet.rows.append(std::move(row));
    }
    return sheet;
}

Sheet ReadXls(const QString &path, int sheetIndex)
{
    Sheet sheet;
    const QString unreadable = u"อ่านแฟ้ม Excel 97-2003 (.xls) นี้ไม่ได้ : "_s + path;
    const QString helper = helperPath();
    if (helper.isEmpty()) {
        sheet.error = unreadable + u"\n(ไม่พบโปรแกรมอ่านแฟ้ม vorlane-xls)"_s;
        return sheet;
    }
    QProcess p;
    p.setProgram(helper);
    p.setArguments({path, QString::number(sheetIndex)});
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start();
    QByteArray out;
    // What the helper hands over is bounded like any sheet; a helper that hangs is ended.
    QElapsedTimer clock;
    clock.start();
    while (p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(100);
        out += p.readAllStandardOutput();
        if (out.size() > 4 * kMaxSheetBytes || clock.elapsed() > 60000) {
            p.kill();
            p.waitForFinished(5000);
            sheet.error = unreadable;
            return sheet;
        }
    }
    out += p.readAllStandardOutput();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        sheet.error = unreadable;
        return sheet;
    }
    return XlsTakeover(out, path);
}

}  // namespace vorlane
