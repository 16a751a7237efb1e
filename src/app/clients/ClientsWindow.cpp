#include "app/clients/ClientsWindow.h"

#include "app/clients/ClientListModel.h"
#include "app/clients/ClientPrompts.h"
#include "app/clients/ClientRowDelegate.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "core/Settings.h"
#include "ui/access/AccessibleView.h"
#include "ui/buttons/BrandCheckBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace brolga {

ClientsWindow::ClientsWindow(ClientSession &session, QWidget *parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("clientsWindow"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);

    auto *problemRow = new QHBoxLayout;
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("bookProblem"));
    problem_->setWordWrap(true);
    problem_->setFont(BrandType::sans(11));
    startNew_ = new QPushButton(tr("Start a new book"), this);
    connect(startNew_, &QPushButton::clicked, this, [this] {
        if (session_.onServer())
            session_.useLocalBook();
        else if (session_.book().status() == ClientBook::Status::locked)
            session_.book().reopen();
        else
            session_.startNewBook();
    });
    problemRow->addWidget(problem_, 1);
    problemRow->addWidget(startNew_, 0, Qt::AlignVCenter);
    layout->addLayout(problemRow);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("clientSearch"));
    search_->setPlaceholderText(tr("Search clients"));
    search_->setAccessibleName(tr("Search clients"));
    search_->setClearButtonEnabled(true);
    search_->setFont(BrandType::sans(12));
    search_->installEventFilter(this);
    layout->addWidget(search_);

    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("clientList"));
    list_->setAccessibleName(tr("Clients"));
    list_->setItemDelegate(new ClientRowDelegate(list_));
    // Every row the same height: the view lays out ten thousand without measuring each.
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    layout->addWidget(list_, 1);

    empty_ = new QLabel(this);
    empty_->setObjectName(QStringLiteral("emptyClients"));
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setWordWrap(true);
    empty_->setFont(BrandType::sans(11));
    layout->addWidget(empty_);

    // Only in an office's book, for the broker's own clients: the server lets the other brokers read them.
    share_ = new BrandCheckBox(
        tr("Shared with the office"),
        [this] {
            const auto id = selectedId();
            const auto client = id ? session_.book().client(*id) : std::nullopt;
            return client && client->shared;
        },
        [this](bool on) {
            if (const auto id = selectedId(); id && !session_.book().setShared(*id, on))
                session_.store().flash(session_.book().lastError());
            refresh();
        },
        this);
    share_->setObjectName(QStringLiteral("shareClient"));
    share_->setToolTip(tr("Let the office's other brokers find this client and read its figures"));

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    open_ = new QPushButton(tr("Open"), this);
    open_->setDefault(true);
    rename_ = new QPushButton(tr("Rename\u2026"), this);
    duplicate_ = new QPushButton(tr("Duplicate"), this);
    delete_ = new QPushButton(tr("Delete"), this);
    // Offered once the settings name an office server, or while its book is the one open.
    move_ = new QPushButton(this);
    move_->setObjectName(QStringLiteral("moveClients"));
    connect(move_, &QPushButton::clicked, this, [this] {
        if (const auto other = session_.otherBook())
            session_.moveTo(*other);
    });
    open_->setToolTip(tr("Open the client's figures in the calculator (Enter)"));
    rename_->setToolTip(tr("Rename the client (F2)"));
    delete_->setToolTip(tr("Delete the client (Delete)"));
    connect(open_, &QPushButton::clicked, this, &ClientsWindow::openSelected);
    connect(rename_, &QPushButton::clicked, this, &ClientsWindow::renameSelected);
    connect(duplicate_, &QPushButton::clicked, this, &ClientsWindow::duplicateSelected);
    connect(delete_, &QPushButton::clicked, this, &ClientsWindow::deleteSelected);
    // The office's row, of its own: the move's text is long, and the buttons below keep their width.
    auto *office = new QHBoxLayout;
    office->addWidget(share_);
    office->addStretch(1);
    office->addWidget(move_);
    layout->addLayout(office);
    buttons->addWidget(open_);
    buttons->addStretch(1);
    for (QPushButton *b : {rename_, duplicate_, delete_})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    undoBar_ = new QWidget(this);
    undoBar_->setObjectName(QStringLiteral("undoBar"));
    auto *undoRow = new QHBoxLayout(undoBar_);
    undoRow->setContentsMargins(0, 0, 0, 0);
    undoText_ = new QLabel(undoBar_);
    undoText_->setFont(BrandType::sans(11));
    undo_ = new QPushButton(tr("Undo"), undoBar_);
    undo_->setToolTip(tr("Put the deleted client back (Ctrl+Z)"));
    connect(undo_, &QPushButton::clicked, this, &ClientsWindow::undoDelete);
    undoRow->addWidget(undoText_, 1);
    undoRow->addWidget(undo_);
    layout->addWidget(undoBar_);

    auto *undoKeys = new QAction(tr("Undo delete"), this);
    undoKeys->setShortcut(QKeySequence::Undo);
    undoKeys->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(undoKeys, &QAction::triggered, this, [this] { undoDelete(); });
    addAction(undoKeys);

    auto *closeKeys = new QAction(tr("Close"), this);
    closeKeys->setShortcut(QKeySequence::Cancel);
    closeKeys->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(closeKeys, &QAction::triggered, this, [this] { window()->close(); });
    addAction(closeKeys);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString &text) {
        const auto keep = selectedId();
        model_->setSearch(text);
        if (keep && model_->rowOf(*keep) >= 0)
            select(*keep);
        else if (model_->rowCount() > 0)
            list_->setCurrentIndex(model_->index(0));
        refresh();
    });
    connect(list_, &QListView::activated, this, &ClientsWindow::openSelected);
    connect(&session_, &ClientSession::changed, this, &ClientsWindow::refresh);
    connect(&session_, &ClientSession::bookReplaced, this, &ClientsWindow::listBook);
    listBook();
    setTabOrder(search_, list_);
    // Tab goes along the controls as they stand; the move button is made last but sits above Open.
    setTabOrder(share_, move_);
    setTabOrder(move_, open_);
    setFocusProxy(search_);
    connect(&session_.store(), &CalculatorStore::themeChanged, this, &ClientsWindow::applyPalette);
    applyPalette();
    refresh();
}

