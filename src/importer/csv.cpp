// CSV: decoding, delimiter and RFC 4180 quotes.
#include "importer/sheet.h"

#include "records/codec.h"
#include "records/fileio.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

QString decodeText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return cp874::decode(bytes);
}

// The delimiter that splits the first line (outside quotes) most often; comma on a tie.
QChar pickDelimiter(QStringView text)
{
    int counts[3] = {0, 0, 0};
    const QChar candidates[3] = {u',', u';', u'\t'};
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
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

} // namespace

Sheet ReadCsv(QByteArrayView bytes)
{
    Sheet sheet;
    if (bytes.size() > kMaxSheetBytes) {
        sheet.error = u"แฟ้มใหญ่เกินไป"_s;
        return sheet;
    }
    const QString text = decodeText(bytes);
    const QChar delim = pickDelimiter(text);
    QStringList row;
    QString field;
    qint64 cells = 0;
    bool quoted = false, wasQuoted = false, rowStarted = false;
    auto endField = [&] {
        row << field;
        field.clear();
        wasQuoted = false;
        ++cells;
    };
    auto endRow = [&] {
        endField();
        sheet.rows << row;
        row.clear();
        rowStarted = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (cells > kMaxSheetCells) {
            sheet.rows.clear();
            sheet.error = u"แฟ้มมีข้อมูลมากเกินไป"_s;
            return sheet;
        }
        rowStarted = true;
        if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == delim) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (rowStarted || quoted || !field.isEmpty())
        endRow();
    return sheet;
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
    const QString lower = path.toLower();
    if (lower.endsWith(u".xlsx"_s))
        return ReadXlsx(bytes);
    if (lower.endsWith(u".ods"_s))
        return ReadOds(bytes);
    return ReadCsv(bytes);
}

} // namespace vorlane
