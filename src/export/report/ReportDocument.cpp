#include "export/report/ReportDocument.h"

#include "brand/BrandType.h"
#include "brand/Credits.h"
#include "brand/LetterheadBand.h"
#include "brand/ThemePalette.h"
#include "core/Format.h"
#include "core/SafeFile.h"
#include "export/draw/Disclaimer.h"
#include "export/draw/FigureGrid.h"
#include "export/draw/HeaderBand.h"
#include "export/draw/ResultRow.h"
#include "export/draw/TextBlock.h"
#include "export/report/ChartScale.h"
#include "export/report/PdfInfo.h"
#include "ui/YearlyTable.h"
#include "ui/brand/BrandLockup.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

enum class Face { sans, serif };
using Piece = std::function<void(QPainter &)>;

QFont reportFont(Face face, qreal size, FontWeight weight, qreal tracking = 0)
{
    QFont font = face == Face::serif ? BrandType::serif(size, weight) : BrandType::sans(size, weight);
    // Shaped Latin text does not survive the trip into the file intact: Inter's contextual dash drops out of
    // the text a reader copies or searches, and Playfair's "fi" comes back as one ligature character. Text of
    // a script that needs shaping gets it back as it is laid out (TextBlock).
    font.setStyleStrategy(QFont::PreferNoShaping);
    // Unhinted advances are the ones the PDF places its glyphs by, so a right-aligned figure ends where
    // it was measured to.
    font.setHintingPreference(QFont::PreferNoHinting);
    if (tracking != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    // An emoji in a name is drawn in outline by Symbola (which the package depends on) rather than by a colour
    // emoji font the system may prefer, whose bitmaps the PDF cannot carry.
    if (!font.families().isEmpty())
        font.setFamilies(font.families() << QStringLiteral("Symbola"));
    return font;
}

QColor rgb(std::uint32_t value, qreal alpha = 1)
{
    QColor c = QColor::fromRgb(QRgb(value));
    c.setAlphaF(float(alpha));
    return c;
}

// The broker's logo fitted within 4.5 × its height by its height, as on the card.
QSizeF fittedLogo(const QSize &image, qreal maxHeight)
{
    if (image.isEmpty())
        return {};
    QSizeF size(image);
    size.scale(QSizeF(4.5 * maxHeight, maxHeight), Qt::KeepAspectRatio);
    return size;
}

// The resolution Qt sizes fonts against: the primary screen's logical one (96 on Linux and Windows, 72 on macOS).
int fontResolution()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? std::max(qRound(screen->logicalDotsPerInchY()), 1) : 96;
}

constexpr qreal logoHeight = 38;
// The logo is kept at this many pixels a point: sharp in print (288 dpi) without carrying a photograph's bytes.
constexpr qreal logoPixelsPerPoint = 4;

} // namespace

struct ReportLayout {
    ReportDocument &doc;
    const ReportContent &content;
    const Theme &t;
    std::optional<QImage> logo;
    // The brand marks read their colours from a palette: the light look in the report's theme, as on the card.
    const QPalette palette = ThemePalette::make(t, Appearance::light);

    const QSizeF page = ReportDocument::pageSize();
    static constexpr qreal margin = 46;
    static constexpr qreal top = 50;
    static constexpr qreal footerSpace = 58;
    const qreal left = margin;
    const qreal width = page.width() - 2 * margin;
    const qreal bottom = page.height() - footerSpace;
    qreal y = 0;
    // The first page of each section, filled in as the sections are laid out and read by the contents when
    // it is drawn.
    std::shared_ptr<std::vector<int>> sectionPages = std::make_shared<std::vector<int>>();

    void newPage()
    {
        doc.pages_.emplace_back();
        y = top;
    }
    int pageNumber() const { return int(doc.pages_.size()); }

    // Starts a new page unless `height` fits below; a block taller than a whole page goes where it is.
    bool room(qreal height)
    {
        if (y + height <= bottom || y <= top)
            return false;
        newPage();
        return true;
    }

    void add(Piece piece) { doc.pages_.back().push_back(std::move(piece)); }
    // What was placed on the page, block by block, for the checks of where pages break.
    void mark(const QString &block)
    {
        doc.outline_.resize(doc.pages_.size());
        doc.outline_.back() << block;
    }

    void draw(const TextBlock &block, const QPointF &at, const QColor &colour)
    {
        add([block, at, colour](QPainter &p) {
            p.setPen(colour);
            block.draw(p, at);
        });
    }

    void fill(const QRectF &rect, const QColor &colour)
    {
        add([rect, colour](QPainter &p) { p.fillRect(rect, colour); });
    }

