// Worksheet files: the three versions, names, refusals before allocation, atomic saves.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <vector>

#include "base/language.h"
#include "file_test_folder.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

using testing::FileTestFolder;

// A .tbn text of the given version from its parts, lines ended by `eol`.
std::string TbnText(std::string_view version, const std::vector<std::string>& after_header,
                    const char* eol = "\r\n") {
    std::string text = "TABULON FILE TYPE " + std::string(version) + eol;
    for (int i = 0; i < 49; ++i) text += eol;
    for (const std::string& line : after_header) text += line + eol;
    return text;
}

std::size_t CountCrLf(const std::string& bytes) {
    std::size_t n = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ++n;
    }
    return n;
}

// A sheet with something in every kind of cell.
Worksheet SampleSheet() {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "Vikt (µg/m³) – prov 5");
    sheet.setCell(3, 1, "pH");
    sheet.setCell(1, 2, "prov A");
    sheet.setCell(2, 2, "1.25");
    sheet.setCell(2, 5, "-3E-7");
    sheet.setCell(3, 101, "abc");
    sheet.setColumnWidth(1, 120);
    sheet.setColumnWidth(2, 0);
    sheet.setNotes("mätt 2024\n\nsista raden");
    return sheet;
}

class WorksheetFileTest : public FileTestFolder {
protected:
    ScopedTextSettings m_settings{Language::English, '.'};
};

// Saving appends .tbn only when the last five characters hold no dot; loading looks for the
// extension anywhere in the lower-case name.
TEST(FileKinds, FollowTheNames) {
    using K = WorksheetFileKind;
    const struct {
        const char *given, *written;
        K save, load;
    } cases[] = {
        {"data", "data.tbn", K::Worksheet, K::Unknown},
        {"my.data", "my.data", K::Worksheet, K::Unknown},
        {"/a.b/longname", "/a.b/longname.tbn", K::Worksheet, K::Unknown},
        {"ab", "ab.tbn", K::Worksheet, K::Unknown},
        {"/x/A.TBN", "/x/A.TBN", K::Worksheet, K::Worksheet},
        {"a.tbn.bak", "a.tbn.bak", K::Worksheet, K::Worksheet},
        {"x.TXT", "x.TXT", K::Text, K::Text},
        {"x.txt1", "x.txt1", K::Text, K::Text},  // ".TXT" in "TXT1"
        {"y.Csv", "y.Csv", K::Csv, K::Csv},
        {"a.xls", "a.xls", K::Worksheet, K::Unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(SaveFileName(c.given), c.written);
        EXPECT_EQ(SaveKindOf(c.given), c.save);
        EXPECT_EQ(LoadKindOf(c.given), c.load);
    }
}

TEST_F(WorksheetFileTest, SavingToDataWritesDataTbnAndATxtNameExportsText) {
    const SaveResult plain = SaveWorksheet(SampleSheet(), Path("data"));
    ASSERT_TRUE(plain.ok) << plain.error;
    EXPECT_EQ(plain.file_name, Path("data.tbn"));
    EXPECT_EQ(ReadBytes(Path("data.tbn")).substr(0, 21), "TABULON FILE TYPE 2.0");
    EXPECT_FALSE(std::filesystem::exists(Path("data")));
    const SaveResult text = SaveWorksheet(SampleSheet(), Path("x.TXT"), false);
    ASSERT_TRUE(text.ok) << text.error;
    EXPECT_EQ(text.kind, WorksheetFileKind::Text);
    EXPECT_EQ(ReadBytes(Path("x.TXT")).substr(0, 6), "1.25\t\t");  // values only: row 2 on
}

TEST_F(WorksheetFileTest, AVersion20FileWritesItsLayoutLineByLine) {
    Worksheet sheet(3, 2);
    sheet.renumber();
    sheet.setCell(2, 1, "x");
    sheet.setColumnWidth(0, 10);
    std::string text;
    std::string error;
    ASSERT_TRUE(FormatWorksheetFile(sheet, text, error));
    // worked by hand from the layout: C, R, widths, then row 0, row 1 cell by cell
    EXPECT_EQ(text, TbnText("2.0", {"3", "2", "10", "64", "64", "", "", "1", "", "", "x"}));
    // worked by hand: header 1 + 49 empty + 2 counts + 22 widths + 22 x 102 cells + 2 notes
    Worksheet start = Worksheet::StartSheet();
    start.setNotes("one\ntwo");
    ASSERT_TRUE(FormatWorksheetFile(start, text, error));
    EXPECT_EQ(CountCrLf(text), 1u + 49 + 2 + 22 + 22 * 102 + 2);
}

TEST_F(WorksheetFileTest, ASavedSheetLoadsBackCellForCellInTheEncodingItNeeds) {
    const Worksheet sheet = SampleSheet();
    ASSERT_TRUE(SaveWorksheet(sheet, Path("round.tbn")).ok);
    // Every character fits the code page, so the file is Windows-1252.
    EXPECT_NE(ReadBytes(Path("round.tbn")).find("Vikt (\xB5g/m\xB3) \x96 prov 5"),
              std::string::npos);
    {
        // Opened with a comma: the texts come back verbatim, no separator adjustment.
        ScopedTextSettings comma(Language::Swedish, ',');
        const LoadResult loaded = LoadWorksheet(Path("round.tbn"));
        ASSERT_TRUE(loaded.ok) << loaded.error;
        EXPECT_EQ(loaded.encoding, TextEncoding::Windows1252);
        EXPECT_EQ(loaded.sheet, sheet);
        EXPECT_EQ(loaded.sheet.cell(2, 2), "1.25");
    }
    Worksheet utf8 = SampleSheet();
    utf8.setCell(4, 1, "σ (µg) → Δ");  // outside the code page
    ASSERT_TRUE(SaveWorksheet(utf8, Path("utf8.tbn")).ok);
    const LoadResult loaded = LoadWorksheet(Path("utf8.tbn"));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.encoding, TextEncoding::Utf8);
    EXPECT_EQ(loaded.sheet, utf8);
}

