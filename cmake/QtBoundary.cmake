# dv_reached_qt(TARGET VAR): sets VAR to the Qt target that TARGET reaches
# through what it links (its own libraries, then their interfaces), and
# VAR_THROUGH to the target that links it; VAR is empty when it reaches none.
function(dv_reached_qt root var)
  set(queue ${root})
  set(seen)
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current STREQUAL root)
      get_target_property(libs ${current} LINK_LIBRARIES)
    else()
      get_target_property(libs ${current} INTERFACE_LINK_LIBRARIES)
    endif()
    if(NOT libs)
      continue()
    endif()
    foreach(lib ${libs})
      string(REGEX REPLACE "^\\$<LINK_(LIBRARY:[A-Z_]+,|ONLY:)(.*)>$" "\\2" lib "${lib}")
      if(lib MATCHES "^Qt[0-9]*::")
        set(${var} ${lib} PARENT_SCOPE)
        set(${var}_THROUGH ${current} PARENT_SCOPE)
        return()
      endif()
      if(TARGET ${lib})
        list(APPEND queue ${lib})
      endif()
    endforeach()
  endwhile()
  set(${var} "" PARENT_SCOPE)
endfunction()

# dv_require_no_qt(TARGET...): fails configuring when a target reaches Qt
# through what it links, so that its sources compile without Qt's include
# folders and can reach widgets only through the widget layer's public
# headers.
function(dv_require_no_qt)
  foreach(root ${ARGN})
    dv_reached_qt(${root} qt)
    if(qt)
      message(FATAL_ERROR "${root} reaches ${qt} through ${qt_THROUGH}: it must reach widgets through "
                          "the widget layer only (link Qt privately where it is used)")
    endif()
  endforeach()
endfunction()
