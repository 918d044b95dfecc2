// DataMatrix symbols drawn and read back by ZXing-cpp and libdmtx's decoder; zint's symbols
// for the same data are the peer, module for module or in size.

#include <gtest/gtest.h>
#include <zint.h>

#include <random>
#include <string>
#include <vector>

#include "model/DataMatrix.h"
#include "model/DataMatrixSizes.h"
#include "tests/support/CaseName.h"
#include "tests/support/Decoders.h"
#include "tests/support/SymbolImages.h"

namespace varnholt {
namespace {

const std::string kGs = "\x1D";

// DataMatrix rows: the data, whether it is GS1's, the shape asked, and the smallest symbol's
// size from the standard's table of data capacities, its codewords counted by hand (ASCII:
// a digit pair or another character a codeword, FNC1 one).
struct MatrixRow {
    std::string name;
    std::string data;
    bool gs1 = true;
    DataMatrixShape shape = DataMatrixShape::Square;
    std::size_t width = 0;
    std::size_t height = 0;
};

class DataMatrixDecoded : public testing::TestWithParam<MatrixRow> {};

TEST_P(DataMatrixDecoded, IsTheSmallestAndReadsBack) {
    const MatrixRow& row = GetParam();
    const Result<ModuleGrid> grid = row.gs1 ? EncodeGs1DataMatrix(row.data, row.shape)
                                            : EncodeDataMatrixText(row.data, row.shape);
    ASSERT_TRUE(grid) << grid.Error();
    EXPECT_EQ(grid->width, row.width);
    EXPECT_EQ(grid->height, row.height);
    ASSERT_EQ(grid->modules.size(), row.width * row.height);
    const test::GreyImage image = test::ImageOfGrid(*grid, 4, 2);
    EXPECT_EQ(test::DecodeSymbolWithZXing(image),
              std::vector<std::string>{(row.gs1 ? "]d2" : "]d1") + row.data});
    EXPECT_EQ(test::DecodeDataMatrixWithDmtx(image),
              std::vector<std::string>{(row.gs1 ? kGs : "") + row.data});
}

const std::string kDigitalLink = "https://id.gs1.org/01/09506000134352/10/AB-123";

INSTANTIATE_TEST_SUITE_P(
    Symbols, DataMatrixDecoded,
    testing::Values(
        // FNC1 and 8 pairs: 9 codewords; 14 x 14 holds 8, 16 x 16 holds 12.
        MatrixRow{"GtinSquare", "0109501101530003", true, DataMatrixShape::Square, 16, 16},
        // 8 x 18 holds 5, 8 x 32 holds 10.
        MatrixRow{"GtinRectangle", "0109501101530003", true, DataMatrixShape::Rectangle, 32, 8},
        // FNC1, 12 pairs, "10" 1, "AB-" 3, "12" 1, "3" 1, FNC1, "21" 1, "XYZ" 3: 24 codewords;
        // 20 x 20 holds 22, 22 x 22 holds 30.
        MatrixRow{"FieldsSquare", "01095060001343521727123110AB-123" + kGs + "21XYZ", true,
                  DataMatrixShape::Square, 22, 22},
        // 16 x 36 holds 32.
        MatrixRow{"FieldsRectangle", "01095060001343521727123110AB-123" + kGs + "21XYZ", true,
                  DataMatrixShape::Rectangle, 36, 16},
        // FNC1, "10" and 49 times "!", which costs more in C40 or Text than in ASCII: 51
        // codewords; 16 x 48 holds 49, so a square, 26 x 26 (44) too small, 32 x 32 (62).
        MatrixRow{"TooLongForRectangles", "10" + std::string(49, '!'), true,
                  DataMatrixShape::Rectangle, 32, 32},
        // The URI's 46 characters, of which "01", "09506000134352", "10" and "12" pack in
        // pairs: 36 codewords; 22 x 22 holds 30, 24 x 24 holds 36. No FNC1.
        MatrixRow{"DigitalLink", kDigitalLink, false, DataMatrixShape::Square, 24, 24}),
    test::CaseName{});

// zint's DataMatrix of the same GS1 data, module for module, its size forced to `sizeIndex`
// (1-24 the squares, 25-30 the rectangles, smallest first; 0 the smallest square); empty
// when zint refuses.
ModuleGrid ZintDataMatrix(const std::string& bracketed, int sizeIndex) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_DATAMATRIX;
    symbol->input_mode = GS1_MODE | GS1NOCHECK_MODE;
    symbol->option_2 = sizeIndex;
    if (sizeIndex == 0) {
        symbol->option_3 = DM_SQUARE;  // the smallest square, as ours by default
    }
    ModuleGrid grid;
    if (ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(bracketed.data()),
                        static_cast<int>(bracketed.size())) < ZINT_ERROR) {
        grid.width = static_cast<std::size_t>(symbol->width);
        grid.height = static_cast<std::size_t>(symbol->rows);
        for (int y = 0; y < symbol->rows; ++y) {
            for (int x = 0; x < symbol->width; ++x) {
                grid.modules.push_back(
                    static_cast<std::uint8_t>((symbol->encoded_data[y][x / 8] >> (x % 8)) & 1));
            }
        }
    }
    ZBarcode_Delete(symbol);
    return grid;
}

