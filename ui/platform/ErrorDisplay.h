#pragma once
// The one place where an error raised by a handler is shown: a message box captioned with the
// application title. Every entry point from Qt into our handlers runs them through
// GuardHoldingKeys, so no exception ever unwinds through Qt's own frames, and no held key is
// replayed inside a handler.

#include <QString>
#include <functional>

#include "core/Rounding.h"
#include "ui/eventloop/HeldInput.h"

namespace penmarrow::ui {

class ErrorDisplay {
 public:
  using Presenter = std::function<void(const QString& message)>;

  // Runs a handler, holding the keys that arrive meanwhile (HeldInput), and shows once an
  // exception that ends it. The overflow is the one error a saver can meet; any other is a fault
  // of the program, whose technical message is written to the log, not put in front of the saver.
  template <typename Handler>
  static void GuardHoldingKeys(Handler&& handler) noexcept {
    const HeldInput::HandlerScope running;
    try {
      std::forward<Handler>(handler)();
    } catch (const EInvalidOp& error) {
      Show(QString::fromUtf8(error.what()));
    } catch (const std::exception& error) {
      ShowFault(error.what());
    } catch (...) {
      ShowFault("unknown exception");
    }
  }

  // A message of the program's own, shown the same way: why a file was refused or not saved.
  static void Report(const QString& message) noexcept { Show(message); }

  // "Invalid floating point operation" is shown as "Invalid floating point operation.".
  static QString WithFullStop(const QString& message);

  // Tests capture what would be shown instead of opening a modal box.
  static void SetPresenter(Presenter presenter);

 private:
  static void Show(const QString& message) noexcept;
  static void ShowFault(const char* technical) noexcept;
};

}  // namespace penmarrow::ui
