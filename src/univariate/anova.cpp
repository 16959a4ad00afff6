// One-way analysis of variance: groups, F-test, Bonferroni comparisons, texts and graph.
#include "univariate/anova.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "base/language.h"
#include "graphs/axis_transform.h"
#include "graphs/group_color.h"
#include "graphs/level_steps.h"
#include "graphs/xy_graph.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"
#include "worksheet/column_reading.h"
#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

// The first `count` characters of a UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        if (chars == count) return text.substr(0, i);
        ++chars;
    }
    return text;
}

// One column read: its count, mean, variance and s, the offset of its mean from its own first
// value, and that first value's text.
struct ColumnRead {
    std::size_t count = 0;
    bool computed = false;
    SampleStatistics statistics;
    Extended mean_from_first = 0;
    std::string first_text;
};

// Neumaier's compensated sum, so that the squares of long columns keep their last digits.
class CompensatedSum {
public:
    void add(Extended x) {
        const Extended t = m_sum + x;
        m_compensation += std::fabs(m_sum) >= std::fabs(x) ? (m_sum - t) + x : (x - t) + m_sum;
        m_sum = t;
    }
    Extended value() const { return m_sum + m_compensation; }

private:
    Extended m_sum = 0;
    Extended m_compensation = 0;
};

ColumnRead ReadGroupColumn(const Worksheet& sheet, int column, char separator) {
    ColumnRead read;
    if (column < 0 || column >= sheet.columnCount()) return read;
    const CellColumn& cells = sheet.columnCells(column);
    const auto end = std::min(cells.size(), static_cast<std::size_t>(sheet.rowCount()));
    const auto first = std::min(static_cast<std::size_t>(Worksheet::kFixedRows), end);
    std::size_t count = 0;
    for (std::size_t r = first; r < end; ++r) count += cells[r].view().empty() ? 0 : 1;
    ColumnNumbersReader reader(separator, count);
    for (std::size_t r = first; r < end; ++r) {
        const std::string_view text = cells[r].view();
        if (text.empty()) continue;
        if (read.first_text.empty()) read.first_text = std::string(text);
        if (!reader.add(text)) throw ConversionError(text);
    }
    read.count = count;
    if (count < 2) return read;
    const ColumnNumbers numbers = reader.take();
    // The kernel's deviations about the mean, each taken from the exact decimals and rounded
    // once: their squares give the variance with every digit the values share left out, and
    // the first one gives x̄ - x₀ without subtracting two large numbers. (The kernel's full
    // statistics would also count or sort every column for a median nobody reads here.)
    const std::vector<Extended> deviations = DeviationsFromMean(numbers.values, numbers.exact);
    CompensatedSum sum;
    CompensatedSum squares;
    for (Extended d : deviations) {
        sum.add(d);
        squares.add(d * d);
    }
    const auto n = static_cast<Extended>(count);
    const Extended c = sum.value();
    SampleStatistics& st = read.statistics;
    st.Count = static_cast<std::int32_t>(count);
    st.Mean = numbers.values.front() - deviations.front();
    st.Variance = std::max(Extended(0), (squares.value() - c * c / n) / (n - 1));
    st.StdDev = std::sqrt(st.Variance);
    read.mean_from_first = -deviations.front();
    read.computed = std::isfinite(st.Mean) && std::isfinite(st.Variance);
    return read;
}

// Below this many values in all the columns together a second thread costs more than it saves.
constexpr std::size_t kValuesWorthAThread = 200000;

std::string Fixed(Extended v, int decimals) {
    return FormatFixed(v, decimals, DecimalSeparator());
}
std::string General(Extended v, int digits) {
    return FormatGeneral(v, digits, 2, DecimalSeparator());
}

}  // namespace

