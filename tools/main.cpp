// brolga-report: the figures of a stored record, printed without opening a window.

#include "RecordSource.h"
#include "ReportArguments.h"

#include "core/CalculatorStore.h"
#include "export/TextExporter.h"

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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brolga-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BROLGA_VERSION));

    const ReportArguments::Parsed parsed = ReportArguments::parse(QCoreApplication::arguments());
    if (!parsed.error.isEmpty())
        return fail(parsed.error + QStringLiteral(" (see --help)"));
    const ReportArguments::Options &options = parsed.options;
    if (options.help)
        return write(stdout, ReportArguments::helpText()) ? 0 : 1;

    const RecordSource::Loaded loaded =
        options.stateFile ? RecordSource::fromFile(*options.stateFile) : RecordSource::fromSettings();
    if (!loaded.record)
        return fail(loaded.error);

    // The store schedules a save on every change, but its timer only fires in an event loop, and this program
    // never runs one: the user's saved record is never written from here.
    CalculatorStore store(std::make_unique<Settings>());
    store.setState(*loaded.record);
    const QDateTime now = QDateTime::currentDateTime();
    store.setClock([now] { return now; });

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
