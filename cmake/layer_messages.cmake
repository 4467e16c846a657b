# What both layer checks say: the configuration's judgement of the build files and the
# include check over the built objects.

# dx_reach_text(<variable> <folder> <folder>...): what the first folder reaches besides its
# own headers, as the checks name it: "a, b", or "its own headers".
function(dx_reach_text variable)
  set(others ${ARGN})
  list(POP_FRONT others)
  list(JOIN others ", " text)
  if(text STREQUAL "")
    set(text "its own headers")
  endif()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# dx_report_violations(<what was judged> <violation>...): stops with each violation once, a
# line each, when there are any.
function(dx_report_violations judged)
  if(ARGN)
    set(violations ${ARGN})
    list(REMOVE_DUPLICATES violations)
    list(JOIN violations "\n" report)
    message(FATAL_ERROR "${judged} across the folders' layers (cmake/Layers.cmake):\n${report}")
  endif()
endfunction()
