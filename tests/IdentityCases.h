#pragma once

// The broker identities every export's header is tested with (text summary, card and client report), and the
// header lines each must give, between the title and the date, as the text summary writes them.

#include "core/CalculatorState.h"

#include <QStringList>
#include <QTest>

#include <functional>

namespace identitycases {

using Edit = std::function<void(brolga::CalculatorState &)>;

inline void addRows()
{
    QTest::addColumn<Edit>("identity");
    QTest::addColumn<QStringList>("header");
    QTest::newRow("none") << Edit([](brolga::CalculatorState &) {}) << QStringList();
    QTest::newRow("phone only") << Edit([](brolga::CalculatorState &s) { s.brokerPhone = "0400 000 000"; })
                                << QStringList{"0400 000 000"};
    QTest::newRow("licence only") << Edit([](brolga::CalculatorState &s) { s.brokerLicence = "ACL 123456"; })
                                  << QStringList{"ACL 123456"};
    QTest::newRow("name, company and licence") << Edit([](brolga::CalculatorState &s) {
        s.brokerName = "Ana Silva";
        s.brokerCompany = "Harbour Loans";
        s.brokerLicence = "ACL 123456";
    }) << QStringList{QStringLiteral("Ana Silva \u00B7 Harbour Loans"), "ACL 123456"};
    // A hand-edited record must not split a line or reach a terminal as an escape sequence.
    QTest::newRow("control characters") << Edit([](brolga::CalculatorState &s) {
        s.brokerName = "Ana\nSilva";
        s.brokerPhone = "0400\x1b[2J";
    }) << QStringList{"Ana Silva", "0400 [2J"};
    // A 60-character address and a long web site must not push the licence out.
    QTest::newRow("long e-mail and licence")
        << Edit([](brolga::CalculatorState &s) {
               s.brokerName = "Ana Silva";
               s.brokerPhone = "0400 000 000";
               s.brokerEmail = "ana.silva.new.loan.enquiries@harbour-finance-solutions.com.au";
               s.brokerWebsite =
                   "www.harbour-finance-and-mortgage-solutions.com.au/brokers/new-south-wales/sydney-north/ana-silva";
               s.brokerLicence = "Credit Representative 512345";
           })
        << QStringList{
               "Ana Silva",
               QStringLiteral(
                   "0400 000 000 \u00B7 ana.silva.new.loan.enquiries@harbour-finance-"
                   "solutions.com.au \u00B7 www.harbour-finance-and-mortgage-solutions."
                   "com.au/brokers/new-south-wales/sydney-north/ana-silva \u00B7 Credit Representative 512345")};
}

} // namespace identitycases
