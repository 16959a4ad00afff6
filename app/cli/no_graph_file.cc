// Graph files from a tabulon-cli built without Qt: refused with a reason.
#include "procedure_args.h"

namespace tabulon::cli {

bool WriteGraphFile(const std::function<void(Canvas&, int, int)>&, const std::string&, int, int,
                    std::string& error) {
    error = "this tabulon-cli was built without Qt and cannot write graph files";
    return false;
}

}  // namespace tabulon::cli
