#include "cli/check/AnnotatedWriter.h"

#include <algorithm>

namespace varnholt::cli {

AnnotatedWriter::AnnotatedWriter(RowFormat format, OutputBuffer& out)
    : format_(format), out_(out) {}

std::string AnnotatedWriter::Start(std::span<const std::string> names) {
    names_.assign(names.begin(), names.end());
    std::string renamed;
    const auto taken = [this](std::string_view name) {
        return std::ranges::find(names_, name) != names_.end() ||
               std::ranges::find(factNames_, name) != factNames_.end();
    };
    ForEachColumn([&](std::size_t i, const Column& column) {
        std::string name(column.name);
        for (int suffix = 2; taken(name); ++suffix) {
            name = std::string(column.name) + '_' + std::to_string(suffix);
        }
        if (name != column.name) {
            renamed += (renamed.empty() ? "" : ", ") + std::string(column.name) + " as " + name;
        }
        factNames_[i] = std::move(name);
    });
    if (format_ != RowFormat::JsonLines) {
        const char delimiter = format_ == RowFormat::Csv ? ',' : '\t';
        bool first = true;
        for (const std::string& name : names_) {
            if (!first) {
                out_.Append(delimiter);
            }
            Put(name, false);
            first = false;
        }
        for (const std::string& name : factNames_) {
            if (!first) {
                out_.Append(delimiter);
            }
            out_.Append(name);
            first = false;
        }
        out_.Append('\n');
    }
    started_ = true;
    return renamed.empty() ? renamed
                           : "the catalogue has columns of the facts' names: written " + renamed;
}

bool AnnotatedWriter::Write(std::span<const std::string_view> fields, const Row& row) {
    const Fields facts = FieldsOf(row);
    if (format_ == RowFormat::JsonLines) {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            out_.Append(i == 0 ? '{' : ',');
            PutJsonString(names_[i]);
            out_.Append(':');
            PutJsonString(i < fields.size() ? fields[i] : std::string_view());
        }
        ForEachColumn([&](std::size_t i, const Column& column) {
            out_.Append(i == 0 && names_.empty() ? '{' : ',');
            PutJsonString(factNames_[i]);
            out_.Append(':');
            const std::string_view fact = facts[i].text;
            if (column.kind == FieldKind::Boolean ||
                (column.kind == FieldKind::Number && IsJsonNumber(fact))) {
                out_.Append(fact);
            } else if (fact.empty()) {
                out_.Append("null");
            } else {
                PutJsonString(fact);
            }
        });
        out_.Append("}\n");
        return fields.size() <= names_.size();
    }
    const char delimiter = format_ == RowFormat::Csv ? ',' : '\t';
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (i != 0) {
            out_.Append(delimiter);
        }
        Put(i < fields.size() ? fields[i] : std::string_view(), false);
    }
    ForEachColumn([&](std::size_t i, const Column&) {
        if (i != 0 || !names_.empty()) {
            out_.Append(delimiter);
        }
        Put(facts[i].text, true);
    });
    out_.Append('\n');
    return fields.size() <= names_.size();
}

// A field of csv or tsv: csv quotes what holds a delimiter, a quote or a line end, and keeps
// the bytes; tsv has no quoting, so a field stands there made safe, without tab or line end.
void AnnotatedWriter::Put(std::string_view text, bool safe) {
    if (format_ == RowFormat::Tsv) {
        out_.Append(safe ? text : display_.Of(text));
        return;
    }
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out_.Append(text);
        return;
    }
    quoted_.resize(2 * text.size() + 2);
    const char* end = PutCsvQuoted(text, quoted_.data());
    out_.Append(std::string_view(quoted_.data(), static_cast<std::size_t>(end - quoted_.data())));
}

// A JSON string of a text made safe, which then holds no control character to escape.
void AnnotatedWriter::PutJsonString(std::string_view text) {
    AppendJsonString(out_, display_.Of(text));
}

}  // namespace varnholt::cli
