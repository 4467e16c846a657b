# The folders' layers. Each source folder builds into one target that names the folders
# it uses; a folder can use only folders declared before it, so the uses can never form a
# cycle. check_layers.cmake then reads every file's includes and fails the build when a
# file includes a header of a folder its own folder does not reach through its uses, or
# when a folder declares a use that none of its files includes. Each static plug-in layer
# is also linked alone, so that a call into a layer it does not use fails the build too.

include(${CMAKE_CURRENT_LIST_DIR}/SourceEndings.cmake)

# dx_layer_reach(<name> <folder> [USES <name>...] [HELPERS <folder>...]): records what the
# folder reaches, under a name that folders declared after it can use: its own headers and
# those of the layers it uses. HELPERS are folders of helpers shared by folders of
# different layers (tests/support): their headers may be included too, and what such a
# header includes counts as included by the folder that includes it. Each layer it uses
# must be used: some file of the folder, or a helper it includes, includes a header of
# that layer's own folder.
function(dx_layer_reach name folder)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "USES;HELPERS")
  get_property(declared GLOBAL PROPERTY DX_LAYER_FOLDERS)
  foreach(helper IN LISTS ARG_HELPERS)
    if(NOT helper IN_LIST declared)
      message(FATAL_ERROR "${folder} takes helpers of ${helper}, which is not a folder declared before it")
    endif()
  endforeach()
  set(reach ${folder} ${ARG_HELPERS})
  foreach(used IN LISTS ARG_USES)
    get_property(used_reach GLOBAL PROPERTY DX_LAYER_REACH_${used})
    if(NOT used_reach)
      message(FATAL_ERROR "${folder} uses ${used}, which is not a layer declared before it")
    endif()
    list(APPEND reach ${used_reach})
  endforeach()
  list(REMOVE_DUPLICATES reach)
  set_property(GLOBAL PROPERTY DX_LAYER_REACH_${name} ${reach})
  set_property(GLOBAL PROPERTY DX_LAYER_FOLDER_${name} ${folder})
  set_property(GLOBAL APPEND PROPERTY DX_LAYER_FOLDERS ${folder})
  # The check's table: one line per fact, its kind first.
  set(lines "layer ${name} ${folder}")
  list(JOIN reach " " reached)
  list(APPEND lines "reach ${reached}")
  if(ARG_HELPERS)
    list(JOIN ARG_HELPERS " " helpers)
    list(APPEND lines "helpers ${folder} ${helpers}")
  endif()
  if(ARG_USES)
    list(JOIN ARG_USES " " uses)
    list(APPEND lines "uses ${folder} ${uses}")
  endif()
  set_property(GLOBAL APPEND PROPERTY DX_LAYER_TABLE ${lines})
endfunction()

# dx_layer(<target> <folder> [USES <target>...] [HELPERS <folder>...]): records what the
# folder reaches and links the target to the targets it uses.
function(dx_layer target folder)
  dx_layer_reach(${target} ${folder} ${ARGN})
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "USES;HELPERS")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_link_libraries(${target} PRIVATE ${ARG_USES})
  else()
    target_link_libraries(${target} PUBLIC ${ARG_USES})
  endif()
endfunction()

# dx_layer_alone(<layer> <target> [<source>...]): the static layer linked once more, whole,
# as a shared library with --no-undefined against only the layers it uses: a function of
# a layer it does not use, declared by hand instead of included, is then an undefined
# symbol. Sources given are linked in as if they were the layer's.
function(dx_layer_alone layer target)
  add_library(${target} SHARED $<TARGET_OBJECTS:${layer}> ${ARGN})
  target_link_libraries(${target} PRIVATE ${layer})
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
endfunction()

