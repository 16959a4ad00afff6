// Loads on several cores: the block scans against byte loops, the line split against the
// line cursor, and threaded imports against one-thread imports and a plain reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/language.h"
#include "worksheet/csv_file.h"
#include "worksheet/file_lines.h"
#include "worksheet/parallel_load.h"
#include "worksheet/text_file.h"
#include "worksheet/text_helpers.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

// Texts made of the bytes that matter to the scans, in runs of any length, so that tabs and
// line ends fall on and around every block boundary.
std::string RandomText(std::mt19937& random, std::size_t size, std::string_view alphabet) {
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    while (text.size() < size) text.push_back(alphabet[pick(random)]);
    return text;
}

// The fields of a line split the plain way: every tab ends one.
std::vector<std::string_view> SplitAtTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t') {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

TEST(BlockScan, MasksOfTheWideScanEqualTheByteLoopAtEveryLength) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        const std::string bytes = RandomText(random, 64, "\t.,x\r\n\x80");
        for (std::size_t n = 0; n <= 64; ++n) {
            for (const char separator : {'.', ','}) {
                const char foreign = separator == ',' ? '.' : ',';
                const auto wide = field_scan::MaskBlock(bytes.data(), n, '\t', separator, foreign);
                const auto plain =
                    field_scan::MaskBlockBytes(bytes.data(), n, '\t', separator, foreign);
                ASSERT_EQ(wide.delimiters, plain.delimiters) << trial << " " << n;
                ASSERT_EQ(wide.separators, plain.separators) << trial << " " << n;
                ASSERT_EQ(wide.foreigns, plain.foreigns) << trial << " " << n;
            }
        }
    }
}

// Every field with its first foreign separator and whether it holds the separator, against
// the plain split; read both with the end of the text right after the line (byte loop at
// the end) and with room to spare (wide loads throughout).
TEST(FieldScan, FindsTheFieldsOfThePlainSplit) {
    std::mt19937 random(11);
    // short fields across blocks, many empty fields, long fields, no tabs
    for (const auto& [alphabet, max_length] :
         {std::pair{"\t1.,", 200}, std::pair{"\t\t\ta", 150}, std::pair{"abcdefghij.,\t", 400},
          std::pair{"1.,x", 140}}) {
        std::uniform_int_distribution<std::size_t> length(0, max_length);
        for (int trial = 0; trial < 400; ++trial) {
            const std::string line = RandomText(random, length(random), alphabet);
            const std::vector<std::string_view> expected = SplitAtTabs(line);
            for (const std::size_t spare : {std::size_t{0}, std::size_t{70}}) {
                const std::string text = line + std::string(spare, '\t');
                const char* end = text.data() + line.size();
                const char* limit = text.data() + text.size();
                std::vector<field_scan::Field> found;
                field_scan::ForEachField(text.data(), end, limit, '\t', ',', '.',
                                         [&](const field_scan::Field& field) {
                                             found.push_back(field);
                                             return true;
                                         });
                ASSERT_EQ(found.size(), expected.size()) << line;
                for (std::size_t f = 0; f < found.size(); ++f) {
                    const std::string_view want = expected[f];
                    const std::string_view got(
                        found[f].begin, static_cast<std::size_t>(found[f].end - found[f].begin));
                    ASSERT_EQ(got, want) << "field " << f << " of " << line;
                    const std::size_t dot = want.find('.');
                    ASSERT_EQ(found[f].first_foreign,
                              dot == std::string_view::npos ? nullptr : found[f].begin + dot);
                    ASSERT_EQ(found[f].has_separator, want.find(',') != std::string_view::npos);
                }
                // Stopping after the second field: exactly two calls.
                int calls = 0;
                field_scan::ForEachField(text.data(), end, limit, '\t', ',', '.',
                                         [&](const field_scan::Field&) { return ++calls < 2; });
                ASSERT_EQ(calls, std::min<int>(2, static_cast<int>(expected.size())));
                // Skipping to each field lands on its first byte; one past the last finds none.
                for (std::size_t skip = 0; skip <= expected.size(); ++skip) {
                    const char* start = field_scan::SkipFields(text.data(), end, limit, '\t', skip);
                    if (skip == expected.size()) {
                        ASSERT_EQ(start, nullptr) << line;
                    } else {
                        ASSERT_EQ(start, expected[skip].data() - line.data() + text.data()) << line;
                    }
                }
            }
        }
    }
}

