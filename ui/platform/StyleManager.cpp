#include "ui/platform/StyleManager.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QStyleFactory>

namespace penmarrow::ui {
namespace {

struct KnownStyle {
  const char* name;
  const char* resource;
};

constexpr KnownStyle KnownStyles[] = {
    {"Sapphire Kamri", ":/styles/sapphire-kamri.qss"},
};

QString FindStyleSheet(const QString& name) {
  for (const KnownStyle& style : KnownStyles) {
    if (QString::compare(name, QLatin1String(style.name), Qt::CaseInsensitive) != 0) continue;
    QFile file(QString::fromLatin1(style.resource));
    if (file.open(QIODevice::ReadOnly)) return QString::fromUtf8(file.readAll());
  }
  return {};
}

}  // namespace

void TStyleManager::TrySetStyle(const QString& name) {
  const QString sheet = FindStyleSheet(name);
  if (sheet.isEmpty()) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                    QStringLiteral("Style '%1' not found").arg(name), QMessageBox::Close);
    box.exec();
    return;
  }
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  qApp->setStyleSheet(sheet);
}

}  // namespace penmarrow::ui
