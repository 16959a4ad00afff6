// Ranking, rank sums, the simulated rank-sum distribution, texts and graph of the
// Mann-Whitney / Wilcoxon rank-sum test.
#include "univariate/rank_sum.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <thread>

#include "graphs/axis_ticks.h"
#include "graphs/axis_transform.h"
#include "graphs/xy_graph.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"
#include "base/language.h"
#include "base/random.h"
#include "worksheet/column_queries.h"

namespace tabulon {

RankSumData ReadRankSumData(const Worksheet& sheet, int first_column, int second_column,
                            char decimal_separator) {
    RankSumData data;
    data.first_name = first_column > 0 ? ColumnTitle(sheet, first_column) : std::string();
    data.second_name = second_column > 0 ? ColumnTitle(sheet, second_column) : std::string();
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        for (int group : {1, 2}) {
            const int column = group == 1 ? first_column : second_column;
            if (column <= 0) continue;
            const std::string_view text = sheet.cell(column, r);
            if (text.empty()) continue;
            const double v = static_cast<double>(StrToNumber(text, decimal_separator));
            data.records.push_back({v, 0, group});
            (group == 1 ? data.first_values : data.second_values).push_back(v);
        }
    }
    return data;
}

void RankRecords(std::vector<RankedRecord>& records) {
    std::stable_sort(
        records.begin(), records.end(),
        [](const RankedRecord& a, const RankedRecord& b) { return a.value < b.value; });
    std::size_t i = 0;
    while (i < records.size()) {
        std::size_t j = i;
        while (j + 1 < records.size() && records[j + 1].value == records[i].value) ++j;
        // Positions i … j (ranks i+1 … j+1) share the mean of their ranks.
        const double rank = (static_cast<double>(i + 1) + static_cast<double>(j + 1)) / 2;
        for (std::size_t k = i; k <= j; ++k) records[k].rank = rank;
        i = j + 1;
    }
}

RankSumStatistics ComputeRankSumStatistics(const RankSumData& ranked) {
    RankSumStatistics s;
    for (const RankedRecord& r : ranked.records) {
        if (r.group == 1) {
            ++s.n1;
            s.R1 += r.rank;
        } else {
            ++s.n2;
            s.R2 += r.rank;
        }
    }
    s.name1 = ranked.first_name;
    s.name2 = ranked.second_name;
    if (s.n1 > s.n2) {
        std::swap(s.n1, s.n2);
        std::swap(s.R1, s.R2);
        std::swap(s.name1, s.name2);
        s.exchanged = true;
    }
    const double n1 = s.n1;
    const double n2 = s.n2;
    s.U1 = n1 * n2 + n1 * (n1 + 1) / 2 - s.R1;
    s.U2 = n1 * n2 + n2 * (n2 + 1) / 2 - s.R2;
    return s;
}

std::string RankSumRefusal(const RankSumStatistics& s) {
    if (s.n1 < 1 || s.n2 < 1) {
        return ChooseText("Both columns must hold values",
                          "Båda kolumnerna måste innehålla värden");
    }
    if (static_cast<long long>(s.n1) * s.n2 > kMaxRankSumProduct) {
        return ChooseText("Too many values for the simulation: n1·n2 may be at most 4000000",
                          "För många värden för simuleringen: n1·n2 får vara högst 4000000");
    }
    return {};
}

// ---------------------------------------------------------------------------------------
// The simulation.

