#include "export/TextExporter.h"

#include "brand/Credits.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "export/ExportTexts.h"
#include "export/Letterhead.h"
#include "tabs/ResultSentences.h"
#include "tabs/TabRegistry.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace brolga::TextExporter {

namespace {

// User-perceived characters: "é" typed as e plus a combining accent is one, as is an emoji with a modifier.
int graphemes(const QString &text)
{
    if (text.isEmpty())
        return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

using namespace ExportTexts;

QStringList bodyLines(const CalculatorStore &store, CalculatorTab tab)
{
    const TabFigures f = TabRegistry::info(tab).figures(store);
    if (!f.hasResult)
        return {f.noResultText};
    constexpr Surface text = Surface::text;
    QStringList lines;
    for (const Figure &input : TabFigures::on(f.inputs, text))
        lines << row(input.labelOn(text), input.text());
    lines << QString();
    if (f.hero.on(text))
        lines << row(f.hero.labelOn(text), f.hero.text());
    for (const Figure &result : TabFigures::on(f.results, text)) {
        if (result.gapBefore)
            lines << QString();
        lines << row(result.labelOn(text), result.text());
    }
    for (const FigureNote &note : f.notes) {
        if (!(note.surfaces & unsigned(text)))
            continue;
        if (note.gapBefore)
            lines << QString();
        lines << note.text;
    }
    return lines;
}

} // namespace

QString row(const QString &label, const QString &value)
{
    const int dots = std::max(rowWidth - 2 - graphemes(label) - graphemes(value), 1);
    return label + u' ' + QString(dots, u'.') + u' ' + value;
}

QString summary(const CalculatorStore &store, CalculatorTab tab, const QDateTime &now)
{
    const Letterhead head = Letterhead::of(store.state(), TabRegistry::info(tab).heading, store.clientName());
    QStringList lines;
    lines << head.title.toUpper();
    for (const QString &line : {head.preparedForLine(), head.identityLine(), head.contactLine()})
        if (!line.isEmpty())
            lines << line;
    lines << Format::stamp(now);
    lines << QString();

    lines << bodyLines(store, tab);

    lines << QString();
    lines << Credits::shortDisclaimer();
    lines << Credits::productName() + QStringLiteral(" \u00B7 ") + Credits::makerCredit();
    return lines.join(u'\n');
}

QString summary(const CalculatorStore &store, const QDateTime &now)
{
    return summary(store, store.state().activeTab, now);
}

} // namespace brolga::TextExporter
