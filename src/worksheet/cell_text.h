// CellText: the text of one worksheet cell in 16 bytes, short texts kept inline.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tabulon {

// A big sheet holds millions of cells, nearly all short numbers. A std::string costs 32
// bytes a cell, and every one of them is memory a load must fault in; here up to 15 bytes
// live inside the 16 bytes of the cell (the length in the last byte) and only longer texts
// go to the heap (pointer, 32-bit length, and a tag in the last byte).
class CellText {
public:
    static constexpr std::size_t kInlineCapacity = 15;
    // Longer texts do not fit the 32-bit length: they throw std::length_error.
    static constexpr std::size_t kMaxSize = UINT32_MAX;

    CellText() noexcept { std::memset(m_bytes, 0, sizeof m_bytes); }
    explicit CellText(std::string_view text) { assign(text.data(), text.size()); }
    CellText(const char* begin, const char* end) {
        assign(begin, static_cast<std::size_t>(end - begin));
    }
    // The same, for readers that know the bytes up to `readable_end` may be read: a short
    // text is then taken with two fixed 8-byte loads instead of a copy of variable length.
    CellText(const char* begin, const char* end, const char* readable_end) {
        const auto n = static_cast<std::size_t>(end - begin);
        if constexpr (std::endian::native == std::endian::little) {
            if (n <= kInlineCapacity && readable_end - begin >= 16) {
                std::uint64_t low;
                std::uint64_t high;
                std::memcpy(&low, begin, 8);
                std::memcpy(&high, begin + 8, 8);
                // Keep the first n bytes (the low ones), then the length in the top byte.
                if (n < 8) {
                    low &= (std::uint64_t{1} << (8 * n)) - 1;
                    high = 0;
                } else {
                    high &= (std::uint64_t{1} << (8 * (n - 8))) - 1;
                }
                high |= static_cast<std::uint64_t>(n) << 56;
                std::memcpy(m_bytes, &low, 8);
                std::memcpy(m_bytes + 8, &high, 8);
                return;
            }
        }
        assign(begin, n);
    }
    CellText(const CellText& other) {
        if (other.onHeap()) {
            assign(other.heapPointer(), other.heapSize());
        } else {
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        }
    }
    CellText(CellText&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        std::memset(other.m_bytes, 0, sizeof other.m_bytes);
    }
    ~CellText() { release(); }

    CellText& operator=(const CellText& other) {
        if (this != &other) *this = other.view();
        return *this;
    }
    CellText& operator=(CellText&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            std::memset(other.m_bytes, 0, sizeof other.m_bytes);
        }
        return *this;
    }
    // The text may lie inside this cell's own heap block: the new one is made before the
    // old one goes.
    CellText& operator=(std::string_view text) {
        CellText fresh(text);
        return *this = std::move(fresh);
    }

    bool empty() const noexcept { return size() == 0; }
    std::size_t size() const noexcept {
        return onHeap() ? heapSize() : static_cast<unsigned char>(m_bytes[kTagByte]);
    }
    const char* data() const noexcept { return onHeap() ? heapPointer() : m_bytes; }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); }
    std::string str() const { return std::string(view()); }

    void clear() noexcept {
        release();
        std::memset(m_bytes, 0, sizeof m_bytes);
    }

    // Changes one character in place (the readers adjust the decimal separator this way);
    // an index past the end changes nothing.
    void setChar(std::size_t index, char c) noexcept {
        if (index < size()) (onHeap() ? heapPointer() : m_bytes)[index] = c;
    }

    friend bool operator==(const CellText& a, const CellText& b) noexcept {
        return a.view() == b.view();
    }
    friend bool operator==(const CellText& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const CellText& a, const char* b) noexcept {
        return a.view() == std::string_view(b);
    }

private:
    static constexpr std::size_t kTagByte = 15;
    // In the tag byte: inline lengths are 0..15, this marks a heap text.
    static constexpr unsigned char kHeapTag = 0xFF;

    bool onHeap() const noexcept {
        return static_cast<unsigned char>(m_bytes[kTagByte]) == kHeapTag;
    }
    char* heapPointer() const noexcept {
        char* p;
        std::memcpy(&p, m_bytes, sizeof p);
        return p;
    }
    std::size_t heapSize() const noexcept {
        std::uint32_t n;
        std::memcpy(&n, m_bytes + sizeof(char*), sizeof n);
        return n;
    }
    void release() noexcept {
        if (onHeap()) delete[] heapPointer();
    }
    // Only on a cell that holds nothing to release. The inline case is the hot one of a load.
    void assign(const char* text, std::size_t n) {
        if (n > kInlineCapacity) {
            assignHeap(text, n);
            return;
        }
        std::memset(m_bytes, 0, sizeof m_bytes);
        if (n > 0) std::memcpy(m_bytes, text, n);
        m_bytes[kTagByte] = static_cast<char>(n);
    }
    void assignHeap(const char* text, std::size_t n);

    alignas(8) char m_bytes[16];
};

static_assert(sizeof(CellText) == 16);
static_assert(sizeof(char*) + sizeof(std::uint32_t) < 16);

// The text itself, as test failure messages should show it.
std::ostream& operator<<(std::ostream& out, const CellText& text);

}  // namespace tabulon
