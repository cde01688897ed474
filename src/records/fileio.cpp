#include "records/fileio.h"

#include "records/largepages.h"

#include <QtEndian>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <system_error>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

#include <utility>

namespace vorlane {
namespace {

QString errnoText(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

FileIoResult failure(FileIoError error, const QString &path, const QString &cause)
{
    FileIoResult r;
    r.error = error;
    r.path = path;
    r.cause = cause;
    return r;
}

qint64 mtimeOf(const struct stat &st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// Closes the descriptor however the reader leaves.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

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

} // namespace

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

QString FileIoResult::message() const
{
    return path + u": "_s + cause;
}

QString FailureCause(const FileIoResult &r)
{
    switch (r.error) {
    case FileIoError::None:
        break;
    case FileIoError::NotFound:
        return u"ไม่พบแฟ้มนี้"_s;
    case FileIoError::NotRegular:
        return u"ไม่ใช่แฟ้มปกติ"_s;
    case FileIoError::IsLink:
        return u"เป็นลิงก์ไปยังแฟ้มอื่น"_s;
    case FileIoError::TooLarge:
        return u"แฟ้มใหญ่เกินไป"_s;
    case FileIoError::Unreadable:
        return u"อ่านแฟ้มไม่ได้ ("_s + r.cause + u')';
    case FileIoError::WriteFailed:
        switch (r.sysError) {
        case ENOSPC:
        case EDQUOT:
            return u"เขียนแฟ้มไม่ได้ เพราะดิสก์เต็ม ("_s + r.cause + u')';
        case EFBIG:
            return u"เขียนแฟ้มไม่ได้ เพราะแฟ้มใหญ่เกินขนาดที่ระบบยอมให้เขียน ("_s + r.cause + u')';
        case EROFS:
            return u"เขียนแฟ้มไม่ได้ เพราะดิสก์ป้องกันการเขียน ("_s + r.cause + u')';
        case EACCES:
        case EPERM:
            return u"เขียนแฟ้มไม่ได้ เพราะไม่มีสิทธิ์เขียนในโฟลเดอร์นี้ ("_s + r.cause + u')';
        default:
            return u"เขียนแฟ้มไม่ได้ ("_s + r.cause + u')';
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

FileIoResult OpenRegularFile(const QString &path, qint64 maxBytes, int &fd, qint64 &size)
{
    FileIoResult r;
    r.path = path;
    fd = -1;
    size = 0;
    auto fail = [&](FileIoError e, const QString &cause) {
        r.error = e;
        r.cause = cause;
        return r;
    };
    // Non-blocking, so opening a pipe with no writer returns at once; the type is then
    // checked on what was opened, not on the name, so nothing can be swapped in between.
    Fd f;
    f.fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (f.fd < 0) {
        const int e = errno;
        if (e == ENOENT)
            return fail(FileIoError::NotFound, u"no such file"_s);
        return fail(FileIoError::Unreadable, errnoText(e));
    }
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        return fail(FileIoError::Unreadable, errnoText(errno));
    if (!S_ISREG(st.st_mode))
        return fail(FileIoError::NotRegular, S_ISDIR(st.st_mode) ? u"is a folder"_s : u"not a regular file"_s);
    if (st.st_size > maxBytes)
        return fail(FileIoError::TooLarge,
                    u"%1 bytes, more than the %2 this file may hold"_s.arg(QString::number(qint64(st.st_size)), QString::number(maxBytes)));
    r.stamp.valid = true;
    r.stamp.size = qint64(st.st_size);
    r.stamp.mtimeNs = mtimeOf(st);
    size = qint64(st.st_size);
    fd = std::exchange(f.fd, -1);
    return r;
}

namespace {

// Reads up to `size` bytes at `offset`: the count read (short when the file ended
// there), or -errno.
qint64 readAt(int fd, char *data, qint64 offset, qint64 size)
{
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, data + got, size_t(size - got), off_t(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -qint64(errno);
        }
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// Copying a large file out of the page cache is work a second core halves; below this a
// thread costs more than it saves.
constexpr qint64 kTwoCoreReadBytes = qint64(4) << 20;

// Reads into the buffer `make` gives for the size the file had when opened.
template <class Result, class Make>
Result readBounded(const QString &path, qint64 maxBytes, Make make, bool twoCores = false,
                   StampChecksum checksum = StampChecksum::Now)
{
    Result r;
    Fd f;
    qint64 size = 0;
    static_cast<FileIoResult &>(r) = OpenRegularFile(path, maxBytes, f.fd, size);
    if (!r.ok())
        return r;
    // The size taken above, not "until the end": a file that keeps growing cannot grow the result.
    char *data = make(r.bytes, qsizetype(size));
    qint64 got = 0;
    if (twoCores && size >= kTwoCoreReadBytes) {
        const qint64 half = size / 2;
        std::future<qint64> second;
        try {
            second = std::async(std::launch::async, [fd = f.fd, data, half, size] {
                return readAt(fd, data + half, half, size - half);
            });
        } catch (const std::system_error &) {
        }
        const qint64 first = readAt(f.fd, data, 0, half);
        const qint64 rest = second.valid() ? second.get() : readAt(f.fd, data + half, half, size - half);
        // A file that shrank while read: what is there, up to the first gap.
        got = first < 0 ? first : rest < 0 ? rest : first < half ? first : half + rest;
    } else {
        got = readAt(f.fd, data, 0, size);
    }
    if (got < 0) {
        r.bytes = {};
        r.error = FileIoError::Unreadable;
        r.cause = errnoText(int(-got));
        r.stamp = {};
        return r;
    }
    r.bytes.truncate(qsizetype(got));
    r.stamp.size = got;
    if (checksum == StampChecksum::Now)
        r.stamp.checksum = FileChecksum(QByteArrayView(data, qsizetype(got)));
    return r;
}

} // namespace

FileReadResult ReadFileBounded(const QString &path, qint64 maxBytes)
{
    return readBounded<FileReadResult>(path, maxBytes, [](QByteArray &bytes, qsizetype size) {
        bytes.resize(size);
        AdviseLargePages(bytes.constData(), size_t(size));
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

QString TemporaryNameBeside(const QString &path)
{
    QString suffix(6, u'a');
    for (;;) {
        bool upper = false, lower = false;
        for (QChar &c : suffix) {
            const quint32 r = QRandomGenerator::global()->bounded(52);
            c = QChar(r < 26 ? u'A' + r : u'a' + (r - 26));
            (r < 26 ? upper : lower) = true;
        }
        if (upper && lower)
            return path + u'.' + suffix;
    }
}

namespace {

FileIoResult writeFailure(const QString &path, const QString &step, int e)
{
    FileIoResult r = failure(FileIoError::WriteFailed, path, step + u": "_s + errnoText(e));
    r.sysError = e;
    return r;
}

bool writeAll(int fd, const char *data, qsizetype size, int &e)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(std::min<qsizetype>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            e = errno;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

AtomicSave::AtomicSave(const QString &path, const SaveOptions &options) : m_path(path), m_options(options) {}

AtomicSave::~AtomicSave() { drop(); }

void AtomicSave::drop()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.isEmpty()) {
        ::unlink(QFile::encodeName(m_tempPath).constData());
        m_tempPath.clear();
    }
    if (isOpen())
        QIODevice::close();
}

FileIoResult AtomicSave::begin()
{
    const QByteArray native = QFile::encodeName(m_path);
    // The mode the new file gets: the caller's, else the old file's, else the default.
    std::optional<mode_t> mode;
    if (m_options.mode)
        mode = mode_t(*m_options.mode);
    struct stat st {};
    if (::lstat(native.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode) && m_options.refuseLink)
            return failure(FileIoError::IsLink, m_path, u"is a symbolic link"_s);
        // A link is replaced by the file itself, never written through: what it points to
        // stays as it was. A name that is (or leads to) a folder, a pipe or a device is
        // refused, since it would be replaced by a regular file.
        struct stat to {};
        if (::stat(native.constData(), &to) == 0 && !S_ISREG(to.st_mode))
            return failure(FileIoError::NotRegular, m_path,
                           S_ISDIR(to.st_mode) ? u"is a folder"_s : u"exists and is not a regular file"_s);
        if (!mode && S_ISREG(st.st_mode))
            mode = st.st_mode & 07777;
    }

    RemoveSaveLeftovers(m_path);

    const QString tempPath = TemporaryNameBeside(m_path);
    m_fd = ::open(QFile::encodeName(tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                  0666);
    if (m_fd < 0)
        return writeFailure(m_path, u"cannot create"_s, errno);
    m_tempPath = tempPath;
    if (mode && ::fchmod(m_fd, *mode) != 0) {
        const int e = errno;
        drop();
        return writeFailure(m_path, u"cannot set permissions"_s, e);
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return FileIoResult{};
}

qint64 AtomicSave::writeData(const char *data, qint64 size)
{
    if (m_fd < 0 || m_errno != 0)
        return -1;
    int e = 0;
    if (!writeAll(m_fd, data, qsizetype(size), e)) {
        m_errno = e;
        return -1;
    }
    m_written += size;
    return size;
}

FileIoResult AtomicSave::commit()
{
    if (m_fd < 0)
        return writeFailure(m_path, u"cannot write"_s, EBADF);
    auto fail = [&](const QString &step, int e) {
        drop();
        return writeFailure(m_path, step, e);
    };
    if (m_errno != 0)
        return fail(u"cannot write"_s, m_errno);
    if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        return fail(u"cannot write"_s, errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(u"cannot write"_s, errno);
    const QByteArray native = QFile::encodeName(m_path);
    if (::rename(QFile::encodeName(m_tempPath).constData(), native.constData()) != 0)
        return fail(u"cannot save"_s, errno);
    m_tempPath.clear();
    QIODevice::close();

    if (m_options.syncFolder) {
        Fd dir;
        dir.fd = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                        O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir.fd >= 0)
            ::fsync(dir.fd);  // best effort: some file systems cannot sync a folder
    }
    FileIoResult r;
    r.path = m_path;
    r.stamp.valid = true;
    r.stamp.size = m_written;
    struct stat now {};
    if (::stat(native.constData(), &now) == 0)
        r.stamp.mtimeNs = mtimeOf(now);
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
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if (!known.valid)
        return !exists;
    if (!exists || !S_ISREG(st.st_mode) || qint64(st.st_size) != known.size)
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
        const QByteArray native = QFile::encodeName(dir.filePath(c));
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        if (now - qint64(st.st_mtim.tv_sec) < minAgeSecs)
            continue;  // perhaps another copy of the program saving right now
        if (::unlink(native.constData()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace vorlane
