// The x-Data computation: the sample, the confidence intervals and the window's, clipboard's
// and printer's texts in both languages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/language.h"
#include "numeric/number_text.h"
#include "univariate/descriptive.h"
#include "univariate/descriptive_sample.h"

namespace tabulon {
namespace {

DescriptiveSample Sample(std::vector<std::string> texts, char separator = '.') {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < texts.size(); ++i) rows.push_back(std::to_string(i + 1));
    auto sample = MakeDescriptiveSample(std::move(texts), std::move(rows), separator);
    EXPECT_TRUE(sample.has_value());
    return sample ? *sample : DescriptiveSample{};
}

std::vector<std::string> TenToFourteen() {
    return {"10", "11", "12", "13", "14"};
}

TEST(DescriptiveSampleTest, ConvertsOnceAndCountsDistinctValues) {
    const auto s = MakeDescriptiveSample({"2,5", "1", "2,5", "7", "1", "2,5"},
                                         {"1", "2", "4", "5", "9", "10"}, ',');
    ASSERT_TRUE(s);
    EXPECT_EQ(s->values, (std::vector<Extended>{2.5L, 1, 2.5L, 7, 1, 2.5L}));
    EXPECT_EQ(s->distinct, (std::vector<Extended>{1, 2.5L, 7}));
    EXPECT_EQ(s->counts, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(s->max_count, 3);
    EXPECT_EQ(s->min, 1);
    EXPECT_EQ(s->max, 7);
    EXPECT_EQ(s->RowText(4), "9");
    EXPECT_EQ(s->Count(), 6);
    EXPECT_EQ(s->statistics.Mean, 16.5L / 6);  // worked by hand: 16.5 / 6
}

TEST(DescriptiveSampleTest, RefusesTooFewValuesAndNamesATextThatIsNoNumber) {
    EXPECT_FALSE(MakeDescriptiveSample({"3"}, {"1"}, '.'));
    EXPECT_FALSE(MakeDescriptiveSample({}, {}, '.'));
    ScopedTextSettings settings(Language::Swedish, '.');
    try {
        MakeDescriptiveSample({"1", "abc", "3"}, {"1", "2", "3"}, '.');
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.text(), "abc");
        EXPECT_STREQ(e.what(), "'abc' är inte ett giltigt tal");
    }
    // The separator is the one given: "1.5" is not a number where "," is the separator.
    EXPECT_THROW(MakeDescriptiveSample({"1.5", "2"}, {"1", "2"}, ','), ConversionError);
}

TEST(DescriptiveSampleTest, ReadStraightFromTheSheetIsTheSampleOfTheColumnsTexts) {
    // Column 2 with an empty cell on row 4 (sheet row 5), as ReadColumn would skip it.
    Worksheet sheet(3, 8);
    const std::vector<std::string> cells{"2,5", "1", "", "7", "1", "-0,25"};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        sheet.setCell(2, Worksheet::kFixedRows + static_cast<int>(i), cells[i]);
    }
    const auto from_sheet = MakeDescriptiveSample(sheet, 2, ',');
    const auto from_texts =
        MakeDescriptiveSample({"2,5", "1", "7", "1", "-0,25"}, {"1", "2", "4", "5", "6"}, ',');
    ASSERT_TRUE(from_sheet && from_texts);
    EXPECT_EQ(from_sheet->values, from_texts->values);
    EXPECT_EQ(from_sheet->row_numbers, (std::vector<int>{1, 2, 4, 5, 6}));
    EXPECT_EQ(from_sheet->Text(4), "-0,25");
    EXPECT_EQ(from_sheet->RowText(2), "4");
    EXPECT_EQ(from_sheet->statistics.Mean, from_texts->statistics.Mean);
    EXPECT_EQ(from_sheet->statistics.Median, 1);  // worked by hand: -0.25 1 1 2.5 7
    EXPECT_EQ(from_sheet->distinct, from_texts->distinct);
    sheet.setCell(2, 4, "x");
    EXPECT_THROW(MakeDescriptiveSample(sheet, 2, ','), ConversionError);
    EXPECT_FALSE(MakeDescriptiveSample(sheet, 9, ','));  // no such column
}

