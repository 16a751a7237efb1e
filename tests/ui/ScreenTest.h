#pragma once

// Helpers shared by the screen tests: a store that never touches the user's settings, a window at the
// calculator's column width, and typing into a number field the way a user does.

#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/ResultRow.h"

#include <QApplication>
#include <functional>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace screentest {

using teststore::isolateSettings;

// The calculator column: 470 wide less 12 of padding each side.
constexpr int columnWidth = 446;

template <class View> struct Screen {
    brolga::CalculatorStore store;
    QWidget window;
    View *view = nullptr;

    explicit Screen(const std::function<void(brolga::CalculatorState &)> &setUp = {})
    {
        if (setUp)
            store.edit(setUp);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new View(store, &window);
        layout->addWidget(view);
        window.resize(columnWidth, 1400);
    }

    template <class W> W *find(const char *name) const
    {
        auto *w = view->template findChild<W *>(QString::fromLatin1(name));
        if (!w)
            qWarning("no widget named %s", name);
        return w;
    }
    brolga::ResultRow *row(const char *name) const { return find<brolga::ResultRow>(name); }
    brolga::NumericField *field(const char *name) const { return find<brolga::NumericField>(name); }
    // Present on screen as far as the view is concerned (its window need not be shown).
    bool shows(QWidget *w) const { return w && w->isVisibleTo(view); }

    bool focus(brolga::NumericField *f)
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        f->lineEdit()->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitFor([f] { return f->lineEdit()->hasFocus(); });
    }
    // Replaces the text with `keys`, one key at a time, calling `afterEach` with the text typed so far.
    template <class Check> void type(brolga::NumericField *f, const QString &keys, Check afterEach)
    {
        f->lineEdit()->selectAll();
        for (int i = 0; i < keys.size(); ++i) {
            QTest::keyClick(f->lineEdit(), keys.at(i).toLatin1());
            afterEach(keys.left(i + 1));
        }
    }
};


} // namespace screentest
