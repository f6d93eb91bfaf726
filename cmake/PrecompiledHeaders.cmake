# Precompiled headers. Parsing Qt's widget headers is most of what a widget
# source costs to compile (some 2 s of each), GoogleTest's header about a
# second of each test source. A precompiled header is parsed once per target
# instead; making one costs some 9 s for Qt's headers and 4 s for
# GoogleTest's, so a target gets one of its own only when many of its
# sources include them, and the tests without Qt share one (see
# cmake/Testing.cmake). -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without
# them, which shows a source that leans on an include they lend it.
set(DV_PCH_STANDARD <algorithm> <functional> <memory> <string> <vector>)
set(DV_PCH_QT
  <QAction> <QApplication> <QComboBox> <QEvent> <QFont> <QFontMetrics> <QHBoxLayout> <QKeyEvent> <QLabel>
  <QLineEdit> <QListWidget> <QMenu> <QMouseEvent> <QPainter> <QPixmap> <QPointer> <QPushButton> <QStyle>
  <QTabWidget> <QTimer> <QTreeWidget> <QVBoxLayout> <QWidget>)

# dv_precompile_qt(TARGET [HEADER...]): the standard headers, Qt's common
# widget headers and HEADERs, precompiled for TARGET, whose sources mostly
# include Qt's widget headers.
function(dv_precompile_qt target)
  target_precompile_headers(${target} PRIVATE ${DV_PCH_STANDARD} ${DV_PCH_QT} ${ARGN})
endfunction()
