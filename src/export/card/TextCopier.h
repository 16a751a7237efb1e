#pragma once

namespace brolga {
class CalculatorStore;
}

namespace brolga::TextCopier {

inline constexpr char16_t copiedToast[] = u"Figures copied as text";

// Replaces the clipboard with the active tab's summary as plain text and confirms with a toast.
void copyCurrentTab(CalculatorStore &store);

} // namespace brolga::TextCopier
