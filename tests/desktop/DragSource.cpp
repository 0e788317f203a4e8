// Another program for the desktop check to drag text from: one text field, its text selected and
// draggable; the window title follows the text, so the check can read what a drop left behind.

#include <QApplication>
#include <QLineEdit>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QLineEdit field(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  field.setDragEnabled(true);
  const auto title = [&field] { field.setWindowTitle(QStringLiteral("source:") + field.text()); };
  QObject::connect(&field, &QLineEdit::textChanged, title);
  title();
  field.resize(260, 40);
  field.move(argc > 3 ? QString::fromLocal8Bit(argv[2]).toInt() : 0,
             argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 0);
  field.show();
  field.selectAll();
  return QApplication::exec();
}
