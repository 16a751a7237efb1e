#include "app/clients/ClientPrompts.h"

#include "platform/ActiveWindowGuard.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace brolga {

namespace {
ClientPrompts::NameHandler nameHandler;
ClientPrompts::UnsavedHandler unsavedHandler;
} // namespace

std::optional<QString> ClientPrompts::askName(QWidget *parent, const NameRequest &request)
{
    if (nameHandler)
        return nameHandler(request);
    QInputDialog dialog(parent);
    dialog.setWindowTitle(request.title);
    // The refusal goes above the question, so the field keeps what was typed.
    dialog.setLabelText(request.error.isEmpty() ? request.label : request.error + u'\n' + request.label);
    dialog.setTextValue(request.name);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    const ActiveWindowGuard keyboard;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

ClientPrompts::Unsaved ClientPrompts::askUnsaved(QWidget *parent, const UnsavedRequest &request)
{
    if (unsavedHandler)
        return unsavedHandler(request);
    QMessageBox box(QMessageBox::Question, QObject::tr("Unsaved changes"), request.question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Discard)->setText(QObject::tr("Don't save"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const ActiveWindowGuard keyboard;
    switch (box.exec()) {
    case QMessageBox::Save: return Unsaved::save;
    case QMessageBox::Discard: return Unsaved::discard;
    default: return Unsaved::cancel;
    }
}

void ClientPrompts::setNameHandler(NameHandler handler)
{
    nameHandler = std::move(handler);
}
void ClientPrompts::setUnsavedHandler(UnsavedHandler handler)
{
    unsavedHandler = std::move(handler);
}

} // namespace brolga
