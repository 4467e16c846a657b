# Judges what the compiler took into each object, as Ninja's records of the build tell it,
# against the folders' layers.
#   cmake -DLAYERS=<table> -DOBJECTS=<list> -DNINJA=<ninja> -DBUILD_DIR=<build tree>
#         -DSOURCE_DIR=<source tree> [-DPLANTED=<folder>] [-DPLANT_USE=<folder>:<layer>]
#         -P check_layers.cmake
# The table has one fact a line, its kind first:
#   layer <name> <folder>            the layer's name (as folders use it) and its folder
#   reach <folder> <folder>...       the folder and the folders its files may include
#   uses <folder> <name>...          the layers it uses
#   takes <folder> <folder>          the first folder's targets take the second's objects whole,
#                                    a use of its layer as a header taken in is
#   file <source> <folder>...        a source whose object reaches those folders instead of
#                                    what its folder reaches (a compiled helper of the tests)
# OBJECTS lists the objects, one a line. An object is of its source's folder (the first file
# of its record) and may take in the headers of the folders that folder reaches; files
# outside the source tree, or made in the build tree, are not the project's. An object of a
# folder that declares no layers fails, and so does a header of one. Each layer a folder
# uses must be taken in by one of its objects (a folder none of whose objects is listed is
# not judged). An object that has no record of its latest build fails: the tree is not
# built. PLANTED is a folder of the build tree whose files stand for those at the same path
# of the source tree, and PLANT_USE adds a use to a folder: both plant what the check must
# name.

cmake_minimum_required(VERSION 3.24)
include("${CMAKE_CURRENT_LIST_DIR}/layer_messages.cmake")

file(STRINGS "${LAYERS}" table ENCODING UTF-8)
foreach(line IN LISTS table)
  string(REPLACE " " ";" fields "${line}")
  list(POP_FRONT fields kind key)
  if(kind STREQUAL "layer")
    set(folder_of_${key} ${fields})
  elseif(kind STREQUAL "reach")
    set(reach_${key} ${key} ${fields})
  elseif(kind STREQUAL "uses")
    set(uses_${key} ${fields})
  elseif(kind STREQUAL "takes")
    set(takes_${key}_${fields} ON)
  elseif(kind STREQUAL "file")
    set(reach_file_${key} ${fields})
  endif()