TEST(DescriptiveSampleTest, ABigColumnCopiedBesideItsReadingIsTheSame) {
    // Enough values for the texts to be copied on a thread of their own; every 1000th row
    // is empty.
    constexpr int kRows = 120'000;
    Worksheet sheet(3, kRows + Worksheet::kFixedRows);
    std::vector<std::string> texts;
    std::vector<std::string> rows;
    for (int i = 0; i < kRows; ++i) {
        if (i % 1000 == 999) continue;
        const std::string text = std::to_string(100 + i % 977) + "." + std::to_string(i % 100);
        sheet.setCell(2, Worksheet::kFixedRows + i, text);
        texts.push_back(text);
        rows.push_back(std::to_string(i + 1));
    }
    const auto from_sheet = MakeDescriptiveSample(sheet, 2, '.');
    const auto from_texts = MakeDescriptiveSample(texts, rows, '.');
    ASSERT_TRUE(from_sheet && from_texts);
    EXPECT_EQ(from_sheet->values, from_texts->values);
    EXPECT_EQ(from_sheet->row_numbers, from_texts->row_numbers);
    EXPECT_EQ(from_sheet->texts, from_texts->texts);
    EXPECT_EQ(from_sheet->statistics.Variance, from_texts->statistics.Variance);
    sheet.setCell(2, Worksheet::kFixedRows + kRows - 5, "late");
    sheet.setCell(2, Worksheet::kFixedRows + 7, "early");
    try {
        MakeDescriptiveSample(sheet, 2, '.');
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.text(), "early");  // the first in the column
    }
}

struct IntervalCase {
    double level;
    double t;           // TQuantile on its 0.001 grid
    double value_half;  // s·t
    double mean_half;   // s·t/√5
};

class IntervalTest : public ::testing::TestWithParam<IntervalCase> {};

// 10..14: s = sqrt(2.5). t = t(4, α/2) on the 0.001 grid (R: qt(1 - α/2, 4) rounded down).
TEST_P(IntervalTest, TenToFourteen) {
    const IntervalCase& c = GetParam();
    const DescriptiveSample s = Sample(TenToFourteen());
    const ConfidenceIntervals ci = ComputeConfidenceIntervals(s.statistics, c.level);
    EXPECT_NEAR(double(ci.t), c.t, 1e-12);
    EXPECT_NEAR(double(ci.value_half), c.value_half, 1e-9);
    EXPECT_NEAR(double(ci.mean_half), c.mean_half, 1e-9);
    EXPECT_TRUE(ci.sigma_computed);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, IntervalTest,
    // R: qt(0.975, 4) = 2.776445, qt(0.995, 4) = 4.604095, qt(0.9, 4) = 1.533206, each
    // rounded down to the grid; then sqrt(2.5)*t and sqrt(2.5)*t/sqrt(5)
    ::testing::Values(IntervalCase{95, 2.776, 4.389241392, 1.962928425},
                      IntervalCase{99, 4.604, 7.279563174, 3.255519621},
                      IntervalCase{80, 1.533, 2.423885827, 1.083994696}));

struct TextCase {
    const char* name;
    Language language;
    char separator;
    std::vector<std::string> values;
    double level;
    XDataTexts expected;
};

class XDataTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(XDataTextTest, NumbersAsTheWindowWritesThem) {
    const TextCase& c = GetParam();
    ScopedTextSettings settings(c.language, c.separator);
    const DescriptiveSample s = Sample(c.values, c.separator);
    const XDataTexts t =
        FormatXData(s.statistics, ComputeConfidenceIntervals(s.statistics, c.level));
    EXPECT_EQ(t.mean, c.expected.mean);
    EXPECT_EQ(t.median, c.expected.median);
    EXPECT_EQ(t.std_dev, c.expected.std_dev);
    EXPECT_EQ(t.variance, c.expected.variance);
    EXPECT_EQ(t.variation, c.expected.variation);
    EXPECT_EQ(t.count, c.expected.count);
    EXPECT_EQ(t.value_interval, c.expected.value_interval);
    EXPECT_EQ(t.mean_interval, c.expected.mean_interval);
    EXPECT_EQ(t.sigma_interval, c.expected.sigma_interval);
    EXPECT_EQ(t.level, c.expected.level);
}

