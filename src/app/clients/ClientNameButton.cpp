#include "app/clients/ClientNameButton.h"

#include "app/clients/ClientSession.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/brand/Icons.h"
#include "ui/access/Accessibility.h"
#include "ui/access/AccessibleView.h"
#include "ui/controls/FocusRing.h"

#include <QMenu>
#include <QPainter>
#include <QtMath>

namespace brolga {

namespace {
constexpr int gap = 4;
constexpr int padding = 4;
} // namespace

ClientNameButton::ClientNameButton(ClientSession &session, QMenu *menu, QWidget *parent)
    : QAbstractButton(parent), session_(session), menu_(menu)
{
    // A button that opens a menu, to a reader.
    static const bool described = [] {
        Accessibility::add("brolga::ClientNameButton", [](QObject *o) -> QAccessibleInterface * {
            auto *button = static_cast<ClientNameButton *>(o);
            return new AccessibleView(button, {.role = QAccessible::ButtonMenu,
                                               .name = [button] { return button->accessibleName(); },
                                               .press = [button] { button->click(); }});
        });
        return true;
    }();
    Q_UNUSED(described);
    setObjectName(QStringLiteral("clientName"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFont(BrandType::sans(11, FontWeight::medium));
    setAccessibleDescription(tr("Opens the Clients menu"));
    connect(this, &QAbstractButton::clicked, this, &ClientNameButton::popUp);
    connect(&session_, &ClientSession::changed, this, &ClientNameButton::follow);
    follow();
}

QString ClientNameButton::shownName() const
{
    return hasClient_ ? name_ : tr("No client");
}

void ClientNameButton::follow()
{
    const auto client = session_.current();
    hasClient_ = client.has_value();
    name_ = client ? client->name : QString();
    unsaved_ = session_.hasUnsavedChanges();
    const QString tip =
        hasClient_ ? (unsaved_ ? tr("Client: %1 (unsaved changes)") : tr("Client: %1")).arg(name_) : tr("No client");
    setToolTip(tip);
    setAccessibleName(tip);
    updateGeometry();
    update();
}

QColor ClientNameButton::textColour() const
{
    // The header's white: full for a client, dimmed as the idle tools are for none.
    return QColor(255, 255, 255, qRound((hasClient_ ? 0.92 : 0.5) * 255));
}

QSize ClientNameButton::sizeHint() const
{
    // Rounded up, with a pixel to spare: the eliding measures in fractions and would cut a name that fits.
    const int text = qCeil(QFontMetricsF(font()).horizontalAdvance(
                         shownName() + (unsaved_ ? QStringLiteral(" \u2022") : QString()))) +
                     1;
    return {std::min(maxWidth, padding + text + gap + chevronSize + padding), 20};
}

void ClientNameButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor colour = textColour();
    if (isDown())
        colour.setAlphaF(colour.alphaF() * 0.6);
    const QRect textBox = rect().adjusted(padding, 0, -(padding + gap + chevronSize), 0);
    // A dot after the name marks figures changed since the client was saved.
    const QString suffix = unsaved_ ? QStringLiteral(" \u2022") : QString();
    const QString text = fontMetrics().elidedText(shownName(), Qt::ElideRight,
                                                  textBox.width() - fontMetrics().horizontalAdvance(suffix)) +
                         suffix;
    p.setFont(font());
    p.setPen(colour);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, text);
    const QRectF chevron(width() - padding - chevronSize, (height() - chevronSize) / 2.0, chevronSize, chevronSize);
    Icons::paint(p, chevron, QStringLiteral("chevron.down"), colour);
    if (hasFocus())
        FocusRing::paint(p, QRectF(rect()), 4, Brand::rgb(Brand::theme(palette()).accentOnDark));
}

void ClientNameButton::popUp()
{
    if (!menu_)
        return;
    menu_->popup(mapToGlobal(QPoint(0, height() + 2)));
}

} // namespace brolga
