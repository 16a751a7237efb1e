#include "ui/controls/NumberText.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>
#include <random>

using namespace brolga;

Q_DECLARE_METATYPE(std::optional<double>)

class TestNumberText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        using O = std::optional<double>;
        QTest::newRow("currency and grouping") << "$1,250,000" << O(1250000);
        QTest::newRow("comma is never a decimal point") << "6,5" << O(65);
        QTest::newRow("later full stops dropped") << "1.2.3" << O(1.23);
        QTest::newRow("percent and spaces") << " 6.09 % " << O(6.09);
        QTest::newRow("leading minus kept") << "-5" << O(-5);
        QTest::newRow("minus after digits dropped") << "5-" << O(5);
        QTest::newRow("minus inside dropped") << "1-2" << O(12);
        QTest::newRow("minus after a currency sign counts as first") << "$-5" << O(-5);
        QTest::newRow("empty reads zero") << "" << O(0);
        QTest::newRow("lone minus reads zero") << "-" << O(0);
        QTest::newRow("trailing point") << "12." << O(12);
        QTest::newRow("leading point") << ".5" << O(0.5);
        QTest::newRow("letters dropped, exponent too") << "1e5" << O(15);
        QTest::newRow("lone point is nothing") << "." << O();
        QTest::newRow("minus point is nothing") << "-." << O();
        QTest::newRow("Arabic-Indic digits are nothing") << QString::fromUtf8("١٢") << O();
        QTest::newRow("vulgar fraction is nothing") << QString::fromUtf8("1½") << O();
        QTest::newRow("digits beyond the BMP are nothing") << QString::fromUtf8("𝟙") << O();
        QTest::newRow("German grouping read as a decimal") << "1.250.000" << O(1.25);
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        const auto got = NumberText::parse(text);
        QCOMPARE(got.has_value(), expected.has_value());
        if (expected)
            QCOMPARE(*got, *expected);
    }

    void parseOverlongDigitsIsInfiniteSoClampGivesLower()
    {
        const auto got = NumberText::parse(QString(400, QLatin1Char('9')));
        QVERIFY(got && std::isinf(*got));
        QCOMPARE(NumberText::clamp(*got, 1, 50), 1.0);
        QCOMPARE(NumberText::parse(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1")), 0.0);
    }

    void clamp()
    {
        const double inf = std::numeric_limits<double>::infinity();
        const std::pair<double, double> cases[] = {
            {6.25, 6.25}, {99, 25}, {-5, 1}, {std::numeric_limits<double>::quiet_NaN(), 1}, {inf, 1}, {-inf, 1}};
        for (auto [value, expected] : cases)
            QCOMPARE(NumberText::clamp(value, 1, 25), expected);
    }

    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("grouped") << 1250000.0 << 0 << "1,250,000";
        QTest::newRow("three digits") << 999.0 << 0 << "999";
        QTest::newRow("four digits") << 1000.0 << 0 << "1,000";
        QTest::newRow("negative grouped") << -1234567.0 << 0 << "-1,234,567";
        QTest::newRow("half to even down") << 2.5 << 0 << "2";
        QTest::newRow("half to even up") << 3.5 << 0 << "4";
        QTest::newRow("no negative zero") << -0.4 << 0 << "0";
        QTest::newRow("negative decimals as zero") << 1234.6 << -1 << "1,235";
        QTest::newRow("fixed two") << 6.2 << 2 << "6.20";
        QTest::newRow("fixed no grouping") << 1234.5 << 2 << "1234.50";
        QTest::newRow("not finite") << std::numeric_limits<double>::quiet_NaN() << 0 << "0";
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(NumberText::format(value, decimals), expected);
        // The same under a locale that groups with full stops and writes a decimal comma.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString german = NumberText::format(value, decimals);
        QLocale::setDefault(saved);
        QCOMPARE(german, expected);
    }

    // What the field shows must read back as the value it shows, so the next edit starts from the same figure.
    void formattedTextReadsBack()
    {
        std::mt19937_64 rng(20260701);
        std::uniform_real_distribution<double> magnitude(0, 15);
        std::uniform_int_distribution<int> places(0, 4);
        for (int i = 0; i < 20000; ++i) {
            const double v = std::pow(10.0, magnitude(rng)) * (i % 7 == 0 ? -1 : 1);
            const int decimals = places(rng);
            const QString text = NumberText::format(v, decimals);
            const auto back = NumberText::parse(text);
            QVERIFY2(back.has_value(), qPrintable(text));
            QCOMPARE(NumberText::format(*back, decimals), text);
            QVERIFY2(std::fabs(*back - v) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(v) * 1e-15,
                     qPrintable(text));
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
