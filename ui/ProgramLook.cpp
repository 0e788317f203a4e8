#include "ui/ProgramLook.h"

#include <QString>

#include "ui/platform/StyleManager.h"
#include "ui/platform/WindowFonts.h"

namespace penmarrow::ui {

void ApplyProgramLook() {
  UseWindowFonts();
  TStyleManager::TrySetStyle(QStringLiteral("Sapphire Kamri"));
}

}  // namespace penmarrow::ui
