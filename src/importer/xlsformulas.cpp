// The last computed values of an Excel 97-2003 workbook's formula cells, which libfreexl
// does not give: the workbook's stream is taken out of its compound file and the sheet's
// FORMULA records (and the STRING records after them) are read. Every offset and length
// is checked against what was read; a file that does not add up gives no values, never a
// wrong one. Runs in the helper program only, as libfreexl does.
#include "importer/numberformat.h"
#include "importer/sheet.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSector = 0xFFFFFFFF;
// Far beyond any workbook this program imports (the sheet limits are smaller still).
constexpr qsizetype kMaxStream = qsizetype(256) * 1024 * 1024;

class Bytes {
public:
    explicit Bytes(QByteArrayView b) : m_b(b) {}
    bool has(qsizetype at, qsizetype n) const { return at >= 0 && n >= 0 && at <= m_b.size() - n; }
    quint16 u16(qsizetype at) const { return has(at, 2) ? qFromLittleEndian<quint16>(m_b.data() + at) : 0; }
    quint32 u32(qsizetype at) const { return has(at, 4) ? qFromLittleEndian<quint32>(m_b.data() + at) : 0; }
    QByteArrayView view() const { return m_b; }

private:
    QByteArrayView m_b;
};

// The compound file (OLE2) around the workbook: its sectors, chains and directory.
class CompoundFile {
public:
    explicit CompoundFile(QByteArrayView file) : m_f(file)
    {
        if (!file.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") || !m_f.has(0, 512))
            return;
        const quint16 shift = m_f.u16(30), miniShift = m_f.u16(32);
        if (shift < 7 || shift > 16 || miniShift < 4 || miniShift >= shift)
            return;
        m_sector = qsizetype(1) << shift;
        m_mini = qsizetype(1) << miniShift;
        m_cutoff = m_f.u32(56);
        // The sectors of the allocation table: 109 in the header, the rest in a chain.
        QList<quint32> fatSectors;
        for (int i = 0; i < 109; ++i)
            fatSectors << m_f.u32(76 + 4 * i);
        // Every sector of a chain is visited once at most: a chain that loops, or runs
        // longer than the file holds, is cut there.
        const qsizetype sectors = file.size() / m_sector;
        std::vector<bool> seen(size_t(std::max<qsizetype>(sectors, 0)), false);
        quint32 difat = m_f.u32(68);
        while (difat < kEndOfChain) {
            const qsizetype at = offsetOf(difat);
            if (!m_f.has(at, m_sector) || seen[difat])
                return;
            seen[difat] = true;
            for (qsizetype k = 0; k + 4 < m_sector; k += 4)
                fatSectors << m_f.u32(at + k);
            difat = m_f.u32(at + m_sector - 4);
        }
        for (quint32 s : fatSectors) {
            if (s >= kEndOfChain)
                continue;
            const qsizetype at = offsetOf(s);
            if (!m_f.has(at, m_sector))
                return;
            for (qsizetype k = 0; k < m_sector; k += 4)
                m_fat << m_f.u32(at + k);
        }
        m_directory = chain(m_f.u32(48), -1);
        const QByteArray root = m_directory.left(128);
        if (root.size() < 128)
            return;
        m_miniStream = chain(Bytes(root).u32(116), qsizetype(Bytes(root).u32(120)));
        m_miniFat = chain(m_f.u32(60), -1);
        m_ok = true;
    }

    // The stream named `name` (a directory entry of type 2); empty when there is none.
    QByteArray stream(QStringView name) const
    {
        if (!m_ok)
            return {};
        for (qsizetype at = 0; at + 128 <= m_directory.size(); at += 128) {
            const Bytes e(QByteArrayView(m_directory).sliced(at, 128));
            const quint16 nameBytes = e.u16(64);
            if (e.view()[66] != 2 || nameBytes < 2 || nameBytes > 64)
                continue;
            QString entry;
            for (qsizetype k = 0; k + 2 < nameBytes; k += 2)
                entry += QChar(e.u16(k));
            if (entry != name)
                continue;
            const quint32 start = e.u32(116);
            const qsizetype size = qsizetype(e.u32(120));
            if (size > kMaxStream)
                return {};
            return size < qsizetype(m_cutoff) ? miniChain(start, size) : chain(start, size);
        }
        return {};
    }

private:
    qsizetype offsetOf(quint32 sector) const { return (qsizetype(sector) + 1) * m_sector; }

    // The sectors of a chain in order, cut to `size` (-1: as long as the chain runs).
    QByteArray chain(quint32 s, qsizetype size) const
    {
        QByteArray out;
        std::vector<bool> seen(size_t(m_f.view().size() / m_sector), false);
        while (s < kEndOfChain) {
            const qsizetype at = offsetOf(s);
            if (!m_f.has(at, m_sector) || seen[s])
                return {};
            seen[s] = true;
            out.append(m_f.view().sliced(at, m_sector));
            if (size >= 0 && out.size() >= size)
                break;
            s = s < quint32(m_fat.size()) ? m_fat[s] : kFreeSector;
        }
        if (size >= 0) {
            if (out.size() < size)
                return {};
            out.truncate(size);
        }
        return out;
    }

    QByteArray miniChain(quint32 s, qsizetype size) const
    {
        QByteArray out;
        const Bytes miniFat(m_miniFat);
        std::vector<bool> seen(size_t(m_miniStream.size() / m_mini), false);
        while (s < kEndOfChain && out.size() < size) {
            const qsizetype at = qsizetype(s) * m_mini;
            if (at < 0 || at > m_miniStream.size() - m_mini || seen[s])
                return {};
            seen[s] = true;
            out.append(QByteArrayView(m_miniStream).sliced(at, m_mini));
            s = miniFat.has(qsizetype(s) * 4, 4) ? miniFat.u32(qsizetype(s) * 4) : kFreeSector;
        }
        if (out.size() < size)
            return {};
        out.truncate(size);
        return out;
    }

    Bytes m_f;
    bool m_ok = false;
    qsizetype m_sector = 512, m_mini = 64;
    quint32 m_cutoff = 4096;
    QList<quint32> m_fat;
    QByteArray m_directory, m_miniStream, m_miniFat;
};

// A BIFF8 unicode string at `at` of a record's data: its characters, 8-bit or UTF-16.
QString biffString(const Bytes &d, qsizetype at, qsizetype count)
{
    if (!d.has(at, 1))
        return {};
    const bool wide = d.view()[at] & 1;
    at += 1;
    QString out;
    for (qsizetype k = 0; k < count; ++k) {
        if (wide ? !d.has(at + 2 * k, 2) : !d.has(at + k, 1))
            break;
        out += wide ? QChar(d.u16(at + 2 * k)) : QChar(char16_t(uchar(d.view()[at + k])));
    }
    return out;
}

}  // namespace