    void rule(qreal x, qreal atY, qreal w, qreal thickness = 0.75) { fill(QRectF(x, atY, w, thickness), rgb(t.rule)); }

    void header()
    {
        newPage();
        constexpr qreal pad = 26;
        const QString stamp = Format::stamp(content.now);
        const TextBlock stampText = TextBlock::make(stamp, reportFont(Face::sans, 9.5, FontWeight::regular));
        const QSizeF mark = logo ? fittedLogo(logo->size(), logoHeight) + QSizeF(0.48, 0.32) * logoHeight
                                 : BrandLockup::naturalSize(13);
        HeaderBand band({page.width(), pad, left, left + width, 24, 3}, mark,
                        QSizeF(stampText.width, stampText.height));
        const qreal leftWidth = band.leftWidth();

        struct Line {
            QString text;
            QFont font;
            QColor colour;
            int maxLines;
        };
        const Letterhead &head = content.letterhead;
        auto on = [this](LetterheadBand::Text text) { return LetterheadBand::text(palette, text); };
        std::vector<Line> lines{
            {head.title, reportFont(Face::serif, 22, FontWeight::medium), on(LetterheadBand::Text::title), 2}};
        if (!head.preparedFor.isEmpty())
            lines.push_back({head.preparedForLine(), reportFont(Face::sans, 12.5, FontWeight::medium),
                             on(LetterheadBand::Text::preparedFor), 2});
        if (!head.identity.isEmpty())
            lines.push_back({head.identityLine(), reportFont(Face::sans, 11.5, FontWeight::medium),
                             on(LetterheadBand::Text::identity), 3});
        // The licence has a line of its own, so a long e-mail address or web site gives way before it does.
        if (!head.contact.isEmpty())
            lines.push_back({Letterhead::joined(head.contact), reportFont(Face::sans, 10, FontWeight::regular),
                             on(LetterheadBand::Text::contact), 3});
        if (!head.licence.isEmpty())
            lines.push_back(
                {head.licence, reportFont(Face::sans, 10, FontWeight::medium), on(LetterheadBand::Text::contact), 2});

        std::vector<TextBlock> blocks;
        std::vector<HeaderBand::Item> items;
        for (const Line &line : lines) {
            blocks.push_back(TextBlock::make(line.text, line.font, leftWidth, line.maxLines));
            items.push_back({blocks.back().height});
            if (&line != &lines.front())
                doc.headerLines_ << blocks.back().lines;
        }
        const std::vector<qreal> tops = band.place(items);
        add([band, palette = palette](QPainter &p) { band.paint(p, palette); });
        for (std::size_t i = 0; i < lines.size(); ++i)
            draw(blocks[i], QPointF(left, tops[i]), lines[i].colour);

        const QPointF markAt = band.markAt();
        if (logo)
            logoTile(markAt, mark);
        else
            add([markAt, palette = palette](QPainter &p) {
                BrandLockup::paint(p, palette, markAt, BrandLockup::Ground::dark, 13);
            });
        draw(stampText, band.stampAt() - QPointF(stampText.width, 0),
             LetterheadBand::text(palette, LetterheadBand::Text::stamp));
        y = band.height() + 26;
    }

    void logoTile(const QPointF &at, const QSizeF &tile)
    {
        const QRectF target(at + QPointF(0.24, 0.16) * logoHeight, fittedLogo(logo->size(), logoHeight));
        const QSize pixels = (target.size() * logoPixelsPerPoint).toSize().boundedTo(logo->size());
        QImage image = logo->convertToFormat(logo->hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32)
                           .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        add([tile = QRectF(at, tile), target, image = std::move(image)](QPainter &p) {
            QPainterPath shape;
            shape.addRoundedRect(tile, 6, 6);
            p.fillPath(shape, Qt::white);
            p.drawImage(target, image);
        });
    }

    void contents()
    {
        const QFont headingFont = reportFont(Face::sans, 8.5, FontWeight::semibold, 1.2);
        const TextBlock heading = TextBlock::make(QStringLiteral("IN THIS REPORT"), headingFont);
        draw(heading, QPointF(left, y), rgb(t.muted));
        y += heading.height + 6;
        const QFont lineFont = reportFont(Face::sans, 11, FontWeight::regular);
        for (std::size_t i = 0; i < content.sections.size(); ++i) {
            const ReportSection &s = content.sections[i];
            if (s.entered) {
                const TextBlock title = TextBlock::make(s.title, lineFont, width - 60);
                draw(title, QPointF(left, y), rgb(t.ink));
                // The page is known only once the section has been laid out.
                add([pages = sectionPages, i, font = lineFont, at = QPointF(left + width, y),
                     colour = rgb(t.muted)](QPainter &p) {
                    const TextBlock number =
                        TextBlock::make(QStringLiteral("page ") + QString::number(pages->at(i)), font);
                    p.setPen(colour);
                    number.draw(p, at - QPointF(number.width, 0));
                });
                y += title.height + 5;
            } else {
                const TextBlock line = TextBlock::make(
                    s.title + QStringLiteral(" \u2014 not included: ") + lowerFirst(s.emptyReason), lineFont, width);
                draw(line, QPointF(left, y), rgb(t.muted));
                y += line.height + 5;
            }
            sectionPages->push_back(0);
        }
        y += 4;
        rule(left, y, width);
        y += 24;
    }

