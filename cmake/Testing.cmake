# dv_test(NAME SOURCES... LIBS libs...): one GoogleTest executable, its tests
# registered with CTest one by one. Tests run with the offscreen Qt platform
# and a private XDG configuration folder.
include(GoogleTest)
function(dv_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  dv_warnings(${name})
  # The environment goes through "cmake -E env": an ENVIRONMENT property
  # with several variables is split apart on its way through test discovery,
  # and only the first would arrive.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen;DV_SOURCE_DIR=${PROJECT_SOURCE_DIR};DV_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