TEST_F(WorksheetFileTest, NotesKeepTheirEmptyLinesIncludingAFinalOne) {
    for (const char* notes : {"", "a", "a\n", "\n", "a\n\nb", "\n\n"}) {
        Worksheet sheet = Worksheet::StartSheet();
        sheet.setNotes(notes);
        ASSERT_TRUE(SaveWorksheet(sheet, Path("n.tbn")).ok);
        EXPECT_EQ(LoadWorksheet(Path("n.tbn")).sheet.notes(), notes) << notes;
    }
}

TEST_F(WorksheetFileTest, LfAndCrLineEndsReadLikeCrLf) {
    const std::vector<std::string> body = {"2", "3", "5", "6", "", "", "", "a", "b", "c", "n"};
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const LoadResult loaded = ParseWorksheetFile(TbnText("2.0", body, eol));
        ASSERT_TRUE(loaded.ok) << static_cast<int>(eol[0]);
        EXPECT_EQ(loaded.sheet.columnCount(), 2);
        EXPECT_EQ(loaded.sheet.rowCount(), 3);
        EXPECT_EQ(loaded.sheet.columnWidth(1), 6);
        EXPECT_EQ(loaded.sheet.cell(1, 2), "c");
        EXPECT_EQ(loaded.sheet.notes(), "n");
    }
}

// Version 1.0 with 5 old columns and 10 old rows: captions in old row 0 and old column 0.
std::vector<std::string> Version1Body(bool numbered_rows) {
    std::vector<std::string> lines = {"5", "10", "40", "50", "60", "70", "80"};
    for (int j = 0; j < 10; ++j) {
        for (int k = 0; k < 5; ++k) {
            if (j == 0) {
                lines.push_back(k == 0 ? "" : "K" + std::to_string(k));
            } else if (k == 0) {
                lines.push_back(numbered_rows ? std::to_string(j) : "R" + std::to_string(j));
            } else {
                lines.push_back(std::to_string(j) + "." + std::to_string(k));
            }
        }
    }
    return lines;
}

