# Warnings for every target of this project.
function(dv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
  # GCC 12 at -O3 reports overlapping copies inside std::string's own
  # concatenation that cannot happen (a known false positive of that release).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(DV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
