#pragma once
// Buffers of 2 MB pages for what an opened batch keeps: its bytes and its per-line tables.
#include "records/platform.h"

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

namespace vorlane {

// For std::vector: the per-line tables of an opened batch.
template <class T>
struct LargePageAllocator {
    using value_type = T;
    LargePageAllocator() noexcept = default;
    template <class U>
    LargePageAllocator(const LargePageAllocator<U> &) noexcept
    {}
    T *allocate(std::size_t n)
    {
        if (n > std::size_t(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T *>(platform::AllocateLarge(n * sizeof(T)));
    }
    void deallocate(T *p, std::size_t) noexcept { platform::FreeLarge(p); }
    template <class U>
    bool operator==(const LargePageAllocator<U> &) const noexcept
    {
        return true;
    }
};

// Bytes kept in one buffer and shared without copying, whether a QByteArray or a buffer of
// 2 MB pages holds them.
class SharedBytes {
public:
    SharedBytes() = default;
    // Implicit: a QByteArray already is such bytes (tests and small files hand one over).
    SharedBytes(const QByteArray &bytes)
    {
        auto owned = std::make_shared<const QByteArray>(bytes);
        m_data = owned->constData();
        m_size = owned->size();
        m_owner = std::move(owned);
    }
    // A fresh buffer of `size` bytes in 2 MB pages, to be written through data().
    static SharedBytes allocateLarge(qsizetype size)
    {
        SharedBytes b;
        char *p = static_cast<char *>(platform::AllocateLarge(std::size_t(size)));
        b.m_owner = std::shared_ptr<char>(p, platform::FreeLarge);
        b.m_data = p;
        b.m_size = size;
        return b;
    }
    bool isNull() const { return !m_owner; }
    qsizetype size() const { return m_size; }
    QByteArrayView view() const { return QByteArrayView(m_data, m_size); }
    char *data() { return const_cast<char *>(m_data); }
    void truncate(qsizetype size) { m_size = std::min(m_size, size); }

private:
    std::shared_ptr<const void> m_owner;
    const char *m_data = nullptr;
    qsizetype m_size = 0;
};

}  // namespace vorlane
