// CSV: decoding, delimiter and RFC 4180 quotes.
#include "importer/sheet.h"

#include "records/codec.h"
#include "records/fileio.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

// The delimiter that splits the first line (outside quotes) most often; comma on a tie.
// Delimiters, quotes and line ends are ASCII in UTF-8 and in code page 874 alike, so the
// bytes are split before they are decoded.
char pickDelimiter(QByteArrayView bytes)
{
    int counts[3] = {0, 0, 0};
    const char candidates[3] = {',', ';', '\t'};
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            for (int i = 0; i < 3; ++i)
                counts[i] += c == candidates[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i)
        if (counts[i] > counts[best])
            best = i;
    return candidates[best];
}

// Each field is decoded on its own, into a scratch buffer and then copied at its exact
// size: no decoded copy of the whole file, and no cell holds more memory than its text.
class FieldDecoder {
public:
    explicit FieldDecoder(bool utf8) : m_utf8(utf8) {}
    QString operator()(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return QString();
        if (!m_utf8)
            return cp874::decode(bytes);
        if (m_buffer.size() < bytes.size())
            m_buffer.resize(bytes.size());
        const QChar *end = m_decoder.appendToBuffer(m_buffer.data(), bytes);
        return QString(m_buffer.constData(), end - m_buffer.constData());
    }

private:
    bool m_utf8;
    // A mark at the start of a field is the field's own character (the file's is gone).
    QStringDecoder m_decoder{QStringDecoder::Utf8,
                             QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
    QVarLengthArray<QChar, 256> m_buffer;
};

}  // namespace

Sheet ReadCsv(QByteArrayView bytes)
{
    Sheet sheet;
    if (bytes.size() > kMaxSheetBytes) {
        sheet.error = u"แฟ้มใหญ่เกินไป"_s;
        return sheet;
    }
    // UTF-16 with its mark: read as the same text in UTF-8.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        const QString text = utf16(bytes.sliced(2));
        return ReadCsv(text.toUtf8());
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // UTF-8 when the whole file is valid UTF-8, else code page 874.
    FieldDecoder decode(bytes.isValidUtf8());
    const char delim = pickDelimiter(bytes);
    sheet.rows.reserve(std::count(bytes.begin(), bytes.end(), '\n') + 1);

    QStringList row;
    // A field is made of runs of plain bytes. A field of one run (nearly all) is decoded
    // straight from the file; one split by a doubled quote, or with text after its closing
    // quote, is gathered first.
    qsizetype run = -1;                      // start of the current run
    qsizetype spanStart = -1, spanEnd = -1;  // the field's one run so far
    QByteArray gathered;
    bool isGathered = false;
    qint64 cells = 0;
    bool quoted = false, wasQuoted = false, rowStarted = false;
    qsizetype quoteRow = 0;  // where the open quote began, counted from 1
    auto addSpan = [&](qsizetype start, qsizetype end) {
        if (end == start)
            return;
        if (!isGathered && spanStart < 0) {
            spanStart = start;
            spanEnd = end;
            return;
        }
        if (!isGathered) {
            gathered = bytes.sliced(spanStart, spanEnd - spanStart).toByteArray();
            isGathered = true;
        }
        gathered.append(bytes.sliced(start, end - start));
    };
    auto flush = [&](qsizetype end) {
        if (run >= 0) {
            addSpan(run, end);
            run = -1;
        }
    };
    auto fieldEmpty = [&] { return run < 0 && spanStart < 0 && !isGathered; };
    auto endField = [&] {
        if (isGathered)
            row.append(decode(gathered));
        else if (spanStart >= 0)
            row.append(decode(bytes.sliced(spanStart, spanEnd - spanStart)));
        else
            row.append(QString());
        spanStart = spanEnd = -1;
        isGathered = false;
        wasQuoted = false;
        ++cells;
    };
    auto endRow = [&] {
        endField();
        const qsizetype width = row.size();
        sheet.rows.append(std::move(row));
        row = QStringList();
        row.reserve(width);
        rowStarted = false;
    };
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"') {
                flush(i);
                if (i + 1 < n && bytes[i + 1] == '"')
                    run = ++i;  // the second quote is the field's own
                else
                    quoted = false;
            } else if (run < 0) {
                run = i;
            }
            continue;
        }
        if (cells > kMaxSheetCells) {
            sheet.rows.clear();
            sheet.error = u"แฟ้มมีข้อมูลมากเกินไป"_s;
            return sheet;
        }
        rowStarted = true;
        if (c == '"' && fieldEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            quoteRow = sheet.rows.size() + 1;
        } else if (c == delim) {
            flush(i);
            endField();
        } else if (c == '\r' || c == '\n') {
            flush(i);
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            endRow();
        } else if (run < 0) {
            run = i;
        }
    }
    // A quote never closed would swallow every later row into one cell.
    if (quoted) {
        Sheet bad;
        bad.error = u"เครื่องหมายคำพูด (\") ที่เปิดในแถวที่ "_s + QString::number(quoteRow)
                    + u" ไม่มีเครื่องหมายปิด จึงอ่านแฟ้มนี้ไม่ได้"_s;
        return bad;
    }
    flush(n);
    if (rowStarted || !fieldEmpty())
        endRow();
    return sheet;
}

