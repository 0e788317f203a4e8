#pragma once

#include <QLabel>
#include <functional>

namespace penmarrow::ui {

// A label holding an <a> element; a click reports the link's target.
class TLinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TLinkLabel(const QString& caption, QWidget* parent = nullptr);
  void SetCaption(const QString& markup);
  // The caption as the label shows it, without its markup: "penmarrow.example.org/".
  QString ShownText() const;

  std::function<void(const QString& target)> OnLinkClick;
};

}  // namespace penmarrow::ui
