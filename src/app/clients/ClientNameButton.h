#pragma once

#include <QAbstractButton>

class QMenu;

namespace brolga {

class ClientSession;

// The open client's name on the navy header ("No client", muted, when none is open), with a chevron: a click,
// Space or Enter opens the Clients menu under it. Long names are cut short with an ellipsis; the whole name
// is in the tool tip and read out.
class ClientNameButton : public QAbstractButton {
    Q_OBJECT
  public:
    ClientNameButton(ClientSession &session, QMenu *menu, QWidget *parent = nullptr);

    // What the header shows: the client's name, or "No client".
    QString shownName() const;
    bool hasClient() const { return hasClient_; }
    QMenu *menu() const { return menu_; }
    QColor textColour() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int maxWidth = 170;
    static constexpr int chevronSize = 8;

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    void follow();
    void popUp();

    ClientSession &session_;
    QMenu *menu_;
    QString name_;
    bool hasClient_ = false;
    bool unsaved_ = false;
};

} // namespace brolga
