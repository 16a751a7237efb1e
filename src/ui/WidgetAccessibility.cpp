#include "ui/WidgetAccessibility.h"
#include "ui/access/Accessibility.h"

#include "ui/brand/CreditFooter.h"
#include "brand/Credits.h"
#include "core/Format.h"
#include "ui/BalanceChart.h"
#include "ui/DonutChart.h"
#include "ui/LegendDot.h"
#include "ui/YearlyTable.h"
#include "ui/YearlyTableView.h"
#include "ui/access/AccessibleLines.h"
#include "ui/access/AccessibleView.h"
#include "ui/controls/BrandDateField.h"
#include "ui/controls/FigureLabel.h"
#include "ui/controls/HeroLabel.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace brolga::Accessibility {

namespace {

// The words a caption shows in capitals, for HeroValue's name.
QString heroCaption(const QWidget *value)
{
    if (const QWidget *card = value->parentWidget())
        if (auto *label = card->findChild<HeroLabel *>(QString(), Qt::FindDirectChildrenOnly))
            return label->caption();
    return {};
}

QString chartSummary(const BalanceChart *chart)
{
    const std::vector<YearlyLine> lines = YearlyTable::lines(chart->schedule(), chart->frequency());
    if (lines.empty())
        return {};
    double interest = 0;
    for (const YearlyLine &line : lines)
        interest += line.interest;
    const double start = lines.front().balance + lines.front().principal;
    const int years = int(lines.size());
    return QStringLiteral("Balance falls from %1 to %2 over %3 %4; interest paid %5")
        .arg(Format::money(start, 0), Format::money(lines.back().balance, 0), QString::number(years),
             years == 1 ? QStringLiteral("year") : QStringLiteral("years"), Format::money(interest, 0));
}

QString yearlyLine(const YearlyTableView *table, int index)
{
    if (index < 0 || index >= table->lineCount())
        return {};
    const auto cells = table->lineTexts(index);
    return QStringLiteral("Year %1: principal %2, interest %3, balance %4").arg(cells[0], cells[1], cells[2], cells[3]);
}

// A picker is a group of radio buttons (Qt describes them); the picked one doubles as the group's value, as
// a combo box's current item does.
class PickerGroup : public QAccessibleWidget {
public:
    explicit PickerGroup(PillPicker *picker) : QAccessibleWidget(picker, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *picker = static_cast<const PillPicker *>(widget());
        if (t == QAccessible::Value)
            return picker->selectedIndex() < 0 ? QString() : picker->options().value(picker->selectedIndex()).label;
        return QAccessibleWidget::text(t);
    }
};

void addControls()
{
    add("brolga::FigureLabel", [](QObject *o) {
        auto *label = static_cast<FigureLabel *>(o);
        return new AccessibleView(label, {.value = [label] { return AccessibleView::spoken(label->text()); }});
    });
    add("brolga::HeroLabel", [](QObject *o) {
        auto *label = static_cast<HeroLabel *>(o);
        // The caption heads the hero card; the figure under it carries the same words as its name.
        return new AccessibleView(label, {.role = QAccessible::Heading, .name = [label] { return label->caption(); }});
    });
    add("brolga::HeroValue", [](QObject *o) {
        auto *value = static_cast<HeroValue *>(o);
        return new AccessibleView(
            value, {.name = [value] { return heroCaption(value); },
                    .value = [value] { return AccessibleView::spoken(value->text() + value->suffix()); }});
    });
    add("brolga::HeroStat", [](QObject *o) {
        auto *stat = static_cast<HeroStat *>(o);
        return new AccessibleView(stat, {.name = [stat] { return stat->label(); },
                                         .value = [stat] { return AccessibleView::spoken(stat->value()); }});
    });
    add("brolga::ResultRow", [](QObject *o) {
        auto *row = static_cast<ResultRow *>(o);
        return new AccessibleView(row, {.name = [row] { return row->label(); },
                                        .value = [row] { return AccessibleView::spoken(row->value()); }});
    });
    add("brolga::LegendDot", [](QObject *o) {
        auto *dot = static_cast<LegendDot *>(o);
        return new AccessibleView(dot,
                                  {.name = [dot] { return dot->label(); }, .value = [dot] { return dot->value(); }});
    });
    add("brolga::DonutChart", [](QObject *o) {
        auto *donut = static_cast<DonutChart *>(o);
        return new AccessibleView(donut, {.name = [] { return QStringLiteral("Interest share of total payable"); },
                                          .value = [donut] { return donut->centreText(); }});
    });
    add("brolga::BalanceChart", [](QObject *o) {
        auto *chart = static_cast<BalanceChart *>(o);
        return new AccessibleView(chart, {.role = QAccessible::Chart,
                                          .name = [] { return QStringLiteral("Balance and cumulative interest"); },
                                          .value = [chart] { return chartSummary(chart); }});
    });
    add("brolga::YearlyTableView", [](QObject *o) {
        auto *table = static_cast<YearlyTableView *>(o);
        return new AccessibleLines(
            table, {.name = [] { return QStringLiteral("Year by year"); },
                    .count = [table] { return table->lineCount(); },
                    .line = [table](int i) { return yearlyLine(table, i); },
                    .rect =
                        [table](int i) {
                            return QRect(0, YearlyTableView::headerHeight + 1 + i * YearlyTableView::lineHeight,
                                         table->width(), YearlyTableView::lineHeight);
                        }});
    });
    add("brolga::PillPicker", [](QObject *o) { return new PickerGroup(static_cast<PillPicker *>(o)); });
    add("brolga::BrandDateField", [](QObject *o) {
        auto *field = static_cast<BrandDateField *>(o);
        // A button showing the date that opens a calendar: what a reader knows as a combo box.
        return new AccessibleView(field, {.role = QAccessible::ComboBox,
                                          .name = [] { return QString(); },
                                          .value = [field] { return field->text(); },
                                          .state =
                                              [field](QAccessible::State &s) {
                                                  s.hasPopup = true;
                                                  s.expanded = field->isCalendarOpen();
                                                  s.collapsed = !field->isCalendarOpen();
                                              },
                                          .press = [field] { field->openCalendar(); }});
    });
    add("brolga::CreditFooter", [](QObject *o) {
        auto *footer = static_cast<CreditFooter *>(o);
        return new AccessibleView(
            footer, {.role = QAccessible::Button,
                     .name = [] { return Credits::shortDisclaimer(); },
                     .value =
                         [footer] {
                             return footer->isExpanded() ? footer->fullDisclaimer() : QString();
                         },
                     .state =
                         [footer](QAccessible::State &s) {
                             s.expandable = true;
                             s.expanded = footer->isExpanded();
                             s.collapsed = !footer->isExpanded();
                         },
                     .press = [footer] { footer->toggle(); }});
    });
}

} // namespace

void install()
{
    static bool added = false;
    if (!added) {
        added = true;
        addControls();
    }
    installFactory();
}

} // namespace brolga::Accessibility
