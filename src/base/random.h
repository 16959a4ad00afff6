// The one seedable random source of every simulation: xoshiro256++ seeded through
// SplitMix64. A fixed seed reproduces a run exactly, on any machine.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__GNUC__) && defined(__x86_64__)
#define TABULON_INLINE [[gnu::always_inline]] inline
#else
#define TABULON_INLINE inline
#endif

namespace tabulon {

inline std::uint64_t SplitMix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// xoshiro256++: fast, with no weak low bits, seeded through SplitMix64.
class Xoshiro256 {
public:
    explicit Xoshiro256(std::uint64_t seed) {
        for (auto& word : m_s) word = SplitMix64(seed);
    }
    TABULON_INLINE std::uint64_t Next() {
        const std::uint64_t result = std::rotl(m_s[0] + m_s[3], 23) + m_s[0];
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = std::rotl(m_s[3], 45);
        return result;
    }
    // 32 random bits; each 64-bit output serves twice.
    TABULON_INLINE std::uint32_t Next32() {
        if (m_spare_left) {
            m_spare_left = false;
            return static_cast<std::uint32_t>(m_spare);
        }
        m_spare = Next();
        m_spare_left = true;
        return static_cast<std::uint32_t>(m_spare >> 32);
    }
    // Uniform on 0 … bound − 1 without bias (multiply and reject the short remainder).
    TABULON_INLINE std::uint32_t Below(std::uint32_t bound) {
        std::uint64_t m = std::uint64_t(Next32()) * bound;
        auto low = static_cast<std::uint32_t>(m);
        if (low < bound) {
            const std::uint32_t threshold = (0u - bound) % bound;
            while (low < threshold) {
                m = std::uint64_t(Next32()) * bound;
                low = static_cast<std::uint32_t>(m);
            }
        }
        return static_cast<std::uint32_t>(m >> 32);
    }

private:
    std::uint64_t m_s[4];
    std::uint64_t m_spare = 0;
    bool m_spare_left = false;
};

// Uniform on [0, 1) with 53 random bits.
inline double UniformUnit(Xoshiro256& rng) { return double(rng.Next() >> 11) * 0x1.0p-53; }

}  // namespace tabulon