// Digits alone: zint and we both pack them in pairs, so the symbols must agree to the module,
// pad codewords, Reed-Solomon blocks, interleaving and placement included. Each size in turn,
// the data just too long for the size before it.
TEST(DataMatrixPeer, EverySizeEqualsZintsModuleForModule) {
    // Data codewords of each size, smallest first: the squares, then the rectangles.
    const std::vector<std::size_t> squares{3,   5,   8,   12,  18,  22,   30,   36,
                                           44,  62,  86,  114, 144, 174,  204,  280,
                                           368, 456, 576, 696, 816, 1050, 1304, 1558};
    const std::vector<std::size_t> rectangles{5, 10, 16, 22, 32, 49};
    const auto check = [](std::size_t before, int sizeIndex, DataMatrixShape shape) {
        // FNC1, "10", then pairs: one codeword more than the size before holds.
        const std::string digits(2 * (before + 1 - 2), '4');
        const Result<ModuleGrid> ours = EncodeGs1DataMatrix("10" + digits, shape);
        ASSERT_TRUE(ours) << ours.Error();
        const ModuleGrid peer = ZintDataMatrix("[10]" + digits, sizeIndex);
        EXPECT_EQ(ours->width, peer.width) << "size " << sizeIndex;
        EXPECT_EQ(ours->height, peer.height) << "size " << sizeIndex;
        EXPECT_TRUE(ours->modules == peer.modules) << "size " << sizeIndex;
    };
    for (std::size_t i = 1; i < squares.size(); ++i) {
        check(squares[i - 1], static_cast<int>(i) + 1, DataMatrixShape::Square);
    }
    for (std::size_t i = 1; i < rectangles.size(); ++i) {
        check(rectangles[i - 1], static_cast<int>(i) + 25, DataMatrixShape::Rectangle);
    }
}

TEST(DataMatrixLimit, FullestSymbolAndOneCodewordMore) {
    // FNC1 and 1557 digit pairs fill 144 x 144's 1558 codewords. libdmtx 0.7.7 interleaves
    // this size's error correction otherwise, so ZXing-cpp alone reads it back here.
    const Result<ModuleGrid> full = EncodeGs1DataMatrix("10" + std::string(3112, '7'));
    ASSERT_TRUE(full) << full.Error();
    EXPECT_EQ(full->width, 144U);
    EXPECT_EQ(test::DecodeSymbolWithZXing(test::ImageOfGrid(*full, 3, 2)),
              std::vector<std::string>{"]d210" + std::string(3112, '7')});

    const Result<ModuleGrid> over = EncodeGs1DataMatrix("10" + std::string(3114, '7'));
    ASSERT_FALSE(over);
    EXPECT_EQ(over.Kind(), ErrorKind::Input);
    EXPECT_NE(over.Error().find("144 x 144"), std::string::npos) << over.Error();
}

// Seeded random element strings of 1 to 400 characters (digit runs, letters of both cases,
// punctuation, separators), square and rectangular: each read back by both decoders.
TEST(DataMatrixRandom, DecodesWithZXingAndLibdmtx) {
    std::mt19937 random(16022);
    const std::string letters = "ABCXYZabcxyz-./%&+";
    for (int round = 0; round < 60; ++round) {
        const std::size_t length = std::uniform_int_distribution<std::size_t>(1, 400)(random);
        std::string data;
        while (data.size() < length) {
            const int kind = static_cast<int>(random() % 5);
            const int run = std::uniform_int_distribution<int>(1, 8)(random);
            for (int i = 0; i < run; ++i) {
                data += kind < 3 ? static_cast<char>('0' + random() % 10)
                                 : letters[random() % letters.size()];
            }
            if (random() % 6 == 0 && data.size() < length) {
                data += kGs;
            }
        }
        data.resize(length);
        if (data.front() == kGs[0]) {
            data.front() = '9';
        }
        const DataMatrixShape shape =
            round % 2 == 0 ? DataMatrixShape::Square : DataMatrixShape::Rectangle;
        const Result<ModuleGrid> grid = EncodeGs1DataMatrix(data, shape);
        ASSERT_TRUE(grid) << grid.Error();
        const test::GreyImage image = test::ImageOfGrid(*grid, 3, 2);
        EXPECT_EQ(test::DecodeSymbolWithZXing(image), std::vector<std::string>{"]d2" + data})
            << "round " << round;
        EXPECT_EQ(test::DecodeDataMatrixWithDmtx(image), std::vector<std::string>{kGs + data})
            << "round " << round;
    }
}

