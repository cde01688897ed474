#include "records/fileio.h"

#include "records/largepages.h"
#include "records/platform.h"

#include <QtEndian>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <future>
#include <system_error>
#include <utility>

using namespace Qt::StringLiterals;

namespace vorlane {
namespace {

FileIoResult failure(FileIoError error, const QString &path, const QString &cause)
{
    FileIoResult r;
    r.error = error;
    r.path = path;
    r.cause = cause;
    return r;
}

bool isSaveLeftoverName(QStringView name, QStringView target)
{
    if (name.size() != target.size() + 7 || !name.startsWith(target) || name[target.size()] != u'.')
        return false;
    // The save's temporary names end in six random letters of both cases; a name such as
    // "batch.txt.backup" is the user's own and stays.
    bool upper = false, lower = false;
    for (QChar c : name.last(6)) {
        if (c >= u'A' && c <= u'Z')
            upper = true;
        else if (c >= u'a' && c <= u'z')
            lower = true;
        else
            return false;
    }
    return upper && lower;
}

constexpr quint64 kP1 = 0x9E3779B185EBCA87ULL;
constexpr quint64 kP2 = 0xC2B2AE3D27D4EB4FULL;
constexpr quint64 kP3 = 0x165667B19E3779F9ULL;
constexpr quint64 kP4 = 0x85EBCA77C2B2AE63ULL;
constexpr quint64 kP5 = 0x27D4EB2F165667C5ULL;

constexpr quint64 rotl(quint64 x, int r) { return (x << r) | (x >> (64 - r)); }
constexpr quint64 mixIn(quint64 acc, quint64 v) { return rotl(acc + v * kP2, 31) * kP1; }
constexpr quint64 avalanche(quint64 h)
{
    h ^= h >> 33;
    h *= kP2;
    h ^= h >> 29;
    h *= kP3;
    return h ^ (h >> 32);
}

}  // namespace

QByteArray FileChecksum(QByteArrayView bytes)
{
    // Four independent lanes of multiply-rotate rounds over 32-byte blocks: the
    // multiplications overlap, so this runs at several bytes a cycle.
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    quint64 lane[4] = {kP1 + kP2, kP2, kP3, kP4};
    qsizetype i = 0;
    for (; i + 32 <= n; i += 32) {
        lane[0] = mixIn(lane[0], qFromLittleEndian<quint64>(p + i));
        lane[1] = mixIn(lane[1], qFromLittleEndian<quint64>(p + i + 8));
        lane[2] = mixIn(lane[2], qFromLittleEndian<quint64>(p + i + 16));
        lane[3] = mixIn(lane[3], qFromLittleEndian<quint64>(p + i + 24));
    }
    quint64 tail = kP5 + quint64(n);
    for (; i + 8 <= n; i += 8)
        tail = rotl(tail ^ mixIn(0, qFromLittleEndian<quint64>(p + i)), 27) * kP1 + kP4;
    for (; i < n; ++i)
        tail = rotl(tail ^ (p[i] * kP5), 11) * kP1;
    const quint64 a = rotl(lane[0], 1) + rotl(lane[1], 7) + rotl(lane[2], 12) + rotl(lane[3], 18);
    const quint64 b = lane[0] ^ rotl(lane[1], 19) ^ rotl(lane[2], 29) ^ rotl(lane[3], 41);
    const quint64 h1 = avalanche(mixIn(a, tail) ^ quint64(n) * kP3);
    const quint64 h2 = avalanche(mixIn(b ^ kP5, tail) + h1 * kP4);
    QByteArray out(16, Qt::Uninitialized);
    qToBigEndian(h1, out.data());
    qToBigEndian(h2, out.data() + 8);
    return out;
}

bool SameContents(const FileStamp &a, const FileStamp &b)
{
    return a.valid && b.valid && a.size == b.size && a.checksum == b.checksum;
}

QString FileIoResult::message() const { return path + u": "_s + cause; }

QString FailureCause(const FileIoResult &r)
{
    switch (r.error) {
    case FileIoError::None: break;
    case FileIoError::NotFound: return u"ไม่พบแฟ้มนี้"_s;
    case FileIoError::NotRegular: return u"ไม่ใช่แฟ้มปกติ"_s;
    case FileIoError::IsLink: return u"เป็นลิงก์ไปยังแฟ้มอื่น"_s;
    case FileIoError::TooLarge: return u"แฟ้มใหญ่เกินไป"_s;
    case FileIoError::Unreadable: return u"อ่านแฟ้มไม่ได้ ("_s + r.cause + u')';
    case FileIoError::WriteFailed:
        switch (r.fault) {
        case platform::Fault::NoSpace: return u"เขียนแฟ้มไม่ได้ เพราะดิสก์เต็ม ("_s + r.cause + u')';
        case platform::Fault::TooLarge: return u"เขียนแฟ้มไม่ได้ เพราะแฟ้มใหญ่เกินขนาดที่ระบบยอมให้เขียน ("_s + r.cause + u')';
        case platform::Fault::ReadOnly: return u"เขียนแฟ้มไม่ได้ เพราะดิสก์ป้องกันการเขียน ("_s + r.cause + u')';
        case platform::Fault::Denied: return u"เขียนแฟ้มไม่ได้ เพราะไม่มีสิทธิ์เขียนในโฟลเดอร์นี้ ("_s + r.cause + u')';
        default: return u"เขียนแฟ้มไม่ได้ ("_s + r.cause + u')';
        }
    }
    return {};
}

QString FailureLine(const FileIoResult &r)
{
    if (r.ok())
        return {};
    return QDir::toNativeSeparators(r.path) + u" : "_s + FailureCause(r);
}

FileIoResult OpenRegularFile(const QString &path, qint64 maxBytes, platform::File &file, qint64 &size)
{
    FileIoResult r;
    r.path = path;
    size = 0;
    auto fail = [&](FileIoError e, const QString &cause) {
        file.close();
        r.error = e;
        r.cause = cause;
        return r;
    };
    // The type is checked on what was opened, not on the name, so nothing can be swapped
    // in between; opening never waits for a pipe's writer.
    if (const platform::Error e = file.open(path, platform::File::Open::Read)) {
        if (e.fault == platform::Fault::Missing)
            return fail(FileIoError::NotFound, u"no such file"_s);
        if (e.fault == platform::Fault::NotRegular)
            return fail(FileIoError::NotRegular, e.text);
        return fail(FileIoError::Unreadable, e.text);
    }
    const platform::PathInfo st = file.info();
    if (st.kind != platform::Kind::Regular)
        return fail(FileIoError::NotRegular,
                    st.kind == platform::Kind::Folder ? u"is a folder"_s : u"not a regular file"_s);
    if (st.size > maxBytes)
        return fail(FileIoError::TooLarge, u"%1 bytes, more than the %2 this file may hold"_s.arg(
                                               QString::number(st.size), QString::number(maxBytes)));
    r.stamp.valid = true;
    r.stamp.size = st.size;
    r.stamp.mtimeNs = st.mtimeNs;
    size = st.size;
    return r;
}

namespace {

// Copying a large file out of the page cache is work a second core halves; below this a
// thread costs more than it saves.
constexpr qint64 kTwoCoreReadBytes = qint64(4) << 20;

// Reads into the buffer `make` gives for the size the file had when opened.
template <class Result, class Make>
Result readBounded(const QString &path, qint64 maxBytes, Make make, bool twoCores = false,
                   StampChecksum checksum = StampChecksum::Now)
{
    Result r;
    platform::File f;
    qint64 size = 0;
    static_cast<FileIoResult &>(r) = OpenRegularFile(path, maxBytes, f, size);
    if (!r.ok())
        return r;
    // The size taken above, not "until the end": a file that keeps growing cannot grow the result.
    char *data = make(r.bytes, qsizetype(size));
    qint64 got = 0;
    platform::Error fault[2];
    if (twoCores && size >= kTwoCoreReadBytes) {
        const qint64 half = size / 2;
        std::future<qint64> second;
        try {
            second = std::async(std::launch::async, [&f, data, half, size, &fault] {
                return f.readAt(data + half, half, size - half, &fault[1]);
            });
        } catch (const std::system_error &) {
        }
        const qint64 first = f.readAt(data, 0, half, &fault[0]);
        const qint64 rest = second.valid() ? second.get() : f.readAt(data + half, half, size - half, &fault[1]);
        // A file that shrank while read: what is there, up to the first gap.
        got = first < 0 ? first : rest < 0 ? rest : first < half ? first : half + rest;
    } else {
        got = f.readAt(data, 0, size, &fault[0]);
    }
    if (got < 0) {
        r.bytes = {};
        r.error = FileIoError::Unreadable;
        r.cause = fault[0] ? fault[0].text : fault[1].text;
        r.stamp = {};
        return r;
    }
    r.bytes.truncate(qsizetype(got));
    r.stamp.size = got;
    if (checksum == StampChecksum::Now)
        r.stamp.checksum = FileChecksum(QByteArrayView(data, qsizetype(got)));
    return r;
}

}  // namespace

FileReadResult ReadFileBounded(const QString &path, qint64 maxBytes)
{
    return readBounded<FileReadResult>(path, maxBytes, [](QByteArray &bytes, qsizetype size) {
        bytes.resize(size);
        platform::AdviseLargePages(bytes.constData(), size_t(size));
        return bytes.data();
    });
}

LargeFileReadResult ReadFileBoundedLarge(const QString &path, qint64 maxBytes, StampChecksum checksum)
{
    return readBounded<LargeFileReadResult>(
        path, maxBytes,
        [](SharedBytes &bytes, qsizetype size) {
            bytes = SharedBytes::allocateLarge(size);
            return bytes.data();
        },
        true, checksum);
}

namespace {

FileIoResult writeFailure(const QString &path, const QString &step, const platform::Error &e)
{
    FileIoResult r = failure(FileIoError::WriteFailed, path, step + u": "_s + e.text);
    r.fault = e.fault;
    return r;
}

}  // namespace

AtomicSave::AtomicSave(const QString &path, const SaveOptions &options) : m_path(path), m_options(options) {}

AtomicSave::~AtomicSave() { drop(); }

void AtomicSave::drop()
{
    m_file.drop();
    m_begun = false;
    if (isOpen())
        QIODevice::close();
}

FileIoResult AtomicSave::begin()
{
    // The mode the new file gets: the caller's, else the old file's, else the default.
    std::optional<unsigned> mode = m_options.mode;
    const platform::PathInfo name = platform::Inspect(m_path, false);
    if (name.kind != platform::Kind::Missing || name.link) {
        if (name.link && m_options.refuseLink)
            return failure(FileIoError::IsLink, m_path, u"is a symbolic link"_s);
        // A link is replaced by the file itself, never written through: what it points to
        // stays as it was. A name that is (or leads to) a folder, a pipe or a device is
        // refused, since it would be replaced by a regular file.
        const platform::PathInfo to = platform::Inspect(m_path, true);
        if (to.kind != platform::Kind::Missing && to.kind != platform::Kind::Regular)
            return failure(FileIoError::NotRegular, m_path,
                           to.kind == platform::Kind::Folder ? u"is a folder"_s
                                                             : u"exists and is not a regular file"_s);
        if (!mode && name.kind == platform::Kind::Regular)
            mode = name.mode;
    }

    RemoveSaveLeftovers(m_path);

    if (const platform::Error e = m_file.begin(m_path, mode))
        return writeFailure(m_path, u"cannot create"_s, e);
    m_begun = true;
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return FileIoResult{};
}

qint64 AtomicSave::writeData(const char *data, qint64 size)
{
    if (!m_begun || m_fault)
        return -1;
    if (!m_file.write(data, size, m_fault))
        return -1;
    m_written += size;
    return size;
}

FileIoResult AtomicSave::commit()
{
    if (!m_begun)
        return writeFailure(m_path, u"cannot write"_s, platform::Error{platform::Fault::Other, u"not begun"_s});
    if (m_fault) {
        const platform::Error e = m_fault;
        drop();
        return writeFailure(m_path, u"cannot write"_s, e);
    }
    if (const platform::Error e = m_file.commit(m_options.syncFolder)) {
        drop();
        return writeFailure(m_path, u"cannot save"_s, e);
    }
    m_begun = false;
    QIODevice::close();
    FileIoResult r;
    r.path = m_path;
    r.stamp.valid = true;
    r.stamp.size = m_written;
    r.stamp.mtimeNs = platform::Inspect(m_path).mtimeNs;
    return r;
}

FileIoResult SaveFileAtomic(const QString &path, const QByteArray &bytes, const SaveOptions &options)
{
    AtomicSave save(path, options);
    if (FileIoResult begun = save.begin(); !begun.ok())
        return begun;
    save.write(bytes);
    FileIoResult r = save.commit();
    if (r.ok())
        r.stamp.checksum = FileChecksum(bytes);
    return r;
}

FileStamp CurrentStamp(const QString &path, qint64 maxBytes)
{
    const FileReadResult r = ReadFileBounded(path, maxBytes);
    return r.ok() ? r.stamp : FileStamp{};
}

bool StillUnchanged(const QString &path, const FileStamp &known, qint64 maxBytes)
{
    const platform::PathInfo st = platform::Inspect(path);
    const bool exists = st.kind != platform::Kind::Missing;
    if (!known.valid)
        return !exists;
    if (st.kind != platform::Kind::Regular || st.size != known.size)
        return false;
    // The same size and time do not prove the same contents: "cp -p", "rsync -t" and
    // "touch -r" keep both. The checksum decides.
    return SameContents(CurrentStamp(path, maxBytes), known);
}

int RemoveSaveLeftovers(const QString &target, int minAgeSecs)
{
    const QFileInfo t(target);
    const QDir dir = t.absoluteDir();
    const QString name = t.fileName();
    if (name.isEmpty())
        return 0;
    // No name filter: the target's name may hold wildcard characters.
    const QStringList candidates = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    int removed = 0;
    for (const QString &c : candidates) {
        if (!isSaveLeftoverName(c, name))
            continue;
        const QString path = dir.filePath(c);
        const platform::PathInfo st = platform::Inspect(path, false);
        if (st.link || st.kind != platform::Kind::Regular || !st.mine)
            continue;
        if (now - st.mtimeNs / 1000000000 < minAgeSecs)
            continue;  // perhaps another copy of the program saving right now
        if (platform::RemoveFile(path))
            ++removed;
    }
    return removed;
}

}  // namespace vorlane
