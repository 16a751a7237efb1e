#include "export/card/ExportCard.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/Credits.h"
#include "brand/LetterheadBand.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "export/ExportTexts.h"
#include "export/Letterhead.h"
#include "export/draw/Disclaimer.h"
#include "export/draw/FigureGrid.h"
#include "export/draw/HeaderBand.h"
#include "export/draw/ResultRow.h"
#include "export/draw/TextBlock.h"
#include "tabs/ResultSentences.h"
#include "tabs/TabRegistry.h"
#include "ui/DonutChart.h"
#include "ui/brand/BrandLockup.h"
#include "ui/brand/CustomLogoMark.h"
#include "ui/brand/FractionalText.h"
#include "ui/controls/TabularDigits.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

using Face = FractionalText::Face;
using Colour = std::function<QColor(const QPalette &)>;
using Pair = std::pair<QString, QString>;
using namespace ExportTexts;

constexpr qreal pad = 22;
constexpr qreal sectionSpacing = 16;
constexpr qreal donutSize = 112;

// Theme colours are read when the card is painted, not when it is laid out.
Colour themed(std::uint32_t Theme::*field, qreal opacity = 1)
{
    return [field, opacity](const QPalette &palette) {
        QColor c = Brand::rgb(Brand::theme(palette).*field);
        c.setAlphaF(float(opacity));
        return c;
    };
}

Colour onBand(LetterheadBand::Text text)
{
    return [text](const QPalette &palette) { return LetterheadBand::text(palette, text); };
}

constexpr QChar nbsp(0x00A0);
constexpr QChar zwsp(0x200B);
constexpr QChar wordJoiner(0x2060);

// Header parts joined so that a wrapped line never starts with the separator: "a\u00A0· b".
QString joinParts(const QStringList &parts)
{
    return parts.join(QString(nbsp) + QStringLiteral("\u00B7 "));
}

// "ACL 123456" and "0400 123 456" never break between a word and its number.
QString keepNumbersWhole(QString part)
{
    for (qsizetype i = 0; i + 1 < part.size(); ++i)
        if (part[i] == u' ' && part[i + 1].isDigit())
            part[i] = nbsp;
    return part;
}

// A word too wide for a line of its own (a long e-mail or web address) may break before "@", ".", "/" or
// "-"; a word that fits is never broken there, so it moves to the next line whole instead.
QString breakLongWords(const QString &text, const QFont &font, qreal width)
{
    const QStringList words = text.split(u' ');
    QStringList out;
    for (const QString &word : words) {
        if (QFontMetricsF(font).horizontalAdvance(word) <= width) {
            out << word;
            continue;
        }
        QString broken;
        for (qsizetype i = 0; i < word.size(); ++i) {
            const QChar c = word[i];
            // "https://" stays whole.
            const bool slash = c == u'/' && i > 0 && word[i - 1] != u'/' && word[i - 1] != u':';
            if (i > 0 && (c == u'.' || c == u'@' || c == u'-' || slash))
                broken += zwsp;
            broken += c;
            // Before a hyphen, not after it: a line ending in "-" reads as a word broken by us.
            if (c == u'-')
                broken += wordJoiner;
        }
        out << broken;
    }
    return out.join(u' ');
}

// A figure too wide for its place (only a stored record with absurd amounts makes one) is cut short with an
// ellipsis, as the screens cut it; words that fit are left to wrap.
QString cutOverlongFigure(const QString &figure, Face face, qreal size, FontWeight weight, qreal width)
{
    FractionalText mark(figure, face, size, weight);
    mark.adjustFont(tabularDigits);
    if (figure.contains(u' ') || mark.width() <= width)
        return figure;
    return QFontMetricsF(mark.font()).elidedText(figure, Qt::ElideRight, width / mark.scaleFactor());
}

// An identity line is wrapped at most to this many lines; absurd input ends in an ellipsis.
constexpr int maxHeaderLines = 3;
// No three lines of the header could show more than this, even in the narrowest letters.
constexpr qsizetype maxHeaderChars = 1000;

// The card laid out top to bottom into drawing steps with fixed positions.
struct CardLayout {
    std::vector<std::function<void(QPainter &, const QPalette &)>> pieces;
    QStringList texts;
    std::vector<Pair> figures;
    QStringList headerShown;

