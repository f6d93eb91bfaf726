#include "window/ValueViewer.h"

#include <Qsci/qsciscintilla.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QVBoxLayout>

namespace designer {

// Scintilla rather than a Qt text edit: it lays out a line of a megabyte in
// about a second, where Qt's text layout takes minutes to wrap it.
QWidget* ShowValueViewer(QWidget* parent, const QString& title, const QString& text) {
  auto* viewer = new QDialog(parent);
  viewer->setObjectName("ValueViewer");
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->setWindowTitle(title);
  auto* shown = new QsciScintilla(viewer);
  shown->setObjectName("ValueText");
  shown->setUtf8(true);
  shown->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  shown->setWrapMode(QsciScintilla::WrapCharacter);
  shown->setMarginWidth(1, 0);
  shown->setText(text);
  shown->setReadOnly(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, viewer);
  QObject::connect(buttons, &QDialogButtonBox::rejected, viewer, &QDialog::close);
  auto* column = new QVBoxLayout(viewer);
  column->addWidget(shown, 1);
  column->addWidget(buttons);
  viewer->resize(640, 420);
  viewer->show();
  return viewer;
}

}  // namespace designer