endforeach()
if(PLANT_USE MATCHES "^([^:]+):(.+)$")
  list(APPEND uses_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
endif()

# The trees' paths as patterns: as the records write them (<tree>_pattern), and where their
# files really lie (real_<tree>_pattern), for the files are judged by the file a symbolic
# link points to.
macro(tree_patterns tree path)
  string(REGEX REPLACE "([][+.*?()^$|\\])" "\\\\\\1" ${tree}_pattern "${path}")
  set(real "")
  if(NOT "${path}" STREQUAL "")
    file(REAL_PATH "${path}" real)
  endif()
  string(REGEX REPLACE "([][+.*?()^$|\\])" "\\\\\\1" real_${tree}_pattern "${real}")
endmacro()
tree_patterns(source "${SOURCE_DIR}")
tree_patterns(build "${BUILD_DIR}")
tree_patterns(planted "${PLANTED}")

# ninja_records(<objects> <file>): Ninja's records of what the compiler took into each object,
# written to the file. -n keeps Ninja from rewriting its records (it compacts them when it
# opens them to write) while the build that runs the check adds to them.
function(ninja_records objects file)
  if(NOT objects)
    file(WRITE ${file} "")  # Ninja would list every record
    return()
  endif()
  execute_process(COMMAND ${NINJA} -n -t deps ${objects} WORKING_DIRECTORY ${BUILD_DIR}
                  OUTPUT_FILE ${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${NINJA} -t deps failed in ${BUILD_DIR}")
  endif()
endfunction()

# compiler_records(<objects> <file>): what the compiler takes into each object, listed by the
# compiler itself (its command from the build, preprocessing only, with -M) and appended to
# the file in the form of Ninja's records. An object it cannot list is a violation, named
# with the missing file of its record.
function(compiler_records objects file)
  execute_process(COMMAND ${NINJA} -t commands -s ${objects} WORKING_DIRECTORY ${BUILD_DIR}
                  OUTPUT_VARIABLE commands RESULT_VARIABLE failed)
  string(REGEX MATCHALL "[^\n]+" commands "${commands}")
  list(LENGTH objects wanted)
  list(LENGTH commands found)
  if(failed OR NOT found EQUAL wanted)
    message(FATAL_ERROR "${NINJA} -t commands failed in ${BUILD_DIR}")
  endif()
  string(ASCII 31 blank)  # stands for an escaped blank while the list is split
  foreach(object command IN ZIP_LISTS objects commands)
    # The command's words as the shell reads them, without its outputs: the dependency
    # list goes to standard output instead.
    separate_arguments(words UNIX_COMMAND "${command}")
    set(arguments)
    set(skip OFF)
    foreach(word IN LISTS words)
      if(skip)
        set(skip OFF)
      elseif(word MATCHES "^-(o|MF|MT|MQ)$")
        set(skip ON)
      elseif(NOT word MATCHES "^-M?MD$")
        list(APPEND arguments "${word}")
      endif()
    endforeach()
    execute_process(COMMAND ${arguments} -M -MT object WORKING_DIRECTORY ${BUILD_DIR}
                    OUTPUT_VARIABLE rule ERROR_VARIABLE error RESULT_VARIABLE failed)
    if(failed OR NOT rule MATCHES "^object:")
      string(REGEX MATCH "[^\n]*" error "${error}")
      list(APPEND violations "  ${object}: its record ${missing_in_${object}} (Ninja before 1.13 cuts a path at ' and &), and the compiler could not list what it includes: ${error}")
      continue()
    endif()
    # The compiler's escaping: a blank as "\ ", # as "\#", $ as "$$", lines continued by "\".
    string(REPLACE "\\\n" " " rule "${rule}")
    string(REPLACE "\\ " "${blank}" rule "${rule}")
    string(REPLACE "\\#" "#" rule "${rule}")
    string(REPLACE "$$" "$" rule "${rule}")
    string(REGEX REPLACE "^object:" "" rule "${rule}")
    string(REGEX MATCHALL "[^ \n]+" paths "${rule}")
    list(TRANSFORM paths REPLACE "${blank}" " ")
    list(TRANSFORM paths PREPEND "    ")
    list(LENGTH paths count)
    list(JOIN paths "\n" listed)
    file(APPEND ${file} "${object}: #deps ${count}, deps mtime 0 (VALID)\n${listed}\n\n")
  endforeach()
  set(violations ${violations} PARENT_SCOPE)
endfunction()

# The objects, as Ninja names them: from the build tree.
file(STRINGS "${OBJECTS}" objects ENCODING UTF-8)
list(TRANSFORM objects REPLACE "/\\./" "/")
list(TRANSFORM objects REPLACE "^${build_pattern}/" "")
list(REMOVE_DUPLICATES objects)
if(NOT objects)
  message(FATAL_ERROR "${OBJECTS} lists no objects")
endif()
string(REGEX REPLACE "\\.txt$" "" records "${OBJECTS}")
set(records ${records}-records.txt)
ninja_records("${objects}" ${records})

# A record must name the object's source, and files that exist. Ninja before 1.13 cuts a
# path at ' and & when it reads what the compiler wrote, so from a folder whose path holds
# one its records name files that do not exist, or none: what those objects include is
# asked of the compiler instead. A record is never passed over because it cannot be read.
file(STRINGS "${records}" paths ENCODING UTF-8 REGEX "^    ")
list(REMOVE_DUPLICATES paths)
file(STRINGS "${records}" cut ENCODING UTF-8 REGEX ": #deps 0, deps mtime [0-9]+ \\(VALID\\)$")
foreach(line IN LISTS paths)
  string(SUBSTRING "${line}" 4 -1 path)
  get_filename_component(path "${path}" ABSOLUTE BASE_DIR "${BUILD_DIR}")
  if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
    set("missing_${line}" "names ${path}, which does not exist")
    list(APPEND cut "${line}")
  endif()
endforeach()
set(violations)
if(cut)
  # The objects built whose records cannot be read, each with what is wrong with it.
  file(STRINGS "${records}" lines ENCODING UTF-8)
  set(unreadable)
  set(object "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ ].*): #deps ([0-9]+), deps mtime [0-9]+ \\(VALID\\)$")
      set(object "${CMAKE_MATCH_1}")
      if(CMAKE_MATCH_2 EQUAL 0)
        list(APPEND unreadable "${object}")
        set("missing_in_${object}" "names no file")
        set(object "")
      endif()
    elseif(line MATCHES "^[^ ]")
      set(object "")
    elseif(NOT object STREQUAL "" AND DEFINED "missing_${line}")
      list(APPEND unreadable "${object}")
      set("missing_in_${object}" "${missing_${line}}")
      set(object "")
    endif()
  endforeach()
  list(LENGTH unreadable count)
  message(STATUS "Ninja's records of ${count} objects cannot be read (Ninja before 1.13 cuts a "
                 "path at ' and &): what they include is asked of the compiler")
  set(readable ${objects})
  list(REMOVE_ITEM readable ${unreadable})
  ninja_records("${readable}" ${records})
  compiler_records("${unreadable}" ${records})
endif()

# Each record is a line naming the object, then its files, indented, the source first.
# System headers are passed over here already; paths in the build tree may be relative.
file(STRINGS "${records}" lines ENCODING UTF-8
     REGEX "^[^ ]|^    ([^/]|${source_pattern}/|${build_pattern}/)")

set(judged)
set(object "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ].*): (#deps [0-9]+, deps mtime [0-9]+ \\(([A-Z]+)\\)|deps not found)$")
    set(object "${CMAKE_MATCH_1}")
    set(source "")
    if(NOT CMAKE_MATCH_3 STREQUAL "VALID")
      list(APPEND violations "  ${object} has not been built: what it includes is not known")
      set(object "")
    endif()
    continue()
  elseif(object STREQUAL "")
    continue()
  endif()
  string(SUBSTRING "${line}" 4 -1 path)
  if(NOT IS_ABSOLUTE "${path}")
    get_filename_component(path "${path}" ABSOLUTE BASE_DIR ${BUILD_DIR})
  endif()
  if(NOT DEFINED "real_${path}")
    file(REAL_PATH "${path}" "real_${path}")
  endif()
  set(path "${real_${path}}")
  set(file "")
  if(PLANTED AND path MATCHES "^${real_planted_pattern}/(.*)")
    set(file ${CMAKE_MATCH_1})
  elseif(NOT path MATCHES "^${real_build_pattern}/" AND path MATCHES "^${real_source_pattern}/(.*)")
    set(file ${CMAKE_MATCH_1})
  endif()
  if(file STREQUAL "")
    if(source STREQUAL "")
      set(object "")  # made in the build tree: of no folder
    endif()
    continue()
  endif()
  get_filename_component(file_folder ${file} DIRECTORY)
  if(source STREQUAL "")
    set(source ${file})
    set(folder ${file_folder})
    if(NOT DEFINED reach_${folder})
      list(APPEND violations "  ${source} is in ${folder}, which declares no layers")
      set(object "")
      continue()
    endif()
    list(APPEND judged ${folder})
    set(reach ${reach_${folder}})
    if(DEFINED reach_file_${source})
      set(reach ${reach_file_${source}})
    endif()
    dx_reach_text(reachable ${reach})
  elseif(NOT file_folder STREQUAL folder AND NOT seen_${source}_${file_folder})
    # Each folder once a source: a header it may not include is named by the first the
    # compiler took in, the one that led into that folder.
    set(seen_${source}_${file_folder} ON)
    if(NOT DEFINED reach_${file_folder})
      list(APPEND violations "  ${source} includes ${file}, but ${file_folder} declares no layers")
    elseif(NOT file_folder IN_LIST reach)
      list(APPEND violations "  ${source} includes ${file}, but ${folder} reaches only: ${reachable}")
    else()
      set(takes_${folder}_${file_folder} ON)
    endif()
  endif()
endforeach()

list(REMOVE_DUPLICATES judged)
foreach(folder IN LISTS judged)
  foreach(used IN LISTS uses_${folder})
    if(NOT takes_${folder}_${folder_of_${used}})
      list(APPEND violations "  ${folder} declares ${used}, but none of its files includes a header of ${folder_of_${used}}")
    endif()
  endforeach()
endforeach()

dx_report_violations("Includes" ${violations})