    // One line, cut short with an ellipsis if it would pass `maxWidth`; returns its height.
    qreal line(const QString &text, Face face, qreal size, FontWeight weight, qreal tracking, const QPointF &at,
               Colour colour, qreal maxWidth = -1, Qt::Alignment align = Qt::AlignLeft, bool tabular = false)
    {
        QString shown = text;
        FractionalText mark(shown, face, size, weight, tracking);
        if (tabular)
            mark.adjustFont(tabularDigits);
        if (maxWidth >= 0 && mark.width() > maxWidth) {
            shown = QFontMetricsF(mark.font()).elidedText(text, Qt::ElideRight, maxWidth / mark.scaleFactor());
            mark = FractionalText(shown, face, size, weight, tracking);
            if (tabular)
                mark.adjustFont(tabularDigits);
        }
        texts << text;
        const qreal x = align & Qt::AlignRight ? at.x() - mark.width() : at.x();
        pieces.push_back([mark, topLeft = QPointF(x, at.y()), colour](QPainter &p, const QPalette &palette) {
            mark.draw(p, topLeft, colour(palette));
        });
        return mark.height();
    }

    // Text wrapped to `width`; returns its height.
    qreal wrapped(const QString &text, Face face, qreal size, FontWeight weight, const QPointF &at, qreal width,
                  Colour colour, qreal lineSpacing = 0, bool tabular = false)
    {
        FractionalText mark(text, face, size, weight);
        if (tabular)
            mark.adjustFont(tabularDigits);
        const qreal height = mark.heightForWidth(width, lineSpacing);
        texts << text;
        pieces.push_back([mark, rect = QRectF(at, QSizeF(width, height)), colour,
                          lineSpacing](QPainter &p, const QPalette &palette) {
            mark.drawWrapped(p, rect, colour(palette), lineSpacing);
        });
        return height;
    }

    void fill(const QRectF &rect, Colour colour)
    {
        pieces.push_back([rect, colour](QPainter &p, const QPalette &palette) { p.fillRect(rect, colour(palette)); });
    }

    qreal hairline(const QPointF &at, qreal width)
    {
        fill(QRectF(at, QSizeF(width, 1)), themed(&Theme::rule));
        return 1;
    }

    // `text` broken into lines no wider than `width`, at most `maxLines` of them.
    static QStringList wrapHeaderLine(QString text, Face face, qreal size, FontWeight weight, qreal width,
                                      int maxLines)
    {
        if (text.size() > maxHeaderChars) {
            text.truncate(maxHeaderChars);
            if (text.back().isHighSurrogate())
                text.chop(1);
        }
        const FractionalText mark(text, face, size, weight);
        const qreal limit = width / mark.scaleFactor();
        return TextBlock::make(breakLongWords(text, mark.font(), limit), mark.font(), limit, maxLines).lines;
    }

