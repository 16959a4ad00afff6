// Saving when the disk gives out: every writer of user data, failing at every step of the
// write (or killed there), leaves the file it replaces byte for byte as it was, and the
// temporary files of dead saves are cleared by the next save, never those of a live one.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "../worksheet/file_test_folder.h"
#include "base/language.h"
#include "multivariate/model_file.h"
#include "shell/grid_settings.h"
#include "worksheet/csv_file.h"
#include "worksheet/file_io.h"
#include "worksheet/text_file.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::testing {
namespace {

// One writer: the file it writes and a save of version 1 or 2 of its contents.
struct Writer {
    const char* name;
    const char* file;
    std::function<bool(const std::string& path, int version)> save;
};

Worksheet Sheet(int version) {
    Worksheet sheet;
    for (int row = 2; row < 60; ++row) sheet.setCell(2, row, std::to_string(row * version));
    return sheet;
}

std::vector<Writer> Writers(const std::string& folder) {
    return {
        {"worksheet", "data.tbn",
         [](const std::string& p, int v) { return SaveWorksheet(Sheet(v), p).ok; }},
        {"text export", "data.txt",
         [](const std::string& p, int v) { return SaveTextFile(Sheet(v), p, true).ok; }},
        {"csv", "data.csv",
         [](const std::string& p, int v) { return SaveCsvFile(Sheet(v), p, false).ok; }},
        {"model", "model.mdl",
         [](const std::string& p, int v) {
             TModelRecord model;
             model.Method = "MLR";
             model.NoModel = false;
             model.XCount = 1;
             model.ResponseName = "1:z";
             model.Coefficients = {1.5L * v, 2};
             model.VariableNames = {"", "2:x"};
             std::string error;
             return WriteModelFile(model, p, error);
         }},
        {"settings", "Default.par",
         [folder](const std::string&, int v) {
             GridSettings settings;
             settings.decimals = v;
             return GridSettingsStore(folder, "").save(settings);
         }},
    };
}

class SaveFaults : public FileTestFolder {
protected:
    void TearDown() override {
        InjectWriteFault(std::nullopt);
        FileTestFolder::TearDown();
    }
    int FilesInFolder() const {
        return static_cast<int>(std::distance(std::filesystem::directory_iterator(m_folder),
                                              std::filesystem::directory_iterator()));
    }
};

TEST_F(SaveFaults, EveryWriterKeepsTheOldFileWhereverTheWriteFails) {
    ScopedTextSettings english(Language::English, '.');
    const WriteStep steps[] = {WriteStep::Create, WriteStep::Permissions, WriteStep::Write,
                               WriteStep::Sync,   WriteStep::Close,       WriteStep::Rename};
    for (const Writer& writer : Writers(m_folder.string())) {
        const std::string path = Path(writer.file);
        InjectWriteFault(std::nullopt);
        ASSERT_TRUE(writer.save(path, 1)) << writer.name;
        const std::string before = ReadBytes(path);
        for (const WriteStep step : steps) {
            for (const bool killed : {false, true}) {
                SCOPED_TRACE(std::string(writer.name) + " step " +
                             std::to_string(static_cast<int>(step)) + (killed ? " killed" : ""));
                InjectWriteFault(WriteFault{step, ENOSPC, killed});
                EXPECT_FALSE(writer.save(path, 2));
                EXPECT_EQ(ReadBytes(path), before);
                // A failed save cleans up after itself; a killed one cannot, except when
                // it died before its temporary file existed.
                const bool leftover = killed && step != WriteStep::Create;
                EXPECT_EQ(FilesInFolder(), leftover ? 2 : 1);
                if (leftover) {
                    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
                        if (entry.path() != path) std::filesystem::remove(entry.path());
                    }
                }
            }
        }
        InjectWriteFault(std::nullopt);
        ASSERT_TRUE(writer.save(path, 2));
        EXPECT_NE(ReadBytes(path), before) << writer.name;
        std::filesystem::remove(path);
    }
}

TEST_F(SaveFaults, TheMessageNamesTheFileAndTheReason) {
    ScopedTextSettings english(Language::English, '.');
    InjectWriteFault(WriteFault{WriteStep::Write, ENOSPC, false});
    const SaveResult result = SaveWorksheet(Sheet(1), Path("full.tbn"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error,
              "Could not save the file " + Path("full.tbn") + ": No space left on device");
}

// A save killed between writing and renaming, in a process of its own: the leftover is
// cleared by the next save once that process is gone, and kept while it still runs.
TEST_F(SaveFaults, LeftoversOfDeadSavesGoAndThoseOfLiveSavesStay) {
    const std::string path = Path("data.tbn");
    ASSERT_TRUE(SaveWorksheet(Sheet(1), path).ok);
    int hold[2];
    ASSERT_EQ(::pipe(hold), 0);
    auto killed_save = [&](bool stay_alive) {
        const pid_t child = ::fork();
        if (child == 0) {
            InjectWriteFault(WriteFault{WriteStep::Rename, EIO, true});
            SaveWorksheet(Sheet(2), path);
            ::close(hold[1]);
            char c;
            if (stay_alive) (void)::read(hold[0], &c, 1);  // until the parent lets go
            ::_exit(0);
        }
        return child;
    };
    const pid_t dead = killed_save(false);
    ASSERT_GT(dead, 0);
    ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
    const std::string dead_leftover = TemporaryFileName(path, dead, 0);
    EXPECT_TRUE(std::filesystem::exists(dead_leftover));

    const pid_t live = killed_save(true);
    ASSERT_GT(live, 0);
    const std::string live_leftover = TemporaryFileName(path, live, 0);
    for (int i = 0; i < 500 && !std::filesystem::exists(live_leftover); ++i) ::usleep(10000);
    ASSERT_TRUE(std::filesystem::exists(live_leftover));

    ASSERT_TRUE(SaveWorksheet(Sheet(3), path).ok);
    EXPECT_FALSE(std::filesystem::exists(dead_leftover));
    EXPECT_TRUE(std::filesystem::exists(live_leftover));
    ::close(hold[1]);
    ASSERT_EQ(::waitpid(live, nullptr, 0), live);
    ::close(hold[0]);
    ASSERT_TRUE(SaveWorksheet(Sheet(4), path).ok);
    EXPECT_FALSE(std::filesystem::exists(live_leftover));
    EXPECT_EQ(FilesInFolder(), 1);
}

}  // namespace
}  // namespace tabulon::testing
