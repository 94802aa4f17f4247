#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "hardware/NumberText.h"

TEST(NumberTextTest, ReadsNumbersLikeTheCRuntime)
{
    EXPECT_DOUBLE_EQ(-10.5, numtext::ToDouble("-10.5"));
    EXPECT_DOUBLE_EQ(12.0, numtext::ToDouble("  +12dB"));
    EXPECT_DOUBLE_EQ(0.005, numtext::ToDouble("5e-3"));
    EXPECT_DOUBLE_EQ(0.0, numtext::ToDouble("OFF"));
    EXPECT_DOUBLE_EQ(0.0, numtext::ToDouble(""));
    EXPECT_DOUBLE_EQ(0.0, numtext::ToDouble("nan"));
    EXPECT_DOUBLE_EQ(0.0, numtext::ToDouble("1e999"));
    EXPECT_DOUBLE_EQ(0.0, numtext::ToDouble("+-3"));

    EXPECT_EQ(450, numtext::ToInt("450.7"));
    EXPECT_EQ(-3, numtext::ToInt(" -3"));
    EXPECT_EQ(0, numtext::ToInt("ON"));
    EXPECT_EQ(2147483647, numtext::ToInt("99999999999999"));
    EXPECT_EQ(-2147483647 - 1, numtext::ToInt("-99999999999999"));

    EXPECT_TRUE(numtext::StartsWithDigit("5"));
    EXPECT_FALSE(numtext::StartsWithDigit("-3"));
    EXPECT_FALSE(numtext::StartsWithDigit(""));
}

TEST(NumberTextTest, FixedTextIgnoresTheLocale)
{
    EXPECT_EQ("-12.5", numtext::Fixed(-12.5, 1));
    EXPECT_EQ("20.000", numtext::Fixed(0.02 * 1000.0, 3));
    EXPECT_EQ("1.0000", numtext::Fixed(1.0, 4));
    // Rounds like printf: to nearest, exact ties to even.
    EXPECT_EQ("0.1", numtext::Fixed(0.06, 1));
    EXPECT_EQ("2.2", numtext::Fixed(2.25, 1));
    EXPECT_EQ("-80.0", numtext::Fixed(-80.0, 1));

    // With a decimal comma locale the texts keep their point.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE")) {
        EXPECT_EQ("-6.5", numtext::Fixed(-6.5, 1));
        EXPECT_DOUBLE_EQ(2.5, numtext::ToDouble("2.5"));
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}