std::vector<std::string> Many(int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i) v.push_back(std::to_string(i % 7));
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, XDataTextTest,
    ::testing::Values(
        // s = 1.5811, CV = 100·1.58114/12; the σ interval from the χ² quantiles on their
        // grids, 11.143 and 0.4844 (R: sqrt(10/11.143), sqrt(10/0.4844)).
        TextCase{"ten_to_fourteen_sv",
                 Language::Swedish,
                 ',',
                 TenToFourteen(),
                 95,
                 {"12", "12", "1,5811", "2,5", "13,176", "5", "12±4,3892", "12±1,9629",
                  "[0,94732;4,5436]", "95"}},
        TextCase{"ten_to_fourteen_en",
                 Language::English,
                 '.',
                 TenToFourteen(),
                 99.9,
                 // R: qt(0.9995, 4) = 8.610302, on the grid 8.610; qchisq(c(0.9995, 0.0005),
                 // 4) = 19.99735, 0.06392204, on their grids 19.997 and 0.0639
                 {"12", "12", "1.5811", "2.5", "13.176", "5", "12±13.614", "12±6.0882",
                  "[0.70716;12.51]", "99.9"}},
        // No spread: zero-width intervals, no division by zero.
        TextCase{"equal_sv",
                 Language::Swedish,
                 ',',
                 {"5", "5", "5"},
                 95,
                 {"5", "5", "0", "0", "0", "3", "5±0", "5±0", "[0;0]", "95"}},
        // A mean of 0 has no coefficient of variation.
        TextCase{"mean_zero_en",
                 Language::English,
                 '.',
                 {"-1", "1"},
                 95,
                 // R: qt(0.975, 1) = 12.7062 -> 12.706; s = sqrt(2); qchisq(c(0.975, 0.025), 1)
                 // = 5.023886, 0.0009820691, on their grids 5.02388 and 0.000982
                 {"0", "0", "1.4142", "2", "Impossible. Mean=0", "2", "0±17.969", "0±12.706",
                  "[0.63095;45.129]", "95"}},
        // Two values at 99.99 %: the lower χ² quantile lies below the first grid step (1e-7)
        // and is taken exactly. R: qt(0.99995, 1) = 6366.198 -> 6366.197;
        // qchisq(0.99995, 1) = 16.44811; qchisq(0.00005, 1) = 3.926991e-09;
        // sqrt(2/16.44811), sqrt(2/3.926991e-09)
        TextCase{"two_at_high_level_en",
                 Language::English,
                 '.',
                 {"-1", "1"},
                 99.99,
                 {"0", "0", "1.4142", "2", "Impossible. Mean=0", "2", "0±9003.2", "0±6366.2",
                  "[0.3487;22568]", "99.99"}},
        // The σ interval is only computed up to 445 values.
        TextCase{"many_sv",
                 Language::Swedish,
                 ',',
                 Many(446),
                 97.3,
                 // R: x <- (0:445) %% 7; mean, median, sd, var, 100*sd/mean;
                 // qt(1 - 0.0135, 445) = 2.21886, on the grid 2.218
                 {"2,9888", "3", "1,9994", "3,9976", "66,897", "446", "2,9888±4,4347",
                  "2,9888±0,20999", "Går ej. n>445", "97,3"}}),
    [](const auto& info) { return std::string(info.param.name); });

XDataReport TenToFourteenReport(Extended level, OutlierTest test = OutlierTest::Grubb) {
    const DescriptiveSample s = Sample(TenToFourteen(), DecimalSeparator());
    return MakeXDataReport("Vikt", s.statistics, ComputeConfidenceIntervals(s.statistics, level),
                           RunOutlierTest(test, s));
}

