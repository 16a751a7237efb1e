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

    static std::optional<QString> open(QWidget *parent, const Request &request);
    static std::optional<QString> save(QWidget *parent, const Request &request);

    // Tests answer the panels; pass an empty handler to show real dialogs again.
    static void setOpenHandler(Handler handler);
    static void setSaveHandler(Handler handler);
};

} // namespace brolga