namespace {

// Draws uniformly random k-subsets of the positions 0 … N − 1 and returns the sum of their
// ranks (position + 1). Instead of drawing k positions one by one it sets every bit of an
// N-bit set with a probability p near k/N (p a multiple of 1/16, from a few random words),
// then removes or adds uniformly chosen members until exactly k remain. Given its size the
// first set is uniform, and removing or adding uniform members keeps it uniform, so the
// result is a uniform k-subset; the work per draw is about N/64 words plus the few
// corrections instead of k bounded draws.
class SubsetSampler {
public:
    SubsetSampler(int k, int n) : m_k(k), m_n(n), m_words((n + 63) / 64), m_bits(m_words, 0) {
        m_last_mask = (n % 64 == 0) ? ~0ULL : ((1ULL << (n % 64)) - 1);
        m_direct = static_cast<long long>(k) * 32 < n;
        int q = static_cast<int>(std::lround(16.0 * k / n));
        m_q = std::clamp(q, 1, 15);
    }

    TABULON_INLINE long long Draw(Xoshiro256& rng) {
        return m_direct ? DrawDirect(rng) : DrawBits(rng);
    }

private:
    bool Test(std::uint32_t pos) const { return (m_bits[pos >> 6] >> (pos & 63)) & 1; }
    void Flip(std::uint32_t pos) { m_bits[pos >> 6] ^= 1ULL << (pos & 63); }

    // Few ranks among many: draw them one by one, redrawing a rank already taken.
    long long DrawDirect(Xoshiro256& rng) {
        long long sum = 0;
        m_taken.clear();
        for (int i = 0; i < m_k; ++i) {
            std::uint32_t pos = 0;
            do {
                pos = rng.Below(static_cast<std::uint32_t>(m_n));
            } while (Test(pos));
            Flip(pos);
            m_taken.push_back(pos);
            sum += pos + 1;
        }
        for (std::uint32_t pos : m_taken) Flip(pos);
        return sum;
    }

    TABULON_INLINE long long DrawBits(Xoshiro256& rng) {
        // Bits with probability q/16: from the lowest set bit of q upwards, OR in a random
        // word for a one and AND for a zero (each step halves and adds 0 or 1/2).
        std::uint64_t* bits = m_bits.data();
        int count = 0;
        const int first_bit = std::countr_zero(static_cast<unsigned>(m_q));
        for (int w = 0; w < m_words; ++w) {
            std::uint64_t x = rng.Next();
            for (int bit = first_bit + 1; bit < 4; ++bit) {
                x = ((m_q >> bit) & 1) ? (x | rng.Next()) : (x & rng.Next());
            }
            if (w == m_words - 1) x &= m_last_mask;
            bits[w] = x;
            count += std::popcount(x);
        }
        // The corrections test a random member without branching on it, so that a coin
        // flip of a branch is never mispredicted.
        const auto n = static_cast<std::uint32_t>(m_n);
        while (count > m_k) {
            const std::uint32_t pos = rng.Below(n);
            std::uint64_t& word = bits[pos >> 6];
            const std::uint64_t member = (word >> (pos & 63)) & 1;
            word &= ~(member << (pos & 63));
            count -= static_cast<int>(member);
        }
        while (count < m_k) {
            const std::uint32_t pos = rng.Below(n);
            std::uint64_t& word = bits[pos >> 6];
            const std::uint64_t member = (word >> (pos & 63)) & 1;
            word |= 1ULL << (pos & 63);
            count += static_cast<int>(member ^ 1);
        }
        // The sum of the set positions, word by word: the positions' bits counted by masks.
        constexpr std::uint64_t kMasks[6] = {0xAAAAAAAAAAAAAAAAULL, 0xCCCCCCCCCCCCCCCCULL,
                                             0xF0F0F0F0F0F0F0F0ULL, 0xFF00FF00FF00FF00ULL,
                                             0xFFFF0000FFFF0000ULL, 0xFFFFFFFF00000000ULL};
        long long sum = m_k;  // rank = position + 1
        for (int w = 0; w < m_words; ++w) {
            const std::uint64_t x = bits[w];
            long long within = 0;
            for (int j = 0; j < 6; ++j) {
                within += static_cast<long long>(std::popcount(x & kMasks[j])) << j;
            }
            sum += 64LL * w * std::popcount(x) + within;
        }
        return sum;
    }

