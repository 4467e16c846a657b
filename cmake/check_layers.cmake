# Checks every file of the layered folders: a file may include headers of its own folder
# and of the folders its folder reaches, nothing else.
#   cmake -DLAYERS=<table> -DSOURCE_DIR=<tree> [-DPLANT=<file>:<header>] -P check_layers.cmake
# Each line of the table is a folder followed by the folders it reaches. PLANT adds one
# include to a file, as if written there, to show that the check catches it.

cmake_minimum_required(VERSION 3.24)

file(STRINGS ${LAYERS} table)
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
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    if(DEFINED PLANT AND PLANT MATCHES "^([^:]+):(.+)$" AND CMAKE_MATCH_1 STREQUAL file)
      list(APPEND includes "#include \"${CMAKE_MATCH_2}\"")
    endif()
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${include}")
      get_filename_component(header_folder "${header}" DIRECTORY)
      if(NOT header_folder STREQUAL "" AND NOT header_folder IN_LIST reach)
        list(APPEND violations "  ${file} includes ${header}, but ${folder} reaches only: ${reachable}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n" report)
  message(FATAL_ERROR "Includes across the folders' layers (cmake/Layers.cmake):\n${report}")
endif()
