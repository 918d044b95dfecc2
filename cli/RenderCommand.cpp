#include "cli/RenderCommand.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>

#include "cli/Diagnostics.h"
#include "cli/DisplayText.h"
#include "cli/ExitStatus.h"
#include "render/Color.h"

namespace varnholt::cli {
namespace {

std::optional<double> ParseNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

bool ParseBarWidthReduction(std::string_view text, render::Options& options) {
    for (const std::string_view unit : {"dots", "dot"}) {
        if (text.ends_with(unit)) {
            const std::string_view count = text.substr(0, text.size() - unit.size());
            int dots = 0;
            const auto [end, error] =
                std::from_chars(count.data(), count.data() + count.size(), dots);
            if (error != std::errc{} || end != count.data() + count.size() || count.empty()) {
                return false;
            }
            options.barWidthReductionDots = dots;
            return true;
        }
    }
    if (text.ends_with("mm")) {
        text.remove_suffix(2);
    }
    const std::optional<double> mm = ParseNumber(text);
    if (!mm) {
        return false;
    }
    options.barWidthReductionMm = *mm;
    return true;
}

CLI::App& RenderCommand::Register(CLI::App& program) {
    CLI::App& render = *program.add_subcommand(
        "render", "Write the print-quality bar code of a number, or of every line of a file");
    render.footer(
        "A 13-digit number is drawn as EAN-13 and an 8-digit one as EAN-8, each with its\n"
        "check digit verified; 12 or 7 digits get theirs computed. The format comes from the\n"
        "output's extension (.svg, .pdf, .eps, .png) or --format. At a resolution (--dpi,\n"
        "300 for PNG unless given) every module is a whole number of printer dots, and the\n"
        "size it came to is said once on standard error. Each file is written whole or not\n"
        "at all. In a batch, -o is a pattern: {number} is the number drawn, {line} the line's\n"
        "number, {line:05} the same to five digits; a line that is no number is reported and\n"
        "passed over.\n"
        "Exit status: 0 when every number was written, 1 when some number could not be\n"
        "drawn, 2 for a usage error or when reading or writing failed.");

    render.add_option("NUMBER", number_, "The number to draw")->type_name("");
    render.add_option("-b,--batch", batch_, "Draw every line of FILE (- for standard input)")
        ->type_name("FILE");
    render
        .add_option("-o,--output", request_.output,
                    "The file to write (- for standard output), or a batch's pattern")
        ->type_name("FILE")
        ->required();
    render.add_option("-f,--format", format_, "svg, pdf, eps or png; else from -o's extension")
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"svg", "pdf", "eps", "png"}, CLI::ignore_case));
    render.add_option("--xdim", xDimension_, "Module width in mm, 0.264 to 0.66 (default 0.33)")
        ->type_name("MM");
    render.add_option("--dpi", dpi_, "Printer resolution: modules snap to whole dots")
        ->type_name("DPI");
    render.add_option("--height", height_, "Bar height in mm (default 22.85 scaled with --xdim)")
        ->type_name("MM");
    render.add_flag("--no-quiet-zones", noQuietZones_, "Leave out the light margins");
    render.add_flag("--margin-indicators", request_.options.marginIndicators,
                    "Mark the quiet zones with < and >");
    render.add_option("--fg", foreground_, "Bar colour: #rrggbb or a name (default black)")
        ->type_name("COLOR");
    render.add_option("--bg", background_, "Background colour (default white)")->type_name("COLOR");
    render.add_flag("--transparent", request_.options.transparentBackground,
                    "No background at all");
    render
        .add_option("--bar-width-reduction", reduction_,
                    "Narrow every bar: 0.02mm, or 1dot, 2dots at a resolution")
        ->type_name("AMOUNT");
    render.add_flag("-q,--quiet", request_.quiet, "Say nothing but errors");
    return render;
}

int RenderCommand::Run(const Streams& streams) {
    Diagnostics diagnostics(streams.err);
    const auto refuse = [&diagnostics](const std::string& what) {
        diagnostics.Say(what);
        diagnostics.Hint("Try 'varnholt render --help' for more information.");
        return kExitFailure;
    };
    if (number_.empty() == batch_.empty()) {
        return refuse(batch_.empty() ? "give a NUMBER or --batch FILE"
                                     : "give a NUMBER or --batch FILE, not both");
    }
    request_.number = number_.empty() ? std::nullopt : std::optional(number_);
    request_.batch = batch_.empty() ? std::nullopt : std::optional(batch_);
    if (!format_.empty()) {
        request_.format = render::FormatNamed(format_);
    }
    render::Options& options = request_.options;
    options.xDimensionMm = xDimension_;
    if (dpi_ != 0.0) {
        options.dpi = dpi_;
    }
    if (height_ != 0.0) {
        options.barHeightMm = height_;
    }
    options.quietZones = !noQuietZones_;
    for (const auto& [flag, text, color] :
         {std::tuple{"--fg", &foreground_, &options.foreground},
          std::tuple{"--bg", &background_, &options.background}}) {
        const std::optional<render::Rgb> parsed = render::ParseColor(*text);
        if (!parsed) {
            return refuse(std::string(flag) + ": " + SafeText(*text) +
                          " is no colour; give #rrggbb, #rgb or black, white, red, green, "
                          "blue, navy");
        }
        *color = *parsed;
    }
    if (!reduction_.empty() && !ParseBarWidthReduction(reduction_, options)) {
        return refuse("--bar-width-reduction: " + SafeText(reduction_) +
                      " is no amount; give millimetres (0.02mm) or dots (1dot, 2dots)");
    }
    return RunRender(request_, streams);
}

}  // namespace varnholt::cli