void ClientsWindow::listBook()
{
    // The model reads the book it was made with: another book gets a model of its own.
    const QString search = model_ ? model_->search() : QString();
    ClientListModel *old = std::exchange(model_, new ClientListModel(session_.book(), this));
    model_->setSearch(search);
    list_->setModel(model_);
    delete old;
    connect(model_, &QAbstractItemModel::modelReset, this, &ClientsWindow::refresh);
    if (model_->rowCount() > 0)
        list_->setCurrentIndex(model_->index(0));
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, &ClientsWindow::refresh);
    refresh();
}

std::optional<qint64> ClientsWindow::selectedId() const
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return current.data(ClientListModel::idRole).toLongLong();
}

void ClientsWindow::select(qint64 id)
{
    const int row = model_->rowOf(id);
    if (row < 0)
        return;
    list_->setCurrentIndex(model_->index(row));
    list_->scrollTo(model_->index(row));
}

void ClientsWindow::refresh()
{
    const QString problem = session_.problem();
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    const auto status = session_.book().status();
    startNew_->setText(session_.onServer()                    ? tr("Use this computer's book")
                       : status == ClientBook::Status::locked ? tr("Try again")
                                                              : tr("Start a new book"));
    startNew_->setVisible(!problem.isEmpty());
    move_->setText(session_.onServer() ? tr("Move to this computer") : tr("Move to the office book"));
    move_->setToolTip(session_.onServer() ? tr("Move your clients from the office's book to this computer's")
                                          : tr("Move your clients from this computer's book to the office's"));
    move_->setVisible(session_.hasOtherBook());

    const bool any = model_->rowCount() > 0;
    // Keep a row current whenever there is one, so the buttons and the keys always have a client to act on.
    if (any && !list_->currentIndex().isValid())
        list_->setCurrentIndex(model_->index(0));
    const auto chosen = selectedId() ? session_.book().client(*selectedId()) : std::nullopt;
    const bool usable = chosen && session_.book().isOpen();
    // Another broker's shared client can be opened and copied, not changed.
    const bool mine = usable && session_.book().owns(*chosen);
    for (QPushButton *b : {open_, duplicate_})
        b->setEnabled(usable);
    for (QPushButton *b : {rename_, delete_})
        b->setEnabled(mine);
    share_->setVisible(session_.onServer());
    share_->setEnabled(mine);
    share_->refresh();
    move_->setEnabled(session_.book().isOpen() && any);
    if (!problem.isEmpty())
        empty_->setText(QString());
    else if (!model_->search().trimmed().isEmpty())
        empty_->setText(tr("No client matches \u201c%1\u201d.").arg(model_->search().trimmed()));
    else
        empty_->setText(tr("No clients yet. Save the calculator's figures with \u201cSave as new client\u2026\u201d."));
    empty_->setVisible(!any && !empty_->text().isEmpty());
    undoBar_->setVisible(!removed_.empty());
    if (!removed_.empty())
        undoText_->setText(tr("Deleted \u201c%1\u201d.").arg(removed_.back().removed.client.name));
}

