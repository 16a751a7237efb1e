#include "ReportArguments.h"

#include "brand/Theme.h"
#include "tabs/TabRegistry.h"

#include <QCommandLineParser>

#include <algorithm>

namespace brolga::ReportArguments {

namespace {

const QCommandLineOption stateOption(QStringLiteral("state"),
                                     QStringLiteral("Read the record from FILE (\"-\" for standard input) instead of "
                                                    "the saved one."),
                                     QStringLiteral("FILE"));
const QCommandLineOption clientsOption(QStringLiteral("clients"),
                                       QStringLiteral("Read clients from the client book FILE instead of the user's, "
                                                      "or from an office's book at postgresql://USER@HOST:PORT/DB "
                                                      "(the password from PGPASSWORD, else from the keychain). Never "
                                                      "written."),
                                       QStringLiteral("FILE"));
const QCommandLineOption initServerOption(QStringLiteral("init-server"),
                                          QStringLiteral("Print the SQL that sets up an office's client book on its "
                                                         "PostgreSQL server: the tables, the roles and who may read "
                                                         "and change which clients. Followed by "
                                                         "postgresql://OWNER@HOST:PORT/DB (the password from "
                                                         "PGPASSWORD), applies it there; a book already set up is "
                                                         "left alone."));
const QCommandLineOption listOption(QStringLiteral("list"),
                                    QStringLiteral("List the client book: each client's name and last change, "
                                                   "latest first."));
const QCommandLineOption clientOption(QStringLiteral("client"),
                                      QStringLiteral("Report the client NAME from the client book instead of a "
                                                     "record: its figures with the user's saved identity."),
                                      QStringLiteral("NAME"));
const QCommandLineOption tabOption(QStringLiteral("tab"),
                                   QStringLiteral("The tab to report: ") + TabRegistry::storedNames(QStringLiteral(", ")) +
                                       QStringLiteral(" or all. Default: the tab the record has open."),
                                   QStringLiteral("TAB"));
const QCommandLineOption textOption(QStringLiteral("text"),
                                    QStringLiteral("Print the figures as the plain text Brolga copies."));
const QCommandLineOption cardOption(QStringLiteral("card"),
                                    QStringLiteral("Write the export card of TAB (") + TabRegistry::storedNames() +
                                        QStringLiteral(") as a PNG to the file given with --out."),
                                    QStringLiteral("TAB"));
const QCommandLineOption screenOption(QStringLiteral("screen"),
                                      QStringLiteral("Write the screen of TAB as the window shows it (470 wide, full "
                                                     "height, scale 2) as a PNG to the file given with --out."),
                                      QStringLiteral("TAB"));
const QCommandLineOption calendarOption(QStringLiteral("calendar"),
                                        QStringLiteral("Write the calendar a date field opens, on the record's "
                                                       "period end (else today), as a PNG to the file given with "
                                                       "--out."));
const QCommandLineOption darkOption(QStringLiteral("dark"),
                                    QStringLiteral("Draw the screen or the calendar in the dark appearance."));
const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("The PNG file a picture is written to."),
                                   QStringLiteral("FILE"));
const QCommandLineOption themeOption(QStringLiteral("theme"),
                                     QStringLiteral("Draw pictures in theme ID (brolga, classic or slate) instead of "
                                                    "the record's."),
                                     QStringLiteral("ID"));
const QCommandLineOption logoOption(QStringLiteral("logo"),
                                    QStringLiteral("Put the PNG logo in FILE on the card, checked as Brolga checks "
                                                   "an imported logo. Without it the card carries no logo."),
                                    QStringLiteral("PNG"));
const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                   QStringLiteral("Write the client report as a PDF to FILE: the tabs given with "
                                                  "--tabs, else the active tab and every tab changed from its "
                                                  "defaults."),
                                   QStringLiteral("FILE"));
const QCommandLineOption tabsOption(QStringLiteral("tabs"),
                                    QStringLiteral("The tabs the PDF report covers, in a list such as "
                                                   "repayment,capacity, or all."),
                                    QStringLiteral("LIST"));
const QCommandLineOption preparedForOption(QStringLiteral("prepared-for"),
                                           QStringLiteral("Name the client the PDF report is prepared for."),
                                           QStringLiteral("NAME"));
const QCommandLineOption overwriteOption(QStringLiteral("overwrite"),
                                         QStringLiteral("Replace the file given with --out or --pdf if it exists. "
                                                        "Without it an existing file is refused and a free name "
                                                        "offered."));