// The lines of the parallel split, in order, are those of the line cursor, wherever the
// parts start: lone CRs, CR LF pairs, empty lines and a missing or present last line break.
TEST(SplitLines, GivesTheLinesOfTheCursorForAnyNumberOfThreads) {
    std::mt19937 random(3);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    for (int trial = 0; trial < 300; ++trial) {
        const std::string text = RandomText(random, length(random), "ab\r\n\n\r\t");
        std::vector<std::string_view> expected;
        LineCursor cursor(text);
        std::string_view line;
        while (cursor.next(line)) expected.push_back(line);
        for (unsigned threads = 1; threads <= 5; ++threads) {
            const std::vector<LineSpan> spans = SplitLines(text, threads);
            ASSERT_EQ(spans.size(), expected.size()) << threads;
            for (std::size_t i = 0; i < spans.size(); ++i) {
                ASSERT_EQ(spans[i].begin,
                          static_cast<std::size_t>(expected[i].data() - text.data()));
                ASSERT_EQ(spans[i].end - spans[i].begin, expected[i].size());
            }
        }
    }
}

TEST(RunInThreads, RunsEveryJobOnceAndPassesTheFailureOn) {
    std::vector<std::atomic<int>> runs(4);
    RunInThreads(4, [&](unsigned i) { ++runs[i]; });
    for (const auto& count : runs) EXPECT_EQ(count.load(), 1);
    EXPECT_THROW(RunInThreads(3,
                              [](unsigned i) {
                                  if (i == 2) throw std::length_error("too long");
                              }),
                 std::length_error);
}

TEST(LoadThreadCount, OneThreadForASmallFileAndNoMoreThanTheCores) {
    EXPECT_EQ(LoadThreadCount(0), 1u);
    EXPECT_EQ(LoadThreadCount(3 * 40), 1u);  // a 3-line file
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    EXPECT_EQ(LoadThreadCount(std::size_t{1} << 40), cores);
}

// The import the plain way, from the rules of ParseTextFile: line i to row i + first_row,
// field f to column f + first_column, widest + 2 columns, lines + 2 rows, the separator
// adjusted in data cells.
Worksheet ReferenceImport(std::string_view text, const TextImportOptions& options, char separator) {
    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line)) lines.push_back(line);
    const int first_row = options.column_captions ? 1 : 2;
    const int first_column = options.row_captions ? 1 : 2;
    std::size_t widest = 0;
    for (std::string_view l : lines) widest = std::max(widest, SplitAtTabs(l).size());
    Worksheet sheet(static_cast<int>(widest) + 2, static_cast<int>(lines.size()) + 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = SplitAtTabs(lines[i]);
        const int row = first_row + static_cast<int>(i);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const int column = first_column + static_cast<int>(f);
            std::string cell(fields[f]);
            if (row >= 2 && column >= 2) AdjustDecimalSeparatorInPlace(cell, separator);
            sheet.setCell(column, row, cell);
        }
    }
    sheet.renumber();
    return sheet;
}

// A file of ragged lines: narrow ones first (so the threads' shares, taken from the first
// lines, are too small for the wide ones further down), empty fields, empty lines, fields
// longer than a block, both separators, and CR LF, LF and lone CR line ends.
std::string RaggedFile(std::mt19937& random, int lines) {
    std::uniform_int_distribution<int> width(1, 40);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> ending(0, 2);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        const int fields = i < 5 ? 2 : width(random) + (i % 97 == 0 ? 60 : 0);
        for (int f = 0; f < fields; ++f) {
            if (f > 0) text.push_back('\t');
            switch (kind(random)) {
                case 0:
                    break;  // empty field
                case 1:
                    text += std::string(70 + f, 'w') + "1.5";
                    break;
                case 2:
                    text += "3,25";
                    break;
                case 3:
                    text += "1,5.2";
                    break;
                default:
                    text += std::to_string(i * 31 + f) + "." + std::to_string(f);
            }
        }
        if (i % 50 == 7) text += "\t";  // a trailing empty field
        const int e = ending(random);
        text += e == 0 ? "\r\n" : e == 1 ? "\n" : "\r";
        if (i % 113 == 0) text += "\n";  // an empty line
    }
    if (lines % 2) text += "last\tline\twithout\tbreak";
    return text;
}

// Both caption boxes in every combination, each with one of the decimal separators.
struct ImportCase {
    bool column_captions;
    bool row_captions;
    char separator;
};
constexpr ImportCase kImports[] = {
    {false, false, '.'}, {true, false, ','}, {false, true, '.'}, {true, true, ','}};

TEST(ThreadedImport, EqualsTheOneThreadImportAndThePlainReference) {
    std::mt19937 random(41);
    for (const ImportCase& c : kImports) {
        SCOPED_TRACE(::testing::Message() << c.column_captions << c.row_captions << c.separator);
        ScopedTextSettings settings(Language::English, c.separator);
        const TextImportOptions options{c.column_captions, c.row_captions};
        for (const int lines : {0, 1, 3, 400, 2501}) {
            const std::string text = RaggedFile(random, lines);
            const LoadResult one = ParseTextFileInThreads(text, options, 1);
            ASSERT_TRUE(one.ok);
            EXPECT_EQ(one.sheet, ReferenceImport(text, options, c.separator)) << lines;
            for (const unsigned threads : {2u, 3u, 4u, 7u}) {
                const LoadResult many = ParseTextFileInThreads(text, options, threads);
                ASSERT_TRUE(many.ok);
                EXPECT_EQ(many.sheet, one.sheet) << lines << " lines, " << threads << " threads";
            }
        }
    }
}

