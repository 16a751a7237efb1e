#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace brolga {

// The questions the client commands ask, behind one seam as the file panels are: tests install handlers that
// answer instead of a dialog.
class ClientPrompts {
  public:
    struct NameRequest {
        QString title;
        QString label;
        QString name;  // the text the field starts with
        QString error; // why the last answer was refused; empty the first time
        QString themeID; // the record's theme, for the dialog's colours
    };
    // A name, or absent when the user cancelled.
    using NameHandler = std::function<std::optional<QString>(const NameRequest &)>;

    enum class Unsaved { save, discard, cancel };
    struct UnsavedRequest {
        QString clientName; // the client with the unsaved changes
        QString question;
        QString themeID;
    };
    using UnsavedHandler = std::function<Unsaved(const UnsavedRequest &)>;

    // A save refused because someone else saved the client since it was opened.
    enum class Conflict { reopenTheirs, saveCopy, overwrite, cancel };
    struct ConflictRequest {
        QString clientName;
        QString question; // who changed it and when
        QString themeID;
    };
    using ConflictHandler = std::function<Conflict(const ConflictRequest &)>;

    static std::optional<QString> askName(QWidget *parent, const NameRequest &request);
    static Unsaved askUnsaved(QWidget *parent, const UnsavedRequest &request);
    static Conflict askConflict(QWidget *parent, const ConflictRequest &request);

    // Pass an empty handler to show the real dialogs again.
    static void setNameHandler(NameHandler handler);
    static void setUnsavedHandler(UnsavedHandler handler);
    static void setConflictHandler(ConflictHandler handler);
};

} // namespace brolga