    static QString lowerFirst(QString text)
    {
        if (text.size() > 1 && text[1].isLower())
            text[0] = text[0].toLower();
        return text;
    }

    // `tail`: what must follow the section's last block on its page (the disclaimer after the last section).
    void section(std::size_t index, qreal tail)
    {
        const ReportSection &s = content.sections[index];
        const TextBlock title = TextBlock::make(s.title, reportFont(Face::serif, 20, FontWeight::medium), width);
        TextBlock heroLabel, heroValue;
        if (s.hero) {
            heroLabel = TextBlock::make(s.hero->label, reportFont(Face::sans, 9.5, FontWeight::semibold), width);
            heroValue = TextBlock::make(s.hero->value, reportFont(Face::serif, 30, FontWeight::semibold));
            // A figure too long for the line (a hand-edited record's) is set small and wrapped, whole.
            if (heroValue.width > width)
                heroValue = TextBlock::make(s.hero->value, reportFont(Face::sans, 12.5, FontWeight::semibold), width);
        }
        // The heading, the hero figure and the first row of inputs stay together.
        constexpr qreal firstCells = 60;
        room(10 + title.height + 12 + (s.hero ? heroLabel.height + 2 + heroValue.height + 12 : 0) + firstCells);
        mark(QStringLiteral("heading"));
        (*sectionPages)[index] = pageNumber();
        fill(QRectF(left, y, 28, 3), rgb(t.accentOnLight));
        y += 10;
        draw(title, QPointF(left, y), rgb(t.dark));
        y += title.height + 12;

        if (s.hero) {
            const TextBlock &label = heroLabel;
            const TextBlock &value = heroValue;
            draw(label, QPointF(left, y), rgb(t.muted));
            y += label.height + 2;
            draw(value, QPointF(left, y), rgb(t.dark));
            y += value.height + 12;
        }
        grid(s.inputs);
        const bool tableLast = s.tab == CalculatorTab::repayment && !content.loans.empty();
        if (!s.results.empty())
            y += 14;
        std::vector<Row> rows;
        for (const ReportFigure &figure : s.results)
            rows.push_back(measureRow(figure));
        std::vector<TextBlock> notes;
        qreal notesHeight = s.notes.isEmpty() ? 0 : 8;
        for (const QString &note : s.notes) {
            notes.push_back(TextBlock::make(note, reportFont(Face::sans, 9.5, FontWeight::regular), width, 0, 1.5));
            notesHeight += notes.back().height + 5;
        }
        // The last two rows go together, with the notes and, when nothing follows in the section, the tail: a
        // page never starts with one row of a section, its notes or the disclaimer alone.
        const qreal after = notesHeight + (tableLast ? 0 : tail);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            qreal keep = rows[i].space;
            if (i + 2 == rows.size())
                keep += rows[i + 1].space + after;
            else if (rows.size() == 1)
                keep += after;
            room(keep);
            drawRow(rows[i]);
        }
        if (rows.empty())
            room(after);
        if (!notes.empty())
            y += 8;
        for (const TextBlock &block : notes) {
            room(block.height);
            mark(QStringLiteral("note"));
            draw(block, QPointF(left, y), rgb(t.muted));
            y += block.height + 5;
        }
        if (tableLast) {
            chart();
            table(tail);
        }
        y += 30;
    }

    struct Row {
        ReportFigure figure;
        TextBlock label;
        TextBlock value;
        qreal labelTop = 0;
        qreal height = 0;
        qreal space = 0; // the room it asks for
    };

    void grid(const std::vector<ReportFigure> &cells)
    {
        const FigureGrid grid(width);
        const QFont labelFont = reportFont(Face::sans, 9, FontWeight::regular);
        const QFont valueFont = reportFont(Face::sans, 12.5, FontWeight::semibold);
        std::vector<std::pair<TextBlock, TextBlock>> texts;
        std::vector<std::pair<qreal, qreal>> heights;
        for (const ReportFigure &cell : cells) {
            texts.emplace_back(TextBlock::make(cell.label, labelFont, grid.textWidth()),
                               TextBlock::make(cell.value, valueFont, grid.textWidth()));
            heights.emplace_back(texts.back().first.height, texts.back().second.height);
        }
        for (const FigureGrid::Row &row : FigureGrid::rows(heights)) {
            room(row.height);
            mark(QStringLiteral("cells"));
            for (std::size_t i = row.first; i < row.last; ++i) {
                // Every cell of a row as tall as the row.
                const QRectF cell = grid.cell(row, i, QPointF(left, y), row.height);
                add([cell, ground = rgb(t.paper), line = rgb(t.rule)](QPainter &p) {
                    FigureGrid::paintCell(p, cell, 6.4, ground, line, 0.8);
                });
                const auto &[label, value] = texts[i];
                draw(label, FigureGrid::labelAt(cell), rgb(t.muted));
                draw(value, FigureGrid::valueAt(cell, label.height), rgb(t.ink));
            }
            y += row.height + FigureGrid::rowSpacing;
        }
        if (!cells.empty())
            y -= FigureGrid::rowSpacing;
    }

    Row measureRow(const ReportFigure &figure) const
    {
        const QFont labelFont = reportFont(Face::sans, 10.5, FontWeight::regular);
        const QFont valueFont = reportFont(Face::sans, 11.5, FontWeight::semibold);
        Row row{figure, {}, TextBlock::make(figure.value, valueFont)};
        // A figure wider than half the page (a hostile record's) wraps rather than pushing its label away.
        if (row.value.width > width / 2)
            row.value = TextBlock::make(figure.value, valueFont, width / 2);
        const qreal indent = figure.indented ? 14 : 0;
        row.label =
            TextBlock::make(figure.label, labelFont, ResultRow::labelWidth(width - indent, row.value.width, 16));
        const ResultRow place(QFontMetricsF(labelFont).ascent(), QFontMetricsF(valueFont).ascent());
        row.labelTop = place.labelTop;
        row.height = place.height(row.label.height, row.value.height);
        row.space = row.height + 12;
        return row;
    }

    void drawRow(const Row &row)
    {
        mark(QStringLiteral("row"));
        const qreal indent = row.figure.indented ? 14 : 0;
        draw(row.label, QPointF(left + indent, y + row.labelTop), rgb(row.figure.indented ? t.muted : t.ink));
        draw(row.value, QPointF(left + width - row.value.width, y), rgb(t.ink));
        y += row.height + ResultRow::ruleSpacing;
        rule(left, y, width);
        y += 6;
    }

    // The balance of each loan over its life, over the interest paid so far, as vector paths.
    void chart()
    {
        constexpr qreal chartHeight = 150;
        const QFont headingFont = reportFont(Face::sans, 11, FontWeight::semibold);
        const QFont smallFont = reportFont(Face::sans, 8.5, FontWeight::regular);
        const TextBlock heading = TextBlock::make(QStringLiteral("Balance over the loan"), headingFont);
        const QColor balance = rgb(t.chartPrimaryLight);
        const QColor interest = rgb(t.chartAccentLight);
        // The legend: a short stroke or swatch before each name, on as many lines as the names need (a split
        // loan's names beside a comparison take two).
        struct Entry {
            TextBlock name;
            QColor colour;
            bool dashed, area;
            QPointF at; // from the legend's top left
        };
        std::vector<Entry> entries;
        for (std::size_t i = 0; i < content.loans.size(); ++i) {
            const bool second = i > 0;
            const QString rate = lowerFirst(content.loans[i].label);
            entries.push_back(
                {TextBlock::make(QStringLiteral("Balance ") + rate, smallFont), balance, second, false, {}});
            entries.push_back(
                {TextBlock::make(QStringLiteral("Interest paid ") + rate, smallFont), interest, second, !second, {}});
        }
        const qreal lineHeight = entries.empty() ? 0 : entries.front().name.height;
        qreal x = 0, lines = 0;
        for (Entry &e : entries) {
            if (x > 0 && x + 20 + e.name.width > width) {
                x = 0;
                lines += lineHeight + 4;
            }
            e.at = {x, lines};
            x += 20 + e.name.width + 14;
        }
        room(24 + heading.height + 20 + lines + chartHeight);
        mark(QStringLiteral("chart"));
        y += 16;
        draw(heading, QPointF(left, y), rgb(t.dark));
        y += heading.height + 6;

        for (const Entry &e : entries) {
            const QPointF at(left + e.at.x(), y + e.at.y());
            const QRectF swatch(at.x(), at.y() + e.name.height / 2 - 4, 16, 8);
            add([swatch, colour = e.colour, dashed = e.dashed, area = e.area](QPainter &p) {
                if (area) {
                    QColor c = colour;
                    c.setAlphaF(0.28f);
                    p.fillRect(swatch, c);
                } else {
                    QPen pen(colour, 1.8, dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap);
                    p.setPen(pen);
                    p.drawLine(QPointF(swatch.left(), swatch.center().y()),
                               QPointF(swatch.right(), swatch.center().y()));
                }
            });
            draw(e.name, at + QPointF(20, 0), rgb(t.muted));
        }
        y += lines + lineHeight + 6;

        const QRectF frame(left, y, width, chartHeight);
        const QRectF plot = frame.adjusted(44, 10, -10, -20);
        double top = 1;
        std::size_t periods = 2;
        int perYear = 12;
        for (const ReportLoan &loan : content.loans) {
            double interestSum = 0;
            for (const AmortisationRow &row : loan.schedule)
                interestSum += row.interest;
            if (!loan.schedule.empty())
                top = std::max({top, loan.schedule.front().balance + loan.schedule.front().principal, interestSum});
            periods = std::max(periods, loan.schedule.size());
            perYear = periodsPerYear(loan.frequency);
        }
        if (!std::isfinite(top))
            top = 1;
        const ChartScale scale = ChartScale::of(top);
        top = scale.top();
        add([frame, fillColour = rgb(t.paper), line = rgb(t.rule)](QPainter &p) {
            QPainterPath shape;
            shape.addRoundedRect(frame, 8, 8);
            p.fillPath(shape, fillColour);
            p.strokePath(shape, QPen(line, 0.8));
        });
        // Round figures up the side, the years along the foot.
        for (int step = 0; step <= scale.steps; ++step) {
            const qreal lineY = plot.bottom() - plot.height() * step / scale.steps;
            add([plot, lineY, line = rgb(t.rule)](QPainter &p) {
                p.setPen(QPen(line, 0.5));
                p.drawLine(QPointF(plot.left(), lineY), QPointF(plot.right(), lineY));
            });
            const TextBlock label = TextBlock::make(Format::shortMoney(scale.step * step), smallFont, 36, 1);
            draw(label, QPointF(plot.left() - 6 - label.width, lineY - label.height / 2), rgb(t.muted));
        }
        const int years = int(std::ceil(double(periods) / perYear));
        const int yearStep = years <= 10 ? 1 : years <= 20 ? 2 : years <= 30 ? 5 : 10;
        for (int year = 0; year <= years; year += yearStep) {
            const qreal lineX = plot.left() + plot.width() * std::min(1.0, double(year) * perYear / double(periods));
            const TextBlock label = TextBlock::make(QString::number(year), smallFont);
            draw(label, QPointF(lineX - label.width / 2, plot.bottom() + 4), rgb(t.muted));
        }

        for (std::size_t i = 0; i < content.loans.size(); ++i)
            plotLoan(content.loans[i], plot, top, periods, i > 0, balance, interest);
        y = frame.bottom() + 4;
        const TextBlock axis = TextBlock::make(QStringLiteral("Years"), smallFont);
        draw(axis, QPointF(frame.right() - axis.width, y), rgb(t.muted));
        y += axis.height;
    }

    void plotLoan(const ReportLoan &loan, const QRectF &plot, double top, std::size_t periods, bool dashed,
                  const QColor &balanceColour, const QColor &interestColour)
    {
        const std::size_t n = loan.schedule.size();
        if (n == 0)
            return;
        // A 50-year weekly loan has 2,600 periods across a few hundred points: about two points of the path
        // to each point of the page draw the same curve in a fraction of the file.
        const std::size_t stride = std::max<std::size_t>(1, n / std::size_t(std::max(1.0, plot.width() * 2)));
        auto at = [&](std::size_t period, double value) {
            const double v = std::isfinite(value) ? std::clamp(value / top, 0.0, 1.0) : 0.0;
            return QPointF(plot.left() + plot.width() * double(period) / double(periods),
                           plot.bottom() - plot.height() * v);
        };
        QPainterPath balance;
        QPainterPath interest;
        const double start = loan.schedule.front().balance + loan.schedule.front().principal;
        balance.moveTo(at(0, start));
        interest.moveTo(at(0, 0));
        double paid = 0;
        for (std::size_t i = 0; i < n; ++i) {
            paid += loan.schedule[i].interest;
            if (i % stride == 0 || i + 1 == n) {
                balance.lineTo(at(i + 1, loan.schedule[i].balance));
                interest.lineTo(at(i + 1, paid));
            }
        }
        QPainterPath area = interest;
        area.lineTo(at(n, 0));
        area.closeSubpath();
        QColor areaColour = interestColour;
        areaColour.setAlphaF(0.28f);
        const Qt::PenStyle style = dashed ? Qt::DashLine : Qt::SolidLine;
        add([=](QPainter &p) {
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setClipRect(plot.adjusted(-2, -2, 2, 2));
            if (!dashed)
                p.fillPath(area, areaColour);
            else
                p.strokePath(interest, QPen(interestColour, 1.2, style, Qt::FlatCap, Qt::RoundJoin));
            p.strokePath(balance, QPen(balanceColour, 1.8, style, Qt::FlatCap, Qt::RoundJoin));
            p.restore();
        });
    }

    // Year, interest, principal, extra and closing balance of each loan, one row a year, a totals row last.
    // Continued across pages with its header repeated; a row is never split.
    void table(qreal tail)
    {
        std::vector<std::vector<YearlyLine>> years;
        std::size_t rows = 0;
        for (const ReportLoan &loan : content.loans) {
            years.push_back(YearlyTable::lines(loan.schedule, loan.frequency));
            rows = std::max(rows, years.back().size());
        }
        doc.tableRows_ = int(rows);
        const bool both = content.loans.size() > 1;
        const QFont headingFont = reportFont(Face::sans, 11, FontWeight::semibold);
        const QFont headFont = reportFont(Face::sans, 8, FontWeight::semibold);
        const QFont groupFont = reportFont(Face::sans, 8.5, FontWeight::semibold);
        const QFont cellFont = reportFont(Face::sans, both ? 8 : 9, FontWeight::regular);
        const QFont totalFont = reportFont(Face::sans, both ? 8 : 9, FontWeight::semibold);
        constexpr qreal rowHeight = 14;
        const qreal yearWidth = both ? 30 : 44;
        const QStringList allNames{QStringLiteral("Interest"), QStringLiteral("Principal"), QStringLiteral("Extra"),
                                   QStringLiteral("Closing balance")};
        // A column of nothing but $0 says nothing: the extra repayments show only when there are some.
        const bool anyExtra = std::any_of(content.loans.begin(), content.loans.end(), [](const ReportLoan &loan) {
            return std::any_of(loan.schedule.begin(), loan.schedule.end(),
                               [](const AmortisationRow &row) { return row.extra != 0; });
        });
        const std::vector<std::size_t> shown =
            anyExtra ? std::vector<std::size_t>{0, 1, 2, 3} : std::vector<std::size_t>{0, 1, 3};
        QStringList names;
        for (std::size_t c : shown)
            names << allNames[qsizetype(c)];
        const int perLoan = int(shown.size());
        const qreal columnWidth = (width - yearWidth) / qreal(perLoan * int(content.loans.size()));

        // Right edge of numeric column `c` of loan `l`; a small gap before the second loan's columns.
        auto rightOf = [&](std::size_t l, int c) {
            return left + yearWidth + columnWidth * qreal(int(l) * perLoan + c + 1) - 4;
        };
        // A figure wider than its column (a hand-edited record's) is cut short rather than run into the next.
        auto cell = [&](const QString &text, const QFont &font, qreal right, qreal atY, const QColor &colour) {
            const TextBlock block = TextBlock::make(text, font, columnWidth - 4, 1);
            draw(block, QPointF(right - block.width, atY), colour);
        };
        // A column name too wide for its column takes two lines, each ending at the column's right edge; the
        // names sit on one baseline at the foot of the header.
        std::vector<TextBlock> headBlocks;
        qreal headTextHeight = 0;
        for (const QString &name : names) {
            headBlocks.push_back(TextBlock::make(name, headFont, columnWidth - 6, 2, 0, Qt::AlignRight));
            headTextHeight = std::max(headTextHeight, headBlocks.back().height);
        }
        auto head = [&](bool continued) {
            const TextBlock heading = TextBlock::make(
                continued ? QStringLiteral("Year by year (continued)") : QStringLiteral("Year by year"), headingFont);
            draw(heading, QPointF(left, y), rgb(t.dark));
            y += heading.height + 6;
            if (both) {
                for (std::size_t l = 0; l < content.loans.size(); ++l) {
                    const TextBlock group = TextBlock::make(content.loans[l].label, groupFont);
                    const qreal groupLeft = rightOf(l, 0) - columnWidth + 8;
                    draw(group, QPointF(groupLeft, y), rgb(t.accentOnLight));
                    rule(groupLeft, y + group.height + 1, rightOf(l, perLoan - 1) - groupLeft);
                }
                y += TextBlock::make(QStringLiteral("At"), groupFont).height + 4;
            }
            for (std::size_t l = 0; l < content.loans.size(); ++l)
                for (int c = 0; c < perLoan; ++c) {
                    const TextBlock &block = headBlocks[std::size_t(c)];
                    draw(block, QPointF(rightOf(l, c) - (columnWidth - 6), y + headTextHeight - block.height),
                         rgb(t.muted));
                }
            const TextBlock year = TextBlock::make(QStringLiteral("Year"), headFont);
            draw(year, QPointF(left + 2, y + headTextHeight - year.height), rgb(t.muted));
            y += headTextHeight + 3;
            rule(left, y, width);
            y += 3;
        };
        auto rowCells = [&](const QString &label, const std::vector<std::optional<std::array<double, 4>>> &values,
                            const QFont &font) {
            const qreal textY = y + (rowHeight - QFontMetricsF(font).height()) / 2;
            const TextBlock year = TextBlock::make(label, font);
            draw(year, QPointF(left + 2, textY), rgb(t.ink));
            for (std::size_t l = 0; l < values.size(); ++l)
                if (values[l])
                    for (int c = 0; c < perLoan; ++c)
                        cell(Format::money((*values[l])[shown[std::size_t(c)]], 0), font, rightOf(l, c), textY,
                             rgb(t.ink));
        };

        const qreal headHeight = TextBlock::make(QStringLiteral("Year"), headingFont).height + 6 + 24 + (both ? 16 : 0);
        room(16 + headHeight + 3 * rowHeight);
        mark(QStringLiteral("table"));
        y += 16;
        head(false);
        // The last two years go on with the totals and what follows the table.
        const qreal totalsSpace = rowHeight + 6;
        for (std::size_t r = 0; r < rows; ++r) {
            const std::size_t remaining = rows - r;
            if (room(remaining == 2 || rows == 1 ? qreal(remaining) * rowHeight + totalsSpace + tail : rowHeight))
                head(true);
            mark(QStringLiteral("year"));
            if (r % 2 == 1)
                fill(QRectF(left, y, width, rowHeight), rgb(t.paper));
            std::vector<std::optional<std::array<double, 4>>> values;
            for (const auto &lines : years) {
                if (r < lines.size()) {
                    const YearlyLine &line = lines[r];
                    values.push_back(std::array{line.interest, line.principal - line.extra, line.extra, line.balance});
                } else {
                    values.emplace_back();
                }
            }
            rowCells(QString::number(r + 1), values, cellFont);
            y += rowHeight;
        }

        // Totals summed period by period, in the order the loan's own total interest was.
        std::vector<std::optional<std::array<double, 4>>> totals;
        for (const ReportLoan &loan : content.loans) {
            std::array<double, 4> sum{0, 0, 0, loan.schedule.empty() ? 0 : loan.schedule.back().balance};
            for (const AmortisationRow &row : loan.schedule) {
                sum[0] += row.interest;
                sum[1] += row.principal - row.extra;
                sum[2] += row.extra;
            }
            totals.push_back(sum);
        }
        if (room(rowHeight + 4))
            head(true);
        mark(QStringLiteral("totals"));
        fill(QRectF(left, y, width, 0.9), rgb(t.muted));
        y += 2;
        rowCells(QStringLiteral("Total"), totals, totalFont);
        y += rowHeight;
    }

    struct SmallPrint {
        TextBlock text;
        TextBlock studio;
        Disclaimer foot;
        qreal height() const { return 10 + 9 + text.height + 10 + foot.height(); }
    };

    SmallPrint measureDisclaimer() const
    {
        const TextBlock studio =
            TextBlock::make(Disclaimer::studio(), reportFont(Face::sans, Disclaimer::textSize, FontWeight::medium,
                                                             Disclaimer::studioTracking));
        return {TextBlock::make(Disclaimer::text(content.loanCostsEntered),
                                reportFont(Face::sans, Disclaimer::textSize, FontWeight::regular), width, 0,
                                Disclaimer::leading),
                studio, Disclaimer(logo ? 0.0 : studio.height)};
    }

    void disclaimer(const SmallPrint &d)
    {
        room(d.height());
        mark(QStringLiteral("disclaimer"));
        y += 10;
        rule(left, y, width);
        y += 9;
        draw(d.text, QPointF(left, y), Disclaimer::ink(palette));
        y += d.text.height + 10;
        if (!logo)
            draw(d.studio, QPointF(left, d.foot.studioTop(y)), rgb(t.muted));
        add([foot = d.foot, right = left + width, atY = y, palette = palette](QPainter &p) {
            foot.paintCredit(p, palette, right, atY);
        });
        y += d.foot.height();
    }

    // Atop every page after the first: whose report it is (the broker and, whole, the licence) and whom it is
    // for. The name gives way before the licence does.
    void runningHeads()
    {
        const Letterhead &head = content.letterhead;
        if (head.identity.isEmpty() && head.licence.isEmpty() && head.preparedFor.isEmpty())
            return;
        const QFont font = reportFont(Face::sans, 8.5, FontWeight::regular);
        const qreal headY = 24;
        const TextBlock client =
            TextBlock::make(head.preparedForLine(), font, head.preparedFor.isEmpty() ? 0 : width * 0.4, 1);
        const qreal leftRoom = width - (head.preparedFor.isEmpty() ? 0 : client.width + 16);
        const TextBlock licence = TextBlock::make(head.licence, font, leftRoom, 1);
        const qreal gap = head.licence.isEmpty() || head.identity.isEmpty() ? 0 : 12;
        const TextBlock who =
            TextBlock::make(head.identityLine(), font, std::max(1.0, leftRoom - licence.width - gap), 1);
        for (std::size_t i = 1; i < doc.pages_.size(); ++i)
            doc.pages_[i].push_back([=, rule = rgb(t.rule), muted = rgb(t.muted), l = left, w = width](QPainter &p) {
                p.setPen(muted);
                who.draw(p, QPointF(l, headY));
                licence.draw(p, QPointF(l + who.width + gap, headY));
                client.draw(p, QPointF(l + w - client.width, headY));
                p.fillRect(QRectF(l, headY + 15, w, 0.75), rule);
            });
    }

    // "Page N of M" and the date at the foot of every page, once M is known.
    void footers()
    {
        const QFont font = reportFont(Face::sans, 8.5, FontWeight::regular);
        const int count = pageNumber();
        const TextBlock leftText =
            TextBlock::make(ReportContent::title() + QStringLiteral(" \u00B7 ") + Format::stamp(content.now), font);
        const qreal footY = page.height() - footerSpace + 22;
        for (int i = 0; i < count; ++i) {
            const TextBlock number = TextBlock::make(QStringLiteral("Page %1 of %2").arg(i + 1).arg(count), font);
            auto &pieces = doc.pages_[std::size_t(i)];
            pieces.push_back([=, rule = rgb(t.rule), muted = rgb(t.muted), l = left, w = width](QPainter &p) {
                p.fillRect(QRectF(l, footY, w, 0.75), rule);
                p.setPen(muted);
                leftText.draw(p, QPointF(l, footY + 7));
                number.draw(p, QPointF(l + w - number.width, footY + 7));
            });
        }
    }
};

