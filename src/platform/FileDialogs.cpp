#include "platform/FileDialogs.h"

#include "platform/ActiveWindowGuard.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace brolga {

namespace {
FileDialogs::Handler openHandler;
FileDialogs::Handler saveHandler;

std::optional<QString> run(QWidget *parent, const FileDialogs::Request &request, QFileDialog::AcceptMode mode)
{
    const ActiveWindowGuard keyboard;
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    if (!request.buttonText.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.buttonText);
    if (!request.message.isEmpty())
        dialog.setLabelText(QFileDialog::FileName, request.message);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(QStringLiteral("png"));
        dialog.selectFile(request.suggestedPath);
    } else {
        const bool exists = !request.suggestedPath.isEmpty() && QFileInfo(request.suggestedPath).isDir();
        dialog.setDirectory(exists ? request.suggestedPath : QDir::homePath());
    }
    // Brolga lives in the tray: bring it forward so the panel is not hidden behind another program.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.raise();
    dialog.activateWindow();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

std::optional<QString> FileDialogs::open(QWidget *parent, const Request &request)
{
    if (openHandler)
        return openHandler(request);
    return run(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> FileDialogs::save(QWidget *parent, const Request &request)
{
    if (saveHandler)
        return saveHandler(request);
    return run(parent, request, QFileDialog::AcceptSave);
}

QString FileDialogs::picturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

void FileDialogs::setOpenHandler(Handler handler) { openHandler = std::move(handler); }
void FileDialogs::setSaveHandler(Handler handler) { saveHandler = std::move(handler); }

} // namespace brolga
