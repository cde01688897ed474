// XLSX: the first sheet's cells, read from the zip with libzip and the XML with
// QXmlStreamReader. Every entry is read with a size limit and cells are counted, so a
// hostile file is refused instead of filling memory; a DTD is refused outright, so no
// entity is ever declared, let alone fetched.
#include "importer/numberformat.h"
#include "importer/sheet.h"
#include "importer/ziparchive.h"
#include "records/texthelpers.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace vorlane {
using namespace sheetzip;

namespace {

// "B12" -> column 1 (row ignored); -1 when not a reference.
qint64 columnOfRef(QStringView ref)
{
    qint64 col = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i] >= u'A' && ref[i] <= u'Z'; ++i) {
        col = col * 26 + (ref[i].unicode() - u'A' + 1);
        if (col > kMaxSheetCells)
            return -1;
    }
    return i == 0 ? -1 : col - 1;
}

}  // namespace

QString decodeXlsxEscapes(const QString &text)
{
    // "_xHHHH_" stands for the character U+HHHH (a line break is "_x000D_" or "_x000A_");
    // an underscore of the text itself that would start such a run is written "_x005F_".
    if (!text.contains(u"_x"_s))
        return text;
    auto hex = [](QChar c) { return c.isDigit() || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); };
    auto isEscape = [&](qsizetype i) {
        if (i + 7 > text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_')
            return false;
        for (qsizetype k = 2; k < 6; ++k)
            if (!hex(text[k + i]))
                return false;
        return true;
    };
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (isEscape(i)) {
            const char16_t code = char16_t(QStringView(text).sliced(i + 2, 4).toUShort(nullptr, 16));
            out += QChar(code);
            i += 7;
        } else {
            out += text[i++];
        }
    }
    return out;
}

namespace {

// The text inside the current element (its <t> runs for XLSX strings).
QString xlsxText(QXmlStreamReader &x)
{
    QString out;
    const int depth0 = 1;
    int depth = depth0;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            ++depth;
            if (x.name() == u"t"_s) {
                out += decodeXlsxEscapes(x.readElementText(QXmlStreamReader::IncludeChildElements));
                --depth;
            } else if (x.name() == u"rPh"_s) {
                x.skipCurrentElement();  // phonetic hints are not shown
                --depth;
            }
        } else if (x.isEndElement()) {
            --depth;
        }
    }
    return out;
}

// The workbook's parts that the import reads, as paths in the zip.
struct WorkbookParts {
    QByteArray firstSheet;  // the sheet asked for, e.g. "xl/worksheets/sheet1.xml"
    QByteArray styles;      // empty when the workbook names none
    int sheetCount = 0;
};

WorkbookParts workbookParts(Zip &zip, int sheet, QString &error)
{
    WorkbookParts parts;
    QByteArray wb, rels;
    if (!zip.read("xl/workbook.xml", wb, error) || !zip.read("xl/_rels/workbook.xml.rels", rels, error))
        return parts;
    QString rid;
    QXmlStreamReader x(wb);
    while (!x.atEnd()) {
        x.readNext();
        if (refuseDtd(x, error))
            return parts;
        if (x.isStartElement() && x.name() == u"sheet"_s) {
            if (parts.sheetCount++ == sheet)
                for (const QXmlStreamAttribute &a : x.attributes())
                    if (a.name() == u"id"_s)
                        rid = a.value().toString();
        }
    }
    auto targetOf = [](QXmlStreamReader &r) {
        QString target = r.attributes().value(u"Target"_s).toString();
        if (target.startsWith(u'/'))
            target = target.mid(1);
        else
            target = u"xl/"_s + target;
        return target.toUtf8();
    };
    QXmlStreamReader r(rels);
    while (!r.atEnd()) {
        r.readNext();
        if (refuseDtd(r, error))
            return {};
        if (!r.isStartElement() || r.name() != u"Relationship"_s)
            continue;
        if (parts.firstSheet.isEmpty() && r.attributes().value(u"Id"_s) == rid)
            parts.firstSheet = targetOf(r);
        else if (parts.styles.isEmpty() && r.attributes().value(u"Type"_s).endsWith(u"/styles"_s))
            parts.styles = targetOf(r);
    }
    if (parts.firstSheet.isEmpty())
        error = kBadFile;
    return parts;
}

