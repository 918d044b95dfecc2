#pragma once

#include <string>

#include "cli/Command.h"
#include "cli/RenderRun.h"

namespace varnholt::cli {

// varnholt render [OPTION...] NUMBER -o FILE
// varnholt render [OPTION...] --batch FILE -o PATTERN
class RenderCommand final : public Command {
  public:
    CLI::App& Register(CLI::App& program) override;
    int Run(const Streams& streams) override;

  private:
    RenderRequest request_;
    std::string number_;
    std::string batch_;
    std::string format_;
    double xDimension_ = 0.330;
    double dpi_ = 0.0;
    double height_ = 0.0;
    std::string foreground_ = "black";
    std::string background_ = "white";
    std::string reduction_;
    bool noQuietZones_ = false;
};

// A bar width reduction as the command line takes it: "0.02" or "0.02mm" in millimetres,
// "1dot" or "2dots" in printer dots. False for anything else.
bool ParseBarWidthReduction(std::string_view text, render::Options& options);

}  // namespace varnholt::cli
