// ODS: the first sheet's cells, read from the zip with libzip and the XML with
// QXmlStreamReader, within the same limits as the XLSX reader.
#include "importer/numberformat.h"
#include "importer/sheet.h"
#include "importer/ziparchive.h"

#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace vorlane {
using namespace sheetzip;

namespace {

const QString kTableNs = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0"_s;
const QString kTextNs = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0"_s;

// The shown text of an ODS cell: its paragraphs, with spaces, tabs and breaks.
QString odsText(QXmlStreamReader &x)
{
    QString out;
    int paragraphs = 0;
    int depth = 1;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            ++depth;
            if (x.name() == u"p"_s && paragraphs++ > 0)
                out += u'\n';
            else if (x.name() == u"s"_s) {
                bool ok = false;
                const int c = x.attributes().value(kTextNs, u"c"_s).toInt(&ok);
                out += QString(ok ? qBound(1, c, 1000) : 1, u' ');
            } else if (x.name() == u"tab"_s)
                out += u'\t';
            else if (x.name() == u"line-break"_s)
                out += u'\n';
            else if (x.name() == u"annotation"_s) {
                x.skipCurrentElement();  // a comment is not the cell's value
                --depth;
            }
        } else if (x.isEndElement()) {
            --depth;
        } else if (x.isCharacters() && depth >= 2) {
            out += x.text();
        }
    }
    return out;
}

qint64 repeatOf(const QXmlStreamAttributes &at, const QString &name)
{
    bool ok = false;
    const qint64 n = at.value(kTableNs, name).toLongLong(&ok);
    return ok && n > 1 ? n : 1;
}

}  // namespace

Sheet ReadOds(QByteArrayView bytes, int sheetIndex)
{
    Sheet bad;
    Zip zip(bytes);
    QByteArray xml;
    if (!zip.ok()) {
        bad.error = kBadFile;
        return bad;
    }
    if (!zip.read("content.xml", xml, bad.error))
        return bad;
    Grid g;
    QXmlStreamReader x(xml);
    const QString &tableNs = kTableNs;
    const QString officeNs = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0"_s;
    int tables = 0;
    bool sheetDone = false;
    qint64 row = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (refuseDtd(x, bad.error))
            return bad;
        if (x.isEndElement() && x.name() == u"table"_s && x.namespaceUri() == tableNs && tables == sheetIndex + 1)
            sheetDone = true;  // the later sheets are only counted
        if (!x.isStartElement() || x.namespaceUri() != tableNs)
            continue;
        if (x.name() == u"table"_s) {
            ++tables;
        } else if (x.name() == u"table-row"_s && tables == sheetIndex + 1 && !sheetDone) {
            const qint64 repeat = repeatOf(x.attributes(), u"number-rows-repeated"_s);
            const qint64 first = row;
            row += repeat;
            // Read the row's cells once; a repeated row with content is stored repeat times.
            QList<std::pair<qint64, QString>> cells;
            qint64 c = 0;
            while (!x.atEnd()) {
                x.readNext();
                if (refuseDtd(x, bad.error))
                    return bad;
                if (x.isEndElement() && x.name() == u"table-row"_s)
                    break;
                if (x.isStartElement() && (x.name() == u"table-cell"_s || x.name() == u"covered-table-cell"_s)) {
                    const QXmlStreamAttributes at = x.attributes();
                    const qint64 n = repeatOf(at, u"number-columns-repeated"_s);
                    const QString type = at.value(officeNs, u"value-type"_s).toString();
                    QString text = odsText(x);
                    // A number, an amount in a currency included, as plain decimal text, as
                    // a workbook's number cell whatever its format; dates, times and
                    // percentages as shown. Without a shown text, the stored value.
                    if (type == u"float"_s || type == u"currency"_s) {
                        const QString v = at.value(officeNs, u"value"_s).toString();
                        if (!v.isEmpty())
                            text = plainNumber(v);
                    } else if (text.isEmpty() && !type.isEmpty()) {
                        const QString attr = type == u"date"_s      ? u"date-value"_s
                                             : type == u"time"_s    ? u"time-value"_s
                                             : type == u"boolean"_s ? u"boolean-value"_s
                                             : type == u"string"_s  ? u"string-value"_s
                                                                    : u"value"_s;
                        text = at.value(officeNs, attr).toString();
                    }
                    if (!text.isEmpty()) {
                        if (n > kMaxSheetCells || qint64(cells.size()) + n > kMaxSheetCells) {
                            g.sheet.error = kTooManyCells;
                            return g.sheet;
                        }
                        for (qint64 k = 0; k < n; ++k)
                            cells.append({c + k, text});
                    }
                    c += n;
                }
            }
            if (!cells.isEmpty()) {
                if (repeat * qint64(cells.size()) > kMaxSheetCells) {
                    g.sheet.error = kTooManyCells;
                    return g.sheet;
                }
                for (qint64 r = first; r < first + repeat; ++r)
                    for (const auto &[cc, text] : cells)
                        if (!g.put(r, cc, text))
                            return g.sheet;
            }
        }
    }
    if (x.hasError()) {
        bad.error = kBadFile;
        return bad;
    }
    if (tables <= sheetIndex)
        bad.error = kBadFile;
    g.sheet.sheetCount = tables;
    return tables <= sheetIndex ? bad : g.sheet;
}

}  // namespace vorlane
