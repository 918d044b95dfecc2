#include "model/Country.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace varnholt {
namespace {

// The GS1 prefix blocks: three-digit prefixes from..to and their country.
struct Block {
    int from;
    int to;
    const char* country;
};
const Block kBlocks[] = {
    {0, 139, "US-CA"},      {300, 379, "FR-MC"},    {400, 449, "DE"},    {450, 459, "JP"},
    {490, 499, "JP"},       {460, 469, "RU"},       {500, 509, "GB"},    {540, 549, "BE-LU"},
    {570, 579, "DK-FO-GL"}, {640, 649, "FI"},       {700, 709, "NO"},    {730, 739, "SE"},
    {760, 769, "CH-LI"},    {800, 839, "IT-SM-VA"}, {840, 849, "ES-AD"}, {870, 879, "NL"},
    {900, 919, "AT"},       {930, 939, "AU"},       {940, 949, "NZ"},
};

// The single prefixes, group by group, as "prefix country" pairs.
const char* const kSinglePrefixes[] = {
    "380 BG 383 SI 385 HR 387 BA 389 ME",
    "470 KG 471 TW 474 EE 475 LV 476 AZ 477 LT 478 UZ 479 LK 480 PH 481 BY 482 UA 484 MD "
    "485 AM 486 GE 487 KZ 488 TJ",
    "520 GR 521 GR 528 LB 529 CY 531 MK 535 MT 539 IE",
    "560 PT 569 IS 590 PL 594 RO 599 HU",
    "603 GH 604 SN 608 BH 609 MU 611 MA 613 DZ 615 NG 616 KE 618 CI 619 TN 621 SY 622 EG "
    "624 LY 625 JO 626 IR 627 KW 628 SA 629 AE",
    "690 CN 691 CN 692 CN 693 CN 694 CN 695 CN",
    "740 GT 741 SV 742 HN 743 NI 745 PA 746 DO 750 MX 759 VE 770 CO 771 CO 773 UY 775 PE "
    "777 BO 779 AR 780 CL 784 PY 785 PE 786 EC 789 BR 790 BR",
    "850 CU 858 SK 859 CZ 860 RS 865 MN 867 KP 868 TR 869 TR 880 KR 885 TH 890 IN 893 VN "
    "896 PK 899 ID",
    "955 MY 977 ISSN 978 ISBN 979 ISMN",
};

std::map<int, std::string> ExpectedCountries() {
    std::map<int, std::string> expected;
    for (int prefix = 0; prefix <= 999; ++prefix) {
        expected[prefix] = "";
    }
    for (const Block& block : kBlocks) {
        for (int prefix = block.from; prefix <= block.to; ++prefix) {
            expected[prefix] = block.country;
        }
    }
    for (const char* group : kSinglePrefixes) {
        std::istringstream pairs(group);
        int prefix = 0;
        std::string country;
        while (pairs >> prefix >> country) {
            expected[prefix] = country;
        }
    }
    return expected;
}

// A prefix 0 to 999 as three digits, "007".
std::string ThreeDigits(int prefix) {
    std::string digits = std::to_string(prefix);
    return std::string(3 - digits.size(), '0') + digits;
}

TEST(Country, EveryThreeDigitPrefix) {
    for (const auto& [prefix, country] : ExpectedCountries()) {
        const std::string digits = ThreeDigits(prefix);
        EXPECT_EQ(CountryOf(digits), country) << digits;
        EXPECT_EQ(CountryOf(digits + "1234567890"), country) << digits;
    }
}

TEST(Country, ShortAndUnusualNumbers) {
    struct Row {
        const char* number;
        const char* country;
    };
    for (const Row row :
         {Row{"45", "JP"}, Row{"38", ""}, Row{"4", ""}, Row{"", ""}, Row{"038", "US-CA"},
          Row{"0380000000000", "US-CA"}, Row{"x5", "US-CA"}, Row{"9e2", "AT"}, Row{"5x8", "GB"},
          Row{" 978", "US-CA"}, Row{"+978", "US-CA"}, Row{"20", ""}, Row{"92", ""}}) {
        EXPECT_EQ(CountryOf(row.number), row.country) << '"' << row.number << '"';
    }
}

TEST(Country, DoesNotDependOnValidity) {
    EXPECT_EQ(CountryOf("3801234567890"), "BG");
}

}  // namespace
}  // namespace varnholt
