#include "cli/CommandLine.h"

#include <unistd.h>

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Diagnostics.h"
#include "model/Version.h"

namespace varnholt::cli {
namespace {

// Every subcommand, in the order the help lists them.
std::vector<std::unique_ptr<Command>> AllCommands() {
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(MakeCheckCommand());
    commands.push_back(MakeRenderCommand());
    commands.push_back(MakeSheetsCommand());
    return commands;
}

// The program and its subcommands, as the parser and the help see them.
class Program {
  public:
    Program()
        : app_(
              "Varnholt: checks and draws the bar code numbers of retail: EAN-13, EAN-8, UPC-A and "
              "UPC-E with their add-ons, GTIN-14 and ISBN-10.",
              std::string(kProgramName)) {
        app_.set_version_flag("--version",
                              std::string(kProgramName) + " " + std::string(varnholt::kVersion),
                              "Print the version and exit");
        app_.set_help_flag("-h,--help", "Print this help and exit");
        app_.footer(
            "Without arguments, varnholt opens its window (in a build that has one).\n"
            "Run 'varnholt help COMMAND' or 'varnholt COMMAND --help' for a command's options;\n"
            "'man varnholt' tells more. Exit status: 0 when every number is valid, 1 when some\n"
            "number is not, 2 for a usage error or when reading or writing failed.");
        app_.require_subcommand(0, 1);
        app_.get_formatter()->column_width(28);

        commands_ = AllCommands();
        for (const auto& command : commands_) {
            CLI::App& subcommand = command->Register(app_);
            subcommand.set_help_flag("-h,--help", "Print this help and exit");
            subcommands_.push_back(&subcommand);
        }
        // Takes what follows it as it stands, so that `help check` names a command instead
        // of running it.
        help_ = app_.add_subcommand("help", "Print the help of a command, or this help");
        help_->prefix_command();
        help_->set_help_flag();
    }

    int Run(int argc, const char* const argv[], const Streams& streams) {
        Diagnostics diagnostics(streams.err);
        try {
            app_.parse(argc, argv);
        } catch (const CLI::CallForHelp&) {
            return PrintText(app_.help(), streams, diagnostics);
        } catch (const CLI::CallForVersion& version) {
            return PrintText(std::string(version.what()) + "\n", streams, diagnostics);
        } catch (const CLI::ParseError& error) {
            diagnostics.Say(error.what());
            diagnostics.Hint(TryHelp());
            return kExitFailure;
        }

        if (help_->parsed()) {
            return Help(help_->remaining(), streams, diagnostics);
        }
        for (std::size_t i = 0; i < commands_.size(); ++i) {
            if (subcommands_[i]->parsed()) {
                return commands_[i]->Run(streams);
            }
        }
        // Options alone, without a command.
        diagnostics.Say("no command given");
        diagnostics.Hint(TryHelp());
        return kExitFailure;
    }

    std::string ProgramHelp() const { return app_.help(); }

    CLI::App& App() { return app_; }

  private:
    // Where to read on after a usage error: the help of the command it happened in, if any.
    std::string TryHelp() const {
        std::string command;
        for (const CLI::App* subcommand : subcommands_) {
            if (subcommand->parsed()) {
                command = subcommand->get_name();
            }
        }
        return cli::TryHelp(command);
    }

    int Help(const std::vector<std::string>& names, const Streams& streams,
             Diagnostics& diagnostics) {
        if (names.empty()) {
            return PrintText(app_.help(), streams, diagnostics);
        }
        if (names.size() > 1) {
            diagnostics.Say("help takes one command");
            diagnostics.Hint(TryHelp());
            return kExitFailure;
        }
        for (const CLI::App* subcommand : subcommands_) {
            if (subcommand->get_name() == names.front()) {
                return PrintText(subcommand->help(std::string(kProgramName)), streams, diagnostics);
            }
        }
        diagnostics.Say("no such command: " + names.front());
        diagnostics.Hint(TryHelp());
        return kExitFailure;
    }

    CLI::App app_;
    std::vector<std::unique_ptr<Command>> commands_;
    std::vector<CLI::App*> subcommands_;
    CLI::App* help_ = nullptr;
};

struct StandardStreams {
    files::DescriptorSink out{STDOUT_FILENO};
    files::DescriptorSink err{STDERR_FILENO};
    Streams streams{out, err, IsTerminal(STDOUT_FILENO), IsTerminal(STDERR_FILENO)};
};

}  // namespace

int Run(int argc, const char* const argv[]) {
    StandardStreams standard;
    return Program().Run(argc, argv, standard.streams);
}

int Run(int argc, const char* const argv[], const Streams& streams) {
    return Program().Run(argc, argv, streams);
}

int RunWithoutWindow() {
    StandardStreams standard;
    Diagnostics diagnostics(standard.err);
    static_cast<void>(standard.err.Write(Program().ProgramHelp()));
    diagnostics.Say("this build has no window; give a command, such as 'varnholt check FILE'");
    return kExitFailure;
}

void Describe(const std::function<void(CLI::App&)>& describe) {
    Program program;
    describe(program.App());
}

}  // namespace varnholt::cli
