#pragma once
// Everything the programs ask of the operating system beyond what Qt offers: files read
// at an offset from two threads, created without following a link, flushed to the disk and
// put in place of another in one step; folders flushed; large pages; a process looked up.
//
// Built on the system's own calls, or, with the CMake option VORLANE_PORTABLE, on Qt and
// the C++ library alone: that build compiles on any system Qt runs on (Windows) and
// gives up only what Qt cannot ask for, each named where it is given up below.
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <memory>
#include <optional>

namespace vorlane::platform {

#ifdef VORLANE_PORTABLE
inline constexpr bool kSystemCalls = false;
#else
inline constexpr bool kSystemCalls = true;
#endif

// What went wrong, in the terms a message needs; the system's own words in `text`.
enum class Fault { None, Missing, Link, NotRegular, NoSpace, TooLarge, ReadOnly, Denied, Other };
struct Error {
    Fault fault = Fault::None;
    QString text;
    explicit operator bool() const { return fault != Fault::None; }
};

enum class Kind { Missing, Regular, Folder, Other };

struct PathInfo {
    Kind kind = Kind::Missing;
    bool link = false;  // the name itself is a symbolic link (only when not followed)
    qint64 size = 0;
    qint64 mtimeNs = 0;
    std::optional<unsigned> mode;  // the permission bits, where the system keeps them
    bool mine = true;              // owned by the user running the program
};

// What the name holds now; through a link unless followLink is false.
PathInfo Inspect(const QString &path, bool followLink = true);

// An open file. Reading never blocks on a pipe or a device: a reader checks info() on what
// was opened (the portable build checks the name first, which another program could swap
// in between).
class File {
public:
    enum class Open { Read, ReadNoLink, WriteNoLink };
    File();
    ~File();
    File(File &&) noexcept;
    File &operator=(File &&) noexcept;

    Error open(const QString &path, Open how);
    // A new file, never an existing one and never through a link. The mode is taken from
    // the start, so private details are never readable by others.
    Error create(const QString &path, unsigned mode);
    bool isOpen() const;
    PathInfo info() const;

    // The bytes read (short at the end of the file), or -1 with `error` set.
    qint64 read(char *data, qint64 size, Error *error = nullptr);
    // From `offset`, without moving the position; two threads may read at once.
    qint64 readAt(char *data, qint64 offset, qint64 size, Error *error = nullptr) const;
    // All of it, or false with `error` set.
    bool write(const char *data, qint64 size, Error &error);
    bool setMode(unsigned mode);
    bool resize(qint64 size);
    qint64 seekToEnd();
    // The contents on the disk before this returns: a power cut after it keeps them. The
    // portable build cannot ask for this (Qt has no flush to the disk); what was written
    // has reached the system, so it survives the program's end.
    bool syncData();
    // The same file once more, to be flushed on another thread while this one writes.
    File duplicate() const;
    Error close();

private:
    friend class ReplacingFile;
    struct Handle;
    std::unique_ptr<Handle> d;
};

// A file written beside `target` under a temporary name, which takes the target's place
// whole or not at all. A target that is a link is replaced by the new file; what the link
// pointed to is never written.
class ReplacingFile {
public:
    ReplacingFile();
    ~ReplacingFile();  // drops what was not committed
    // The mode of the new file: `mode`, else the old file's, else the default.
    Error begin(const QString &target, std::optional<unsigned> mode);
    bool write(const char *data, qint64 size, Error &error);
    // Flushed, then renamed over the target; with syncFolder, the rename made durable too.
    Error commit(bool syncFolder);
    void drop();

private:
    struct State;
    std::unique_ptr<State> d;
};

// "<name>.XXXXXX" beside the target, six random letters of both cases.
QString TemporaryNameBeside(const QString &path);

// Renames `from` over `to`. The portable build removes `to` first (Qt has no renaming
// over a file): a crash between the two leaves only `from`.
Error ReplaceFile(const QString &from, const QString &to);
bool RemoveFile(const QString &path);
// Best effort: some file systems cannot flush a folder, and the portable build cannot.
bool SyncFolder(const QString &path);
// A folder for the owner alone; its parents as usual.
bool MakePrivateFolder(const QString &path);

// Whether process `pid` on this machine still runs. The portable build says yes: the
// lock file has already checked as far as Qt can.
bool ProcessAlive(qint64 pid);
// Behind the window's own threads for the cores.
void LowerThreadPriority();

// A write past the file-size limit fails (EFBIG) and is reported like a full disk,
// instead of the system ending the program (SIGXFSZ) with its work unsaved.
void PrepareProcess();

// A large buffer filled at once (an opened batch of 15 MB, its decoded text) is otherwise
// faulted in 4 KB pages one by one; in a virtual machine each fault costs microseconds,
// together more than the decoding itself. 2 MB pages, where the system gives them on
// request, take that cost away; the portable build uses ordinary pages.
// Call before the buffer is first written; small buffers are left alone.
void AdviseLargePages(const void *data, std::size_t bytes);
// Memory of at least a megabyte, aligned and rounded to 2 MB pages and advised so: an
// unaligned buffer holds whole 2 MB pages only in its middle.
void *AllocateLarge(std::size_t bytes);
void FreeLarge(void *p) noexcept;

}  // namespace vorlane::platform
