#pragma once

// Comparisons shared by the calculation tests.

#include <QTest>

#include <cmath>
#include <limits>

namespace calctest {
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
} // namespace calctest

#define QCOMPARE_NEAR(actual, expected, tolerance)                                                                     \
    do {                                                                                                               \
        const double a_ = (actual), e_ = (expected);                                                                   \
        QVERIFY2(std::abs(a_ - e_) < (tolerance),                                                                      \
                 qPrintable(QStringLiteral("%1: %2 != %3").arg(#actual).arg(a_, 0, 'f', 6).arg(e_, 0, 'f', 6)));      \
    } while (false)

// Money is compared to the cent.
#define QCOMPARE_CENTS(actual, expected) QCOMPARE_NEAR(actual, expected, 0.005)

// Like QTEST, for a double column compared to the cent.
#define QTEST_CENTS(actual, column)                                                                                    \
    QCOMPARE_CENTS(actual, *static_cast<double *>(QTest::qData(column, ::qMetaTypeId<double>())))
