// The delimited reader over a catalogue of a million rows and six columns, read from a file
// as the check command reads it: every record alone, and every record with its ean column's
// number checked, the floor of `varnholt check --column ean --format csv`. The file is named
// by VARNHOLT_CATALOGUE (make_catalogue.py makes it; csv_peer.py times Python on it).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "bench/AllocationCounter.h"
#include "catalogue/ByteSource.h"
#include "catalogue/ColumnNames.h"
#include "catalogue/DelimitedReader.h"
#include "model/EAN.h"

namespace varnholt::bench {
namespace {

// Reads the whole catalogue once, handing each record after the header to `row`; the rows.
template <class Row>
std::int64_t ReadCatalogue(const char* path, Row&& row) {
    catalogue::InputFile input = *catalogue::InputFile::Open(path);
    catalogue::DelimitedReader reader(input);
    catalogue::Record record;
    if (!reader.Next(record)) {
        return 0;
    }
    const catalogue::ColumnNames header(record.fields);
    const std::size_t column = header.FindName("ean").value_or(0);
    std::int64_t rows = 0;
    while (reader.Next(record)) {
        row(record, column);
        ++rows;
    }
    return rows;
}

template <class Row>
void Run(benchmark::State& state, Row&& row) {
    const char* path = std::getenv("VARNHOLT_CATALOGUE");
    if (path == nullptr) {
        state.SkipWithError("VARNHOLT_CATALOGUE names no file");
        return;
    }
    std::int64_t rows = 0;
    const auto once = [&] {
        rows = ReadCatalogue(path, row);
        benchmark::DoNotOptimize(rows);
    };
    for (auto _ : state) {
        once();
    }
    state.counters["allocs/row"] = AllocationsPerCall(once) / static_cast<double>(rows);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * rows);
}

void DelimitedReaderCatalogue(benchmark::State& state) {
    std::size_t fields = 0;
    Run(state,
        [&](const catalogue::Record& record, std::size_t) { fields += record.fields.size(); });
    benchmark::DoNotOptimize(fields);
}
BENCHMARK(DelimitedReaderCatalogue)->Unit(benchmark::kMillisecond);

void DelimitedReaderCatalogueCheckEan(benchmark::State& state) {
    EAN ean;
    std::size_t valid = 0;
    Run(state, [&](const catalogue::Record& record, std::size_t column) {
        valid += column < record.fields.size() && ean.Check(record.fields[column]) ? 1u : 0u;
    });
    benchmark::DoNotOptimize(valid);
}
BENCHMARK(DelimitedReaderCatalogueCheckEan)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnholt::bench
