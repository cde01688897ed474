#pragma once
// What identifies the content of a data file as it was opened or saved: its size, its
// modification time and a checksum of its bytes. The recovery journal keeps it instead of
// a copy of the batch, and checks it before trusting the file again.
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vorlane {

struct FileStamp {
    qint64 size = -1;
    qint64 mtimeNs = 0;
    quint64 checksum = 0;
    bool valid() const { return size >= 0; }
    // Same content: the time may differ (a copy, a touch) without the bytes differing.
    bool sameContent(const FileStamp &o) const { return valid() && size == o.size && checksum == o.checksum; }
};

// A fast 64-bit checksum (not cryptographic): a file of 15 MB takes a few milliseconds.
quint64 Checksum(QByteArrayView bytes);
// The modification time of the open file `fd` or of `path`, in nanoseconds; 0 when unknown.
qint64 ModificationTimeNs(int fd);
qint64 ModificationTimeNs(const QString &path);

} // namespace vorlane
