#pragma once

#include "app/clients/ClientSession.h"

#include <QWidget>

#include <optional>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace brolga {

class BrandCheckBox;
class ClientListModel;

// "All clients": every client, latest change first, narrowed as the broker types in the search field; open,
// rename, duplicate and delete the selected one. A delete can be undone (the Undo button or Ctrl+Z) while the
// window stays open, and later from the Clients menu's "Recently deleted". Escape closes the window. A book that
// cannot be used says why at the top, with the way out.
class ClientsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ClientsWindow(ClientSession &session, QWidget *parent = nullptr);

    QLineEdit *searchField() const { return search_; }
    QListView *list() const { return list_; }
    ClientListModel *model() const { return model_; }
    QPushButton *openButton() const { return open_; }
    QPushButton *duplicateButton() const { return duplicate_; }
    QPushButton *deleteButton() const { return delete_; }
    QPushButton *undoButton() const { return undo_; }
    QPushButton *moveButton() const { return move_; }
    BrandCheckBox *shareBox() const { return share_; }
    QLabel *problemLabel() const { return problem_; }
    QLabel *emptyLabel() const { return empty_; }

    std::optional<qint64> selectedId() const;
    void select(qint64 id);

    void openSelected();
    void renameSelected();
    void duplicateSelected();
    void deleteSelected();
    // Puts the last deleted client back; false when there is none.
    bool undoDelete();
    bool canUndo() const { return !removed_.empty(); }

    static constexpr QSize windowSize{420, 520};

  Q_SIGNALS:
    // The client's figures are now in the calculator.
    void opened(qint64 id);

  protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // The Undo button lasts while the window is open; "Recently deleted" keeps the clients after that.
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void refresh();
    void listBook();
    void applyPalette();
    std::optional<QString> askName(const QString &title, const QString &name);

    ClientSession &session_;
    ClientListModel *model_ = nullptr;
    QLabel *problem_ = nullptr;
    QPushButton *startNew_ = nullptr;
    QLineEdit *search_ = nullptr;
    QListView *list_ = nullptr;
    QLabel *empty_ = nullptr;
    QPushButton *open_ = nullptr;
    QPushButton *rename_ = nullptr;
    QPushButton *duplicate_ = nullptr;
    QPushButton *delete_ = nullptr;
    QPushButton *move_ = nullptr; // only beside an office book
    BrandCheckBox *share_ = nullptr; // only in an office's book
    QWidget *undoBar_ = nullptr;
    QLabel *undoText_ = nullptr;
    QPushButton *undo_ = nullptr;
    std::vector<ClientSession::Removed> removed_;
};

} // namespace brolga
