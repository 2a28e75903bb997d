// Every cell of the coefficient table against the value that its family's poles give.

#include "Coef.h"
#include "FilterOracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace quorvan::oracle {
namespace {

// The table's literals as written, which carry the precision each value was given to.
using LiteralRow = std::array<std::string_view, 7>;
using LiteralFamily = std::array<LiteralRow, 6>; // orders 2..7

// clang-format off
constexpr std::array<LiteralFamily, 6> Literals = {{
    {{  // Bessel
        {"1.0",   "0.33"},
        {"1.19",  "0.69",  "0.16"},
        {"0.51",  "0.21",  "0.71",  "0.12"},
        {"0.92",  "0.37",  "0.11",  "0.64",  "0.085"},
        {"0.35",  "0.15",  "0.4",   "0.12",  "0.59",  "0.063"},
        {"0.71",  "0.25",  "0.085", "0.37",  "0.093", "0.56",  "0.049"},
    }},
    {{  // Butterworth
        {"2.12",  "0.47"},
        {"2.37",  "2.59",  "0.32"},
        {"3.92",  "0.25",  "1.62",  "0.61"},
        {"2.16",  "4.31",  "0.21",  "1.85",  "0.54"},
        {"5.79",  "0.17",  "2.12",  "0.47",  "1.55",  "0.64"},
        {"2.1",   "6.05",  "0.15",  "2.4",   "0.41",  "1.66",  "0.6"},
    }},
    {{  // Chebyshev 0.5 dB
        {"2.1",   "0.31"},
        {"3.37",  "4.54",  "0.18"},
        {"8.55",  "0.1",   "3.54",  "0.79"},
        {"5.58",  "13.14", "0.072", "5.11",  "0.41"},
        {"19.31", "0.05",  "7.07",  "0.24",  "5.17",  "1.23"},
        {"7.84",  "26.03", "0.038", "9.39",  "0.15",  "6.5",   "0.6"},
    }},
    {{  // Chebyshev 1 dB
        {"2.73",  "0.33"},
        {"4.21",  "5.84",  "0.16"},
        {"10.75", "0.094", "4.45",  "0.8"},
        {"6.96",  "16.56", "0.06",  "6.4",   "0.36"},
        {"24.12", "0.041", "8.82",  "0.2",   "6.46",  "1.24"},
        {"9.77",  "32.5",  "0.03",  "11.7",  "0.13",  "8.1",   "0.53"},
    }},
    {{  // Chebyshev 2 dB
        {"3.73",  "0.33"},
        {"5.56",  "7.93",  "0.14"},
        {"14.3",  "0.075", "5.92",  "0.76"},
        {"9.2",   "22.05", "0.047", "8.49",  "0.3"},
        {"31.9",  "0.032", "11.7",  "0.16",  "8.55",  "1.17"},
        {"12.9",  "43.1",  "0.024", "15.5",  "0.1",   "10.7",  "0.44"},
    }},
    {{  // Chebyshev 3 dB
        {"4.65",  "0.3"},
        {"6.81",  "9.87",  "0.12"},
        {"17.6",  "0.063", "7.29",  "0.7"},
        {"11.3",  "27.23", "0.039", "10.44", "0.254"},
        {"39.24", "0.0267","14.36", "0.133", "10.51", "1.07"},
        {"15.83", "53.14", "0.019", "19.02", "0.084", "13.16", "0.37"},
    }},
}};
// clang-format on

double parse(std::string_view literal) {
    double value = 0.0;
    std::from_chars(literal.data(), literal.data() + literal.size(), value);
    return value;
}

// One unit of the literal's last digit.
double lastDigitUnit(std::string_view literal) {
    const auto point = literal.find('.');
    const auto decimals = point == std::string_view::npos ? 0 : literal.size() - point - 1;
    return std::pow(10.0, -static_cast<double>(decimals));
}

// A literal is the true value either truncated or rounded to its digits, so it lies at most one
// unit below the true value and at most half a unit above it; a few cells are a little further
// off in relative terms, which 0.5 % of the value covers.
bool agrees(std::string_view literal, double trueValue) {
    const double unit = lastDigitUnit(literal);
    const double floor = 0.005 * trueValue;
    const double deviation = parse(literal) - trueValue;
    return deviation < 0.0 ? -deviation <= std::max(unit, floor)
                           : deviation <= std::max(0.5 * unit, floor);
}

// Component numbers whose literal disagrees with the relations.
std::vector<int> disagreeingCells(int family, int order, const LiteralRow& literals) {
    const Components expected = expectedRow(family, order);
    std::vector<int> cells;
    for (int i = 1; i <= order; ++i) {
        if (!agrees(literals[static_cast<std::size_t>(i - 1)],
                    expected[static_cast<std::size_t>(i)])) {
            cells.push_back(i);
        }
    }
    return cells;
}

std::string rowName(int family, int order) {
    return std::string(familyName(family)) + " order " + std::to_string(order);
}

TEST(CoefOracle, EveryCellAgreesWithItsFamilysPoles) {
    for (int family = Bessel; family <= LastFamily; ++family) {
        for (int order = MinOrder; order <= MaxOrder; ++order) {
            SCOPED_TRACE(rowName(family, order));
            const LiteralRow& literals = Literals[family][order - MinOrder];
            // The precision read from a literal only counts if the literal is the cell.
            for (int i = 1; i <= order; ++i) {
                EXPECT_EQ(parse(literals[static_cast<std::size_t>(i - 1)]), Coef[family][order][i])
                    << "component " << i;
            }
            EXPECT_EQ(disagreeingCells(family, order, literals), std::vector<int>{});
        }
    }
}

// The long-published values at the corrected cells realise other filters than the ones they
// were listed under; the check must see that.
TEST(CoefOracle, RejectsThePublishedValuesOfTheCorrectedCells) {
    struct Substitution {
        int component;
        std::string_view literal;
    };
    struct Case {
        int family;
        int order;
        std::vector<Substitution> published;
    };
    const std::vector<Case> cases = {
        {Bessel, 5, {{1, "0.76"}, {2, "0.39"}, {3, "0.12"}}},
        {Butterworth, 4, {{1, "3.19"}}},
        {FirstChebyshev + 2, 2, {{2, "0.42"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(rowName(c.family, c.order));
        LiteralRow literals = Literals[c.family][c.order - MinOrder];
        std::vector<int> substituted;
        for (const Substitution& s : c.published) {
            literals[static_cast<std::size_t>(s.component - 1)] = s.literal;
            substituted.push_back(s.component);
        }
        EXPECT_EQ(disagreeingCells(c.family, c.order, literals), substituted);
    }
}

} // namespace
} // namespace quorvan::oracle