std::optional<std::vector<int>> ChooseAnovaColumns(const Worksheet& sheet, Dialogs& dialogs) {
    if (DataColumnCount(sheet) < 3) {
        dialogs.ShowInfo(ChooseText("There must be at least three columns",
                                    "Det måste finnas minst tre kolumner"));
        return std::nullopt;
    }
    const auto chosen = dialogs.ChooseFromList(
        ChooseText("ANOVA choose columns", "ANOVA välj kolumner"), DataColumnLabels(sheet), true);
    if (!chosen) return std::nullopt;
    std::vector<int> columns;
    for (const std::string& label : *chosen) {
        if (const int c = FindColumnByLabel(sheet, label); c > 0) columns.push_back(c);
    }
    if (columns.size() < 2) {
        dialogs.ShowInfo(ChooseText("Choose at least two columns to compare",
                                    "Välj minst två kolumner att jämföra"));
        return std::nullopt;
    }
    if (columns.size() > static_cast<std::size_t>(kMaxAnovaGroups)) {
        const std::string limit = std::to_string(kMaxAnovaGroups);
        dialogs.ShowInfo(ChooseText("At most " + limit + " columns can be compared; " +
                                        std::to_string(columns.size()) + " were chosen",
                                    "Högst " + limit + " kolumner kan jämföras; " +
                                        std::to_string(columns.size()) + " valdes"));
        return std::nullopt;
    }
    return columns;
}

AnovaGroupsRead ReadAnovaGroups(const Worksheet& sheet, const std::vector<int>& columns,
                                char decimal_separator) {
    AnovaGroupsRead out;
    std::vector<ColumnRead> reads(columns.size());
    std::vector<std::exception_ptr> errors(columns.size());
    std::size_t total = 0;
    for (int c : columns) {
        if (c >= 0 && c < sheet.columnCount()) total += sheet.columnCells(c).size();
    }
    // The columns are independent: two cores take every other one. A cell that is not a
    // number is reported for the first column holding one, whichever thread met it first.
    const unsigned threads = total >= kValuesWorthAThread && columns.size() > 1 ? 2 : 1;
    RunInThreads(threads, [&](unsigned job) {
        for (std::size_t i = job; i < columns.size(); i += threads) {
            try {
                reads[i] = ReadGroupColumn(sheet, columns[i], decimal_separator);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    });
    for (const std::exception_ptr& error : errors) {
        if (error) std::rethrow_exception(error);
    }

    std::vector<AnovaGroup> groups;
    groups.reserve(columns.size());
    bool any_variation = false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const ColumnRead& read = reads[i];
        AnovaGroup group;
        group.name = FirstCharacters(ColumnLabel(sheet, columns[i]), kMaxAnovaNameLength);
        if (read.count < 2) {
            // The message names the column too, so a long choice need not be searched.
            out.refusal = read.count == 1
                              ? ChooseText("One value per column", "Endast ett värde i en kolumn")
                              : ChooseText("No values in column", "Inga värden i kolumnen");
            out.refusal += " (" + group.name + ")";
            return out;
        }
        if (!read.computed) {
            out.refusal = ChooseText("The values are too large in column ",
                                     "Värdena är för stora i kolumnen ") +
                          group.name;
            return out;
        }
        group.statistics = read.statistics;
        // First value of this group less the first of the first group, rounded once from the
        // two texts, then the mean's own small step from its first value.
        group.offset =
            DecimalDifference(read.first_text, reads.front().first_text, decimal_separator) +
            read.mean_from_first;
        any_variation = any_variation || read.statistics.Variance > 0;
        groups.push_back(std::move(group));
    }
    if (!any_variation) {
        out.refusal = ChooseText(
            "The values within every column are equal: there is no variation to test against",
            "Värdena inom varje kolumn är lika: det finns ingen variation att pröva mot");
        return out;
    }
    out.groups = std::move(groups);
    return out;
}

AnovaResult ComputeAnova(const std::vector<AnovaGroup>& groups, Extended level) {
    AnovaResult r;
    r.level = level;
    r.k = static_cast<int>(groups.size());
    Extended weighted_offsets = 0;
    for (const AnovaGroup& g : groups) {
        r.N += g.statistics.Count;
        r.ss_within += (g.statistics.Count - 1) * g.statistics.Variance;
        weighted_offsets += g.statistics.Count * g.offset;
    }
    r.df_between = r.k - 1;
    r.df_within = r.N - r.k;
    if (r.k < 2 || r.df_within < 1) return r;
    const Extended grand_offset = weighted_offsets / r.N;
    for (const AnovaGroup& g : groups) {
        const Extended d = g.offset - grand_offset;
        r.ss_between += g.statistics.Count * d * d;
    }
    // The grand mean as a value: the first group's mean carries the reference.
    r.grand_mean = groups.front().statistics.Mean + (grand_offset - groups.front().offset);
    r.ms_between = r.ss_between / r.df_between;
    r.ms_within = r.ss_within / r.df_within;
    r.F = r.ms_between / r.ms_within;
    r.Fc = FQuantile(r.df_between, r.df_within, 1 - level / 100);
    r.significant = r.Fc < r.F;
    return r;
}

BonferroniResult CompareBonferroni(const std::vector<AnovaGroup>& groups,
                                   const AnovaResult& result) {
    BonferroniResult b;
    const int k = static_cast<int>(groups.size());
    b.m = k * (k - 1) / 2;
    if (b.m < 1) return b;
    b.pair_level = result.level / 2 / b.m;
    b.tc = TQuantile(result.df_within, b.pair_level / 100);
    b.pairs.reserve(static_cast<std::size_t>(b.m));
    for (int i = 0; i < k; ++i) {
        for (int j = i + 1; j < k; ++j) {
            const AnovaGroup& a = groups[static_cast<std::size_t>(i)];
            const AnovaGroup& c = groups[static_cast<std::size_t>(j)];
            BonferroniPair p;
            p.first = i;
            p.second = j;
            p.difference = a.offset - c.offset;
            const Extended se = std::sqrt(result.ms_within * (Extended(1) / a.statistics.Count +
                                                              Extended(1) / c.statistics.Count));
            p.limit = b.tc * se;
            p.u = std::fabs(p.difference) / se;
            p.significant = b.tc < p.u;
            b.pairs.push_back(p);
        }
    }
    return b;
}

std::string AnovaCaption() {
    return "ANOVA \"analysis of variances\"";
}

std::vector<std::string> AnovaTableHeadings() {
    return {ChooseText("Column", "Kolumn"), ChooseText("Mean", "Medelv"), "s", "n"};
}

std::vector<std::vector<std::string>> AnovaTableRows(const std::vector<AnovaGroup>& groups) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(groups.size());
    for (const AnovaGroup& g : groups) {
        rows.push_back({g.name, Fixed(g.statistics.Mean, 6), Fixed(g.statistics.StdDev, 6),
                        std::to_string(g.statistics.Count)});
    }
    return rows;
}

