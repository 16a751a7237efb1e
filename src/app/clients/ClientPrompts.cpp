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
    const QString when = request.at.toLocalTime().toString(QStringLiteral("d MMM yyyy 'at' HH:mm"));
    const QString what =
        request.by.isEmpty()
            ? QObject::tr("%1 was changed elsewhere on %2, after you opened it.").arg(request.clientName, when)
            : QObject::tr("%1 changed %2 on %3, after you opened it.").arg(request.by, request.clientName, when);
    ClientPromptDialog dialog(QObject::tr("Changed elsewhere"),
                              what + QObject::tr(" Nothing was saved yet; what you typed is still here."),
                              paletteFor(request.themeID), parent);
    // A copy loses nobody's work, so it is what Enter gives.
    // Each answer ends the dialog with one more than its choice: Escape's 0 is no choice.
    dialog.addAnswer(QObject::tr("Reopen theirs"), int(Conflict::reopenTheirs) + 1);
    dialog.addAnswer(QObject::tr("Overwrite"), int(Conflict::overwrite) + 1);
    dialog.addAnswer(QObject::tr("Cancel"), int(Conflict::cancel) + 1);
    dialog.addAnswer(QObject::tr("Save mine as a copy"), int(Conflict::saveCopy) + 1, true);
    const ActiveWindowGuard keyboard(parent);
    const int result = dialog.exec();
    return result == QDialog::Rejected ? Conflict::cancel : Conflict(result - 1);
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
