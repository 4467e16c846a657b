# dx_reach_text(<variable> <folder> <folder>...): what the first folder reaches besides its
# own headers, as both checks name it in their messages: "a, b", or "its own headers".
function(dx_reach_text variable)
  set(others ${ARGN})
  list(POP_FRONT others)
  list(JOIN others ", " text)
  if(text STREQUAL "")
    set(text "its own headers")
  endif()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