// How a number format shows a number.
struct CellStyle {
    NumberShown shown = NumberShown::Plain;
    QString code;
};

// The cell styles (indexes into cellXfs), each as an index into the distinct formats: a
// workbook may list millions of styles but has few formats.
struct Styles {
    QList<qint32> formatOf;
    QList<CellStyle> formats;
    const CellStyle *of(qsizetype style) const
    {
        return style >= 0 && style < formatOf.size() ? &formats[formatOf[style]] : nullptr;
    }
};

bool readStyles(Zip &zip, const QByteArray &path, Styles &styles, QString &error)
{
    if (path.isEmpty() || !zip.has(path.constData()))
        return true;  // every number plain
    QByteArray xml;
    if (!zip.read(path.constData(), xml, error))
        return false;
    QHash<int, QString> custom;
    QList<int> formatOfStyle;
    bool inCellXfs = false, inNumFmts = false;  // a conditional format's numFmt is not one
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
        if (refuseDtd(x, error))
            return false;
        if (x.isEndElement() && x.name() == u"cellXfs"_s)
            inCellXfs = false;
        if (x.isEndElement() && x.name() == u"numFmts"_s)
            inNumFmts = false;
        if (!x.isStartElement())
            continue;
        if (x.name() == u"numFmts"_s) {
            inNumFmts = true;
        } else if (x.name() == u"numFmt"_s && inNumFmts) {
            const QXmlStreamAttributes at = x.attributes();
            if (custom.size() < kMaxSheetCells)
                custom.insert(at.value(u"numFmtId"_s).toInt(), at.value(u"formatCode"_s).toString());
        } else if (x.name() == u"cellXfs"_s) {
            inCellXfs = true;
        } else if (x.name() == u"xf"_s && inCellXfs) {
            if (formatOfStyle.size() >= kMaxSheetCells) {
                error = kTooManyCells;
                return false;
            }
            formatOfStyle << x.attributes().value(u"numFmtId"_s).toInt();
        }
    }
    if (x.hasError()) {
        error = kBadFile;
        return false;
    }
    // One reading per format, not per style.
    QHash<int, qint32> byFormat;
    styles.formatOf.reserve(formatOfStyle.size());
    for (int id : formatOfStyle) {
        auto it = byFormat.constFind(id);
        if (it == byFormat.constEnd()) {
            CellStyle st;
            st.code = custom.contains(id) ? custom.value(id) : builtInFormatCode(id);
            if (!st.code.isEmpty() && st.code.size() <= kLongestCode)
                st.shown = shownAs(st.code);
            it = byFormat.insert(id, qint32(styles.formats.size()));
            styles.formats << st;
        }
        styles.formatOf << *it;
    }
    return true;
}

// A number cell's text under its style.
QString numberCellText(const QString &value, const CellStyle *style)
{
    return style && style->shown != NumberShown::Plain ? shownNumber(value, style->code) : plainNumber(value);
}

// A date cell (t="d") holds its value as ISO 8601 text.
QString shownIsoDate(const QString &value, const CellStyle *style)
{
    if (!style || style->shown != NumberShown::DateTime)
        return value;
    const QDateTime dt = QDateTime::fromString(value, Qt::ISODateWithMs);
    if (!dt.isValid())
        return value;
    const double serial = double(QDate(1899, 12, 30).daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
    const QString shown = formatDateTime(serial, style->code);
    return shown.isEmpty() ? value : shown;
}

}  // namespace

