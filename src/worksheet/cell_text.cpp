// CellText: filling a cell inline or on the heap, and printing it.
#include "worksheet/cell_text.h"

#include <ostream>
#include <stdexcept>

namespace tabulon {

void CellText::assignHeap(const char* text, std::size_t n) {
    if (n > kMaxSize) throw std::length_error("CellText: text longer than 4 GB");
    char* p = new char[n];
    std::memcpy(p, text, n);
    const auto n32 = static_cast<std::uint32_t>(n);
    std::memset(m_bytes, 0, sizeof m_bytes);
    std::memcpy(m_bytes, &p, sizeof p);
    std::memcpy(m_bytes + sizeof p, &n32, sizeof n32);
    m_bytes[kTagByte] = static_cast<char>(kHeapTag);
}

std::ostream& operator<<(std::ostream& out, const CellText& text) {
    return out << text.view();
}

}  // namespace tabulon