TEST_F(WorksheetFileTest, Version10MovesOldCaptionsToRowAndColumnOneOfAStartSizeSheet) {
    ScopedTextSettings comma(Language::Swedish, ',');
    std::vector<std::string> body = Version1Body(false);
    body.push_back("old notes");
    const LoadResult loaded = ParseWorksheetFile(TbnText("1.0", body));
    ASSERT_TRUE(loaded.ok);
    const Worksheet& sheet = loaded.sheet;
    EXPECT_EQ(sheet.columnCount(), 22);  // at least the start-up size
    EXPECT_EQ(sheet.rowCount(), 102);
    EXPECT_EQ(sheet.cell(2, 1), "K1");    // old (1, 0) -> (2, 1)
    EXPECT_EQ(sheet.cell(1, 10), "R9");   // old (0, 9) -> (1, 10)
    EXPECT_EQ(sheet.cell(5, 10), "9,4");  // data: the separator follows the locale
    EXPECT_EQ(sheet.cell(6, 2), "");
    EXPECT_EQ(sheet.cell(2, 0), "1");     // renumbered
    EXPECT_EQ(sheet.columnWidth(5), 80);  // old column 4 -> grid column 5
    EXPECT_EQ(sheet.notes(), "old notes");
    // Row captions that repeat the row number are dropped.
    const LoadResult numbered = ParseWorksheetFile(TbnText("1.0", Version1Body(true)));
    ASSERT_TRUE(numbered.ok);
    for (int r = 2; r <= 10; ++r) EXPECT_EQ(numbered.sheet.cell(1, r), "") << r;
    EXPECT_EQ(numbered.sheet.cell(2, 1), "K1");
}

TEST_F(WorksheetFileTest, Version11SkipsOneLinePerOldDataColumnBeforeTheNotes) {
    std::vector<std::string> body = Version1Body(false);
    for (int k = 1; k < 5; ++k) body.push_back("column info " + std::to_string(k));
    body.push_back("notes line");
    const LoadResult loaded = ParseWorksheetFile(TbnText("1.1", body));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.notes(), "notes line");
    EXPECT_EQ(loaded.sheet.cell(2, 2), "1.1");  // point locale: unchanged
}

TEST_F(WorksheetFileTest, Version1LargerThanTheStartSizeKeepsOneSpareColumnAndRow) {
    std::vector<std::string> body = {"30", "120"};
    for (int k = 0; k < 30; ++k) body.push_back("64");
    for (int i = 0; i < 30 * 120; ++i) body.push_back("");
    const LoadResult loaded = ParseWorksheetFile(TbnText("1.0", body));
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.sheet.columnCount(), 32);  // ResetWorksheet(c + 1, r + 1): c + 2
    EXPECT_EQ(loaded.sheet.rowCount(), 122);
}

TEST(ParseWorksheetFile, RefusesBrokenFilesWithTheFormatMessageBeforeAllocating) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const std::string cases[] = {
        TbnText("2.0", {"1000000000", "1000000000", "64"}),
        TbnText("1.0", {"1000000000", "1000000000"}),
        TbnText("2.0", {"-3", "5"}),                             // negative columns
        TbnText("1.1", {"3", "-5"}),                             // negative rows
        TbnText("2.0", {"2", "2", "-1", "5", "", "", "", ""}),   // negative width
        TbnText("2.0", {"3", "3", "64", "64", "64", "a", "b"}),  // too few cells
        TbnText("1.1", {"2", "1", "5", "5", "a", "b"}),          // too few old notes lines
        TbnText("2.0", {"drei", "3"}),                           // count not a number
        TbnText("2.0", {"1", "3", "64", "", "", ""}),            // count too small
        TbnText("2.0", {}),                                      // no counts
        "TABULON FILE TYPE 2.0\r\n\r\n3\r\n",                    // short header block
        TbnText("3.0", {"2", "2", "1", "1", "", "", "", ""}),    // unknown version
        "a\tb\r\n1\t2\r\n",                                      // not a worksheet file
        "",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        const LoadResult loaded = ParseWorksheetFile(text);
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(loaded.error, "Error in file format...");
        // Nothing was allocated for the announced sheet: the result holds a default sheet.
        EXPECT_LE(loaded.sheet.columnCount(), Worksheet::kStartColumns);
    }
}

