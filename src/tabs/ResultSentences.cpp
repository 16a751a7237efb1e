#include "tabs/ResultSentences.h"

#include "core/Format.h"

#include <cmath>

namespace brolga {

QString ResultSentences::ytdVerdict(const YTDCheck &c)
{
    if (c.standing == YTDStanding::noBase)
        return QStringLiteral("Annualised pace ") + Format::money(c.annualisedPace, 0) +
               QStringLiteral(" \u2014 enter a base to compare.");
    const QString p = Format::percent(std::fabs(c.variance) * 100, 1);
    switch (c.standing) {
    case YTDStanding::belowBase:
        return QStringLiteral("Annualised YTD runs ") + p +
               QStringLiteral(" below base \u2014 check unpaid leave, reduced hours, or the start date.");
    case YTDStanding::aboveBase:
        return QStringLiteral("Annualised YTD runs ") + p +
               QStringLiteral(" above base \u2014 consistent with overtime, allowances or a pay rise; "
                              "confirm what is ongoing.");
    case YTDStanding::noBase:
    case YTDStanding::tracksBase: break;
    }
    return QStringLiteral("Annualised YTD tracks base within ") + p +
           QStringLiteral(" \u2014 payslip supports the stated income.");
}

QString ResultSentences::dutyNote(const DutyNote &note)
{
    switch (note.phase) {
    case ConcessionPhase::stated: break;
    case ConcessionPhase::fullExemption: return note.rule + QStringLiteral(" — full exemption.");
    case ConcessionPhase::phasingOut:
        return note.rule + QStringLiteral(" — partial concession, phasing out at ") +
               Format::shortMoney(note.threshold) + u'.';
    case ConcessionPhase::atThreshold:
        return note.rule + QStringLiteral(": at or above the ") + Format::shortMoney(note.threshold) +
               QStringLiteral(" threshold.");
    case ConcessionPhase::aboveThreshold:
        return note.rule + QStringLiteral(": above the ") + Format::shortMoney(note.threshold) +
               QStringLiteral(" threshold.");
    }
    return note.rule;
}

} // namespace brolga