std::optional<QString> ClientsWindow::askName(const QString &title, const QString &name)
{
    ClientPrompts::NameRequest request{title, tr("Client's name:"), name, {}, session_.store().state().themeID};
    for (;;) {
        const auto answer = ClientPrompts::askName(window(), request);
        if (!answer)
            return std::nullopt;
        QString refusal;
        if (const auto clean = ClientBook::cleanName(*answer, &refusal))
            return clean;
        request.name = *answer;
        request.error = refusal;
    }
}

void ClientsWindow::openSelected()
{
    const auto id = selectedId();
    if (id && session_.open(*id, window()))
        Q_EMIT opened(*id);
}

void ClientsWindow::renameSelected()
{
    const auto id = selectedId();
    const auto client = id ? session_.book().client(*id) : std::nullopt;
    if (!client)
        return;
    const auto name = askName(tr("Rename Client"), client->name);
    if (!name || *name == client->name)
        return;
    // A copy, when the broker chose one over someone else's change, is the client renamed.
    if (const auto renamed = session_.rename(*id, *name, window()))
        select(renamed->id);
}

void ClientsWindow::duplicateSelected()
{
    const auto id = selectedId();
    if (!id)
        return;
    if (const auto copy = session_.book().duplicate(*id))
        select(copy->id);
}

void ClientsWindow::deleteSelected()
{
    const auto id = selectedId();
    if (!id)
        return;
    const int row = list_->currentIndex().row();
    auto removed = session_.remove(*id);
    if (!removed)
        return;
    removed_.push_back(std::move(*removed));
    // The next client takes the deleted one's place, so Delete pressed again goes on down the list.
    if (model_->rowCount() > 0)
        list_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1)));
    refresh();
    // Said to a reader too: the way back is the Undo button or Ctrl+Z.
    AccessibleView::alert(undoText_);
}

bool ClientsWindow::undoDelete()
{
    if (removed_.empty())
        return false;
    const ClientSession::Removed last = removed_.back();
    if (!session_.restore(last))
        return false;
    removed_.pop_back();
    select(last.removed.client.id);
    refresh();
    return true;
}

bool ClientsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == search_) {
        // From the search field: the arrows walk the list, Enter opens and F2 renames the client picked there.
        // Delete and Backspace stay with the text.
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up || key->key() == Qt::Key_PageDown ||
            key->key() == Qt::Key_PageUp) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            list_->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(list_, &copy);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            openSelected();
            return true;
        }
    }
    // The keys do what their buttons do, and nothing where the button cannot be pressed.
    if ((watched == search_ || watched == list_) && key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
        if (rename_->isEnabled())
            renameSelected();
        return true;
    }
    // Only Delete, and only on the list: Backspace is what people press to correct a search.
    if (watched == list_ && key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
        if (delete_->isEnabled())
            deleteSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ClientsWindow::hideEvent(QHideEvent *event)
{
    removed_.clear();
    refresh();
    QWidget::hideEvent(event);
}

void ClientsWindow::applyPalette()
{
    if (!problem_) // not built yet
        return;
    // The record's theme in the system's appearance; setting the palette it already has does nothing.
    const QPalette palette = ThemePalette::make(Theme::named(session_.store().state().themeID), Brand::appearance());
    setPalette(palette);
    QPalette secondary = palette;
    secondary.setColor(QPalette::WindowText, Brand::textSecondary(palette));
    for (QLabel *label : {empty_, undoText_})
        label->setPalette(secondary);
    QPalette warning = palette;
    warning.setColor(QPalette::WindowText, Brand::bad(palette));
    problem_->setPalette(warning);
}

bool ClientsWindow::event(QEvent *event)
{
    // Only a window hears of the system's palette directly; a view inside one sees its palette change.
    if (ThemePalette::isPaletteEvent(event))
        applyPalette();
    return QWidget::event(event);
}

void ClientsWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Brand::canvas(palette()));
}

} // namespace brolga