const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Show this help."));
const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                       QStringLiteral("Show the version."));

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Reports a Brolga record without opening a window. Without --state it reads the record "
                       "Brolga saved for this user; it never writes it."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(stateOption);
    parser.addOption(clientsOption);
    parser.addOption(listOption);
    parser.addOption(initServerOption);
    parser.addOption(clientOption);
    parser.addOption(tabOption);
    parser.addOption(textOption);
    parser.addOption(cardOption);
    parser.addOption(screenOption);
    parser.addOption(calendarOption);
    parser.addOption(darkOption);
    parser.addOption(outOption);
    parser.addOption(themeOption);
    parser.addOption(logoOption);
    parser.addOption(pdfOption);
    parser.addOption(tabsOption);
    parser.addOption(preparedForOption);
    parser.addOption(overwriteOption);
    parser.addOption(helpOption);
    parser.addOption(versionOption);
}

std::optional<std::vector<CalculatorTab>> tabsNamed(const QString &name)
{
    if (name == u"all") {
        std::vector<CalculatorTab> all;
        for (const TabInfo &tab : TabRegistry::tabs())
            all.push_back(tab.id);
        return all;
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
    o.version = parser.isSet(versionOption);
    if (o.help || o.version)
        return out;
    // The one word that may stand alone: the server --init-server sets up.
    if (parser.isSet(initServerOption) && parser.positionalArguments().size() == 1 && arguments.size() == 3)
        out.options.server = parser.positionalArguments().constFirst();
    else if (!parser.positionalArguments().isEmpty()) {
        out.error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().constFirst());
        return out;
    }
    for (const QCommandLineOption *once : {&stateOption, &tabOption, &cardOption, &screenOption, &outOption, &themeOption,
                                             &logoOption, &clientsOption, &clientOption, &pdfOption, &tabsOption,
                                             &preparedForOption})
        if (parser.values(*once).size() > 1) {
            out.error = QStringLiteral("Give --%1 at most once.").arg(once->names().constFirst());
            return out;
        }
    if (parser.isSet(stateOption)) {
        o.stateFile = parser.value(stateOption);
        if (o.stateFile->isEmpty()) {
            out.error = QStringLiteral("--state needs a file name, or - for standard input.");
            return out;
        }
    }
    if (parser.isSet(clientsOption)) {
        o.clientsFile = parser.value(clientsOption);
        if (o.clientsFile->isEmpty()) {
            out.error = QStringLiteral("--clients needs a file name.");
            return out;
        }
    }
    o.list = parser.isSet(listOption);
    o.initServer = parser.isSet(initServerOption);
    if (parser.isSet(clientOption)) {
        o.client = parser.value(clientOption).trimmed();
        if (o.client->isEmpty()) {
            out.error = QStringLiteral("--client needs a client's name.");
            return out;
        }
    }
    if (parser.isSet(tabOption)) {
        const auto tabs = tabsNamed(parser.value(tabOption));
        if (!tabs) {
            out.error = QStringLiteral("Unknown tab \"%1\": use %2 or all.")
                            .arg(parser.value(tabOption), TabRegistry::storedNames(QStringLiteral(", ")));
            return out;
        }
        o.tabs = *tabs;
    }
    o.text = parser.isSet(textOption);
    if (parser.isSet(cardOption)) {
        o.card = fromRaw<CalculatorTab>(parser.value(cardOption));
        if (!o.card) {
            out.error = QStringLiteral("Unknown card \"%1\": use %2.")
                            .arg(parser.value(cardOption), TabRegistry::storedNames());
            return out;
        }
    }
    if (parser.isSet(screenOption)) {
        o.screen = fromRaw<CalculatorTab>(parser.value(screenOption));
        if (!o.screen) {
            out.error = QStringLiteral("Unknown screen \"%1\": use %2.")
                            .arg(parser.value(screenOption), TabRegistry::storedNames());
            return out;
        }
    }
    o.calendar = parser.isSet(calendarOption);
    o.dark = parser.isSet(darkOption);
    if (parser.isSet(outOption)) {
        o.out = parser.value(outOption);
        if (o.out.isEmpty()) {
            out.error = QStringLiteral("--out needs a file name.");
            return out;
        }
    }
    if (parser.isSet(themeOption)) {
        o.themeID = parser.value(themeOption);
        QStringList ids;
        for (const Theme &theme : Theme::all())
            ids << theme.id;
        if (!ids.contains(*o.themeID)) {
            out.error = QStringLiteral("Unknown theme \"%1\": use %2.").arg(*o.themeID, ids.join(QStringLiteral(", ")));
            return out;
        }
    }
    if (parser.isSet(logoOption)) {
        o.logoFile = parser.value(logoOption);
        if (o.logoFile->isEmpty()) {
            out.error = QStringLiteral("--logo needs a PNG file.");
            return out;
        }
    }
    if (parser.isSet(pdfOption)) {
        o.pdf = parser.value(pdfOption);
        if (o.pdf->isEmpty()) {
            out.error = QStringLiteral("--pdf needs a file name.");
            return out;
        }
    }
    if (parser.isSet(tabsOption)) {
        if (parser.isSet(tabOption) || !o.pdf) {
            out.error = QStringLiteral("--tabs goes with --pdf; --tab with --text.");
            return out;
        }
        for (const QString &name : parser.value(tabsOption).split(u',')) {
            const auto tabs = tabsNamed(name.trimmed());
            if (!tabs) {
                out.error = QStringLiteral("Unknown tab \"%1\" in --tabs: use %2 or all.")
                                .arg(name.trimmed(), TabRegistry::storedNames(QStringLiteral(", ")));
                return out;
            }
            for (CalculatorTab tab : *tabs)
                if (std::find(o.tabs.begin(), o.tabs.end(), tab) == o.tabs.end())
                    o.tabs.push_back(tab);
        }
    }
    if (parser.isSet(preparedForOption)) {
        if (!o.pdf) {
            out.error = QStringLiteral("--prepared-for goes with --pdf.");
            return out;
        }
        o.preparedFor = parser.value(preparedForOption);
    }
    o.overwrite = parser.isSet(overwriteOption);
    if (o.initServer && arguments.size() > (o.server ? 3 : 2))
        out.error = QStringLiteral("--init-server goes alone.");
    else if (o.initServer)
        return out;
    else if (o.list && (o.text || o.needsGui() || o.client || o.stateFile || parser.isSet(tabOption)))
        out.error = QStringLiteral("--list goes alone (with --clients FILE at most).");
    else if (o.list)
        return out;
    else if (o.client && o.stateFile)
        out.error = QStringLiteral("Give --state or --client, not both.");
    else if (o.clientsFile && !o.client)
        out.error = QStringLiteral("--clients goes with --list or --client.");
    else if (int(o.card.has_value()) + int(o.screen.has_value()) + int(o.calendar) > 1)
        out.error = QStringLiteral("Give one of --card, --screen and --calendar: each writes one picture to --out.");
    else if (o.drawsPictures() && o.out.isEmpty())
        out.error = QStringLiteral("--card, --screen and --calendar need --out FILE.");
    else if (!o.drawsPictures() && parser.isSet(outOption))
        out.error = QStringLiteral("--out goes with --card, --screen or --calendar.");
    else if (!o.needsGui() && o.themeID)
        out.error = QStringLiteral("--theme goes with --card, --screen, --calendar or --pdf.");
    else if (o.logoFile && !o.card && !o.pdf)
        out.error = QStringLiteral("--logo goes with --card or --pdf.");
    else if (o.dark && !o.screen && !o.calendar)
        out.error = QStringLiteral("--dark goes with --screen or --calendar.");
    else if (o.overwrite && !o.needsGui())
        out.error = QStringLiteral("--overwrite goes with --out or --pdf.");
    else if (!o.text && !o.needsGui())
        out.error = QStringLiteral("Nothing to report: add --text, --card, --screen, --calendar or --pdf.");
    return out;
}

QString helpText()
{
    QCommandLineParser parser;
    describe(parser);
    return QStringLiteral("Usage: brolga-report [--state FILE | --client NAME] [--tab TAB] --text\n"
                          "       brolga-report [--state FILE] --card TAB --out FILE [--theme ID] [--logo PNG]\n"
                          "       brolga-report [--state FILE] --screen TAB --out FILE [--theme ID] [--dark]\n"
                          "       brolga-report [--state FILE] --calendar --out FILE [--theme ID] [--dark]\n"
                          "       brolga-report [--state FILE] --pdf FILE [--tabs LIST] [--theme ID] [--logo PNG]\n"
                          "                     [--prepared-for NAME]\n"
                          "       brolga-report [--clients FILE] --list\n"
                          "       brolga-report --init-server [postgresql://OWNER@HOST:PORT/DB]\n"
                          "       (--client NAME [--clients FILE] goes in place of --state with --text, --card, "
                          "--screen and --pdf)\n"
                          "       (--overwrite lets --out or --pdf replace a file that exists)\n") +
           parser.helpText().section(u'\n', 1);
}

} // namespace brolga::ReportArguments
