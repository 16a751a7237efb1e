#include "core/CalculatorStore.h"
#include "core/Format.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

using namespace brolga;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Saltbush"));
    QCoreApplication::setApplicationName(QStringLiteral("Brolga"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));

    CalculatorStore store;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &store, &CalculatorStore::saveNow);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Brolga"));
    auto *layout = new QVBoxLayout(&window);
    auto *label = new QLabel(&window);
    layout->addWidget(label);
    const auto scenario = store.scenario();
    label->setText(scenario ? QStringLiteral("Repayment: %1 a period").arg(Format::money(scenario->payment, 2))
                            : QStringLiteral("Enter a loan amount, rate and term."));
    window.resize(470, 200);
    window.show();
    return app.exec();
}
