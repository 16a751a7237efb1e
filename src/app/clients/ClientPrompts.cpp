#include "app/clients/ClientPrompts.h"

#include "app/clients/ClientPromptDialog.h"
#include "brand/Brand.h"
#include "platform/ActiveWindowGuard.h"

#include <QLineEdit>

namespace brolga {

namespace {
ClientPrompts::NameHandler nameHandler;
ClientPrompts::UnsavedHandler unsavedHandler;
ClientPrompts::ConflictHandler conflictHandler;

QPalette paletteFor(const QString &themeID)
{
    return ThemePalette::make(Theme::named(themeID), Brand::appearance());
}
} // namespace

std::optional<QString> ClientPrompts::askName(QWidget *parent, const NameRequest &request)
{
    if (nameHandler)
        return nameHandler(request);
    ClientPromptDialog dialog(request.title, request.label, paletteFor(request.themeID), parent);
    // The refusal goes above the question, so the field keeps what was typed.
    dialog.setRefusal(request.error);
    QLineEdit *field = dialog.addField(request.name);
    dialog.addAnswer(QObject::tr("Cancel"), QDialog::Rejected);
    dialog.addAnswer(QObject::tr("OK"), QDialog::Accepted, true);
    const ActiveWindowGuard keyboard(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return field->text();
}

ClientPrompts::Unsaved ClientPrompts::askUnsaved(QWidget *parent, const UnsavedRequest &request)
{
    if (unsavedHandler)
        return unsavedHandler(request);
    enum Result { cancel = QDialog::Rejected, save = QDialog::Accepted, discard };
    ClientPromptDialog dialog(QObject::tr("Unsaved changes"), request.question, paletteFor(request.themeID), parent);
    dialog.addAnswer(QObject::tr("Don't save"), discard);
    dialog.addAnswer(QObject::tr("Cancel"), cancel);
    dialog.addAnswer(QObject::tr("Save"), save, true);
    const ActiveWindowGuard keyboard(parent);
    switch (dialog.exec()) {
    case save: return Unsaved::save;
    case discard: return Unsaved::discard;
    default: return Unsaved::cancel;
    }
}

ClientPrompts::Conflict ClientPrompts::askConflict(QWidget *parent, const ConflictRequest &request)
{
    if (conflictHandler)
        return conflictHandler(request);
    enum Result { cancel = QDialog::Rejected, copy = QDialog::Accepted, theirs, overwrite };
    ClientPromptDialog dialog(QObject::tr("Changed elsewhere"), request.question, paletteFor(request.themeID), parent);
    dialog.addAnswer(QObject::tr("Cancel"), cancel);
    dialog.addAnswer(QObject::tr("Open theirs"), theirs);
    dialog.addAnswer(QObject::tr("Overwrite"), overwrite);
    // Keeping both is the answer that loses nothing.
    dialog.addAnswer(QObject::tr("Save mine as a copy"), copy, true);
    const ActiveWindowGuard keyboard(parent);
    switch (dialog.exec()) {
    case copy: return Conflict::saveCopy;
    case theirs: return Conflict::reopenTheirs;
    case overwrite: return Conflict::overwrite;
    default: return Conflict::cancel;
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
void ClientPrompts::setConflictHandler(ConflictHandler handler)
{
    conflictHandler = std::move(handler);
}

} // namespace brolga