std::string MeanSquareText(Extended value) {
    return General(value, 6);
}

std::string AnovaFLine(const AnovaResult& r) {
    return "F = " + General(r.F, 4) + (r.Fc < r.F ? " >" : " <") + " F(" +
           General(r.level / 100, 4) + " ; " + std::to_string(r.df_between) + " ; " +
           std::to_string(r.df_within) + ") = " + General(r.Fc, 4);
}

std::string AnovaVerdict(const AnovaResult& r) {
    return r.significant ? ChooseText("Significant difference between mean values",
                                      "Signifikant skillnad mellan medelvärdena")
                         : ChooseText("No significant difference between mean values",
                                      "Ingen signifikant skillnad mellan medelvärdena");
}

std::vector<std::string> AnovaResultLines(const std::vector<AnovaGroup>& groups,
                                          const AnovaResult& result) {
    std::vector<std::string> lines{"ANOVA", ChooseText("Test of columns:", "Test av kolumner:")};
    for (const AnovaGroup& g : groups) lines.push_back(" " + g.name);
    lines.push_back(AnovaCaption() + ChooseText(" at level ", " på nivån ") +
                    LevelText(result.level) + ":");
    lines.push_back("");
    lines.push_back(AnovaFLine(result));
    lines.push_back(AnovaVerdict(result));
    return lines;
}

std::string BonferroniCaption(Extended level) {
    return ChooseText("Column test on ", "Kolumntest på totalt ") + Fixed(level, 2) +
           ChooseText("%-level acording to Bonferroni", "%-nivån enligt Bonferroni");
}

std::vector<std::string> BonferroniHeadings() {
    return {ChooseText("Tested columns (x vs y)", "Testade kolumner (x mot y)"),
            ChooseText("Significance", "Signifikans"), "u", "t"};
}

