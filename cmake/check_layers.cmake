# Checks every file of the layered folders: a file may include headers of its own folder
# and of the folders its folder reaches, nothing else.
#   cmake -DLAYERS=<table> -DSOURCE_DIR=<tree> [-DPLANT=<file>:<include line>] -P check_layers.cmake
# Each line of the table is a folder followed by the folders it reaches. An include counts
# when written with quotes, or with angle brackets and a path whose first part is one of
# the folders' top folders (<vector> and <gtest/gtest.h> are not the project's). PLANT adds
# one line to a file, as if written there, to show that the check catches it.

cmake_minimum_required(VERSION 3.24)

file(STRINGS ${LAYERS} table)
set(tops)
foreach(line IN LISTS table)
  string(REGEX REPLACE "[/ ].*" "" top "${line}")
  list(APPEND tops ${top})
endforeach()
list(REMOVE_DUPLICATES tops)

set(violations)
foreach(line IN LISTS table)
  string(REPLACE " " ";" reach "${line}")
  list(POP_FRONT reach folder)
  list(JOIN reach ", " reachable)
  if(reachable STREQUAL "")
    set(reachable "its own headers")
  endif()
  list(APPEND reach ${folder})
  file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(file IN LISTS files)
    file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include")
    if(DEFINED PLANT AND PLANT MATCHES "^([^:]+):(.+)$" AND CMAKE_MATCH_1 STREQUAL file)
      list(APPEND lines "${CMAKE_MATCH_2}")
    endif()
    foreach(line IN LISTS lines)
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(header ${CMAKE_MATCH_1})
        set(written ${header})
      elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<(([^>/]+)/[^>]+)>" AND CMAKE_MATCH_2 IN_LIST tops)
        set(header ${CMAKE_MATCH_1})
        set(written "<${header}>")
      else()
        continue()
      endif()
      get_filename_component(header_folder "${header}" DIRECTORY)
      if(NOT header_folder STREQUAL "" AND NOT header_folder IN_LIST reach)
        list(APPEND violations "  ${file} includes ${written}, but ${folder} reaches only: ${reachable}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n" report)
  message(FATAL_ERROR "Includes across the folders' layers (cmake/Layers.cmake):\n${report}")
endif()