std::optional<QHash<qint64, QString>> XlsFormulaResults(QByteArrayView file, int sheetIndex)
{
    QHash<qint64, QString> out;
    QByteArray book = CompoundFile(file).stream(u"Workbook");
    if (book.isEmpty())
        return std::nullopt;
    const Bytes b(book);
    // The globals: where each worksheet's records begin.
    QList<qsizetype> sheets;
    qsizetype at = 0;
    while (b.has(at, 4)) {
        const quint16 type = b.u16(at), len = b.u16(at + 2);
        if (!b.has(at + 4, len))
            return std::nullopt;
        if (type == 0x0085 && len >= 6 && b.view()[at + 4 + 5] == 0)  // BOUNDSHEET of a worksheet
            sheets << qsizetype(b.u32(at + 4));
        if (type == 0x000A)  // the globals' EOF
            break;
        at += 4 + len;
    }
    if (sheetIndex < 0 || sheetIndex >= sheets.size())
        return std::nullopt;
    at = sheets[sheetIndex];
    qint64 pendingString = -1;  // a string formula's cell: its value is the next STRING record
    for (bool first = true; b.has(at, 4); first = false) {
        const quint16 type = b.u16(at), len = b.u16(at + 2);
        if (!b.has(at + 4, len) || (first && type != 0x0809))
            return std::nullopt;
        const Bytes d(QByteArrayView(book).sliced(at + 4, len));
        if (type == 0x000A)
            break;
        if (type == 0x0006 && len >= 20) {  // FORMULA: row, column, format, result
            const qint64 key = Sheet::cellKey(d.u16(0), d.u16(2));
            pendingString = -1;
            if (d.u16(12) != 0xFFFF) {
                double v = 0;
                std::memcpy(&v, d.view().data() + 6, sizeof v);
                v = qFromLittleEndian(v);
                out.insert(key, plainNumber(QString::number(v, 'g', 17)));
            } else {
                switch (uchar(d.view()[6])) {
                case 0: pendingString = key; break;                                    // text follows
                case 1: out.insert(key, d.view()[8] ? u"TRUE"_s : u"FALSE"_s); break;  // boolean
                case 3: out.insert(key, QString()); break;                             // empty text
                default: break;                                                        // an error
                }
            }
        } else if (type == 0x0207 && pendingString >= 0 && len >= 3) {  // STRING
            out.insert(pendingString, biffString(d, 2, d.u16(0)));
            pendingString = -1;
        }
        at += 4 + len;
    }
    return out;
}

}  // namespace vorlane
