#pragma once
// A hint shown in a balloon whose stem points at a screen point, after a delay, ending by itself
// after a while; it also serves as the hover hint of the control attached to it.

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace penmarrow::ui {

class TBalloonHint : public QWidget {
 public:
  explicit TBalloonHint(QWidget* owner);

  int Delay = 1;         // ms before a display begins
  int HideAfter = 3000;  // ms a display lasts
  void SetTitle(const QString& title);
  // The balloon's top-left corner, where its stem rises, at the screen point. The pointer entering
  // or leaving the attached control neither restarts nor ends this display; HideHint does.
  void ShowHint(const QPoint& screenPoint);
  void HideHint();
  // Where the stem's tip lies in the balloon's own coordinates.
  static QPoint StemTip();

  // While enabled, resting the pointer on the control
  // shows the title, its stem pointing up at the pointer.
  void AttachHover(QWidget* control);
  void SetHoverEnabled(bool enabled) { hoverEnabled_ = enabled; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  enum class Display { None, Requested, Hover };
  void Start(Display display, const QPoint& topLeft);
  void Appear();
  QRect TextRect() const;
  QRegion Shape() const;

  QString title_;
  QTimer showTimer_;
  QTimer hideTimer_;
  QPoint pendingTopLeft_;
  Display display_ = Display::None;
  QPointer<QWidget> hoverControl_;
  bool hoverEnabled_ = false;
};

}  // namespace penmarrow::ui
