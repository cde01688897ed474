#pragma once
// Data files: one record line per line, code page 874, CR LF.
#include "records/fileio.h"
#include "records/lineblock.h"

#include <QString>
#include <QStringList>

namespace vorlane {

enum class FileError {
    None,
    NotFound,     // no such file
    Unreadable,   // exists but cannot be opened or read
    TooLarge,     // larger than a data file can sensibly be
    Unencodable,  // a line holds a character that code page 874 cannot carry
    WriteFailed,  // create, write or commit failed; the previous file is untouched
};

struct ReadResult {
    FileError error = FileError::None;
    QString detail;             // for logs and the command line; the windows show their own texts
    QStringList lines;          // the lines that pass IsRecordLine, in file order
    LineBlock block;            // the same lines, instead, when read as a block
    qsizetype skipped = 0;      // lines left out
    qsizetype skippedText = 0;  // of those, lines that held more than blanks
    FileStamp stamp;            // what the file held, to tell a later change by another program
    FileIoResult file;          // the file and the cause of a failed read, for FailureLine
    bool ok() const { return error == FileError::None; }
};

struct WriteResult {
    FileError error = FileError::None;
    QString detail;
    qsizetype badLine = -1;  // Unencodable: which line, and where in it
    qsizetype badPos = -1;
    FileStamp stamp;    // what was written
    FileIoResult file;  // the file and the cause of a failed write, for FailureLine
    bool ok() const { return error == FileError::None; }
};

inline constexpr qint64 kMaxDataFileBytes = qint64(256) * 1024 * 1024;

// How the kept lines are handed back: a list of strings, or the file's bytes with where
// each line lies in them (an opening of a large batch: no string per line, and the
// decoding left to the store's worker thread).
enum class LineForm { List, Block };

// Reads the whole file, tolerating LF and CR line ends; never a half-filled result. A
// block read for a rate table carries each line's figures for it, worked out as the
// lines are found.
ReadResult ReadDataFile(const QString &path, LineForm form = LineForm::List, const RateTable *figuresFor = nullptr);

struct FileIoResult;
// The data file's error and its "<path>: <cause>" for a failed read (none when it went well).
ReadResult DataFileReadFailure(const FileIoResult &file);
// Encodes every line first, then saves through SaveFileAtomic.
WriteResult WriteDataFile(const QString &path, const QStringList &lines);
// The same bytes WriteDataFile would write.
WriteResult EncodeDataFile(const QStringList &lines, QByteArray &out);

}  // namespace vorlane
