#include "records/filestamp.h"

#include <QFile>

#include <cstring>

#include <sys/stat.h>

namespace vorlane {
namespace {

quint64 mix(quint64 h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

qint64 toNs(const struct stat &st) { return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec; }

} // namespace

quint64 Checksum(QByteArrayView bytes)
{
    // Four independent lanes of eight bytes, so the multiplications overlap.
    const char *p = bytes.data();
    qsizetype n = bytes.size();
    quint64 lane[4] = {0x9E3779B97F4A7C15ULL, 0xC2B2AE3D27D4EB4FULL, 0x165667B19E3779F9ULL, 0x27D4EB2F165667C5ULL};
    constexpr quint64 k = 0x9FB21C651E98DF25ULL;
    while (n >= 32) {
        for (int i = 0; i < 4; ++i) {
            quint64 w;
            std::memcpy(&w, p + 8 * i, 8);
            lane[i] = (lane[i] ^ w) * k;
            lane[i] ^= lane[i] >> 29;
        }
        p += 32;
        n -= 32;
    }
    quint64 h = quint64(bytes.size());
    for (quint64 l : lane)
        h = mix(h ^ l) * k;
    unsigned char tail[32] = {};
    std::memcpy(tail, p, size_t(n));
    for (int i = 0; i < 4; ++i) {
        quint64 w;
        std::memcpy(&w, tail + 8 * i, 8);
        h = mix(h ^ w) * k + quint64(i);
    }
    return mix(h);
}

qint64 ModificationTimeNs(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? toNs(st) : 0;
}

qint64 ModificationTimeNs(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? toNs(st) : 0;
}

} // namespace vorlane
