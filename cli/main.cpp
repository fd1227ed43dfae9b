#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "cli/catalogue_command.h"
#include "cli/config_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "catalogue")
        return cli::RunCatalogueCommand({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "config")
        return cli::RunConfigCommand({args.begin() + 1, args.end()});
    return cli::RunBatch(args);
}
