#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "cli/batch_run.h"

int main(int argc, char** argv) { return cli::RunBatch({argv + 1, argv + argc}, theDatabase); }
