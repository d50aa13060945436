#include "platform/memtable/FieldValue.h"

#include <gtest/gtest.h>

using namespace cv;

TEST(ValueParsing, DateTimeTextParsing)
{
    const auto ms = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int z = 0) {
        return dateTimeToMsecs(QDateTime(QDate(y, mo, d), QTime(h, mi, s, z)));
    };
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"2024-03-05", ms(2024, 3, 5)},
        {" 2024-03-05 14:07:09 ", ms(2024, 3, 5, 14, 7, 9)},
        {"2024-03-05T14:07:09.1", ms(2024, 3, 5, 14, 7, 9, 100)},
        {"2024-03-05 14:07:09.123456", ms(2024, 3, 5, 14, 7, 9, 123)},
        {"2024-03-05 14:07", ms(2024, 3, 5, 14, 7)},
        {"2024/03/05", ms(2024, 3, 5)},
        {"1899-12-30", ms(1899, 12, 30)},
        {"2024-02-29", ms(2024, 2, 29)},
        {"2023-02-29", std::nullopt},
        {"2024-03-05 24:00:00", std::nullopt},
        {"2024-3-5", std::nullopt},
        {"2024-03-05x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseDateTime(text), expected);
    }
    EXPECT_EQ(msecsToDateTime(ms(1899, 12, 30, 6)), QDateTime(QDate(1899, 12, 30), QTime(6, 0)));
    EXPECT_EQ(parseTime("08:30:15.5"), std::optional<std::int64_t>(30'615'500));
}

TEST(ValueParsing, MoneyTextIsExactWithFourDecimals)
{
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"0.1", 1'000},
        {"-12.34565", -123'457},
        {"12.345649", 123'456},
        {"7", 70'000},
        {"1e3", 10'000'000},
        {"922337203685477.5807", INT64_MAX},
        {"922337203685477.5808", std::nullopt},
        {"1,5", std::nullopt},
        {".", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseMoney(text), expected);
    }
}
