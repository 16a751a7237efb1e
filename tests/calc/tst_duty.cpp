#include "calc/CalcTest.h"
#include "calc/StampDuty.h"
#include "tabs/ResultSentences.h"

using namespace brolga;
using namespace calctest;

Q_DECLARE_METATYPE(brolga::AUState)
Q_DECLARE_METATYPE(brolga::BuyerType)
Q_DECLARE_METATYPE(brolga::PropertyKind)
Q_DECLARE_METATYPE(brolga::PurchaseInputs)

namespace {

PurchaseInputs purchase(AUState st, double price, BuyerType buyer = BuyerType::ownerOccupier,
                        PropertyKind kind = PropertyKind::established)
{
    PurchaseInputs s;
    s.state = st;
    s.purchasePrice = price;
    s.buyer = buyer;
    s.kind = kind;
    return s;
}

const QString general = QStringLiteral("General transfer duty — no concession applies.");
const QString overrideNote = QStringLiteral("Manual override — figure entered by hand.");

} // namespace

class TestDuty : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Worked figures, and every scale at and just past its thresholds: a price on a threshold stays in the
    // bracket below it.
    void baseDuty_data()
    {
        QTest::addColumn<AUState>("st");
        QTest::addColumn<BuyerType>("buyer");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("expected");
        const auto oo = BuyerType::ownerOccupier, inv = BuyerType::investor, fh = BuyerType::firstHome;
        const struct {
            const char *name;
            AUState st;
            BuyerType buyer;
            double price, expected;
        } rows[] = {
            {"nsw 800k", AUState::nsw, oo, 800'000, 30'412},
            // The published scale drops 50 cents here; 17,000 itself is still charged at 1.25 %.
            {"nsw 17k edge", AUState::nsw, oo, 17'000, 212.50},
            {"nsw 372k edge", AUState::nsw, oo, 372'000, 11'152},
            {"nsw 372,001", AUState::nsw, oo, 372'001, 11'152.045},
            {"nsw 3,721k edge", AUState::nsw, oo, 3'721'000, 186'667},
            {"vic ppr 500k", AUState::vic, oo, 500'000, 21'370},
            {"vic ppr for first home", AUState::vic, fh, 500'000, 21'370},
            {"vic investor 500k", AUState::vic, inv, 500'000, 25'070},
            {"vic 130k edge general", AUState::vic, oo, 130'000, 2'870},
            {"vic 550k edge ppr", AUState::vic, oo, 550'000, 23'870},
            {"vic 550,001 general", AUState::vic, oo, 550'001, 28'070.06},
            {"vic first home 700k", AUState::vic, fh, 700'000, 37'070},
            {"vic 960k edge", AUState::vic, inv, 960'000, 52'670},
            {"vic 1m", AUState::vic, oo, 1'000'000, 55'000},
            {"vic 2m edge", AUState::vic, inv, 2'000'000, 110'000},
            {"vic 2.5m", AUState::vic, oo, 2'500'000, 142'500},
            {"qld home 600k", AUState::qld, oo, 600'000, 12'850},
            {"qld investor 600k", AUState::qld, inv, 600'000, 20'025},
            {"qld first home 750k", AUState::qld, fh, 750'000, 19'600},
            {"qld home 350k edge", AUState::qld, oo, 350'000, 3'500},
            {"qld investor 5k", AUState::qld, inv, 5'000, 0},
            {"qld investor 540k edge", AUState::qld, inv, 540'000, 17'325},
            {"qld home 1m edge", AUState::qld, oo, 1'000'000, 30'850},
            {"wa 700k", AUState::wa, oo, 700'000, 27'265},
            {"wa 120k edge", AUState::wa, oo, 120'000, 2'280},
            {"wa 725k edge", AUState::wa, oo, 725'000, 28'452.50},
            {"sa 500k", AUState::sa, oo, 500'000, 21'330},
            {"sa 12k edge", AUState::sa, oo, 12'000, 120},
            {"tas 500k", AUState::tas, oo, 500'000, 18'247.50},
            {"tas 2k flat", AUState::tas, oo, 2'000, 50},
            {"tas 3k edge", AUState::tas, oo, 3'000, 50},
            {"tas 725k edge", AUState::tas, oo, 725'000, 27'810},
            {"act 600k", AUState::act, oo, 600'000, 13'274},
            {"act 260k edge", AUState::act, oo, 260'000, 1'274},
            {"act 1,455k edge", AUState::act, oo, 1'455'000, 63'624},
            {"act 1.5m flat", AUState::act, oo, 1'500'000, 68'100},
            {"nt 500k", AUState::nt, oo, 500'000, 23'928.60},
            {"nt 525k edge", AUState::nt, oo, 525'000, 25'987.50},
            {"nt 3m edge", AUState::nt, oo, 3'000'000, 148'500},
            {"nt 5m edge", AUState::nt, oo, 5'000'000, 287'500},
            {"nt 5,000,001", AUState::nt, oo, 5'000'001, 297'500.0595},
            {"no price", AUState::tas, oo, 0, 0},
            {"negative price", AUState::nt, oo, -500'000, 0},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.st << r.buyer << r.price << r.expected;
    }
    void baseDuty()
    {
        QFETCH(AUState, st);
        QFETCH(BuyerType, buyer);
        QFETCH(double, price);
        QTEST_CENTS(StampDuty::baseDuty(st, price, buyer), "expected");
    }

    // First-home concessions at their thresholds: the figure conceded and the note shown.
    void concession_data()
    {
        QTest::addColumn<PurchaseInputs>("input");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("note");
        const auto fh = BuyerType::firstHome, oo = BuyerType::ownerOccupier;
        const auto est = PropertyKind::established, land = PropertyKind::vacantLand, nb = PropertyKind::newBuild;
        const QString nswFh = QStringLiteral("NSW First Home Buyers Assistance Scheme");
        const QString full = QStringLiteral(" — full exemption."), phase = QStringLiteral(" — partial concession, phasing out at ");
        const QString vicFh = QStringLiteral("VIC first home buyer duty exemption");
        const QString qldFh = QStringLiteral("QLD first home concession");
        const QString waFh = QStringLiteral("WA first home owner rate");
        const struct {
            const char *name;
            AUState st;
            double price;
            BuyerType buyer;
            PropertyKind kind;
            double expected;
            QString note;
        } rows[] = {
            {"nsw full at lower", AUState::nsw, 800'000, fh, est, 30'412, nswFh + full},
            {"nsw partial", AUState::nsw, 900'000, fh, est, 17'456, nswFh + phase + "$1m."},
            {"nsw none at upper", AUState::nsw, 1'000'000, fh, est, 0, nswFh + ": at or above the $1m threshold."},
            {"nsw land at upper", AUState::nsw, 450'000, fh, land, 0, "NSW FHBAS (vacant land): at or above the $450k threshold."},
            {"vic full at lower", AUState::vic, 600'000, fh, est, 31'070, vicFh + full},
            {"vic partial", AUState::vic, 700'000, fh, nb, 37'070.0 / 3, vicFh + phase + "$750k."},
            {"vic land at upper", AUState::vic, 750'000, fh, land, 0, "VIC FHB (land): at or above the $750k threshold."},
            {"vic above upper", AUState::vic, 800'000, fh, est, 0, vicFh + ": above the $750k threshold."},
            {"qld full at lower", AUState::qld, 700'000, fh, est, 17'350, qldFh + full},
            {"qld partial", AUState::qld, 750'000, fh, est, 9'800, qldFh + phase + "$800k."},
            {"qld new build, no cap", AUState::qld, 5'000'000, fh, nb, 260'850,
             "QLD: no duty for first home buyers of new homes / off the plan."},
            {"qld land at upper", AUState::qld, 500'000, fh, land, 0,
             "QLD first home vacant land concession: at or above the $500k threshold."},
            {"wa full at 600k", AUState::wa, 600'000, fh, est, 22'515, waFh + full},
            {"wa concessional", AUState::wa, 700'000, fh, nb, 11'115,
             waFh + " — concessional $16.15 per $100 above $600,000."},
            {"wa none at 800k", AUState::wa, 800'000, fh, est, 0, "WA: property at or above the $800,000 first home threshold."},
            {"wa none above 800k", AUState::wa, 900'000, fh, est, 0, "WA: property above the $800,000 first home threshold."},
            {"wa land full at 450k", AUState::wa, 450'000, fh, land, 15'390, waFh + " (land)" + full},
            {"wa land between", AUState::wa, 500'000, fh, land, 7'695, waFh + " (land) — $20.14 per $100 above $450,000."},
            {"wa land none at 550k", AUState::wa, 550'000, fh, land, 0, "WA: land at or above the $550,000 first home threshold."},
            {"sa established", AUState::sa, 400'000, fh, est, 0, "SA: no first home concession on established homes."},
            {"sa land", AUState::sa, 400'000, fh, land, 16'330,
             "SA: duty abolished for first home buyers of new homes and land to build on."},
            {"tas", AUState::tas, 400'000, fh, nb, 0,
             "TAS: the first home exemption ended for settlements after 30 June 2026 — ordinary duty applies."},
            {"act any price", AUState::act, 1'500'000, fh, est, 68'100,
             "ACT: no duty for eligible first home buyers — no price cap or income test."},
            {"nt new build", AUState::nt, 600'000, fh, nb, 29'700, "NT House and Land Package Exemption — no duty, no value cap."},
            {"nt established", AUState::nt, 600'000, fh, est, 0,
             "NT: duty relief is limited to house and land packages; cash grants apply instead."},
            {"vic ppr note", AUState::vic, 500'000, oo, est, 0, "Victorian principal-place-of-residence scale applied."},
            {"vic above ppr", AUState::vic, 550'001, oo, est, 0, general},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << purchase(r.st, r.price, r.buyer, r.kind) << r.expected << r.note;
    }
    void concession()
    {
        QFETCH(PurchaseInputs, input);
        const DutyResult r = StampDuty::duty(input);
        QTEST_CENTS(r.concession, "expected");
        QTEST(ResultSentences::dutyNote(r.note), "note");
    }

    void result_data()
    {
        QTest::addColumn<PurchaseInputs>("input");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("surcharge");
        QTest::addColumn<double>("payable");
        QTest::addColumn<double>("transferFee");
        QTest::addColumn<double>("mortgageFee");
        QTest::addColumn<QString>("note");

        QTest::newRow("nsw owner") << purchase(AUState::nsw, 800'000) << 30'412.0 << 0.0 << 30'412.0 << 176.0 << 176.0
                                   << general;
        auto s = purchase(AUState::nsw, 1'000'000);
        s.foreignBuyer = true;
        QTest::newRow("nsw foreign") << s << 39'412.0 << 90'000.0 << 129'412.0 << 176.0 << 176.0 << general;
        // The surcharge is charged in full even when the ordinary duty is wholly conceded.
        s = purchase(AUState::vic, 500'000, BuyerType::firstHome);
        s.foreignBuyer = true;
        QTest::newRow("foreign first home") << s << 21'370.0 << 40'000.0 << 40'000.0 << 120.0 << 120.0
                                            << QStringLiteral("VIC first home buyer duty exemption — full exemption.");
        s = purchase(AUState::act, 600'000);
        s.foreignBuyer = true;
        QTest::newRow("act no surcharge") << s << 13'274.0 << 0.0 << 13'274.0 << 500.0 << 170.0 << general;

        s = purchase(AUState::qld, 600'000);
        s.dutyOverride = 12'345;
        QTest::newRow("override") << s << 12'345.0 << 0.0 << 12'345.0 << 250.0 << 220.0 << overrideNote;
        s = purchase(AUState::wa, 700'000, BuyerType::firstHome);
        s.foreignBuyer = true;
        s.dutyOverride = 0;
        QTest::newRow("override of 0 is a figure")
            << s << 0.0 << 49'000.0 << 49'000.0 << 200.0 << 200.0 << overrideNote;
        s = purchase(AUState::nsw, 0);
        s.dutyOverride = 5'000;
        QTest::newRow("override without price") << s << 5'000.0 << 0.0 << 5'000.0 << 0.0 << 0.0 << overrideNote;
        s = purchase(AUState::nsw, 800'000);
        s.dutyOverride = -100;
        QTest::newRow("negative override") << s << 0.0 << 0.0 << 0.0 << 176.0 << 176.0 << overrideNote;
        s.dutyOverride = notANumber;
        QTest::newRow("override not a number") << s << 30'412.0 << 0.0 << 30'412.0 << 176.0 << 176.0 << general;

        const QString enter = QStringLiteral("Enter a purchase price.");
        for (double bad : {0.0, -1.0, notANumber, inf, -inf}) {
            s = purchase(AUState::nsw, bad);
            s.foreignBuyer = true;
            QTest::addRow("no price %g", bad) << s << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << enter;
        }
    }
    void result()
    {
        QFETCH(PurchaseInputs, input);
        const DutyResult r = StampDuty::duty(input);
        QTEST(r.baseDuty, "base");
        QTEST(r.foreignSurcharge, "surcharge");
        QTEST_CENTS(r.payable(), "payable");
        QTEST(r.transferFee, "transferFee");
        QTEST(r.mortgageFee, "mortgageFee");
        QTEST(ResultSentences::dutyNote(r.note), "note");
    }

    // Every jurisdiction, buyer and kind, at thresholds and at absurd prices: the figures stay finite, the
    // concession stays within the duty, and nothing is negative.
    void invariants()
    {
        const double prices[] = {1,         5'000,     350'000, 450'000, 550'000, 600'000, 699'999.99,
                                 800'000,   1'000'000, 3'000'000, 1e15, 1e300, std::numeric_limits<double>::max()};
        for (AUState st : allCases<AUState>())
            for (BuyerType buyer : allCases<BuyerType>())
                for (PropertyKind kind : allCases<PropertyKind>())
                    for (double price : prices) {
                        auto s = purchase(st, price, buyer, kind);
                        s.foreignBuyer = true;
                        const DutyResult r = StampDuty::duty(s);
                        const QByteArray where = rawValue(st).toLatin1() + ' ' + QByteArray::number(price);
                        QVERIFY2(std::isfinite(r.baseDuty) && std::isfinite(r.payable()), where);
                        QVERIFY2(r.baseDuty >= 0 && r.concession >= 0 && r.foreignSurcharge >= 0, where);
                        QVERIFY2(r.concession <= r.baseDuty, where);
                        QVERIFY2(r.payable() >= r.foreignSurcharge, where);
                    }
        // A conceded amount is bounded by the duty handed in, whatever that is.
        for (double full : {-500.0, notANumber, inf})
            for (double price : {0.0, 500'000.0, notANumber}) {
                const double c =
                    StampDuty::concession(AUState::wa, price, BuyerType::firstHome, PropertyKind::established, full)
                        .first;
                QCOMPARE(c, 0.0);
            }
    }
};

QTEST_GUILESS_MAIN(TestDuty)
#include "tst_duty.moc"
