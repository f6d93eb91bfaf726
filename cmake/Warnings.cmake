# Warnings for every target of this project.
function(dv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
  if(DV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
