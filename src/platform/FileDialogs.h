#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace brolga {

// The open and save panels, behind one seam: tests install a handler that answers instead of a dialog.
class FileDialogs {
public:
    struct Request {
        QString title;
        QString buttonText;
        QString message;
        QString suggestedPath; // save: the proposed file; open: the folder to start in
        QString filter;        // e.g. "PNG image (*.png)"
    };
    // A chosen path, or absent when the user cancelled.
    using Handler = std::function<std::optional<QString>(const Request &)>;

    // An open panel starts in the request's folder when it exists, else in the home folder; never in
    // whatever the process's working folder happens to be.
    static std::optional<QString> open(QWidget *parent, const Request &request);
    static std::optional<QString> save(QWidget *parent, const Request &request);

    // The user's Pictures folder when it exists, else the home folder: where a logo is looked for.
    static QString picturesFolder();

    // Tests answer the panels; pass an empty handler to show real dialogs again.
    static void setOpenHandler(Handler handler);
    static void setSaveHandler(Handler handler);
};

} // namespace brolga