std::vector<std::vector<std::string>> BonferroniRows(const std::vector<AnovaGroup>& groups,
                                                     const BonferroniResult& comparison) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(comparison.pairs.size());
    const std::string joint = ChooseText(" versus ", " mot ");
    const std::string tc = Fixed(comparison.tc, 4);
    for (const BonferroniPair& p : comparison.pairs) {
        rows.push_back(
            {groups[static_cast<std::size_t>(p.first)].name + joint +
                 groups[static_cast<std::size_t>(p.second)].name,
             p.significant ? ChooseText("Differencs", "Skillnad") : ChooseText("no", "ej"),
             Fixed(p.u, 4), tc});
    }
    return rows;
}

std::vector<std::string> BonferroniCopyLines(const std::vector<AnovaGroup>& groups,
                                             const AnovaResult& result,
                                             const BonferroniResult& comparison) {
    auto joined = [](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + cells[i];
        return line;
    };
    std::vector<std::string> lines{BonferroniCaption(result.level), joined(BonferroniHeadings())};
    for (const auto& row : BonferroniRows(groups, comparison)) lines.push_back(joined(row));
    return lines;
}

void RenderAnovaGraph(Canvas& canvas, int width, int height,
                      const std::vector<AnovaGroup>& groups) {
    if (groups.empty() || width < 20 || height < 20) return;
    const int text_h = std::max(canvas.TextHeight("1"), 1);
    const int left = std::max(width / 40, 4);
    const int right = width - left;
    const int top = 3 * text_h;
    const int bottom = height - 2 * text_h - 4;
    if (bottom <= top + 4 || right <= left + 4) return;

    // Each curve is the density of its mean, so a narrow one stands taller: heights relative
    // to the narrowest, whose peak reaches the top.
    std::vector<Extended> sigmas;
    Extended narrowest = 0;
    Extended lo = groups.front().statistics.Mean;
    Extended hi = lo;
    for (const AnovaGroup& g : groups) {
        const Extended sigma = std::sqrt(g.statistics.Variance / g.statistics.Count);
        sigmas.push_back(sigma);
        if (sigma > 0 && (narrowest == 0 || sigma < narrowest)) narrowest = sigma;
        lo = std::min(lo, g.statistics.Mean - 4 * sigma);
        hi = std::max(hi, g.statistics.Mean + 4 * sigma);
    }
    if (!(hi > lo)) {
        const Extended half = std::max(std::fabs(lo) * 1e-3L, Extended(1));
        lo -= half;
        hi += half;
    }
    const Extended pad = (hi - lo) * 0.05L;
    TAxisTransform t;
    if (!SetTransform(t, lo - pad, hi + pad, left, right, 0, 1.05L, bottom, top)) return;

    canvas.SetBrushStyle(BrushStyle::Clear);
    DrawXAxisStrip(canvas, width - 1, t, false, bottom);
    canvas.SetTextAlign({HAlign::Center, VAlign::Bottom});
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const AnovaGroup& g = groups[i];
        const Color color = GroupColor(static_cast<int>(i) + 1);
        const Extended sigma = sigmas[i];
        const Extended peak = sigma > 0 ? narrowest / sigma : 1;
        canvas.SetPen({color, 2, PenStyle::Solid});
        if (sigma > 0) {
            std::vector<Point> bell;
            bell.reserve(static_cast<std::size_t>(right - left + 1));
            for (int px = left; px <= right; ++px) {
                const Extended x = PixelToX(px, t);
                bell.push_back({px, YToPixel(t, peak * NormalShape(sigma, g.statistics.Mean, x))});
            }
            canvas.DrawPolyline(bell);
        }
        canvas.SetPen({color, 1, PenStyle::Solid});
        MoveToXY(canvas, t, g.statistics.Mean, 0);
        LineToXY(canvas, t, g.statistics.Mean, peak);
        FontSpec font = canvas.font();
        font.color = color.ToBgr();
        canvas.SetFont(font);
        const std::string number = g.name.substr(0, g.name.find(':'));
        canvas.DrawText({XToPixel(t, g.statistics.Mean), YToPixel(t, peak) - 2}, number);
    }
    FontSpec font = canvas.font();
    font.color = 0;
    canvas.SetFont(font);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    canvas.DrawText({left, text_h / 4},
                    ChooseText("Distribution of the means", "Medelvärdenas fördelning"));
}

}  // namespace tabulon
