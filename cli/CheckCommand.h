#pragma once

#include <string>

#include "cli/CheckRun.h"
#include "cli/Command.h"

namespace varnholt::cli {

// varnholt check [OPTION...] [FILE...]
class CheckCommand final : public Command {
  public:
    CLI::App& Register(CLI::App& program) override;
    int Run(const Streams& streams) override;

  private:
    CheckOptions options_;
    std::string format_ = "table";
};

}  // namespace varnholt::cli