Sheet ReadXlsx(QByteArrayView bytes, int sheetIndex)
{
    Sheet bad;
    Zip zip(bytes);
    if (!zip.ok()) {
        bad.error = kBadFile;
        return bad;
    }
    QStringList shared;
    QByteArray xml;
    if (zip.has("xl/sharedStrings.xml")) {
        if (!zip.read("xl/sharedStrings.xml", xml, bad.error))
            return bad;
        QXmlStreamReader x(xml);
        while (!x.atEnd()) {
            x.readNext();
            if (refuseDtd(x, bad.error))
                return bad;
            if (x.isStartElement() && x.name() == u"si"_s) {
                if (shared.size() >= kMaxSheetCells) {
                    bad.error = kTooManyCells;
                    return bad;
                }
                shared << xlsxText(x);
            }
        }
        if (x.hasError()) {
            bad.error = kBadFile;
            return bad;
        }
    }
    const WorkbookParts parts = workbookParts(zip, sheetIndex, bad.error);
    if (parts.firstSheet.isEmpty() || !zip.read(parts.firstSheet.constData(), xml, bad.error)) {
        if (bad.error.isEmpty())
            bad.error = kBadFile;
        return bad;
    }
    Styles styles;
    if (!readStyles(zip, parts.styles, styles, bad.error))
        return bad;

    Grid g;
    g.sheet.sheetCount = parts.sheetCount;
    QXmlStreamReader x(xml);
    qint64 row = -1, col = -1;
    while (!x.atEnd()) {
        x.readNext();
        if (refuseDtd(x, bad.error))
            return bad;
        if (!x.isStartElement())
            continue;
        if (x.name() == u"row"_s) {
            bool ok = false;
            const qint64 r = x.attributes().value(u"r"_s).toLongLong(&ok);
            row = ok && r > 0 ? r - 1 : row + 1;
            col = -1;
        } else if (x.name() == u"c"_s && row >= 0) {
            // Read as views where nothing needs to be kept: a cell is nearly always a
            // shared-string index or a number, and there are millions of them.
            const QXmlStreamAttributes at = x.attributes();
            const qint64 c = columnOfRef(at.value(u"r"_s));
            col = c >= 0 ? c : col + 1;
            const QStringView type = at.value(u"t"_s);
            bool styled = false;
            const qsizetype styleIndex = at.value(u"s"_s).toInt(&styled);
            const CellStyle *style = styled ? styles.of(styleIndex) : nullptr;
            QString value, inlineText;
            bool hasInline = false, hasFormula = false;
            while (!x.atEnd()) {
                x.readNext();
                if (x.isEndElement() && x.name() == u"c"_s)
                    break;
                if (x.isStartElement() && x.name() == u"f"_s) {
                    hasFormula = true;
                    x.skipCurrentElement();
                } else if (x.isStartElement() && x.name() == u"v"_s) {
                    // The value's text, usually in one piece.
                    while (!x.atEnd()) {
                        x.readNext();
                        if (x.isCharacters())
                            value += x.text();
                        else if (x.isEndElement())
                            break;
                    }
                } else if (x.isStartElement() && x.name() == u"is"_s) {
                    inlineText = xlsxText(x);
                    hasInline = true;
                }
            }
            QString text;
            if (type == u"s") {
                bool ok = false;
                const qint64 i = value.toLongLong(&ok);
                if (ok && i >= 0 && i < shared.size())
                    text = shared[i];
            } else if (type == u"inlineStr" || hasInline) {
                text = inlineText;
            } else if (type == u"str" || type == u"e") {
                text = type == u"str" ? decodeXlsxEscapes(value) : value;
            } else if (type == u"b") {
                text = value == u"1"_s ? u"TRUE"_s : u"FALSE"_s;
            } else if (type == u"d") {
                text = shownIsoDate(value, style);
            } else {
                // A number, or a formula's number: a date or time as the style shows it.
                text = numberCellText(value, style);
            }
            // Some writers (openpyxl) store a formula with an empty result, others none.
            if (hasFormula && value.isEmpty() && !hasInline && type != u"str")
                g.sheet.uncomputed.insert(Sheet::cellKey(row, col));
            if (!g.put(row, col, text))
                return g.sheet;
        }
    }
    if (x.hasError()) {
        bad.error = kBadFile;
        return bad;
    }
    return g.sheet;
}

}  // namespace vorlane
