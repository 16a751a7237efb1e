#include "ReportArguments.h"

#include <QCommandLineParser>

namespace brolga::ReportArguments {

namespace {

const QCommandLineOption stateOption(QStringLiteral("state"),
                                     QStringLiteral("Read the record from FILE (\"-\" for standard input) instead of "
                                                    "the saved one."),
                                     QStringLiteral("FILE"));
const QCommandLineOption tabOption(QStringLiteral("tab"),
                                   QStringLiteral("The tab to report: repayment, capacity, income, upfront or all. "
                                                  "Default: the tab the record has open."),
                                   QStringLiteral("TAB"));
const QCommandLineOption textOption(QStringLiteral("text"),
                                    QStringLiteral("Print the figures as the plain text Brolga copies."));
const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Show this help."));

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Reports a Brolga record without opening a window. Without --state it reads the record "
                       "Brolga saved for this user; it never writes it."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(stateOption);
    parser.addOption(tabOption);
    parser.addOption(textOption);
    parser.addOption(helpOption);
}

std::optional<std::vector<CalculatorTab>> tabsNamed(const QString &name)
{
    if (name == u"all") {
        const auto all = allCases<CalculatorTab>();
        return std::vector<CalculatorTab>(all.begin(), all.end());
    }
    if (const auto tab = fromRaw<CalculatorTab>(name))
        return std::vector<CalculatorTab>{*tab};
    return std::nullopt;
}

} // namespace

Parsed parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    Parsed out;
    if (!parser.parse(arguments)) {
        out.error = parser.errorText();
        return out;
    }
    Options &o = out.options;
    o.help = parser.isSet(helpOption);
    if (o.help)
        return out;
    if (!parser.positionalArguments().isEmpty()) {
        out.error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().constFirst());
        return out;
    }
    if (parser.values(stateOption).size() > 1 || parser.values(tabOption).size() > 1) {
        out.error = QStringLiteral("Give --state and --tab at most once each.");
        return out;
    }
    if (parser.isSet(stateOption)) {
        o.stateFile = parser.value(stateOption);
        if (o.stateFile->isEmpty()) {
            out.error = QStringLiteral("--state needs a file name, or - for standard input.");
            return out;
        }
    }
    if (parser.isSet(tabOption)) {
        const auto tabs = tabsNamed(parser.value(tabOption));
        if (!tabs) {
            out.error = QStringLiteral("Unknown tab \"%1\": use repayment, capacity, income, upfront or all.")
                            .arg(parser.value(tabOption));
            return out;
        }
        o.tabs = *tabs;
    }
    o.text = parser.isSet(textOption);
    if (!o.text)
        out.error = QStringLiteral("Nothing to report: add --text.");
    return out;
}

QString helpText()
{
    QCommandLineParser parser;
    describe(parser);
    return QStringLiteral("Usage: brolga-report [--state FILE] [--tab TAB] --text\n") +
           parser.helpText().section(u'\n', 1);
}

} // namespace brolga::ReportArguments
