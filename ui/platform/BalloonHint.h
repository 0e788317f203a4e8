#pragma once
// A hint shown in a balloon at a screen point after a delay, ending by itself after a while; it
// also serves as the hover hint of the controls attached to it.

#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace penmarrow::ui {

class TBalloonHint : public QLabel {
 public:
  explicit TBalloonHint(QWidget* owner);

  int Delay = 1;         // ms before a display begins
  int HideAfter = 3000;  // ms a display lasts
  void SetTitle(const QString& title);
  void ShowHint(const QPoint& screenPoint);
  void HideHint();

  // While enabled, resting the pointer on the control shows the title below the pointer.
  void AttachHover(QWidget* control);
  void SetHoverEnabled(bool enabled) { hoverEnabled_ = enabled; }
  bool HoverEnabled() const { return hoverEnabled_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTimer showTimer_;
  QTimer hideTimer_;
  QPoint pendingPoint_;
  QPointer<QWidget> hoverControl_;
  bool hoverEnabled_ = false;
};

}  // namespace penmarrow::ui