TEST(XDataTextTest, ClipboardLayoutSwedish) {
    ScopedTextSettings settings(Language::Swedish, ',');
    EXPECT_EQ(XDataClipboardText(TenToFourteenReport(95)),
              "Vikt\r"
              "Data:\r "
              "Medelvärde = 12\r "
              "Median = 12\r "
              "Standardavvikelse = 1,5811\r "
              "Varians = 2,5\r "
              "Variationskoefficient (%) = 13,176\r "
              "Antal mätvärden = 5\r "
              "\r"
              "Konfidensintervall (95%):\r "
              "Variabeln = 12±4,3892\r "
              "Väntevärdet = 12±1,9629\r "
              "Standardavvikelsen = [0,94732;4,5436]\r "
              "\r"
              "Outliers:\r "
              "Inga outliers.\r "
              "Högsta testade nivå=10,1% med dubbelsidig test.\r ");
}

TEST(XDataTextTest, ClipboardLayoutEnglishAndAsCommandLineLines) {
    ScopedTextSettings settings(Language::English, '.');
    const std::string text = XDataClipboardText(TenToFourteenReport(99, OutlierTest::Dixon));
    EXPECT_EQ(ClipboardTextAsLines(text),
              "Vikt\n"
              "Data:\n"
              " Mean = 12\n"
              " Median = 12\n"
              " Standard deviation = 1.5811\n"
              " Variance = 2.5\n"
              " Coefficient of variation (%) = 13.176\n"
              " Number of data points = 5\n"
              " \n"
              "Confidence interval (99%):\n"
              " Variable = 12±7.2796\n"
              " True mean = 12±3.2555\n"
              // R: qchisq(c(0.995, 0.005), 4) = 14.86026, 0.2069891, on their grids 14.860
              // and 0.2069: sqrt(10/14.860), sqrt(10/0.2069)
              " Standard deviation = [0.82033;6.9522]\n"
              " \n"
              "Outliers:\n"
              // Q = 1/4 (by hand); the n = 5 cubic gives -7.6 there (R): no outlier
              " Q=0.25\n"
              " No Outlier\n"
              " \n");
}

TEST(XDataTextTest, WindowAndPrinterEachUseTheirOwnLabels) {
    ScopedTextSettings settings(Language::English, '.');
    const XDataReport report = TenToFourteenReport(95);
    const std::vector<std::string> lines = XDataWindowLines(report);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "          Mean = 12");
    EXPECT_EQ(lines[4], "Coefficient of varation (%) = 13.176");
    EXPECT_EQ(lines[5], "n = 5");
    EXPECT_EQ(lines[7], "Confidence interval");
    EXPECT_EQ(lines[8], "Variable = 12±4.3892");
    EXPECT_EQ(lines[9], "μ = 12±1.9629");
    EXPECT_EQ(lines[10], "σ = [0.94732;4.5436]");
    EXPECT_EQ(lines[12], "Outliers: Grubb's test");
    EXPECT_EQ(lines[13], "No outliers.");
    const std::vector<std::string> en = XDataPrintLines(report);
    ASSERT_EQ(en.size(), 17u);
    EXPECT_EQ(en[0], "Vikt");
    EXPECT_EQ(en[2], " Mean value = 12");
    EXPECT_EQ(en[5], " Variance2.5");  // the printer's English label has no " = "
    EXPECT_EQ(en[10], " Variable (%) = 12±4.3892");
    EXPECT_EQ(en[14], "Outliers:");
    ScopedTextSettings swedish(Language::Swedish, ',');
    const std::vector<std::string> sv = XDataPrintLines(TenToFourteenReport(95));
    EXPECT_EQ(sv[5], " Varians = 2,5");
    EXPECT_EQ(sv[9], "Konfidensintervall (95%):");
    EXPECT_EQ(sv[10], " Variabeln (%) = 12±4,3892");
    EXPECT_EQ(sv[12], " Standardavvikelsen = [0,94732;4,5436]");
}

TEST(XDataTextTest, ClipboardTextIsCutAt64000BytesOnACharacterBoundary) {
    ScopedTextSettings settings(Language::Swedish, ',');
    XDataReport report = TenToFourteenReport(95);
    report.caption = std::string(63999, 'a') + "ä";  // ä takes bytes 64000 and 64001
    const std::string text = XDataClipboardText(report);
    EXPECT_EQ(text, std::string(63999, 'a'));
}

}  // namespace
}  // namespace tabulon
