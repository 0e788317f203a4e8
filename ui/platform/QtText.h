#pragma once
// QString and the core's UTF-16 texts hold the same code units; these hand them over unchanged.
// MoneyText is an amount as every label, hint, table and phrase of the program writes it.

#include <QString>
#include <string>
#include <string_view>

#include "core/MoneyText.h"

namespace penmarrow::ui {

inline std::u16string_view View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline QString MoneyText(Extended amount) { return ToQString(FormatMoney(amount)); }

}  // namespace penmarrow::ui