// A .csv file without quotes read as a delimited text, on any number of threads, gives the
// sheet of the general reader: ragged records, empty fields, both delimiters, all line ends.
TEST(ThreadedImport, UnquotedCsvEqualsTheGeneralReader) {
    std::mt19937 random(47);
    for (const ImportCase& c : kImports) {
        SCOPED_TRACE(::testing::Message() << c.column_captions << c.row_captions << c.separator);
        ScopedTextSettings settings(Language::English, c.separator);
        const TextImportOptions options{c.column_captions, c.row_captions};
        for (const int lines : {0, 1, 3, 400, 1501}) {
            for (const char delimiter : {',', ';'}) {
                std::string text = RaggedFile(random, lines);
                // Fields that hold the delimiter would split differently: they lose it.
                std::replace(text.begin(), text.end(), delimiter, ':');
                std::replace(text.begin(), text.end(), '\t', delimiter);
                const LoadResult general = ParseCsvFileInThreads(text, options, 0);
                ASSERT_TRUE(general.ok);
                for (const unsigned threads : {1u, 2u, 5u}) {
                    const LoadResult fast = ParseCsvFileInThreads(text, options, threads);
                    ASSERT_TRUE(fast.ok);
                    EXPECT_EQ(fast.sheet, general.sheet)
                        << lines << " lines, '" << delimiter << "', " << threads << " threads";
                }
            }
        }
    }
}

// A worksheet file read on any number of threads gives back the sheet that was written,
// notes included, whatever line ends the file has been given since.
TEST(ThreadedWorksheetFile, ReadsBackTheWrittenSheetWithAnyLineEnds) {
    ScopedTextSettings settings(Language::English, '.');
    std::mt19937 random(59);
    std::uniform_int_distribution<int> kind(0, 4);
    std::uniform_int_distribution<int> ending(0, 2);
    for (const auto& [columns, rows] : {std::pair{2, 2}, std::pair{3, 40}, std::pair{37, 211}}) {
        Worksheet sheet(columns, rows);
        sheet.renumber();
        for (int c = 1; c < columns; ++c) {
            sheet.setColumnWidth(c, 10 + c);
            for (int r = 1; r < rows; ++r) {
                const int k = kind(random);
                sheet.setCell(c, r,
                              k == 0   ? ""
                              : k == 1 ? std::string(90, 'v')
                                       : std::to_string(r * 7 + c) + ".5");
            }
        }
        sheet.setNotes("first note\n\nthird");
        std::string written;
        std::string error;
        ASSERT_TRUE(FormatWorksheetFile(sheet, written, error)) << error;
        std::string text;
        for (std::size_t i = 0; i < written.size(); ++i) {
            const bool pair = written.compare(i, 2, "\r\n") == 0;
            if (!pair) {
                text.push_back(written[i]);
                continue;
            }
            // A lone CR before an empty line that ends in LF would make one line end of two.
            const bool next_empty =
                i + 2 < written.size() && (written[i + 2] == '\r' || written[i + 2] == '\n');
            const int e = ending(random);
            text += e == 0 ? "\r\n" : e == 1 || next_empty ? "\n" : "\r";
            ++i;
        }
        for (const unsigned threads : {1u, 2u, 3u, 8u}) {
            const LoadResult loaded = ParseWorksheetFileInThreads(text, threads);
            ASSERT_TRUE(loaded.ok) << columns << "x" << rows << ", " << threads << " threads";
            EXPECT_EQ(loaded.sheet, sheet) << columns << "x" << rows << ", " << threads;
        }
        // Half the file: too few cell lines, refused before anything is filled.
        EXPECT_FALSE(ParseWorksheetFileInThreads(written.substr(0, written.size() / 2), 2).ok);
    }
}

// More threads than the first line has fields: the extra threads are not started and the
// wide line further down still lands whole.
TEST(ThreadedImport, ANarrowFirstLineLeavesTheWideLinesWhole) {
    ScopedTextSettings settings(Language::English, '.');
    const LoadResult loaded = ParseTextFileInThreads("x\n1\t2\t3\t4\t5\t6\t7\t8\n", {}, 4);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.columnCount(), 10);  // 8 fields + 2
    EXPECT_EQ(loaded.sheet.cell(9, 3), "8");
    EXPECT_EQ(loaded.sheet.cell(3, 2), "");
}

}  // namespace
}  // namespace tabulon