TEST_F(WorksheetFileTest, AnUnknownNameIsAFormatErrorAndAMissingFileOrFolderAnIoError) {
    EXPECT_EQ(LoadWorksheet(Path("sheet.xls")).error, "Error in file format...");
    ScopedTextSettings swedish(Language::Swedish, ',');
    const LoadResult missing = LoadWorksheet(Path("missing.tbn"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error.rfind("Kunde inte läsa filen " + Path("missing.tbn") + ": ", 0), 0u)
        << missing.error;
    const SaveResult saved = SaveWorksheet(SampleSheet(), Path("no/such/folder/x.tbn"));
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.error.find("x.tbn"), std::string::npos);
}

TEST_F(WorksheetFileTest, ACellWithALineBreakIsRefusedAndTheOldFileKept) {
    ASSERT_TRUE(SaveWorksheet(SampleSheet(), Path("keep.tbn")).ok);
    const std::string before = ReadBytes(Path("keep.tbn"));
    Worksheet sheet = SampleSheet();
    sheet.setCell(4, 7, "two\nlines");
    const SaveResult result = SaveWorksheet(sheet, Path("keep.tbn"));
    EXPECT_FALSE(result.ok);
    // Visible numbers: column index 4 is column 3, row index 7 is row 6.
    EXPECT_EQ(result.error,
              "The cell in column 3, row 6 holds a line break, which a worksheet file cannot "
              "hold");
    EXPECT_EQ(ReadBytes(Path("keep.tbn")), before);
}

TEST_F(WorksheetFileTest, AWriteThatFailsHalfwayLeavesThePreviousFileIntact) {
    Worksheet small = Worksheet::StartSheet();
    ASSERT_TRUE(SaveWorksheet(small, Path("old.tbn")).ok);
    const std::string before = ReadBytes(Path("old.tbn"));
    Worksheet big = Worksheet::StartSheet();
    big.resize(200, 200);
    // A file size limit makes the write fail part way, as a full disk would.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = before.size() + 1000;
    setrlimit(RLIMIT_FSIZE, &limited);
    const SaveResult result = SaveWorksheet(big, Path("old.tbn"));
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error.rfind("Could not save the file " + Path("old.tbn") + ": ", 0), 0u)
        << result.error;
    EXPECT_EQ(ReadBytes(Path("old.tbn")), before);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(WorksheetFileTest, SavingKeepsThePermissionsAndALinkKeepsItsTarget) {
    ASSERT_TRUE(SaveWorksheet(SampleSheet(), Path("real.tbn")).ok);
    std::filesystem::permissions(Path("real.tbn"), std::filesystem::perms(0640));
    std::filesystem::create_symlink(Path("real.tbn"), Path("link.tbn"));
    Worksheet changed = SampleSheet();
    changed.setCell(2, 2, "99");
    ASSERT_TRUE(SaveWorksheet(changed, Path("link.tbn")).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.tbn")));
    EXPECT_EQ(LoadWorksheet(Path("real.tbn")).sheet.cell(2, 2), "99");
    EXPECT_EQ(std::filesystem::status(Path("real.tbn")).permissions(),
              std::filesystem::perms(0640));
}

}  // namespace
}  // namespace tabulon