    int m_k;
    int m_n;
    int m_words;
    std::vector<std::uint64_t> m_bits;
    std::uint64_t m_last_mask = 0;
    bool m_direct = false;
    int m_q = 8;
    std::vector<std::uint32_t> m_taken;
};

// A run of draws into the count array: S, or T − S when the complement is drawn, counted at
// S − base.
struct DrawRun {
    long long total = 0;
    long long base = 0;
    bool complement = false;
    std::uint32_t* counts = nullptr;
};

TABULON_INLINE void DrawRunBody(SubsetSampler& sampler, Xoshiro256& rng, long long draws,
                                const DrawRun& run) {
    for (long long d = 0; d < draws; ++d) {
        long long s = sampler.Draw(rng);
        if (run.complement) s = run.total - s;
        ++run.counts[s - run.base];
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
// The sums count bits; with the processor's own bit count that is one instruction each.
[[gnu::target("popcnt")]] void DrawRunPopcount(SubsetSampler& sampler, Xoshiro256& rng,
                                               long long draws, const DrawRun& run) {
    DrawRunBody(sampler, rng, draws, run);
}
bool HasPopcount() {
    static const bool has = __builtin_cpu_supports("popcnt");
    return has;
}
#endif

void DrawRunAny(SubsetSampler& sampler, Xoshiro256& rng, long long draws, const DrawRun& run) {
#if defined(__GNUC__) && defined(__x86_64__)
    if (HasPopcount()) return DrawRunPopcount(sampler, rng, draws, run);
#endif
    DrawRunBody(sampler, rng, draws, run);
}

constexpr int kBlocks = 100;
constexpr long long kCancelCheck = 4096;

}  // namespace

Extended RankSumDistribution::Below(long long s) const {
    const long long base = static_cast<long long>(n1) * (n1 + 1) / 2;
    long long index = s - base;
    if (index < 0 || draws <= 0) return 0;
    index = std::min<long long>(index, static_cast<long long>(counts.size()) - 1);
    long long total = 0;
    for (long long i = 0; i <= index; ++i) total += counts[static_cast<std::size_t>(i)];
    return static_cast<Extended>(total) / static_cast<Extended>(draws);
}

Extended RankSumDistribution::Above(long long s) const {
    return draws <= 0 ? Extended(0) : 1 - Below(s - 1);
}

std::optional<RankSumDistribution> SimulateRankSumDistribution(
    int n1, int n2, const RankSumSimulationOptions& options) {
    if (n1 < 1 || n2 < 1 || static_cast<long long>(n1) * n2 > kMaxRankSumProduct) {
        return std::nullopt;
    }
    const long long draws = std::clamp<long long>(options.draws, 0, 2'000'000'000LL);
    RankSumDistribution out;
    out.n1 = n1;
    out.n2 = n2;
    out.draws = draws;
    out.seed = options.seed ? *options.seed
                            : static_cast<std::uint64_t>(
                                  std::chrono::steady_clock::now().time_since_epoch().count()) ^
                                  static_cast<std::uint64_t>(
                                      std::chrono::system_clock::now().time_since_epoch().count());
    const std::size_t size = static_cast<std::size_t>(n1) * static_cast<std::size_t>(n2) + 1;

    const int n = n1 + n2;
    const bool complement = n2 < n1;  // draw the smaller set, S = T − its sum
    const int k = complement ? n2 : n1;
    const long long total = static_cast<long long>(n) * (n + 1) / 2;
    const long long base = static_cast<long long>(n1) * (n1 + 1) / 2;

    int threads = options.threads > 0 ? options.threads
                                      : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, kBlocks);

    std::atomic<int> next_block{0};
    std::atomic<int> done_blocks{0};
    std::atomic<bool> stopped{false};
    auto cancelled = [&] {
        return stopped.load(std::memory_order_relaxed) ||
               (options.cancel && options.cancel->load(std::memory_order_relaxed));
    };

    std::vector<std::vector<std::uint32_t>> histograms(static_cast<std::size_t>(threads));
    auto work = [&](int index) {
        std::vector<std::uint32_t>& counts = histograms[static_cast<std::size_t>(index)];
        counts.assign(size, 0);
        SubsetSampler sampler(k, n);
        for (;;) {
            const int block = next_block.fetch_add(1);
            if (block >= kBlocks) return;
            const long long first = draws * block / kBlocks;
            const long long last = draws * (block + 1) / kBlocks;
            Xoshiro256 rng(out.seed ^
                           (0xD1B54A32D192ED03ULL * static_cast<std::uint64_t>(block + 1)));
            const DrawRun run{total, base, complement, counts.data()};
            for (long long d = first; d < last; d += kCancelCheck) {
                if (cancelled()) {
                    stopped = true;
                    return;
                }
                DrawRunAny(sampler, rng, std::min(kCancelCheck, last - d), run);
            }
            const int done = done_blocks.fetch_add(1) + 1;
            if (options.progress) options.progress(done * 100 / kBlocks);
        }
    };

    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads - 1));
    for (int i = 1; i < threads; ++i) pool.emplace_back(work, i);
    work(0);
    for (std::thread& t : pool) t.join();
    if (cancelled()) return std::nullopt;

