#include "ui/platform/LinkLabel.h"

#include <QTextDocumentFragment>

#include "ui/platform/ErrorDisplay.h"

namespace penmarrow::ui {

TLinkLabel::TLinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setTextFormat(Qt::RichText);
  setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  setOpenExternalLinks(false);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QLabel::linkActivated, this, [this](const QString& target) {
    if (OnLinkClick) ErrorDisplay::GuardHoldingKeys([&] { OnLinkClick(target); });
  });
}

void TLinkLabel::SetCaption(const QString& markup) {
  setText(markup);
  adjustSize();
}

QString TLinkLabel::ShownText() const {
  return QTextDocumentFragment::fromHtml(text()).toPlainText();
}

}  // namespace penmarrow::ui
