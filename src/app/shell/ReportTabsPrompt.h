#pragma once

#include "core/ScreenChoices.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace brolga {

// Asks which tabs go in the client report: a box for each tab, `ticked` ticked to begin with. The report
// cannot be asked for with none ticked. Behind a seam as the file panels are: tests answer instead of a dialog.
class ReportTabsPrompt {
  public:
    struct Request {
        std::vector<CalculatorTab> ticked;
        QString themeID;              // the record's theme, for the dialog's colours
        bool identityMissing = false; // no name, company or licence set: the report will not say whose it is
    };
    // The tabs chosen, in tab order; absent when the broker cancelled.
    using Handler = std::function<std::optional<std::vector<CalculatorTab>>(const Request &)>;

    static std::optional<std::vector<CalculatorTab>> ask(QWidget *parent, const Request &request);
    // Pass an empty handler to show the real dialog again.
    static void setHandler(Handler handler);

    static QString noneTicked();
    static QString noIdentity();
};

} // namespace brolga