    out.counts.assign(size, 0);
    for (const auto& h : histograms) {
        for (std::size_t i = 0; i < size; ++i) out.counts[i] += h[i];
    }
    return out;
}

Extended RankSumProbability(const RankSumStatistics& s, const RankSumDistribution& d) {
    const double r = std::min(s.R1, s.R2);
    const double rounded = std::round(r);
    const long long k = std::fabs(r - rounded) < 0.001 ? static_cast<long long>(rounded)
                                                       : static_cast<long long>(std::trunc(r)) + 1;
    if (s.R1 > s.R2) {
        // The other group's rank sum T − S at most k: S at least T − k.
        const long long n = s.n1 + s.n2;
        return d.Above(n * (n + 1) / 2 - k);
    }
    return d.Below(k);
}

// ---------------------------------------------------------------------------------------
// Texts.

std::string RankSumCaption() {
    return "Mann-Whitney u-test and Wilcoxon rank sum test";
}

std::vector<std::string> RankSumLines(const RankSumStatistics& s, Extended p) {
    const char sep = DecimalSeparator();
    auto g5 = [&](double v) { return FormatGeneral(v, 5, 2, sep); };
    auto pct = [&](Extended v) { return FormatGeneral(v, 3, 2, sep); };
    std::vector<std::string> lines;
    lines.push_back(ChooseText("Group 1: ", "Grupp 1: ") + s.name1 + "   " +
                    ChooseText("Group 2: ", "Grupp 2: ") + s.name2);
    lines.push_back("n1=" + std::to_string(s.n1) + "  R1=" + g5(s.R1) + "  U1=" + g5(s.U1) +
                    "  n2=" + std::to_string(s.n2) + "  R2=" + g5(s.R2) + "  U2=" + g5(s.U2) +
                    "  p=" + FormatGeneral(p, 4, 2, sep));
    if (p >= 0.15L) {
        lines.push_back(
            ChooseText("No significant difference between the series (p>30% at two-tailed test)",
                       "Ingen skillnad mellan seriernas väntevärde (p>30% vid dubbelsidigt test)"));
        return lines;
    }
    const std::string sentence = ChooseText(
        "The probability that the differences of the true means can be this big is ",
        "Sannolikheten att mätseriernas väntevärden skulle kunna avvika från varandra så "
        "här mycket är ");
    auto verdict = [&](Extended q) {
        return q > 0.05L ? ChooseText("Weak difference (>5%).", "Svag skillnad (>5%).")
                         : ChooseText("Significant difference!", "Signifikant skillnad!");
    };
    lines.push_back(ChooseText("Two-tailed test", "Dubbelsidigt test"));
    lines.push_back(verdict(2 * p));
    lines.push_back(sentence + pct(200 * p) + "%.");
    lines.push_back(ChooseText("One-tailed test", "Enkelsidigt test"));
    lines.push_back(verdict(p));
    lines.push_back(sentence + pct(100 * p) + "%.");
    return lines;
}