    qreal header(const Letterhead &head, const std::optional<QImage> &logo, const QDateTime &now)
    {
        // The right-hand column first: the left one gets what it leaves.
        const FractionalText stamp(Format::stamp(now), Face::sans, 9.5, FontWeight::regular);
        const QSizeF mark = logo ? CustomLogoMark::tileSize(logo->size(), 38) : BrandLockup::naturalSize(13);
        // Between the columns: spacing, the spacer's minimum of 8, spacing.
        HeaderBand band({ExportCard::cardWidth, pad, pad, ExportCard::cardWidth - pad, 16 + 8 + 16, 2}, mark,
                        QSizeF(stamp.width(), stamp.height()));
        const qreal leftWidth = band.leftWidth();

        struct Line {
            QString text;  // as recorded
            QString shown; // with its break opportunities
            Face face;
            qreal size;
            FontWeight weight;
            Colour colour;
            int maxLines = maxHeaderLines;
        };
        std::vector<Line> left{
            {head.title, head.title, Face::serif, 21, FontWeight::medium, onBand(LetterheadBand::Text::title)}};
        if (!head.preparedFor.isEmpty())
            left.push_back({head.preparedForLine(), head.preparedForLine(), Face::sans, 11.5, FontWeight::regular,
                            onBand(LetterheadBand::Text::preparedFor)});
        // Only contact fields filled: no name line, the contact line alone.
        if (!head.identity.isEmpty())
            left.push_back({head.identityLine(), joinParts(head.identity), Face::sans, 11.5, FontWeight::medium,
                            onBand(LetterheadBand::Text::identity)});
        if (const QString contact = head.contactLine(); !contact.isEmpty()) {
            QStringList parts;
            for (const QString &part : head.contact)
                parts << keepNumbersWhole(part);
            const QString licence = keepNumbersWhole(head.licence);
            const Line all{contact, joinParts(head.licence.isEmpty() ? parts : parts + QStringList{licence}),
                           Face::sans, 10, FontWeight::regular, onBand(LetterheadBand::Text::contact)};
            // The licence is never what gets cut: when the whole line needs more room than the header gives,
            // the licence takes a line of its own and the rest gives way.
            if (head.licence.isEmpty() || parts.isEmpty() ||
                wrapHeaderLine(all.shown, all.face, all.size, all.weight, leftWidth, maxHeaderLines + 1).size() <=
                    maxHeaderLines) {
                left.push_back(all);
            } else {
                left.push_back({Letterhead::joined(head.contact), joinParts(parts), Face::sans, 10,
                                FontWeight::regular, onBand(LetterheadBand::Text::contact), 2});
                left.push_back({head.licence, licence, Face::sans, 10, FontWeight::regular,
                                onBand(LetterheadBand::Text::contact), 1});
            }
        }
        // Each line wraps within the left column and the header grows to hold it.
        std::vector<QStringList> wrappedLeft;
        std::vector<HeaderBand::Item> items;
        for (const Line &l : left) {
            wrappedLeft.push_back(wrapHeaderLine(l.shown, l.face, l.size, l.weight, leftWidth, l.maxLines));
            items.push_back(
                {FractionalText(l.text, l.face, l.size, l.weight).height(), int(wrappedLeft.back().size())});
        }
        const std::vector<qreal> tops = band.place(items);
        pieces.push_back([band](QPainter &p, const QPalette &palette) { band.paint(p, palette); });

        for (size_t i = 0; i < left.size(); ++i) {
            const Line &l = left[i];
            qreal y = tops[i];
            texts << l.text;
            for (const QString &shown : wrappedLeft[i]) {
                headerShown << QString(shown).remove(zwsp).remove(wordJoiner).replace(nbsp, u' ');
                const FractionalText mark(shown, l.face, l.size, l.weight);
                pieces.push_back([mark, topLeft = QPointF(pad, y),
                                  colour = l.colour](QPainter &p, const QPalette &palette) {
                    mark.draw(p, topLeft, colour(palette));
                });
                y += mark.height();
            }
        }

        const QPointF markAt = band.markAt();
        if (logo)
            pieces.push_back([image = *logo, markAt](QPainter &p, const QPalette &) {
                CustomLogoMark::paint(p, markAt, image, 38);
            });
        else
            pieces.push_back(
                [markAt](QPainter &p, const QPalette &palette) {
                    BrandLockup::paint(p, palette, markAt, BrandLockup::Ground::dark, 13);
                });
        line(Format::stamp(now), Face::sans, 9.5, FontWeight::regular, 0, band.stampAt(),
             onBand(LetterheadBand::Text::stamp), -1, Qt::AlignRight);
        return band.height();
    }

    qreal bigNumber(const QString &label, const QString &value, const QPointF &at, qreal width)
    {
        figures.push_back({label, value});
        qreal h = line(label.toUpper(), Face::sans, 9.5, FontWeight::semibold, 1.71, at, themed(&Theme::muted));
        h += 3;
        h += line(value, Face::serif, 36, FontWeight::semibold, 0, at + QPointF(0, h), themed(&Theme::dark), width);
        return h;
    }

