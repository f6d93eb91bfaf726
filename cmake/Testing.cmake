# dv_test(NAME [QT] SOURCES... LIBS libs...): one GoogleTest executable, its
# tests registered with CTest one by one. Tests run with the offscreen Qt
# platform and a private XDG configuration folder. GoogleTest's header is
# precompiled once for the tests (dv_gtest_pch); a test whose sources mostly
# include Qt's widget headers (QT) gets a precompiled header of its own that
# holds them beside GoogleTest's.
include(GoogleTest)
function(dv_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  dv_warnings(${name})
  if(T_QT)
    dv_precompile_qt(${name} <gtest/gtest.h>)
  else()
    # Linking Qt changes how a source is compiled (Qt asks for -fPIC), and a
    # precompiled header serves only compiles of its own kind.
    dv_reached_qt(${name} qt)
    if(qt)
      dv_gtest_pch(dv_gtest_pch_qt ${qt})
      target_precompile_headers(${name} REUSE_FROM dv_gtest_pch_qt)
    else()
      dv_gtest_pch(dv_gtest_pch)
      target_precompile_headers(${name} REUSE_FROM dv_gtest_pch)
    endif()
    dv_pch_warnings(${name})
  endif()
  # The environment goes through "cmake -E env": an ENVIRONMENT property
  # with several variables is split apart on its way through test discovery,
  # and only the first would arrive.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen;DV_SOURCE_DIR=${PROJECT_SOURCE_DIR};DV_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# dv_gtest_pch(NAME [LIB...]): NAME, an empty test program linking LIBs,
# makes the precompiled GoogleTest header that the tests linking the same
# kind of libraries share. It is built as they are (a program, with their
# warnings and libraries), since a precompiled header serves only compiles
# of the same kind.
function(dv_gtest_pch name)
  if(TARGET ${name})
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/tests/${name}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Makes the precompiled header some tests share; main comes from gtest_main.\n")
  add_executable(${name} ${source})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  dv_warnings(${name})
  target_precompile_headers(${name} PRIVATE ${DV_PCH_STANDARD} <gtest/gtest.h>)
  dv_pch_warnings(${name})
endfunction()
