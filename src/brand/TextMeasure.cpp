#include "brand/TextMeasure.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>
#include <QThread>

#include <algorithm>

namespace brolga {

namespace {

// Enough for every label of all four screens and the card several times over.
constexpr int capacity = 512;

struct Key {
    QFont font;
    QString text;
    qreal width; // negative for a single unwrapped line
    qreal lineSpacing;
    int wrap;

    bool operator==(const Key &other) const
    {
        return width == other.width && lineSpacing == other.lineSpacing && wrap == other.wrap &&
               text == other.text && font == other.font;
    }
};

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.text, key.width, key.lineSpacing, key.wrap);
}

QHash<Key, qreal> &answers()
{
    thread_local QHash<Key, qreal> table;
    // The fonts held as keys must go before the application does: the interface thread's table would
    // otherwise be destroyed after main() returns, when Qt's font caches are already gone.
    thread_local const bool hooked = [] {
        const auto *app = QCoreApplication::instance();
        if (app && QThread::currentThread() == app->thread())
            qAddPostRoutine([] { answers().clear(); });
        return true;
    }();
    Q_UNUSED(hooked);
    return table;
}

template <typename Measure>
qreal remember(Key key, Measure measure)
{
    auto &table = answers();
    if (const auto found = table.constFind(key); found != table.constEnd())
        return *found;
    const qreal value = measure();
    if (table.size() >= capacity)
        table.clear();
    table.insert(std::move(key), value);
    return value;
}

} // namespace

namespace TextMeasure {

qreal advance(const QFont &font, const QString &text)
{
    if (text.isEmpty())
        return 0;
    return remember(Key{font, text, -1, 0, 0}, [&] { return QFontMetricsF(font).horizontalAdvance(text); });
}

qreal wrappedHeight(const QFont &font, const QString &text, qreal width, qreal lineSpacing, QTextOption::WrapMode wrap)
{
    width = std::max<qreal>(width, 1);
    return remember(Key{font, text, width, lineSpacing, int(wrap)}, [&] {
        QTextLayout layout(text, font);
        QTextOption option;
        option.setWrapMode(wrap);
        layout.setTextOption(option);
        return breakLines(layout, width, lineSpacing);
    });
}

qreal breakLines(QTextLayout &layout, qreal width, qreal lineSpacing)
{
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        if (line.lineNumber() > 0)
            y += lineSpacing;
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

int remembered() { return int(answers().size()); }

} // namespace TextMeasure

} // namespace brolga