    qreal grid(const std::vector<Pair> &cells, const QPointF &at, qreal width, const QColor &ink)
    {
        const FigureGrid grid(width);
        const qreal textWidth = grid.textWidth();
        std::vector<QString> values;
        std::vector<std::pair<qreal, qreal>> heights;
        for (const Pair &cell : cells) {
            values.push_back(cutOverlongFigure(cell.second, Face::sans, 13, FontWeight::semibold, textWidth));
            FractionalText value(values.back(), Face::sans, 13, FontWeight::semibold);
            value.adjustFont(tabularDigits);
            heights.emplace_back(
                FractionalText(cell.first, Face::sans, 9.5, FontWeight::regular).heightForWidth(textWidth, 0),
                value.heightForWidth(textWidth, 0));
        }
        qreal y = at.y();
        for (const FigureGrid::Row &row : FigureGrid::rows(heights)) {
            for (size_t i = row.first; i < row.last; ++i) {
                const auto [labelHeight, valueHeight] = heights[i];
                const QRectF cell =
                    grid.cell(row, i, QPointF(at.x(), y), FigureGrid::cellHeight(labelHeight, valueHeight));
                pieces.push_back([cell](QPainter &p, const QPalette &palette) {
                    FigureGrid::paintCell(p, cell, 7, Qt::white, Brand::rgb(Brand::theme(palette).rule), 1);
                });
                wrapped(cells[i].first, Face::sans, 9.5, FontWeight::regular, FigureGrid::labelAt(cell), textWidth,
                        themed(&Theme::muted));
                wrapped(
                    values[i], Face::sans, 13, FontWeight::semibold, FigureGrid::valueAt(cell, labelHeight), textWidth,
                    [ink](const QPalette &) { return ink; }, 0, true);
                figures.push_back(cells[i]);
            }
            y += row.height + FigureGrid::rowSpacing;
        }
        return cells.empty() ? 0 : y - FigureGrid::rowSpacing - at.y();
    }

    // Label and figure on their first baseline, then a hairline.
    qreal row(const Pair &pair, const QPointF &at, qreal width, const QColor &ink)
    {
        figures.push_back(pair);
        // The figure takes what it needs, up to three fifths of the row; the label wraps in the rest.
        const qreal valueLimit = width * 0.6;
        FractionalText value(cutOverlongFigure(pair.second, Face::sans, 13, FontWeight::semibold, valueLimit),
                             Face::sans, 13, FontWeight::semibold);
        value.adjustFont(tabularDigits);
        const FractionalText label(pair.first, Face::sans, 11.5, FontWeight::regular);
        const ResultRow row(label.ascent(), value.ascent());
        const qreal labelHeight =
            wrapped(pair.first, Face::sans, 11.5, FontWeight::regular, at + QPointF(0, row.labelTop),
                    ResultRow::labelWidth(width, value.width(), 10), themed(&Theme::muted));
        line(
            pair.second, Face::sans, 13, FontWeight::semibold, 0, at + QPointF(width, row.valueTop),
            [ink](const QPalette &) { return ink; }, valueLimit, Qt::AlignRight, true);
        const qreal height = row.height(labelHeight, value.height()) + ResultRow::ruleSpacing;
        return height + hairline(at + QPointF(0, height), width);
    }

    qreal rows(const std::vector<Pair> &list, const QPointF &at, qreal width, const QColor &ink)
    {
        qreal y = 0;
        for (const Pair &pair : list)
            y += row(pair, at + QPointF(0, y), width, ink) + 8;
        return list.empty() ? 0 : y - 8;
    }

    qreal note(const QString &text, const QPointF &at, qreal width)
    {
        return wrapped(text, Face::sans, 10, FontWeight::regular, at, width, themed(&Theme::muted));
    }

    qreal empty(const QString &text, const QPointF &at, qreal width, const QColor &ink)
    {
        return wrapped(text, Face::sans, 13, FontWeight::regular, at, width, [ink](const QPalette &) { return ink; });
    }

    static std::vector<Pair> pairs(const std::vector<Figure> &section)
    {
        std::vector<Pair> out;
        for (const Figure &f : TabFigures::on(section, Surface::card))
            out.push_back({f.labelOn(Surface::card), f.text()});
        return out;
    }

    // The hero figure, the inputs in a grid, then the result rows (beside the ring when there is one) and notes.
    qreal body(const TabFigures &f, const QPointF &at, qreal width, const QColor &ink)
    {
        if (!f.hasResult)
            return empty(f.noResultCard, at, width, ink);
        qreal y = at.y();
        y += bigNumber(f.hero.labelOn(Surface::card), f.hero.text(), QPointF(at.x(), y), width) + sectionSpacing;
        y += grid(pairs(f.inputs), QPointF(at.x(), y), width, ink) + sectionSpacing;
        const std::vector<Pair> list = pairs(f.results);
        if (f.ring) {
            const QRectF ring(at.x(), y, donutSize, donutSize);
            const double fraction = DonutChart::interestFraction(f.ring->first, f.ring->second);
            pieces.push_back([ring, fraction](QPainter &p, const QPalette &palette) {
                DonutChart::paint(
                    p, palette, ring, fraction,
                    {themed(&Theme::chartPrimaryLight)(palette), themed(&Theme::chartAccentLight)(palette)});
            });
            const qreal rowsX = at.x() + donutSize + 22;
            const qreal rowsHeight = rows(list, QPointF(rowsX, y), at.x() + width - rowsX, ink);
            y += std::max(donutSize, rowsHeight);
        } else {
            y += rows(list, QPointF(at.x(), y), width, ink);
        }
        for (const FigureNote &n : f.notes)
            if (n.surfaces & unsigned(Surface::card))
                y += sectionSpacing + note(n.text, QPointF(at.x(), y + sectionSpacing), width);
        return y - at.y();
    }

