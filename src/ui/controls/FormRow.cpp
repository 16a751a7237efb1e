#include "ui/controls/FormRow.h"

#include <QHBoxLayout>

namespace brolga {

FormRow::FormRow(QWidget *parent) : QWidget(parent)
{
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(spacing);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

FormRow::FormRow(std::initializer_list<QWidget *> fields, QWidget *parent) : FormRow(parent)
{
    for (QWidget *field : fields)
        addField(field, 0);
}

void FormRow::addField(QWidget *field, int fixedWidth)
{
    field->setParent(this);
    if (fixedWidth > 0) {
        field->setFixedWidth(fixedWidth);
        row_->addWidget(field, 0, Qt::AlignTop);
    } else {
        // Equal shares whatever each field's preferred width.
        QSizePolicy policy = field->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        policy.setHorizontalStretch(1);
        field->setSizePolicy(policy);
        row_->addWidget(field, 1, Qt::AlignTop);
    }
}

} // namespace brolga