bool HoldsSheet(const QString &path)
{
    if (isSheetPath(path))
        return true;
    // A data file is code-page-874 text: it never starts like a workbook or UTF-16 text.
    platform::File f;
    qint64 size = 0;
    if (!OpenRegularFile(path, kMaxSheetBytes, f, size).ok())
        return false;
    char head[8] = {};
    const qint64 n = f.read(head, sizeof head);
    const QByteArrayView b(head, n > 0 ? n : 0);
    return b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF") || b.startsWith("PK\x03\x04")
           || b.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

Sheet ReadSheetFile(const QString &path)
{
    Sheet sheet;
    // Read as every other file: a pipe under a spreadsheet's name must not hang the window.
    const FileReadResult file = ReadFileBounded(path, kMaxSheetBytes);
    if (file.error == FileIoError::TooLarge) {
        sheet.error = u"แฟ้มใหญ่เกินไป : "_s + path;
        return sheet;
    }
    if (!file.ok()) {
        sheet.error = u"เปิดแฟ้มไม่ได้ : "_s + path + u'\n' + FailureCause(file);
        return sheet;
    }
    const QByteArray &bytes = file.bytes;
    const QString suffix = QFileInfo(path).suffix().toLower();
    // What the file holds decides first: a workbook saved under another name is still one.
    // Of a workbook, the first of its sheets that holds orders.
    auto firstWithOrders = [](auto read) {
        Sheet first = read(0);
        for (int i = 1; first.ok() && !HasOrderHeader(first) && i < first.sheetCount && i < 50; ++i) {
            Sheet next = read(i);
            if (next.ok() && HasOrderHeader(next))
                return next;
        }
        return first;
    };
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return firstWithOrders([&](int i) { return ReadXls(path, i); });
    if (bytes.startsWith("PK\x03\x04")) {
        if (suffix == u"ods"_s || bytes.contains("application/vnd.oasis.opendocument.spreadsheet"))
            return firstWithOrders([&](int i) { return ReadOds(bytes, i); });
        return firstWithOrders([&](int i) { return ReadXlsx(bytes, i); });
    }
    static const QStringList kText{u"csv"_s, u"txt"_s, u"tsv"_s, u"tab"_s, QString()};
    if (!kText.contains(suffix)) {
        sheet.error = u"อ่านแฟ้มชนิดนี้ไม่ได้ (."_s + suffix
                      + u") : นำเข้าได้เฉพาะแฟ้ม .xlsx .xlsm .xls .ods และ .csv หรือข้อความที่คั่นด้วย TAB"_s;
        return sheet;
    }
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (bytes.startsWith("%PDF") || (!utf16 && bytes.left(4096).contains('\0'))) {
        sheet.error = u"แฟ้มนี้ไม่ใช่ตารางข้อความ (.csv) และไม่ใช่แฟ้มตารางคำนวณที่อ่านได้ : "_s + path;
        return sheet;
    }
    return ReadCsv(bytes);
}

}  // namespace vorlane