// ---------------------------------------------------------------------------------------
// The graph.

std::string ValueSummaryLabel(const std::string& name, std::span<const double> values) {
    ArrayStatistics a;
    ArraySummary(values, a);
    const char sep = DecimalSeparator();
    auto g = [&](double v) { return FormatGeneral(v, 4, 2, sep); };
    return name + ":  Median=" + g(a.Median) + ChooseText(" Mean=", " Medelv=") + g(a.Mean) +
           ChooseText(" St dev=", " St avv=") + g(a.StdDev);
}

void DrawValuePanel(Canvas& canvas, Rect box, Extended xmin, Extended xmax,
                    std::span<const double> values, Color color, const std::string& label) {
    if (box.right - box.left < 8 || box.bottom - box.top < 8) return;
    if (!(xmax > xmin)) {
        xmin -= 0.5L;
        xmax += 0.5L;
    }
    // A little room at both ends so that the extreme values stand clear of the frame.
    const Extended pad = (xmax - xmin) * 0.03L;
    xmin -= pad;
    xmax += pad;
    TAxisTransform t;
    if (!SetTransform(t, xmin, xmax, box.left, box.right, 0, 1, box.bottom, box.top)) return;
    Extended start = 0;
    Extended step = 0;
    canvas.SetBrushStyle(BrushStyle::Clear);
    if (NiceTickStep(start, step, xmin, xmax)) {
        // At most about ten labelled ticks across the panel.
        for (int i = 0; i < 8 && (xmax - xmin) / step > 10; ++i) step *= 2;
        DrawFramedAxes(canvas, t, false, true, false, xmin, xmax, step, 0, 1, 1);
    } else {
        canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
        canvas.DrawRectangle(box);
    }
    canvas.SetPen({color, 1, PenStyle::Solid});
    for (double v : values) {
        MoveToXY(canvas, t, v, 0);
        LineToXY(canvas, t, v, 0.6L);
    }
    FontSpec font = canvas.font();
    font.color = color.ToBgr();
    canvas.SetFont(font);
    canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
    canvas.DrawText({box.left, box.top - 2}, label);
    font.color = 0;
    canvas.SetFont(font);
}

void RenderRankSumGraph(Canvas& canvas, int width, int height, const RankSumData& data,
                        const RankSumStatistics& s) {
    const std::vector<double>& top = s.exchanged ? data.second_values : data.first_values;
    const std::vector<double>& bottom = s.exchanged ? data.first_values : data.second_values;
    if (top.empty() && bottom.empty()) return;
    double lo = top.empty() ? bottom.front() : top.front();
    double hi = lo;
    for (const auto* list : {&top, &bottom}) {
        for (double v : *list) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    const int text_h = std::max(canvas.TextHeight("1"), 1);
    const int left = std::max(width / 20, 8);
    const int right = width - left;
    const int panel = (height - 4 * text_h - 8) / 2 - text_h;
    if (panel < 8) return;
    const Rect first{left, text_h + 4, right, text_h + 4 + panel};
    const Rect second{left, first.bottom + 3 * text_h, right, first.bottom + 3 * text_h + panel};
    DrawValuePanel(canvas, first, lo, hi, top, Color{255, 0, 0},
                   "1: " + ValueSummaryLabel(s.name1, top));
    DrawValuePanel(canvas, second, lo, hi, bottom, Color{0, 0, 255},
                   "2: " + ValueSummaryLabel(s.name2, bottom));
}

}  // namespace tabulon
