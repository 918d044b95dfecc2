#include "model/LeadingNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace varnholt {
namespace {

struct LeadCase {
    std::string text;
    double value;
    std::size_t length;
};

TEST(ReadLeadingNumber, ReadsTheNumberATextBeginsWith) {
    const double infinity = std::numeric_limits<double>::infinity();
    for (const LeadCase& c : {
             LeadCase{"54", 54, 2},
             LeadCase{"5x", 5, 1},
             LeadCase{".5", 0.5, 2},
             LeadCase{"5.", 5, 2},
             LeadCase{"x5", 0, 0},
             LeadCase{"", 0, 0},
             LeadCase{"  12", 12, 4},
             LeadCase{"-5", -5, 2},
             LeadCase{"+5", 5, 2},
             LeadCase{"1.2.3", 1.2, 3},
             LeadCase{"1e3", 1000, 3},
             LeadCase{"1E-2x", 0.01, 4},
             LeadCase{"1e", 1, 1},
             LeadCase{"1e+", 1, 1},
             LeadCase{"-", 0, 0},
             LeadCase{".", 0, 0},
             LeadCase{"\t5", 0, 0},
             LeadCase{"1 2", 1, 1},
             LeadCase{"1e400", infinity, 5},
             LeadCase{"-1e400", -infinity, 6},
             LeadCase{std::string(400, '9'), infinity, 400},
             LeadCase{"0." + std::string(400, '0') + "1", 0, 403},
             LeadCase{"1234567890123456789", 1234567890123456789.0, 19},
         }) {
        const LeadingNumber lead = ReadLeadingNumber(c.text);
        EXPECT_EQ(lead.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(lead.length, c.length) << '"' << c.text << '"';
    }
}

TEST(ReadLeadingNumber, NegativeZeroAndUnderflowAreNotBelowZero) {
    for (const char* text : {"-0", "-0.0", "-1e-400", "-0e5"}) {
        const double value = ReadLeadingNumber(text).value;
        EXPECT_FALSE(value < 0) << text;
        EXPECT_TRUE(std::signbit(value)) << text;
    }
}

TEST(IsNumericText, AcceptsOneNumberWithBlanksAround) {
    for (const char* text :
         {"12", " 12", "12 ", "  12.5  ", "-0", "+5", ".5", "5.", "1e5", "1E-5", "0012345678905"}) {
        EXPECT_TRUE(IsNumericText(text)) << '"' << text << '"';
    }
    for (const char* text :
         {"", " ", "-", ".", "+.", "1 2", "1.2.3", "1e", "12a", "0x1A", "&H10", "1,000", "\t12",
          "12\n", "5400-10110997", "--5", "\xD9\xA1", "1e5.1"}) {
        EXPECT_FALSE(IsNumericText(text)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace varnholt
