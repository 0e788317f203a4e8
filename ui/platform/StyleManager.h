#pragma once
// The program's visual styles, carried in the executable as resources and looked up by name.

#include <QString>

namespace penmarrow::ui {

class TStyleManager {
 public:
  // Makes the named style (case ignored) the look of every window; when it is not found, shows
  // "Style '<name>' not found" and leaves the default look.
  static void TrySetStyle(const QString& name);
};

}  // namespace penmarrow::ui
