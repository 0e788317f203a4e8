// Another program for the desktop check to drag text from: one text field, its text selected and
// draggable; the window title follows the text, so the check can read what a drop left behind.
// With --file PATH it drags that file instead, as a file manager does.
// Usage: penmarrow_drag_source [TEXT | --file PATH] [X Y]

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace {

class FileSource : public QLabel {
 public:
  explicit FileSource(const QString& path) : QLabel(path), path_(path) {
    setWindowTitle(QStringLiteral("source:file"));
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path_)});
    QDrag drag(this);
    drag.setMimeData(data);
    drag.exec(Qt::CopyAction);
  }

 private:
  QString path_;
};

int DragFile(const QString& path, int x, int y) {
  FileSource source(path);
  source.resize(260, 40);
  source.move(x, y);
  source.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc > 2 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--file"))
    return DragFile(QString::fromLocal8Bit(argv[2]),
                    argc > 4 ? QString::fromLocal8Bit(argv[3]).toInt() : 0,
                    argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt() : 0);
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
