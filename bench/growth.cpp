// Resident memory over a long session: 10,000 edits spread over the four tabs' fields, each made with its own
// screen shown, events processed after every edit and the window painted into an image now and then. Prints
// VmRSS after every thousand edits; a flat line from the first thousand on is the point.
//
//   growth [edits]        (default 10000)

#include "FirstPaint.h"

#include "core/CalculatorStore.h"
#include "ui/CapacityView.h"
#include "ui/IncomeView.h"
#include "ui/RepaymentView.h"
#include "ui/UpfrontView.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <array>
#include <cstdio>
#include <functional>

using namespace brolga;

namespace {

using Edit = std::function<void(CalculatorState &, int)>;

// The fields a broker types into on each tab, and the switches that add or remove parts of the screen.
const std::array<std::vector<Edit>, 4> &editsByTab()
{
    static const std::array<std::vector<Edit>, 4> edits{{
        {
            [](CalculatorState &s, int i) { s.loanAmount = 300000 + (i % 97) * 5000; },
            [](CalculatorState &s, int i) { s.interestRate = 4.5 + (i % 31) * 0.1; },
            [](CalculatorState &s, int i) { s.loanTermYears = 10 + i % 31; },
            [](CalculatorState &s, int i) { s.extraRepayment = (i % 7) * 100; },
            [](CalculatorState &s, int i) { s.offsetAmount = (i % 11) * 10000; },
            [](CalculatorState &s, int i) { s.frequency = static_cast<PaymentFrequency>(i % 3); },
            [](CalculatorState &s, int i) {
                s.repaymentType = i % 2 ? RepaymentType::interestOnly : RepaymentType::principalAndInterest;
            },
            [](CalculatorState &s, int i) { s.isCompareMode = i % 2; },
            [](CalculatorState &s, int i) { s.showProjection = i % 3 != 0; },
            [](CalculatorState &s, int i) {
                s.projectionView = i % 2 ? ProjectionView::schedule : ProjectionView::chart;
            },
        },
        {
            [](CalculatorState &s, int i) { s.grossIncome = 60000 + (i % 89) * 2500; },
            [](CalculatorState &s, int i) { s.applicantType = i % 2 ? ApplicantType::couple : ApplicantType::single; },
            [](CalculatorState &s, int i) { s.dependants = i % 5; },
            [](CalculatorState &s, int i) { s.monthlyOtherDebts = (i % 13) * 150; },
            [](CalculatorState &s, int i) { s.assessmentBuffer = 1 + (i % 5) * 0.5; },
            [](CalculatorState &s, int i) { s.dtiMultiple = 4 + i % 5; },
        },
        {
            [](CalculatorState &s, int i) { s.employmentType = static_cast<EmploymentType>(i % 4); },
            [](CalculatorState &s, int i) { s.payBasis = static_cast<PayBasis>(i % 6); },
            [](CalculatorState &s, int i) { s.payRate = 40 + (i % 83) * 1000; },
            [](CalculatorState &s, int i) { s.unitsPerWeek = 20 + i % 21; },
            [](CalculatorState &s, int i) { s.overtimeAnnual = (i % 9) * 2000; },
            [](CalculatorState &s, int i) { s.bonusThisFY = (i % 6) * 3000; },
            [](CalculatorState &s, int i) { s.bonusLastFY = (i % 4) * 3500; },
            [](CalculatorState &s, int i) { s.allowancesAnnual = (i % 5) * 1200; },
            [](CalculatorState &s, int i) { s.hasHELP = i % 2; },
        },
        {
            [](CalculatorState &s, int i) { s.state = static_cast<AUState>(i % 8); },
            [](CalculatorState &s, int i) { s.purchasePrice = 350000 + (i % 101) * 9000; },
            [](CalculatorState &s, int i) { s.depositAmount = 20000 + (i % 37) * 8000; },
            [](CalculatorState &s, int i) { s.buyerType = static_cast<BuyerType>(i % 3); },
            [](CalculatorState &s, int i) { s.propertyKind = static_cast<PropertyKind>(i % 3); },
            [](CalculatorState &s, int i) { s.isForeignBuyer = i % 5 == 0; },
            [](CalculatorState &s, int i) { s.legalFees = 1000 + (i % 9) * 200; },
        },
    }};
    return edits;
}

} // namespace

int main(int argc, char **argv)
{
    // The offscreen platform says so on every resize of a shown window; nothing else is muted.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never read or write the user's stored record, nor the one the other benchmarks read: the run starts
    // from the default record in a home of its own.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const int total = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;

    CalculatorStore store;
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *stack = new QStackedWidget(&window);
    layout->addWidget(stack);
    stack->addWidget(new RepaymentView(store, stack));
    stack->addWidget(new CapacityView(store, stack));
    stack->addWidget(new IncomeView(store, stack));
    stack->addWidget(new UpfrontView(store, stack));
    window.resize(470, 900);
    window.show();
    QCoreApplication::processEvents();

    QImage image(window.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    auto paint = [&] {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        window.render(&painter);
    };

    std::printf("edits  VmRSS (kB)\n%5d  %ld\n", 0, bench::residentKb());
    // A burst of edits on one tab, then the next, as a broker moves through a client's figures.
    constexpr int burst = 25;
    const auto &edits = editsByTab();
    for (int i = 0; i < total; ++i) {
        const int tab = (i / burst) % 4;
        const auto &fields = edits[tab];
        const Edit &edit = fields[(i / 4) % fields.size()];
        store.edit([&](CalculatorState &s) {
            s.activeTab = static_cast<CalculatorTab>(tab);
            edit(s, i);
        });
        stack->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        if (i % 50 == 0)
            paint();
        if ((i + 1) % 1000 == 0)
            std::printf("%5d  %ld\n", i + 1, bench::residentKb());
    }
    std::fflush(stdout);
    return 0;
}
