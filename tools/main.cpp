// brolga-report: the figures of a stored record, printed without opening a window.

#include "CardOutput.h"
#include "ClientSource.h"
#include "PngFile.h"
#include "RecordSource.h"
#include "ReportArguments.h"
#include "ScreenOutput.h"
#include "ServerSetup.h"

#include "brand/Theme.h"
#include "core/CalculatorStore.h"
#include "core/ClientBook.h"
#include "core/ClientInputs.h"
#include "export/TextExporter.h"
#include "export/report/ReportContent.h"
#include "export/report/ReportDocument.h"
#include "export/report/ReportTabs.h"
#include "ui/buttons/BrandStyle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include <cstdio>
#include <memory>

using namespace brolga;

namespace {

constexpr int exitFailure = 2;

bool write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream) ==
               static_cast<size_t>(bytes.size()) &&
           std::fflush(stream) == 0;
}

int fail(const QString &message)
{
    write(stderr, QStringLiteral("brolga-report: ") + message + u'\n');
    return exitFailure;
}

// Text needs no more than Qt Core; pictures need the widget toolkit, drawn off screen so no display is needed.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[], const ReportArguments::Options &options)
{
    if (!options.needsGui())
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries the tool's own one-line errors only, not the platform's start-up chatter.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg)
            write(stderr, message + u'\n');
    });
    auto app = std::make_unique<QApplication>(argc, argv);
    BrandStyle::install();
    return app;
}

} // namespace

int main(int argc, char *argv[])
{
    // Which kind of application to make depends on the arguments, so read them before there is one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ReportArguments::Parsed parsed = ReportArguments::parse(arguments);
    if (!parsed.error.isEmpty())
        return fail(parsed.error + QStringLiteral(" (see --help)"));
    const ReportArguments::Options &options = parsed.options;
    if (options.version && !options.help)
        return write(stdout, QStringLiteral("brolga-report " BROLGA_VERSION "\n")) ? 0 : 1;

    const auto app = makeApplication(argc, argv, options);
    QCoreApplication::setApplicationName(QStringLiteral("brolga-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));
    if (options.help)
        return write(stdout, ReportArguments::helpText()) ? 0 : 1;

    // Refused before any work, so a FIFO or device named by --out is never opened or replaced, nor an earlier
    // file unless --overwrite says so.
    if (options.drawsPictures())
        if (const QString refused = PngFile::refusal(options.out, options.overwrite); !refused.isEmpty())
            return fail(refused);
    if (options.pdf)
        if (const QString refused = PngFile::refusal(*options.pdf, options.overwrite); !refused.isEmpty())
            return fail(refused);

    if (options.initServer && options.server) {
        const ServerSetup::Outcome outcome = ServerSetup::apply(*options.server);
        return outcome.ok ? (write(stdout, outcome.message + u'\n') ? 0 : 1) : fail(outcome.message);
    }
    if (options.initServer)
        return write(stdout, ClientBook::officeBookSql()) ? 0 : 1;

    const QString bookPath = options.clientsFile.value_or(ClientBook::defaultPath());
    if (options.list) {
        const ClientSource::Listing listing = ClientSource::list(bookPath);
        if (!listing.error.isEmpty())
            return fail(listing.error);
        return write(stdout, listing.text) ? 0 : fail(QStringLiteral("cannot write the list"));
    }

    RecordSource::Loaded loaded =
        options.stateFile ? RecordSource::fromFile(*options.stateFile) : RecordSource::fromSettings();
    if (!loaded.record)
        return fail(loaded.error);
    // A client's figures go over the user's record, as opening the client in Brolga puts them: the broker's
    // identity stays.
    QString clientName;
    std::vector<CalculatorTab> clientTabs;
    if (options.client) {
        const ClientSource::Found found = ClientSource::find(bookPath, *options.client);
        if (!found.inputs)
            return fail(found.error);
        ClientInputs::apply(*found.inputs, *loaded.record);
        clientName = found.name;
        clientTabs = ReportTabs::fromStored(found.reportTabs);
    }

    // The store schedules a save on every change, but its timer only fires in an event loop, and this program
    // never runs one: the user's saved record is never written from here.
    CalculatorStore store(std::make_unique<Settings>());
    store.setState(*loaded.record);
    store.setClientName(clientName);
    const QDateTime now = QDateTime::currentDateTime();
    store.setClock([now] { return now; });

    // The record's theme, unless another was asked for.
    const Theme &theme = Theme::named(options.themeID.value_or(store.state().themeID));
    if (options.screen)
        if (const QString error = ScreenOutput::writeScreen(store, *options.screen, theme, options.dark, options.out);
            !error.isEmpty())
            return fail(error);
    if (options.calendar)
        if (const QString error = ScreenOutput::writeCalendar(store, theme, options.dark, options.out);
            !error.isEmpty())
            return fail(error);
    std::optional<QImage> logo;
    if (options.logoFile) {
        const CardOutput::Logo read = CardOutput::readLogo(*options.logoFile);
        if (!read.image)
            return fail(read.error);
        logo = read.image;
    }
    if (options.card)
        if (const QString error = CardOutput::writeCard(store, *options.card, theme, logo, options.out);
            !error.isEmpty())
            return fail(error);
    if (options.pdf) {
        // Prepared for the client given with --client, unless another name was asked for; without --tabs, the
        // tabs the window would tick: the client's last choice, else those worked on.
        const auto tabs = !options.tabs.empty() ? options.tabs
                          : !clientTabs.empty() ? clientTabs
                                                : ReportTabs::suggested(store.state());
        const ReportDocument report(ReportContent::from(store, tabs, options.preparedFor), theme, logo);
        if (const QString error = report.save(*options.pdf); !error.isEmpty())
            return fail(QStringLiteral("cannot write %1: %2").arg(*options.pdf, error));
    }
    if (!options.text)
        return 0;

    std::vector<CalculatorTab> tabs = options.tabs;
    if (tabs.empty())
        tabs.push_back(store.state().activeTab);

    QStringList summaries;
    for (CalculatorTab tab : tabs)
        summaries << TextExporter::summary(store, tab, now);
    // One blank line between tabs, and a final line feed for the shell.
    if (!write(stdout, summaries.join(QStringLiteral("\n\n")) + u'\n'))
        return fail(QStringLiteral("cannot write the report"));
    return 0;
}
