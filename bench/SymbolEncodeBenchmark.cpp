// Encoding alone, data to modules, for the GS1 symbols: ours (GS1-128 and GS1 DataMatrix),
// libdmtx's (the DataMatrix encoder ours replaced) and libqrencode (Digital Link QR) against
// zint's library on the same data. A file's time is encoding plus drawing plus writing; these
// figures say how much encoding takes.

#include <benchmark/benchmark.h>
#include <dmtx.h>
#include <zint.h>

#include <string>

#include "model/DataMatrix.h"
#include "model/Gs1128.h"
#include "render/QrCode.h"

namespace varnholt::bench {
namespace {

// GTIN, expiry date and batch, then a serial after a separator: the usual logistics label.
const std::string kElementString =
    "010950600013435217271231"
    "10AB-123\x1D"
    "21XYZ-99";
const std::string kBracketed = "[01]09506000134352[17]271231[10]AB-123[21]XYZ-99";
const std::string kDigitalLink = "https://id.gs1.org/01/09506000134352/10/AB-123?17=271231";

void Gs1128Varnholt(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeGs1128(kElementString));
    }
}
BENCHMARK(Gs1128Varnholt);

void DataMatrixVarnholt(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeGs1DataMatrix(kElementString));
    }
}
BENCHMARK(DataMatrixVarnholt);

void DigitalLinkDataMatrixVarnholt(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeDataMatrixText(kDigitalLink));
    }
}
BENCHMARK(DigitalLinkDataMatrixVarnholt);

// libdmtx as the encoder was used: ASCII encodation, FNC1 as GS, one pixel a module.
void DataMatrixLibdmtx(benchmark::State& state) {
    std::string bytes = "\x1D" + kElementString;
    for (auto _ : state) {
        DmtxEncode* encoder = dmtxEncodeCreate();
        dmtxEncodeSetProp(encoder, DmtxPropScheme, DmtxSchemeAscii);
        dmtxEncodeSetProp(encoder, DmtxPropSizeRequest, DmtxSymbolSquareAuto);
        dmtxEncodeSetProp(encoder, DmtxPropFnc1, 0x1D);
        dmtxEncodeSetProp(encoder, DmtxPropModuleSize, 1);
        dmtxEncodeSetProp(encoder, DmtxPropMarginSize, 0);
        benchmark::DoNotOptimize(
            dmtxEncodeDataMatrix(encoder, static_cast<int>(bytes.size()),
                                 reinterpret_cast<unsigned char*>(bytes.data())));
        dmtxEncodeDestroy(&encoder);
    }
}
BENCHMARK(DataMatrixLibdmtx);

void QrLibqrencode(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeQrText(kDigitalLink));
    }
}
BENCHMARK(QrLibqrencode);

// zint's encoder alone: ZBarcode_Encode fills its module matrix and draws nothing.
void EncodeZint(benchmark::State& state, int symbology, int inputMode, int option1,
                const std::string& data) {
    for (auto _ : state) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = symbology;
        symbol->input_mode = inputMode;
        symbol->option_1 = option1;
        benchmark::DoNotOptimize(
            ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.data()),
                            static_cast<int>(data.size())));
        ZBarcode_Delete(symbol);
    }
}
BENCHMARK_CAPTURE(EncodeZint, Gs1128, BARCODE_GS1_128, GS1_MODE, 0, kBracketed);
BENCHMARK_CAPTURE(EncodeZint, DataMatrix, BARCODE_DATAMATRIX, GS1_MODE, 0, kBracketed);
BENCHMARK_CAPTURE(EncodeZint, DigitalLinkDataMatrix, BARCODE_DATAMATRIX, DATA_MODE, 0,
                  kDigitalLink);
// Level M is zint's option 2.
BENCHMARK_CAPTURE(EncodeZint, Qr, BARCODE_QRCODE, DATA_MODE, 2, kDigitalLink);

}  // namespace
}  // namespace varnholt::bench