ReportDocument::ReportDocument(const ReportContent &content, const Theme &theme, const std::optional<QImage> &logo)
{
    BrandType::registerFonts();
    title_ = ReportContent::title();
    if (!content.letterhead.preparedFor.isEmpty())
        title_ += QStringLiteral(" \u2014 prepared for ") + content.letterhead.preparedFor;
    author_ = content.brokerName;

    ReportLayout layout{*this, content, theme, logo && !logo->isNull() ? logo : std::nullopt};
    layout.header();
    layout.contents();
    const auto disclaimer = layout.measureDisclaimer();
    std::size_t last = content.sections.size();
    for (std::size_t i = 0; i < content.sections.size(); ++i)
        if (content.sections[i].entered)
            last = i;
    for (std::size_t i = 0; i < content.sections.size(); ++i)
        if (content.sections[i].entered)
            layout.section(i, i == last ? disclaimer.height() : 0);
    layout.disclaimer(disclaimer);
    layout.runningHeads();
    layout.footers();
}

ReportDocument::~ReportDocument() = default;

QSizeF ReportDocument::pageSize()
{
    return QPageSize(QPageSize::A4).size(QPageSize::Point);
}

QString ReportDocument::creator()
{
    return Credits::productName() + u' ' + QStringLiteral(BROLGA_VERSION);
}

QByteArray ReportDocument::toPdf() const
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        // Text the brand marks draw straight onto the device is sized for the device's resolution against the
        // screen's; at the screen's resolution it comes out at the size it was measured at.
        const int dpi = fontResolution();
        writer.setResolution(dpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title_);
        writer.setCreator(creator());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        writer.setAuthor(author_);
#endif
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            if (i > 0 && !writer.newPage())
                return {};
            painter.save();
            painter.scale(dpi / 72.0, dpi / 72.0);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                                   QPainter::SmoothPixmapTransform);
            for (const Piece &piece : pages_[i])
                piece(painter);
            painter.restore();
        }
        if (!painter.end())
            return {};
    }
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    bytes = PdfInfo::withAuthor(bytes, author_);
#endif
    return bytes;
}

QString ReportDocument::save(const QString &path) const
{
    const QByteArray bytes = toPdf();
    if (bytes.isEmpty())
        return QStringLiteral("The report could not be made.");
    return SafeFile::write(path, bytes);
}

} // namespace brolga
