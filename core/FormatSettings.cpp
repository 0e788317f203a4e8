#include "core/FormatSettings.h"

namespace penmarrow {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

}  // namespace penmarrow
