// Renders the Structure view of a data module offscreen, the way a tree
// widget shows it to a person: every node expanded, problem nodes in red with
// a warning sign, nodes without a component in italics, nodes that found no
// parent in grey. structure-picture MODULE.dfm OUTPUT.png
#include <QApplication>
#include <QPixmap>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "ToolUsage.h"
#include "core/DesignModule.h"
#include "designide/SprigTree.h"
#include "rtl/system/SysUtils.h"

namespace {

void AddItems(QTreeWidgetItem* parent, designide::TSprig* node, QStyle* style) {
  for (int i = 0; i < node->Count(); ++i) {
    designide::TSprig* child = node->Child(i);
    auto* item = new QTreeWidgetItem(parent, {QString::fromStdString(child->Caption())});
    QFont font = item->font(0);
    font.setItalic(child->Transient());
    item->setFont(0, font);
    if (child->AnyProblems()) {
      item->setForeground(0, QColor(170, 0, 0));
      item->setIcon(0, style->standardIcon(QStyle::SP_MessageBoxWarning));
    } else if (child->Unplaced()) {
      item->setForeground(0, QColor(120, 120, 120));
    }
    AddItems(item, child, style);
  }
}

int Run(const std::string& moduleFile, const std::string& outputFile) {
  const std::string package = rtl::ExtractFilePath(rtl::GetModuleFileName(nullptr)) + "DclDralvo160.so";
  int status = 1;
  try {
    // Read as the designer reads it, its package unloaded after it.
    auto module = designer::TDesignModule::Open(moduleFile, std::make_unique<designer::TDesignPackage>(package));
    {
      designide::TSprigTree tree(module.get());
      tree.Build(&module->Root());
      QTreeWidget widget;
      widget.setHeaderHidden(true);
      widget.setWindowTitle("Structure");
      auto* top = new QTreeWidgetItem(&widget, {QString::fromStdString(tree.Root()->Caption())});
      AddItems(top, tree.Root(), widget.style());
      widget.expandAll();
      widget.resizeColumnToContents(0);
      int rows = 0;
      for (QTreeWidgetItemIterator it(&widget); *it != nullptr; ++it) ++rows;
      const int rowHeight = widget.visualItemRect(top).height();
      widget.resize(widget.columnWidth(0) + 24, rows * rowHeight + 24);
      if (!widget.grab().save(QString::fromStdString(outputFile), "PNG"))
        throw rtl::Exception("cannot write " + outputFile);
      std::printf("%s\n", outputFile.c_str());
      status = 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "structure-picture: %s\n", e.what());
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: structure-picture MODULE.dfm OUTPUT.png\n"
                      "Renders the Structure view of MODULE.dfm to OUTPUT.png.\n";
  if (int status = CheckToolUsage(argc, argv, 3, usage); status >= 0) return status;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  try {
    return Run(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "structure-picture: %s\n", e.what());
    return 1;
  }
}