# dx_folder_library(<target> <folder> <STATIC|SHARED|OBJECT> [USES <target>...]): the
# folder's own sources as one library. A shared one must resolve every symbol through what
# it uses, so that a call across the layers fails its link; a static one is also linked
# alone (<target>_alone) to the same end.
function(dx_folder_library target folder type)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  add_library(${target} ${type} ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  if(type STREQUAL "SHARED")
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  elseif(type STREQUAL "STATIC")
    dx_layer_alone(${target} ${target}_alone)
  endif()
  dx_layer(${target} ${folder} ${ARGN})
endfunction()

# dx_planted_test(<name> <what the check must say> <definition>...): a test that runs
# dx_layer_check's command with the definitions given (-DPLANT=<file>:<line> adds the line
# to the file, or makes a file of that one line, as if written there; -DPLANT_USE=<folder>:
# <layer> adds a use to the folder's), and expects the check to name what was planted.
function(dx_planted_test name expected)
  add_test(NAME layering.${name} COMMAND ${check} ${ARGN} ${script})
  set_tests_properties(layering.${name} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}")
endfunction()

# dx_planted_include_test(<name> <file> <include line> <header as named>): a planted
# include, which the check must name as one across the layers.
function(dx_planted_include_test name file line header)
  dx_planted_test(${name} "${file} includes ${header}" -DPLANT=${file}:${line})
endfunction()

# dx_planted_link_test(<name> <target> <symbol>): a test that builds the target, made only
# for it, and expects its link to fail on the symbol (a call across the layers through a
# function declared by hand). The builds of such tests share the build tree, one at a time.
function(dx_planted_link_test name target symbol)
  set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
  add_test(NAME layering.${name} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${target})
  set_tests_properties(layering.${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "undefined [^\n]*${symbol}" RESOURCE_LOCK build_tree)
endfunction()

# The include check: run by every build (a violation fails it) and as a test, with tests
# that plant a violation and expect the check to name it. It reads every source file under
# the layered folders' top folders (of an ending in cmake/SourceEndings.cmake), so a file in
# a folder that declares no layers fails it too.
function(dx_layer_check)
  get_property(table GLOBAL PROPERTY DX_LAYER_TABLE)
  set(table_file ${CMAKE_BINARY_DIR}/layers.txt)
  list(JOIN table "\n" content)
  file(CONFIGURE OUTPUT ${table_file} CONTENT "${content}\n")
  get_property(folders GLOBAL PROPERTY DX_LAYER_FOLDERS)
  set(files)
  foreach(folder IN LISTS folders)
    string(REGEX REPLACE "/.*" "" top "${folder}")
    set(patterns ${DX_SOURCE_ENDINGS})
    list(TRANSFORM patterns PREPEND ${CMAKE_SOURCE_DIR}/${top}/*.)
    file(GLOB_RECURSE folder_files CONFIGURE_DEPENDS ${patterns})
    list(APPEND files ${folder_files})
  endforeach()
  list(REMOVE_DUPLICATES files)
  set(check ${CMAKE_COMMAND} -DLAYERS=${table_file} -DSOURCE_DIR=${CMAKE_SOURCE_DIR})
  set(script -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/layers.checked
    COMMAND ${check} ${script}
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/layers.checked
    DEPENDS ${table_file} ${files} ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake
            ${CMAKE_SOURCE_DIR}/cmake/SourceEndings.cmake
    COMMENT "Checking the folders' includes against their layers" VERBATIM)
  add_custom_target(layer_check ALL DEPENDS ${CMAKE_BINARY_DIR}/layers.checked)
  add_test(NAME layering.includes COMMAND ${check} ${script})
  # An include that closes a cycle, one from the lowest layer upwards, one written with
  # angle brackets, and one that a test of a lower layer takes in through a helper.
  dx_planted_include_test(finds_a_cycle extraction/csv_export.cpp
    "#include \"wizard/dlg_assist1.h\"" "wizard/dlg_assist1.h,")
  dx_planted_include_test(finds_an_upward_include platform/win/format_message.cpp
    "#include \"platform/mfc/cstring.h\"" "platform/mfc/cstring.h,")
  dx_planted_include_test(finds_an_angle_include extraction/csv_export.cpp
    "#include <wizard/page_support.h>" "<wizard/page_support.h>,")
  dx_planted_include_test(finds_an_include_through_a_helper tests/gridctrl/grid_sort_test.cpp
    "#include \"tests/support/engine_test_support.h\""
    "extraction/extraction_engine.h through tests/support/engine_test_support.h,")
  # A test of the extraction reaches the extraction, not the module's commands above it.
  dx_planted_include_test(finds_a_wizard_include_in_the_extraction_tests tests/extraction/rows_test.cpp
    "#include \"wizard/dlg_assist1.h\"" "wizard/dlg_assist1.h,")
  # Headers of every ending are read: a new .hpp of the extraction, a new .inc of the
  # grid's tests.
  dx_planted_include_test(reads_hpp_headers extraction/planted.hpp
    "#include \"wizard/dlg_assist1.h\"" "wizard/dlg_assist1.h,")
  dx_planted_include_test(reads_inc_headers tests/gridctrl/planted_rows.inc
    "#include <extraction/extraction_engine.h>" "<extraction/extraction_engine.h>,")
  # An include of a top folder of the tree that declares no layers, with quotes or angle
  # brackets (<vector> and <gtest/gtest.h> name no folder of the tree).
  dx_planted_test(finds_a_quoted_include_of_no_layer
    "extraction/csv_export.cpp includes scripts/planted.h, but scripts declares no layers"
    "-DPLANT=extraction/csv_export.cpp:#include \"scripts/planted.h\"")
  dx_planted_test(finds_an_angle_include_of_no_layer
    "extraction/csv_export.cpp includes <scripts/planted.h>, but scripts declares no layers"
    "-DPLANT=extraction/csv_export.cpp:#include <scripts/planted.h>")
  # A folder that declares a layer none of its files uses, here one of tests.
  dx_planted_test(finds_an_unused_layer
    "tests/res declares spreadsheet, but none of its files includes a header of spreadsheet"
    -DPLANT_USE=tests/res:spreadsheet)

  # The link check's planted call: extraction calling a function of the wizard's layer,
  # declared by hand. Its library is built only by the test, which expects the link to fail
  # on that symbol.
  set(planted ${CMAKE_BINARY_DIR}/planted_call.cpp)
  file(CONFIGURE OUTPUT ${planted} CONTENT "class CWnd;\nCWnd* hostMainWindow();\nCWnd* plantedCall() { return hostMainWindow(); }\n")
  dx_layer_alone(extraction planted_call_alone ${planted})
  dx_planted_link_test(finds_a_call_across_the_layers planted_call_alone "hostMainWindow\\(\\)")
endfunction()
