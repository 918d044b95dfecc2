// varnholt sheets [--names] [WORD]
// The label stock --sheet takes: the products of the installed template files.

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "cli/Command.h"
#include "cli/Diagnostics.h"
#include "model/DisplayText.h"
#include "sheets/LabelStock.h"
#include "sheets/StockListing.h"

namespace varnholt::cli {
namespace {

class SheetsCommand final : public Command {
  public:
    CLI::App& Register(CLI::App& program) override {
        CLI::App& sheets = *program.add_subcommand(
            "sheets", "List the label stock that 'render --sheet' takes, or the products of WORD");
        sheets.footer(
            "The products come from the label templates of Debian's glabels-data, read where\n"
            "it installs them (VARNHOLT_LABEL_TEMPLATES names another folder). WORD picks the\n"
            "products whose brand, part or description holds it, in any letter case.\n"
            "Exit status: 0 when some product is listed, 1 when none matches, 2 when the\n"
            "templates cannot be read.");
        sheets.add_option("WORD", word_, "Only the products that hold WORD")->type_name("");
        sheets.add_flag("--names", names_, "Print the products' names alone, one a line");
        return sheets;
    }

    int Run(const Streams& streams) override {
        Diagnostics diagnostics(streams.err);
        const Result<sheets::LabelStock>& stock = sheets::InstalledLabelStock();
        if (!stock) {
            diagnostics.Say(SafeText(stock.Error()));
            return kExitFailure;
        }
        const std::vector<sheets::StockListing> rows = sheets::ListStock(*stock, word_);
        if (rows.empty()) {
            diagnostics.Say("no label stock holds " + SafeText(word_));
            return kExitNotAllValid;
        }
        std::string text;
        if (names_) {
            for (const sheets::StockListing& row : rows) {
                text += row.name + "\n";
            }
        } else {
            text = sheets::FormatListing(rows);
        }
        return PrintText(std::move(text), streams, diagnostics);
    }

  private:
    std::string word_;
    bool names_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeSheetsCommand() {
    return std::make_unique<SheetsCommand>();
}

}  // namespace varnholt::cli