// The width of zint's smallest square DataMatrix for plain `text`.
std::size_t ZintSquareWidth(const std::string& text) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_DATAMATRIX;
    symbol->option_3 = DM_SQUARE;
    const int status = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(text.data()),
                                       static_cast<int>(text.size()));
    const std::size_t width = status < ZINT_ERROR ? static_cast<std::size_t>(symbol->width) : 0;
    ZBarcode_Delete(symbol);
    return width;
}

// Seeded random Digital Link URIs and element strings, their batch and serial numbers in upper
// case, lower case or both, with digits: each read back, and the same size as zint's symbol or
// smaller, but for a rare one size larger (zint's finer rules at the end of a C40 or Text run
// can save the codeword that crosses a size).
TEST(DataMatrixRandom, DigitalLinksAndElementStringsAgainstZint) {
    std::mt19937 random(200);
    const std::vector<std::string> alphabets{
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", "abcdefghijklmnopqrstuvwxyz0123456789",
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-"};
    const auto from = [&](const std::string& alphabet, std::size_t most) {
        std::string text(std::uniform_int_distribution<std::size_t>(1, most)(random), ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        return text;
    };
    const auto sizeIndex = [](std::size_t width) {
        for (std::size_t i = 0; i < DataMatrixSizes.size(); ++i) {
            if (DataMatrixSizes[i].Square() && DataMatrixSizes[i].columns == width) {
                return i;
            }
        }
        return DataMatrixSizes.size();
    };
    int larger = 0;
    constexpr int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        const std::string& alphabet = alphabets[static_cast<std::size_t>(round) % alphabets.size()];
        const std::string gtin = from("0123456789", 1) + std::string(13, '0');
        const std::string batch = from(alphabet, 20);
        const std::string serial = from(alphabet, 20);
        const std::string uri = "https://id.gs1.org/01/" + gtin + "/10/" + batch + "/21/" + serial;
        const std::string fields = "01" + gtin + "10" + batch + kGs + "21" + serial;
        const std::string bracketed = "[01]" + gtin + "[10]" + batch + "[21]" + serial;

        const Result<ModuleGrid> text = EncodeDataMatrixText(uri);
        const Result<ModuleGrid> gs1 = EncodeGs1DataMatrix(fields);
        ASSERT_TRUE(text && gs1);
        const test::GreyImage textImage = test::ImageOfGrid(*text, 3, 2);
        const test::GreyImage gs1Image = test::ImageOfGrid(*gs1, 3, 2);
        EXPECT_EQ(test::DecodeSymbolWithZXing(textImage), std::vector<std::string>{"]d1" + uri});
        EXPECT_EQ(test::DecodeDataMatrixWithDmtx(textImage), std::vector<std::string>{uri});
        EXPECT_EQ(test::DecodeSymbolWithZXing(gs1Image), std::vector<std::string>{"]d2" + fields});
        EXPECT_EQ(test::DecodeDataMatrixWithDmtx(gs1Image), std::vector<std::string>{kGs + fields});

        const std::size_t zintText = ZintSquareWidth(uri);
        const std::size_t zintGs1 = ZintDataMatrix(bracketed, 0).width;
        for (const auto& [ours, peer] :
             {std::pair{text->width, zintText}, std::pair{gs1->width, zintGs1}}) {
            EXPECT_LE(sizeIndex(ours), sizeIndex(peer) + 1) << uri;
            larger += ours > peer ? 1 : 0;
        }
    }
    EXPECT_LE(larger, kRounds / 25);
}

TEST(DataMatrixRefusal, EmptyAndNonAscii) {
    EXPECT_FALSE(EncodeGs1DataMatrix(""));
    EXPECT_FALSE(EncodeDataMatrixText(""));
    const Result<ModuleGrid> latin1 = EncodeGs1DataMatrix("10caf\xC3\xA9");
    ASSERT_FALSE(latin1);
    EXPECT_NE(latin1.Error().find("position 6"), std::string::npos) << latin1.Error();
}

}  // namespace
}  // namespace varnholt
