#pragma once

#include <QWidget>

class QHBoxLayout;

namespace brolga {

// Inputs side by side, top-aligned. A field given a width keeps it; the others share what is left equally.
class FormRow : public QWidget {
    Q_OBJECT
public:
    explicit FormRow(QWidget *parent = nullptr);
    FormRow(std::initializer_list<QWidget *> fields, QWidget *parent = nullptr);

    // Returns `field` so a row can be built inline.
    template <class W> W *add(W *field, int fixedWidth = 0)
    {
        addField(field, fixedWidth);
        return field;
    }

    static constexpr int spacing = 10;

private:
    void addField(QWidget *field, int fixedWidth);
    QHBoxLayout *row_ = nullptr;
};

} // namespace brolga
