// The current model (the last MLR, PCR or PLS model fitted or read), its .mdl file, and the
// model window's table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "multivariate/model_data.h"
#include "multivariate/model_fit.h"
#include "numeric/extended.h"

namespace tabulon {

// Text limits of the record's fields, in characters.
inline constexpr std::size_t kModelTitleLength = 100;
inline constexpr std::size_t kModelMethodLength = 3;
inline constexpr std::size_t kModelNameLength = 30;
inline constexpr std::size_t kModelNoteLength = 100;

// TModelRecord: z = b0 + Σ b_j·x_j in data units with the names of its variables.
struct TModelRecord {
    std::string Title;                       // emptied by every fit; the model window's caption
    std::string Method;                      // "MLR", "PCR" or "PLS"
    bool NoModel = true;                     // until a model has been fitted or read
    bool Saved = false;                      // false after a fit, true after saving
    int XCount = 0;                          // p
    std::string ResponseName;                // the z entry ("3:Vikt"), cut to 30 characters
    std::vector<Extended> Coefficients;      // p + 1: b0, then b_j
    std::vector<std::string> VariableNames;  // p + 1: [j] the x entry, cut to 30; [0] empty
    std::string Note;                        // kept with the model, read and written only
    std::vector<int> ColumnMap;              // p + 1: used while applying

    bool operator==(const TModelRecord&) const = default;
};

// The end of a successful fit: the fit's method, names and coefficients become the current
// model; Title is emptied, Note kept, NoModel and Saved false.
void StoreCurrentModel(TModelRecord& model, const ModelColumns& columns, const ModelFit& fit);

// The first `count` characters (not bytes) of a UTF-8 text.
std::string CutToCharacters(std::string_view text, std::size_t count);
// A variable's display name: its entry after the first ":" (the whole entry without one).
std::string DisplayName(std::string_view entry);

// The file: one item per line, CR LF: Title, Method, "false", "true", p, ResponseName,
// b0 .. bp (scientific, 17 significant digits, right-aligned in 23 characters),
// VariableNames 1 .. p, Note. Windows-1252 when every character fits, else UTF-8.
std::string FormatModelFile(const TModelRecord& model);
// Writes through a temporary file, so a failure leaves an old file as it was. False with the
// reason (current language) in `error`.
bool WriteModelFile(const TModelRecord& model, const std::string& file_name, std::string& error);

// Reading: a file that does not follow the layout gives a message naming the line and what
// is wrong there; the count p is checked (1 to 127, and lines enough for it) before anything
// is sized by it. Lines longer than their field are cut; a missing last line (Note) is empty.
// NoModel is false after a successful read whatever line 3 holds.
struct ModelFileRead {
    std::optional<TModelRecord> model;
    std::string error;
};
ModelFileRead ParseModelFile(std::string_view bytes);
ModelFileRead ReadModelFile(const std::string& file_name);

// "Ingen modell har beräknats" / "No model has been calculated".
std::string NoModelText();

// The model window: caption and a two-column grid (first row the headers).
struct ModelWindowTable {
    std::string caption;
    std::vector<std::array<std::string, 2>> rows;
};
// "REGRESSION": the coefficients with "+" / "*" and the variables' display names.
ModelWindowTable ModelCoefficientTable(const TModelRecord& model);

}  // namespace tabulon
