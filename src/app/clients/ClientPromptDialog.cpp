#include "app/clients/ClientPromptDialog.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/buttons/PlainButton.h"
#include "ui/buttons/PrimaryActionButton.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brolga {

ClientPromptDialog::ClientPromptDialog(const QString &title, const QString &question, const QPalette &palette,
                                       QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    // Above the floating calculator window, which may be pinned above everything else.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setPalette(palette);
    setMinimumWidth(minimumWidth);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 16);
    column->setSpacing(8);

    auto *heading = new QLabel(title, this);
    heading->setFont(BrandType::sans(14, FontWeight::semibold));
    heading->setWordWrap(true);
    column->addWidget(heading);

    refusal_ = new QLabel(this);
    refusal_->setFont(BrandType::sans(11.5));
    refusal_->setWordWrap(true);
    QPalette warning = palette;
    warning.setColor(QPalette::WindowText, Brand::bad(palette));
    refusal_->setPalette(warning);
    refusal_->hide();
    column->addWidget(refusal_);

    question_ = new QLabel(question, this);
    question_->setFont(BrandType::sans(12));
    question_->setWordWrap(true);
    column->addWidget(question_);
    // Read with the dialog: without a field the question is all there is to it.
    setAccessibleDescription(question);

    answers_ = new QHBoxLayout;
    answers_->setContentsMargins(0, 10, 0, 0);
    answers_->setSpacing(8);
    answers_->addStretch(1);
    column->addLayout(answers_);
}

void ClientPromptDialog::setRefusal(const QString &refusal)
{
    refusal_->setText(refusal);
    refusal_->setVisible(!refusal.isEmpty());
    if (field_)
        field_->setAccessibleDescription(refusal);
}

QLineEdit *ClientPromptDialog::addField(const QString &text)
{
    field_ = new QLineEdit(text, this);
    field_->setFont(BrandType::sans(12));
    field_->setAccessibleName(question_->text());
    field_->setAccessibleDescription(refusal_->text());
    question_->setBuddy(field_);
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->insertWidget(column->indexOf(question_) + 1, field_);
    return field_;
}

void ClientPromptDialog::addContent(QWidget *content)
{
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->insertWidget(column->indexOf(answers_), content);
}

QAbstractButton *ClientPromptDialog::addAnswer(const QString &text, int result, bool isDefault)
{
    QAbstractButton *button = nullptr;
    if (isDefault) {
        button = new PrimaryActionButton(text);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        button->setMinimumWidth(88);
        default_ = button;
    } else {
        button = new PlainButton(text, BrandType::sans(12, FontWeight::medium), &Brand::textSecondary, {});
        // The plain face has no frame of its own; give it the default answer's height to hit.
        button->setFixedSize(button->sizeHint() + QSize(24, 18));
    }
    connect(button, &QAbstractButton::clicked, this, [this, result] { done(result); });
    answers_->addWidget(button);
    return button;
}

void ClientPromptDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A check box among the choices is no answer: Enter on it gives the default one.
        auto *focused = qobject_cast<QAbstractButton *>(focusWidget());
        if (focused && focused->isCheckable())
            focused = nullptr;
        if (QAbstractButton *answer = focused ? focused : default_) {
            answer->click();
            return;
        }
    }
    QDialog::keyPressEvent(event); // Escape rejects
}

void ClientPromptDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (field_) {
        field_->selectAll();
        field_->setFocus(Qt::OtherFocusReason);
    } else if (default_) {
        default_->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace brolga
