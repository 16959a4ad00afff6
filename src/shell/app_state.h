// The shell's process-wide state, owned by the main window and handed to commands.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphs/dialogs.h"
#include "multivariate/model_file.h"

namespace tabulon {

struct FactorialDesign;

inline constexpr const char* kProgramVersion = "Tabulon 3.48";
inline constexpr const char* kStartCaption = "Tabulon 3.48   -   Tabulon Laboratory Statistics";

struct ApplicationState {
    bool DataChanged = false;           // the worksheet has unsaved changes
    std::string CurrentFileName;        // target of Arkiv > Spara
    std::filesystem::path StartDirectory;
    int MaxColumnWidth = 100;
    std::string StartCaption = kStartCaption;
    bool ModelPresent = false;          // a calibration model is loaded or built
    TModelRecord CurrentModel;          // the last model fitted or read (NoModel until then)
    bool ExtraMenuVisible = false;      // opened by the access code under Hjälp > Index

    // The value lists the one-column procedures read (filled just before a window opens).
    std::vector<std::string> SampleValues;
    std::vector<std::string> SampleRowNumbers;
    // The seed of Simulera mätdata and of the design search; unset, the clock seeds each run.
    std::optional<std::uint64_t> RandomSeed;
    // The last factorial design (DesignMatrix) for Visa värden and Visa nivåer, and the design
    // dialog's entries, kept between uses.
    std::shared_ptr<FactorialDesign> DesignMatrix;
    DesignRequest DesignEntries;
};

}  // namespace tabulon
