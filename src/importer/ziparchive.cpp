#include "importer/ziparchive.h"

#include <zip.h>

using namespace Qt::StringLiterals;

namespace vorlane::sheetzip {

const QString kBadFile = u"อ่านแฟ้มไม่ได้ หรือแฟ้มเสีย"_s;
const QString kTooLarge = u"แฟ้มใหญ่เกินไป"_s;
const QString kTooManyCells = u"แฟ้มมีข้อมูลมากเกินไป"_s;

Zip::Zip(QByteArrayView bytes)
{
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t *src = zip_source_buffer_create(bytes.data(), zip_uint64_t(bytes.size()), 0, &err);
    if (src) {
        m_zip = zip_open_from_source(src, ZIP_RDONLY, &err);
        if (!m_zip)
            zip_source_free(src);
    }
    zip_error_fini(&err);
}

Zip::~Zip()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool Zip::read(const char *name, QByteArray &out, QString &error)
{
    out.clear();
    zip_file_t *f = zip_fopen(m_zip, name, 0);
    if (!f) {
        error = kBadFile;
        return false;
    }
    char buf[65536];
    zip_int64_t n;
    while ((n = zip_fread(f, buf, sizeof buf)) > 0) {
        m_total += n;
        if (m_total > kMaxSheetBytes) {
            zip_fclose(f);
            error = kTooLarge;
            return false;
        }
        out.append(buf, qsizetype(n));
    }
    zip_fclose(f);
    if (n < 0) {
        error = kBadFile;
        return false;
    }
    return true;
}

bool Zip::has(const char *name) { return zip_name_locate(m_zip, name, 0) >= 0; }

bool Grid::put(qint64 row, qint64 col, const QString &text)
{
    if (text.isEmpty())
        return true;
    if (row < 0 || col < 0 || row >= kMaxSheetCells || col >= kMaxSheetCells) {
        sheet.error = kTooManyCells;
        return false;
    }
    cells += 1 + (row >= sheet.rows.size() ? row - sheet.rows.size() : 0);
    if (cells > kMaxSheetCells) {
        sheet.error = kTooManyCells;
        return false;
    }
    while (sheet.rows.size() <= row)
        sheet.rows.append(QStringList());
    QStringList &r = sheet.rows[row];
    cells += col >= r.size() ? col - r.size() : 0;
    if (cells > kMaxSheetCells) {
        sheet.error = kTooManyCells;
        return false;
    }
    while (r.size() <= col)
        r.append(QString());
    r[col] = text;
    return true;
}

bool refuseDtd(QXmlStreamReader &x, QString &error)
{
    if (x.tokenType() == QXmlStreamReader::DTD) {
        error = kBadFile;
        return true;
    }
    return false;
}

}  // namespace vorlane::sheetzip
