#include "cli/Commands.h"

namespace pictaven::cli {

// Each command lives in a file of its own; this table is the one place that lists them.

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
    };
    return table;
}

} // namespace pictaven::cli