    qreal disclaimer(bool loanCosts, bool showsHouseMark, const QPointF &at, qreal width)
    {
        qreal y = at.y();
        y += hairline(QPointF(at.x(), y), width) + 8;
        y += wrapped(Disclaimer::text(loanCosts), Face::sans, Disclaimer::textSize, FontWeight::regular,
                     QPointF(at.x(), y), width, Disclaimer::ink, Disclaimer::leading) +
             8;

        const QString studio = Disclaimer::studio();
        const FractionalText studioText(studio, Face::sans, Disclaimer::textSize, FontWeight::medium,
                                        Disclaimer::studioTracking);
        const Disclaimer foot(showsHouseMark ? studioText.height() : 0.0);
        if (showsHouseMark)
            line(studio, Face::sans, Disclaimer::textSize, FontWeight::medium, Disclaimer::studioTracking,
                 QPointF(at.x(), foot.studioTop(y)), themed(&Theme::muted));
        texts << Credits::makerCredit().toUpper();
        pieces.push_back([foot, right = at.x() + width, y](QPainter &p, const QPalette &palette) {
            foot.paintCredit(p, palette, right, y);
        });
        return y + foot.height() - at.y();
    }
};

} // namespace

ExportCard::ExportCard(const CalculatorStore &store, const std::optional<QImage> &logo, const QColor &ink,
                       QWidget *parent)
    : ExportCard(store, store.state().activeTab, logo, ink, parent)
{
}

ExportCard::ExportCard(const CalculatorStore &store, CalculatorTab tab, const std::optional<QImage> &rawLogo,
                       const QColor &ink, QWidget *parent)
    : QWidget(parent)
{
    BrandType::registerFonts();
    // The card is the client's paper: light whatever the desktop is using.
    setPalette(ThemePalette::make(Theme::named(store.state().themeID), Appearance::light));
    // An image that cannot be drawn is no logo at all: the card then carries the product mark.
    const std::optional<QImage> logo = rawLogo && !rawLogo->isNull() ? rawLogo : std::nullopt;
    showsHouseMark_ = !logo;

    CardLayout layout;
    const qreal width = cardWidth - 2 * pad;
    const TabInfo &info = TabRegistry::info(tab);
    qreal y = layout.header(Letterhead::of(store.state(), info.heading, store.clientName()), logo, store.now()) + pad;
    y += layout.body(info.figures(store), QPointF(pad, y), width, ink);
    y += sectionSpacing;
    const CalculatorState &st = store.state();
    y += layout.disclaimer(st.feesEnabled || st.fixedEnabled, showsHouseMark_, QPointF(pad, y), width) + pad;

    pieces_ = std::move(layout.pieces);
    texts_ = std::move(layout.texts);
    figures_ = std::move(layout.figures);
    headerLines_ = std::move(layout.headerShown);
    setFixedSize(cardWidth, int(std::ceil(y)));
}

ExportCard::~ExportCard() = default;

QImage ExportCard::toImage(qreal scale)
{
    const QSize pixels(qRound(width() * scale), qRound(height() * scale));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(scale);
    image.fill(Brand::rgb(Brand::theme(palette()).paper));
    render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // The card is 640 points wide at 72 points to the inch whatever the scale it was drawn at, so a word
    // processor or mail program places it at that size rather than at its pixel count. Set after drawing:
    // the image's resolution would otherwise size any text given in points.
    const int dotsPerMeter = qRound(scale * 72 / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

void ExportCard::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    p.fillRect(rect(), Brand::rgb(Brand::theme(palette()).paper));
    for (const auto &piece : pieces_)
        piece(p, palette());
}

} // namespace brolga
