# Warnings for every target of this project.
function(dv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
  if(DV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
