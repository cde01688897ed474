#pragma once
// What the XLSX and ODS readers share: the zip archive read with a size limit, the grid of
// cells with its count, and the refusal of a DTD.
#include "importer/sheet.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <memory>

struct zip;

namespace vorlane::sheetzip {

extern const QString kBadFile;
extern const QString kTooLarge;
extern const QString kTooManyCells;

class Zip {
public:
    explicit Zip(QByteArrayView bytes);
    ~Zip();
    Zip(const Zip &) = delete;
    Zip &operator=(const Zip &) = delete;
    bool ok() const { return m_zip != nullptr; }
    // The entry's bytes; false when missing, unreadable, or when the total read so far
    // passes the limit (the entry's stated size is not trusted).
    bool read(const char *name, QByteArray &out, QString &error);
    bool has(const char *name);

private:
    struct zip *m_zip = nullptr;
    qint64 m_total = 0;
};

// Cells placed by position; counts every cell stored.
struct Grid {
    Sheet sheet;
    qint64 cells = 0;
    bool put(qint64 row, qint64 col, const QString &text);
};

// True (with the error set) when the reader stands on a DTD: no entity is ever declared.
bool refuseDtd(QXmlStreamReader &x, QString &error);

}  // namespace vorlane::sheetzip
