#include "export/draw/TextBlock.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace brolga {

namespace {

// Whether `text` holds letters of a script that joins or reorders (Arabic, Hebrew, the Indic scripts, Thai...),
// which only read right when shaped.
bool needsShaping(const QString &text)
{
    for (const char32_t c : QStringView(text).toUcs4()) {
        switch (QChar::script(c)) {
        case QChar::Script_Common:
        case QChar::Script_Inherited:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic: continue;
        default: return true;
        }
    }
    return false;
}

} // namespace

TextBlock TextBlock::make(const QString &text, const QFont &plainFont, qreal width, int maxLines, qreal leading,
                          Qt::Alignment align)
{
    QFont font = plainFont;
    if (needsShaping(text))
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
    // Lines past the one after the last shown are never made: each line of a long unbroken word costs a pass
    // over the rest of the word, so making them all would take time growing with the square of its length.
    const int linesNeeded = maxLines > 0 && width > 0 ? maxLines + 1 : 0;
    auto make = [&](const QString &shown) {
        TextBlock block;
        block.layout = std::make_shared<QTextLayout>(shown, font);
        QTextOption option(align);
        option.setWrapMode(width > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        block.layout->setTextOption(option);
        block.layout->setCacheEnabled(true);
        block.layout->beginLayout();
        qreal y = 0;
        // (A line asked for and left unset would be laid out over the whole rest by endLayout().)
        for (int made = 0; !linesNeeded || made < linesNeeded; ++made) {
            QTextLine line = block.layout->createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width > 0 ? width : 1e6);
            line.setPosition(QPointF(0, y));
            y += line.height() + leading;
            block.width = std::max(block.width, line.naturalTextWidth());
            block.lines << shown.mid(line.textStart(), line.textLength());
        }
        block.layout->endLayout();
        block.height = block.lines.isEmpty() ? 0 : y - leading;
        return block;
    };
    TextBlock block = make(text);
    if (!linesNeeded || block.lines.size() <= maxLines)
        return block;
    // What the last line can show lies within it and the line after (together they are wider than a line).
    const QTextLine last = block.layout->lineAt(maxLines - 1);
    const QString rest = text.mid(last.textStart(), last.textLength() + block.layout->lineAt(maxLines).textLength());
    return make(text.left(last.textStart()) + QFontMetricsF(font).elidedText(rest, Qt::ElideRight, width));
}

void TextBlock::draw(QPainter &painter, const QPointF &at) const
{
    layout->draw(&painter, at);
}

} // namespace brolga
