# The compiler cache, when installed. Paths are hashed relative to the source
# folder and the working folder is left out of the hash, so a clean clone in
# another folder (a CI run, a second work tree) reuses what an earlier build
# compiled. The sloppiness lets compiles that use a precompiled header hit
# the cache: ccache cannot see which macros or time macros a source uses
# through it, and the header it reads was just made. A launcher given on the
# command line wins.
find_program(DV_CCACHE ccache)
if(DV_CCACHE)
  set(dv_launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${DV_CCACHE})
  foreach(lang C CXX)
    if(NOT CMAKE_${lang}_COMPILER_LAUNCHER)
      set(CMAKE_${lang}_COMPILER_LAUNCHER ${dv_launcher})
    endif()
  endforeach()
endif()
