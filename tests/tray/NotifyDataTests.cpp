#include "tray/NotifyData.h"

#include <QString>
#include <gtest/gtest.h>

namespace zol::test {
namespace {

struct TipCase {
    const char* name;
    QString tip;
    qsizetype bytes; // length of the fitted tip
};

class FitTipTest : public testing::TestWithParam<TipCase> {};

TEST_P(FitTipTest, KeepsAWholeCharacterPrefixOfAtMost63Bytes) {
    const QString& tip = GetParam().tip;
    const QByteArray fitted = FitTip(tip);
    EXPECT_EQ(fitted.size(), GetParam().bytes);
    EXPECT_TRUE(tip.toUtf8().startsWith(fitted));
    // Decoding and encoding again gives the same bytes only when no sequence is broken.
    EXPECT_EQ(QString::fromUtf8(fitted).toUtf8(), fitted);
}

const QString A = QString(QChar(0x3042));                    // 3 bytes
const QString E = QString(QChar(0xE9));                      // 2 bytes
const QString Emoji = QString::fromUtf8("\xF0\x9F\x92\xBE"); // 4 bytes

INSTANTIATE_TEST_SUITE_P(
    Tips, FitTipTest,
    testing::Values(TipCase{"Empty", "", 0}, TipCase{"Short", "tessmarc", 8},
                    TipCase{"Exactly63", QString(63, 'a'), 63},
                    TipCase{"Ascii64", QString(64, 'a'), 63},
                    TipCase{"ThreeByteEndsAt63", QString(30, 'a') + A.repeated(20), 63},
                    TipCase{"ThreeByteAcrossTheEnd", QString(31, 'a') + A.repeated(20), 61},
                    TipCase{"TwoByteAcrossTheEnd", QString(62, 'a') + E, 62},
                    TipCase{"FourByteAcrossTheEnd", QString(60, 'a') + Emoji, 60},
                    TipCase{"FourByteEndsAt63", QString(59, 'a') + Emoji + "b", 63},
                    TipCase{"StopsAtAZero", QString("ab") + QChar(0) + "cd", 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace zol::test
