#include "records/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

#ifdef VORLANE_PORTABLE
#include <QMutex>
#include <QSaveFile>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorlane::platform {

namespace {

// Asks `once(done)` for more until `size` bytes are in or the file ends; `once` returns
// the bytes it got (0 at the end) or -1 having said why.
template <class Once>
qint64 readFully(qint64 size, Once once)
{
    qint64 got = 0;
    while (got < size) {
        const qint64 n = once(got);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// The same for writing: `once(done)` returns the bytes it wrote, at most -1 or 0 when it failed.
template <class Once>
bool writeFully(qint64 size, Once once)
{
    for (qint64 done = 0; done < size;) {
        const qint64 n = once(done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

}  // namespace

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

void PrepareProcess()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

#ifndef VORLANE_PORTABLE
// ---- The system's own calls (POSIX, with Linux's large pages where offered) ----

namespace {

QByteArray native(const QString &path) { return QFile::encodeName(path); }

Error errorOf(int e)
{
    Fault f = Fault::Other;
    switch (e) {
    case ENOENT: f = Fault::Missing; break;
    case ELOOP: f = Fault::Link; break;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        f = Fault::NoSpace;
        break;
    case EFBIG: f = Fault::TooLarge; break;
    case EROFS: f = Fault::ReadOnly; break;
    case EACCES:
    case EPERM: f = Fault::Denied; break;
    default: break;
    }
    return Error{f, QString::fromLocal8Bit(std::strerror(e))};
}

Error lastError() { return errorOf(errno); }

PathInfo infoOf(const struct stat &st)
{
    PathInfo i;
    i.kind = S_ISREG(st.st_mode) ? Kind::Regular : S_ISDIR(st.st_mode) ? Kind::Folder : Kind::Other;
    i.link = S_ISLNK(st.st_mode);
    i.size = qint64(st.st_size);
    i.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    i.mode = unsigned(st.st_mode & 07777);
    i.mine = st.st_uid == ::geteuid();
    return i;
}

}  // namespace

struct File::Handle {
    int fd = -1;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

PathInfo Inspect(const QString &path, bool followLink)
{
    struct stat st {};
    const QByteArray name = native(path);
    if ((followLink ? ::stat(name.constData(), &st) : ::lstat(name.constData(), &st)) != 0)
        return {};
    return infoOf(st);
}

Error File::open(const QString &path, Open how)
{
    d.reset();
    // Non-blocking, so opening a pipe with no writer returns at once.
    int flags = O_CLOEXEC | O_NOCTTY;
    switch (how) {
    case Open::Read: flags |= O_RDONLY | O_NONBLOCK; break;
    case Open::ReadNoLink: flags |= O_RDONLY | O_NONBLOCK | O_NOFOLLOW; break;
    case Open::WriteNoLink: flags |= O_WRONLY | O_NOFOLLOW; break;
    }
    const int fd = ::open(native(path).constData(), flags);
    if (fd < 0)
        return lastError();
    d = std::make_unique<Handle>();
    d->fd = fd;
    return {};
}

Error File::create(const QString &path, unsigned mode)
{
    d.reset();
    const int fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
    if (fd < 0)
        return lastError();
    d = std::make_unique<Handle>();
    d->fd = fd;
    return {};
}

bool File::isOpen() const { return d && d->fd >= 0; }

PathInfo File::info() const
{
    struct stat st {};
    if (!isOpen() || ::fstat(d->fd, &st) != 0)
        return {};
    return infoOf(st);
}

qint64 File::read(char *data, qint64 size, Error *error)
{
    if (!isOpen())
        return -1;
    return readFully(size, [&](qint64 got) -> qint64 {
        for (;;) {
            const ssize_t n = ::read(d->fd, data + got, size_t(size - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && error)
                *error = lastError();
            return n;
        }
    });
}

qint64 File::readAt(char *data, qint64 offset, qint64 size, Error *error) const
{
    if (!isOpen())
        return -1;
    return readFully(size, [&](qint64 got) -> qint64 {
        for (;;) {
            const ssize_t n = ::pread(d->fd, data + got, size_t(size - got), off_t(offset + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && error)
                *error = lastError();
            return n;
        }
    });
}

bool File::write(const char *data, qint64 size, Error &error)
{
    if (!isOpen()) {
        error = errorOf(EBADF);
        return false;
    }
    return writeFully(size, [&](qint64 done) -> qint64 {
        for (;;) {
            const ssize_t n = ::write(d->fd, data + done, size_t(std::min<qint64>(size - done, 1 << 30)));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                error = n < 0 ? lastError() : errorOf(EIO);
            return n;
        }
    });
}

bool File::setMode(unsigned mode) { return isOpen() && ::fchmod(d->fd, mode_t(mode)) == 0; }

bool File::resize(qint64 size) { return isOpen() && ::ftruncate(d->fd, off_t(size)) == 0; }

qint64 File::seekToEnd() { return isOpen() ? qint64(::lseek(d->fd, 0, SEEK_END)) : -1; }

bool File::syncData() { return isOpen() && ::fdatasync(d->fd) == 0; }

File File::duplicate() const
{
    File copy;
    if (isOpen()) {
        const int fd = ::fcntl(d->fd, F_DUPFD_CLOEXEC, 0);
        if (fd >= 0) {
            copy.d = std::make_unique<Handle>();
            copy.d->fd = fd;
        }
    }
    return copy;
}

Error File::close()
{
    if (!isOpen())
        return {};
    const int fd = std::exchange(d->fd, -1);
    d.reset();
    return ::close(fd) == 0 ? Error{} : lastError();
}

struct ReplacingFile::State {
    File file;
    QString target;
    QString temp;
};

Error ReplacingFile::begin(const QString &target, std::optional<unsigned> mode)
{
    drop();
    auto s = std::make_unique<State>();
    s->target = target;
    s->temp = TemporaryNameBeside(target);
    if (Error e = s->file.create(s->temp, 0666))
        return e;
    d = std::move(s);
    if (mode && !d->file.setMode(*mode)) {
        const Error e = lastError();
        drop();
        return e;
    }
    return {};
}

bool ReplacingFile::write(const char *data, qint64 size, Error &error)
{
    if (!d) {
        error = errorOf(EBADF);
        return false;
    }
    return d->file.write(data, size, error);
}

Error ReplacingFile::commit(bool syncFolder)
{
    if (!d)
        return errorOf(EBADF);
    // A file system that cannot flush (EINVAL) or is mounted read-only after the writes
    // (EROFS) has nothing more to give; anything else is a failed save.
    if (::fsync(d->file.d->fd) != 0 && errno != EINVAL && errno != EROFS) {
        const Error e = lastError();
        drop();
        return e;
    }
    if (Error e = d->file.close()) {
        drop();
        return e;
    }
    if (::rename(native(d->temp).constData(), native(d->target).constData()) != 0) {
        const Error e = lastError();
        drop();
        return e;
    }
    const QString target = d->target;
    d.reset();
    if (syncFolder)
        SyncFolder(QFileInfo(target).absolutePath());
    return {};
}

void ReplacingFile::drop()
{
    if (!d)
        return;
    d->file.close();
    ::unlink(native(d->temp).constData());
    d.reset();
}

Error ReplaceFile(const QString &from, const QString &to)
{
    return ::rename(native(from).constData(), native(to).constData()) == 0 ? Error{} : lastError();
}

bool RemoveFile(const QString &path) { return ::unlink(native(path).constData()) == 0 || errno == ENOENT; }

bool SyncFolder(const QString &path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool MakePrivateFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ::mkdir(native(path).constData(), 0700) == 0 || errno == EEXIST;
}

bool ProcessAlive(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

void LowerThreadPriority()
{
    // On Linux this names the calling thread alone.
    constexpr int kBackgroundNice = 10;
    ::setpriority(PRIO_PROCESS, 0, kBackgroundNice);
}

void AdviseLargePages(const void *data, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr std::size_t kWorthIt = std::size_t(4) << 20;
    constexpr std::uintptr_t kPage = 4096;
    if (!data || bytes < kWorthIt)
        return;
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + kPage - 1) & ~(kPage - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kPage - 1);
    // Only advice: where it is refused, the pages come as before.
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

void *AllocateLarge(std::size_t bytes)
{
    constexpr std::size_t kLarge = std::size_t(2) << 20;
    void *p = nullptr;
    if (bytes >= kLarge / 2) {
        const std::size_t rounded = (bytes + kLarge - 1) / kLarge * kLarge;
        p = std::aligned_alloc(kLarge, rounded);
#ifdef MADV_HUGEPAGE
        if (p)
            ::madvise(p, rounded, MADV_HUGEPAGE);
#endif
    } else {
        p = std::malloc(bytes ? bytes : 1);
    }
    if (!p)
        throw std::bad_alloc();
    return p;
}

void FreeLarge(void *p) noexcept { std::free(p); }

#else
// ---- Qt alone ----

namespace {

Error errorOf(const QFileDevice &f)
{
    Fault fault = Fault::Other;
    switch (f.error()) {
    case QFileDevice::ResourceError: fault = Fault::NoSpace; break;
    case QFileDevice::PermissionsError: fault = Fault::Denied; break;
    default: break;
    }
    return Error{fault, f.errorString()};
}

Error plain(Fault fault, const char *text) { return Error{fault, QString::fromLatin1(text)}; }

// Qt says only that a new file could not be opened; a folder this user may not write is why.
Error creationErrorOf(const QFileDevice &f, const QString &path)
{
    Error e = errorOf(f);
    if (e.fault == Fault::Other && !QFileInfo(QFileInfo(path).absolutePath()).isWritable())
        e.fault = Fault::Denied;
    return e;
}

QFileDevice::Permissions permissionsOf(unsigned mode)
{
    QFileDevice::Permissions p;
    if (mode & 0400)
        p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & 0200)
        p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & 0100)
        p |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (mode & 040)
        p |= QFileDevice::ReadGroup;
    if (mode & 020)
        p |= QFileDevice::WriteGroup;
    if (mode & 010)
        p |= QFileDevice::ExeGroup;
    if (mode & 04)
        p |= QFileDevice::ReadOther;
    if (mode & 02)
        p |= QFileDevice::WriteOther;
    if (mode & 01)
        p |= QFileDevice::ExeOther;
    return p;
}

unsigned modeOf(QFileDevice::Permissions p)
{
    unsigned m = 0;
    const std::pair<QFileDevice::Permission, unsigned> bits[] = {
        {QFileDevice::ReadOwner, 0400}, {QFileDevice::WriteOwner, 0200}, {QFileDevice::ExeOwner, 0100},
        {QFileDevice::ReadGroup, 040},  {QFileDevice::WriteGroup, 020},  {QFileDevice::ExeGroup, 010},
        {QFileDevice::ReadOther, 04},   {QFileDevice::WriteOther, 02},   {QFileDevice::ExeOther, 01}};
    for (const auto &[flag, bit] : bits)
        if (p & flag)
            m |= bit;
    return m;
}

PathInfo infoOf(const QFileInfo &fi)
{
    PathInfo i;
    if (!fi.exists() && !fi.isSymLink())
        return i;
    i.link = fi.isSymLink();
    i.kind = fi.isFile() ? Kind::Regular : fi.isDir() ? Kind::Folder : Kind::Other;
    if (i.link && !fi.exists())
        i.kind = Kind::Other;
    i.size = fi.size();
    i.mtimeNs = fi.lastModified().toMSecsSinceEpoch() * 1000000;
    i.mode = modeOf(fi.permissions());
    // Qt knows no user ids on every system; a file this user may change counts as its own.
    i.mine = fi.isWritable();
    return i;
}

}  // namespace

struct File::Handle {
    QFile file;
    bool syncOnly = false;  // a duplicate: only flushed, and Qt cannot flush to the disk
    mutable QMutex reading;
};

PathInfo Inspect(const QString &path, bool followLink)
{
    QFileInfo fi(path);
    if (followLink && fi.isSymLink()) {
        const QFileInfo to(fi.canonicalFilePath());
        if (fi.canonicalFilePath().isEmpty())
            return {};
        return infoOf(to);
    }
    if (!followLink && fi.isSymLink()) {
        PathInfo i = infoOf(fi);
        i.kind = Kind::Other;
        return i;
    }
    return infoOf(fi);
}

Error File::open(const QString &path, Open how)
{
    d.reset();
    // The name is checked before opening: Qt would block on a pipe with no writer.
    const QFileInfo fi(path);
    if (how != Open::Read && fi.isSymLink())
        return plain(Fault::Link, "is a symbolic link");
    if (!fi.exists())
        return plain(Fault::Missing, "no such file");
    if (!fi.isFile())
        return plain(Fault::NotRegular, fi.isDir() ? "is a folder" : "not a regular file");
    auto h = std::make_unique<Handle>();
    h->file.setFileName(path);
    const QIODevice::OpenMode mode = how == Open::WriteNoLink
                                         ? QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered
                                         : QIODevice::ReadOnly | QIODevice::Unbuffered;
    if (!h->file.open(mode))
        return errorOf(h->file);
    d = std::move(h);
    return {};
}

Error File::create(const QString &path, unsigned mode)
{
    d.reset();
    auto h = std::make_unique<Handle>();
    h->file.setFileName(path);
    if (!h->file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered, permissionsOf(mode)))
        return creationErrorOf(h->file, path);
    d = std::move(h);
    return {};
}

bool File::isOpen() const { return d && (d->syncOnly || d->file.isOpen()); }

PathInfo File::info() const
{
    if (!d || !d->file.isOpen())
        return {};
    PathInfo i = infoOf(QFileInfo(d->file.fileName()));
    i.size = d->file.size();
    return i;
}

qint64 File::read(char *data, qint64 size, Error *error)
{
    if (!d || !d->file.isOpen())
        return -1;
    const QMutexLocker hold(&d->reading);
    return readFully(size, [&](qint64 got) {
        const qint64 n = d->file.read(data + got, size - got);
        if (n < 0 && error)
            *error = errorOf(d->file);
        return n;
    });
}

qint64 File::readAt(char *data, qint64 offset, qint64 size, Error *error) const
{
    if (!d || !d->file.isOpen())
        return -1;
    // Qt has no positional read: the threads take turns.
    const QMutexLocker hold(&d->reading);
    if (!d->file.seek(offset)) {
        if (error)
            *error = errorOf(d->file);
        return -1;
    }
    return readFully(size, [&](qint64 got) {
        const qint64 n = d->file.read(data + got, size - got);
        if (n < 0 && error)
            *error = errorOf(d->file);
        return n;
    });
}

namespace {

bool writeAll(QFileDevice &f, const char *data, qint64 size, Error &error)
{
    return writeFully(size, [&](qint64 done) {
        const qint64 n = f.write(data + done, size - done);
        if (n <= 0)
            error = errorOf(f);
        return n;
    });
}

}  // namespace

bool File::write(const char *data, qint64 size, Error &error)
{
    if (!d || !d->file.isOpen()) {
        error = plain(Fault::Other, "not open");
        return false;
    }
    return writeAll(d->file, data, size, error);
}

bool File::setMode(unsigned mode) { return d && d->file.isOpen() && d->file.setPermissions(permissionsOf(mode)); }

bool File::resize(qint64 size) { return d && d->file.isOpen() && d->file.resize(size); }

qint64 File::seekToEnd()
{
    if (!d || !d->file.isOpen() || !d->file.seek(d->file.size()))
        return -1;
    return d->file.pos();
}

bool File::syncData() { return isOpen(); }

File File::duplicate() const
{
    File copy;
    if (isOpen()) {
        copy.d = std::make_unique<Handle>();
        copy.d->syncOnly = true;
    }
    return copy;
}

Error File::close()
{
    if (!d)
        return {};
    Error e;
    if (d->file.isOpen()) {
        d->file.close();
        if (d->file.error() != QFileDevice::NoError)
            e = errorOf(d->file);
    }
    d.reset();
    return e;
}

struct ReplacingFile::State {
    QSaveFile save;
};

Error ReplacingFile::begin(const QString &target, std::optional<unsigned> mode)
{
    drop();
    // Qt would write through a link to what it points to; the link goes instead.
    if (QFileInfo(target).isSymLink() && !QFile::remove(target))
        return plain(Fault::Denied, "cannot replace the link");
    auto s = std::make_unique<State>();
    s->save.setFileName(target);
    s->save.setDirectWriteFallback(false);
    // Unbuffered: a write that fails at close is not reported by commit().
    if (!s->save.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return creationErrorOf(s->save, target);
    if (mode && !s->save.setPermissions(permissionsOf(*mode)))
        return errorOf(s->save);
    d = std::move(s);
    return {};
}

bool ReplacingFile::write(const char *data, qint64 size, Error &error)
{
    if (!d) {
        error = plain(Fault::Other, "not open");
        return false;
    }
    return writeAll(d->save, data, size, error);
}

Error ReplacingFile::commit(bool)
{
    if (!d)
        return plain(Fault::Other, "not open");
    const bool ok = d->save.commit();
    const Error e = ok ? Error{} : errorOf(d->save);
    d.reset();
    return e;
}

void ReplacingFile::drop()
{
    if (d)
        d->save.cancelWriting();
    d.reset();
}

Error ReplaceFile(const QString &from, const QString &to)
{
    if (QFileInfo(to).exists() || QFileInfo(to).isSymLink())
        QFile::remove(to);
    QFile f(from);
    return f.rename(to) ? Error{} : errorOf(f);
}

bool RemoveFile(const QString &path)
{
    return QFile::remove(path) || (!QFileInfo(path).isSymLink() && !QFileInfo::exists(path));
}

bool SyncFolder(const QString &) { return true; }

bool MakePrivateFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    return QDir().mkpath(path)
           && QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

bool ProcessAlive(qint64 pid) { return pid > 0; }

void LowerThreadPriority() {}

void AdviseLargePages(const void *, std::size_t) {}

void *AllocateLarge(std::size_t bytes)
{
    void *p = std::malloc(bytes ? bytes : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void FreeLarge(void *p) noexcept { std::free(p); }

#endif

// Each build's handle and save state are complete from here on.
File::File() = default;
File::~File() = default;
File::File(File &&) noexcept = default;
File &File::operator=(File &&) noexcept = default;

ReplacingFile::ReplacingFile() = default;
ReplacingFile::~ReplacingFile() { drop(); }

}  // namespace vorlane::platform
