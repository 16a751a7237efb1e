#pragma once

#include <QDialog>

class QAbstractButton;
class QHBoxLayout;
class QLabel;
class QLineEdit;

namespace brolga {

// One of the client book's questions in a small window of our own, in the asking window's palette: the
// title again as a heading (a narrow window's title bar cuts it), the question, an optional name field and
// the answers as the house's buttons. Escape cancels; Enter gives the answer button that has the focus, or
// else (a check box among the choices too) the default answer.
class ClientPromptDialog : public QDialog {
    Q_OBJECT
  public:
    ClientPromptDialog(const QString &title, const QString &question, const QPalette &palette,
                       QWidget *parent = nullptr);

    // Why the last answer was refused, shown above the question; empty hides it.
    void setRefusal(const QString &refusal);
    // A one-line field under the question, named by it, starting with `text` all selected.
    QLineEdit *addField(const QString &text);
    // A widget of the question's own (a list of choices), under the question.
    void addContent(QWidget *content);
    // An answer, laid out left to right at the bottom; it ends the dialog with `result`.
    QAbstractButton *addAnswer(const QString &text, int result, bool isDefault = false);

    static constexpr int minimumWidth = 360;

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    QLabel *question_;
    QLabel *refusal_;
    QLineEdit *field_ = nullptr;
    QHBoxLayout *answers_;
    QAbstractButton *default_ = nullptr;
};

} // namespace brolga
