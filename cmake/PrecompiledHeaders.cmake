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
  dv_pch_warnings(${target})
endfunction()

# dv_pch_warnings(TARGET): GCC (12, at least) drops the "#pragma GCC
# diagnostic" of headers it reads from a precompiled header, so the warnings
# libstdc++ and Qt turn off around their own inline code come back, as false
# positives, wherever a source inlines it (std::string's appends, for one).
# Those are the warnings GCC gives after inlining; they stay on for every
# target without a precompiled header.
function(dv_pch_warnings target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread
                                             -Wno-maybe-uninitialized)
  endif()
endfunction()
