// Splitting file text into lines: CR LF, LF and a lone CR all end a line.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tabulon {

// Walks the lines of a text without copying. A terminator after the last line does not
// start another line: "a\r\n" is one line, "a\r\n\r\n" two (the second empty), "" none.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // The next line without its terminator; false at the end.
    bool next(std::string_view& line) {
        if (atEnd()) return false;
        // The next LF is remembered: a file of lone CRs would otherwise be searched to its
        // end once per line.
        if (!m_lf_known || m_lf < m_pos) {
            m_lf_known = true;
            const void* lf = std::memchr(m_text.data() + m_pos, '\n', m_text.size() - m_pos);
            m_lf = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - m_text.data())
                      : m_text.size();
        }
        const char* begin = m_text.data() + m_pos;
        const std::size_t lf_at = m_lf - m_pos;
        const void* cr = std::memchr(begin, '\r', lf_at);
        if (cr) {
            const auto cr_at = static_cast<std::size_t>(static_cast<const char*>(cr) - begin);
            line = std::string_view(begin, cr_at);
            m_pos += cr_at + 1;
            if (m_pos < m_text.size() && m_text[m_pos] == '\n') ++m_pos;
        } else {
            line = std::string_view(begin, lf_at);
            m_pos = m_lf < m_text.size() ? m_lf + 1 : m_lf;
        }
        return true;
    }

    // Skips up to `count` lines; returns how many there were.
    std::size_t skip(std::size_t count) {
        std::string_view ignored;
        std::size_t done = 0;
        while (done < count && next(ignored)) ++done;
        return done;
    }

    // The text from the current position on.
    std::string_view rest() const { return m_text.substr(m_pos); }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_lf = 0;  // position of the next LF at or after m_pos, or the size
    bool m_lf_known = false;
};

// Number of lines in the sense of LineCursor.
inline std::size_t CountLines(std::string_view text) {
    std::size_t lines = 0;
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line)) ++lines;
    return lines;
}

}  // namespace tabulon
