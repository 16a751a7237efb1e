#pragma once

#include "core/ScreenChoices.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace brolga::ReportArguments {

// What one run of brolga-report was asked to do.
struct Options {
    std::optional<QString> stateFile; // "-" is standard input; absent reads the user's saved record
    std::optional<QString> clientsFile; // the client book; absent: the user's
    std::optional<QString> client;      // the client's inputs over the user's saved record, instead of --state
    bool list = false;                  // list the client book
    bool initServer = false;            // print the SQL of an office's book on its server
    std::optional<QString> server;      // with initServer: apply the SQL there instead
    std::vector<CalculatorTab> tabs;  // empty: the record's active tab
    bool text = false;
    std::optional<CalculatorTab> card; // write this tab's export card as a PNG to `out`
    std::optional<CalculatorTab> screen; // write this tab's screen as a PNG to `out`
    bool calendar = false;               // write a date field's calendar pop-up as a PNG to `out`
    bool dark = false;                   // the screen or calendar in the dark appearance
    QString out;                       // the picture file
    std::optional<QString> themeID;    // absent: the record's theme
    std::optional<QString> logoFile;   // the broker's logo on the card; absent: none
    std::optional<QString> pdf;         // write the client report of `tabs` (empty: all four) to this file
    std::optional<QString> preparedFor; // the client named on the report
    bool overwrite = false;             // `out` and `pdf` may replace a file already there
    bool help = false;
    bool version = false;

    // Pictures need the widget toolkit; text does not.
    bool drawsPictures() const { return card.has_value() || screen.has_value() || calendar; }
    bool needsGui() const { return drawsPictures() || pdf.has_value(); }
};

struct Parsed {
    Options options;
    QString error; // empty when the arguments were understood
};

// `arguments` includes the program name first, as QCoreApplication::arguments() gives it.
Parsed parse(const QStringList &arguments);
QString helpText();

} // namespace brolga::ReportArguments
