#include "cli/check/AnnotatedWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/DelimitedReader.h"
#include "tests/support/TestStreams.h"

namespace varnholt::cli {
namespace {

// A catalogue annotated and read back by the catalogue reader: csv keeps every byte of the
// records' own fields, quoting where RFC 4180 needs it, tsv keeps them made safe; a fact's
// column the catalogue names already is renamed, and the facts follow the fields.
TEST(AnnotatedWriter, WritesFieldsAndFactsThatReadBackAsTheyWere) {
    const std::vector<std::string> names = {"sku", "country", "note"};
    const std::vector<std::string> fields = {"A-1, \"big\"", "DE", "two\nlines\x01"};
    for (const RowFormat format : {RowFormat::Csv, RowFormat::Tsv}) {
        const bool csv = format == RowFormat::Csv;
        SCOPED_TRACE(csv ? "csv" : "tsv");
        test::TextSink sink;
        OutputBuffer out(sink);
        AnnotatedWriter writer(format, out);
        EXPECT_EQ(writer.Start(names),
                  "the catalogue has columns of the facts' names: written country as country_2");

        LineChecker checker;
        catalogue::Line line;
        line.text = "4006381333931";
        line.length = line.text.size();
        line.number = 2;
        Row row;
        row.StartFile("export.csv");
        row.Set(line.number, checker.Check(line));
        const std::vector<std::string_view> views(fields.begin(), fields.end());
        EXPECT_TRUE(writer.Write(views, row));
        out.Flush();

        test::TextSource source(sink.text);
        catalogue::DelimitedReader reader(source, csv ? ',' : '\t');
        catalogue::Record header;
        catalogue::Record record;
        ASSERT_TRUE(reader.Next(header));
        // A record's fields hold until the next is read.
        const std::vector<std::string> headerNames(header.fields.begin(), header.fields.end());
        ASSERT_TRUE(reader.Next(record));

        ASSERT_EQ(headerNames.size(), names.size() + kColumns.size());
        ASSERT_EQ(record.fields.size(), headerNames.size());
        for (std::size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ(record.fields[i], csv ? fields[i] : SafeText(fields[i])) << i;
        }
        const Fields facts = FieldsOf(row);
        catalogue::Record after;
        EXPECT_FALSE(reader.Next(after)) << "one record, however many lines its fields hold";
        for (std::size_t i = 0; i < kColumns.size(); ++i) {
            const std::string_view name = kColumns[i].name;
            EXPECT_EQ(headerNames[names.size() + i], name == "country" ? "country_2" : name);
            EXPECT_EQ(record.fields[names.size() + i], facts[i].text) << name;
        }
    }
}

}  // namespace
}  // namespace varnholt::cli
