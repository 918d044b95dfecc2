// The program in a build without the window: the command line alone.

#include "cli/CommandLine.h"

int main(int argc, char* argv[]) {
    if (argc > 1) {
        return varnholt::cli::Run(argc, argv);
    }
    return varnholt::cli::RunWithoutWindow();
}
