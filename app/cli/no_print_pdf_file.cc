// Table PDF files from a tabulon-cli built without Qt: refused with a reason.
#include "print_command.h"

namespace tabulon::cli {

bool WriteTablePdf(const PrintGrid&, const std::string&, std::string& error) {
    error = "this tabulon-cli was built without Qt and cannot print";
    return false;
}

}  // namespace tabulon::cli
