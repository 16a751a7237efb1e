#pragma once

#include "core/ScreenChoices.h"

class QWidget;

namespace brolga {

class CalculatorStore;

namespace ScreenFactory {

// A new screen of `tab` bound to `store`: every tab the registry lists has one.
QWidget *make(CalculatorTab tab, CalculatorStore &store, QWidget *parent = nullptr);

} // namespace ScreenFactory

} // namespace brolga
