#pragma once
// The one way the program reads a whole file and the one way it writes one.
//
// Reading: only a regular file (a pipe would block, a device never ends), never more
// than a limit, the result names the file and the cause.
// Writing: the bytes are complete before anything touches the disk; they go to a
// temporary file beside the target, are flushed and checked, and only then replace the
// target by a rename. A failure at any point leaves the previous file as it was.
#include "records/largepages.h"
#include "records/platform.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

namespace vorlane {

enum class FileIoError {
    None,
    NotFound,     // no such file (reading)
    NotRegular,   // a folder, pipe, device or socket
    IsLink,       // the name is a symbolic link and the caller refuses links
    TooLarge,     // larger than the caller's limit
    Unreadable,   // exists but cannot be opened or read
    WriteFailed,  // create, write, flush or rename failed; the previous file is untouched
};

// What a file held when it was read or written: tells whether another program has
// changed it since.
struct FileStamp {
    bool valid = false;
    qint64 size = -1;
    qint64 mtimeNs = 0;
    QByteArray checksum;  // FileChecksum of the contents
};

// 128 bits of the contents, fast enough to take on every open of a large batch (a few
// milliseconds for 15 MB). It only tells a change by another program, not a forgery.
QByteArray FileChecksum(QByteArrayView bytes);

// The same size and checksum; the time alone may differ (a copy, a touch).
bool SameContents(const FileStamp &a, const FileStamp &b);

struct FileIoResult {
    FileIoError error = FileIoError::None;
    QString path;
    QString cause;  // English, for logs and the command line; windows say their own Thai
    platform::Fault fault = platform::Fault::None;  // why a write failed, when the system said
    FileStamp stamp;                                // of what was read or written, when ok
    bool ok() const { return error == FileIoError::None; }
    // "<path>: <cause>"
    QString message() const;
};

// What a message box says of a failed read or write after its own text, on a line of its
// own: the file, then the cause in Thai; the system's own words follow where they tell
// more (why a file that is there could not be read or written). Empty when it went well.
QString FailureLine(const FileIoResult &r);
// The cause alone, for a box whose own text already names the file.
QString FailureCause(const FileIoResult &r);

struct FileReadResult : FileIoResult {
    QByteArray bytes;
};

// The whole file, at most maxBytes. Follows symbolic links (to a regular file only).
FileReadResult ReadFileBounded(const QString &path, qint64 maxBytes);

struct LargeFileReadResult : FileIoResult {
    SharedBytes bytes;
};
// The same, read into 2 MB pages: a large file kept while the program works on it. Its
// halves are read on two cores. With StampChecksum::Later the stamp's checksum is left empty for
// the caller to take (FileChecksum) beside its own first pass over the bytes.
enum class StampChecksum { Now, Later };
LargeFileReadResult ReadFileBoundedLarge(const QString &path, qint64 maxBytes,
                                         StampChecksum checksum = StampChecksum::Now);

// The checks of every read, for a reader that takes the file in pieces: opened without
// blocking, a regular file, at most maxBytes. When ok, the file is open and size is its
// size when it was opened: read no further than that.
FileIoResult OpenRegularFile(const QString &path, qint64 maxBytes, platform::File &file, qint64 &size);

struct SaveOptions {
    // Mode bits for the new file, for instance 0600 for private details. Without it an
    // existing file keeps its mode and a new one gets the default.
    std::optional<unsigned> mode;
    // A name that is a symbolic link is refused instead of followed.
    bool refuseLink = false;
    // Make the rename itself durable, so a power cut leaves the old or the new file.
    bool syncFolder = true;
};

// A file written in pieces (a device to write to) and put in place of `path` in one step
// by commit(): the old file stays as it was until then, and for good when the writing fails
// or the save is dropped (destroyed without commit). The same checks as SaveFileAtomic;
// the stamp of commit() has no checksum.
class AtomicSave final : public QIODevice {
public:
    explicit AtomicSave(const QString &path, const SaveOptions &options = {});
    ~AtomicSave() override;
    // Checks the target and creates the temporary file beside it; open for writing when ok.
    FileIoResult begin();
    FileIoResult commit();
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    void drop();
    QString m_path;
    SaveOptions m_options;
    platform::ReplacingFile m_file;
    bool m_begun = false;
    platform::Error m_fault;  // the first write's failure, reported by commit()
    qint64 m_written = 0;
};

// Writes the bytes in place of the file. A target that exists and is not a regular file
// (a device, a pipe, a folder) is always refused: it would be replaced by a regular file.
// A symbolic link is replaced by the new file (or refused, with refuseLink); what it
// pointed to is never written. Leftover temporary files of earlier saves to the same name
// are removed first.
FileIoResult SaveFileAtomic(const QString &path, const QByteArray &bytes, const SaveOptions &options = {});

// The stamp of the file as it is now; an invalid stamp when it cannot be read.
FileStamp CurrentStamp(const QString &path, qint64 maxBytes);

// True when the file still holds what `known` describes (or is gone and known is invalid).
// Compares the size first, then the checksum.
bool StillUnchanged(const QString &path, const FileStamp &known, qint64 maxBytes);

// Removes what a save killed midway left beside `target`: files named "<name>.XXXXXX"
// (six letters, as the temporary files of the save are named), older than `minAgeSecs`,
// regular and owned by this user. Returns how many were removed.
int RemoveSaveLeftovers(const QString &target, int minAgeSecs = 60);

}  // namespace vorlane
