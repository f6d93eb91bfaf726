# dv_layer(NAME OUTPUT_NAME SOURCES...): one layer of the host, built as a
# shared library (a "package" in the platform's sense). Undefined symbols are
# link errors, so a layer that reaches past the layers it links fails to build.
function(dv_layer target output)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output} PREFIX "" SUFFIX ".so")
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
  # Nothing replaces a layer's functions from outside, so calls inside a
  # layer may be inlined and bound directly instead of going through the PLT.
  target_compile_options(${target} PRIVATE -fno-semantic-interposition)
  dv_warnings(${target})
  # Installed beside the package in the program's private folder, as in the
  # build's bin/.
  install(TARGETS ${target} LIBRARY DESTINATION ${DV_PRIVATE_LIB_DIR})
endfunction()
