# The folders' layers. Each source folder builds into one target that names the folders
# it uses; a folder can use only folders declared before it, so the uses can never form a
# cycle. Once the build has compiled every object, check_layers.cmake reads in Ninja's
# records which headers the compiler took into each, and fails the build when an object
# takes in a header of a folder its source's folder does not reach through its uses, or
# when a folder declares a use that none of its objects takes in. Each static plug-in layer
# is also linked alone, so that a call into a layer it does not use fails the build too.
# The build files themselves are judged as the build is configured (dx_judge_build_files):
# what each target holds and links.

if(NOT CMAKE_GENERATOR STREQUAL "Ninja")
  message(FATAL_ERROR "The include check reads Ninja's records of the build: configure with -G Ninja")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/layer_messages.cmake")

# dx_glob(<variable> <folder> <pattern> [RECURSE]): the files of the folder (and, with
# RECURSE, of the folders below it) whose names match the pattern. The folder's path is
# taken as written: a checkout path holding [ ] * or ? is not read as a pattern.
function(dx_glob variable folder pattern)
  string(REGEX REPLACE "([][*?])" "[\\1]" literal "${folder}")
  set(how GLOB)
  if(ARGN STREQUAL "RECURSE")
    set(how GLOB_RECURSE)
  endif()
  file(${how} found CONFIGURE_DEPENDS "${literal}/${pattern}")
  set(${variable} ${found} PARENT_SCOPE)
endfunction()

# dx_declare_reach(<name> <folder>... USES <name>...): the layer <name>, of the first folder,
# reaches the folders given and those that the layers it uses reach.
function(dx_declare_reach name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "USES")
  list(GET ARG_UNPARSED_ARGUMENTS 0 folder)
  set(reach ${ARG_UNPARSED_ARGUMENTS})
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
endfunction()

# dx_layer_reach(<name> <folder> [USES <name>...] [HELPERS <folder>...]): records what the
# folder reaches, under a name that folders declared after it can use: its own headers and
# those of the layers it uses. HELPERS are folders of helpers shared by folders of
# different layers (tests/support): their headers may be included too, and what such a
# header includes must be within the reach of the folder that includes it. Each layer it
# uses must be used: one of the folder's objects takes in a header of that layer's folder.
function(dx_layer_reach name folder)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "USES;HELPERS")
  get_property(declared GLOBAL PROPERTY DX_LAYER_FOLDERS)
  foreach(helper IN LISTS ARG_HELPERS)
    if(NOT helper IN_LIST declared)
      message(FATAL_ERROR "${folder} takes helpers of ${helper}, which is not a folder declared before it")
    endif()
  endforeach()
  dx_declare_reach(${name} ${folder} ${ARG_HELPERS} USES ${ARG_USES})
  get_property(reach GLOBAL PROPERTY DX_LAYER_REACH_${name})
  set_property(GLOBAL APPEND PROPERTY DX_LAYER_FOLDERS ${folder})
  # The check's table: one line per fact, its kind first.
  set(lines "layer ${name} ${folder}")
  list(JOIN reach " " reached)
  list(APPEND lines "reach ${reached}")
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

# dx_layer_of(<target> <layer or target>): a target of a layer that is not the layer's own
# (a benchmark, a helper library, a layer linked alone): the build-file check judges it as
# the layer's, or as the named target's layer's.
function(dx_layer_of target layer)
  set_property(TARGET ${target} PROPERTY DX_LAYER ${layer})
endfunction()

# dx_helper_layer(<target> <folder> [USES <name>...]): a library of some files of a folder
# whose other files are of another layer (a compiled helper of tests/support): the build
# files judge it by the layers it uses, and the include check its sources' objects.
function(dx_helper_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "USES")
  dx_declare_reach(${target} ${folder} USES ${ARG_USES})
  get_property(reach GLOBAL PROPERTY DX_LAYER_REACH_${target})
  list(JOIN reach " " reached)
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${source})
    set_property(GLOBAL APPEND PROPERTY DX_LAYER_TABLE "file ${relative} ${reached}")
  endforeach()
endfunction()

# dx_target_layer(<target> <variable>): the layer the target is judged by, or "" for none;
# an alias is judged as the target it names.
function(dx_target_layer target variable)
  if(TARGET ${target})
    get_target_property(aliased ${target} ALIASED_TARGET)
    if(aliased)
      set(target ${aliased})
    endif()
  endif()
  get_property(declared GLOBAL PROPERTY DX_LAYER_FOLDER_${target} SET)
  set(layer "")
  if(declared)
    set(layer ${target})
  elseif(TARGET ${target})
    get_target_property(of ${target} DX_LAYER)
    if(of)
      dx_target_layer(${of} layer)
    endif()
  endif()
  set(${variable} ${layer} PARENT_SCOPE)
endfunction()

# dx_layer_alone(<layer> <target> [<source>...]): the static layer linked once more, whole,
# as a shared library with --no-undefined against only the layers it uses: a function of
# a layer it does not use, declared by hand instead of included, is then an undefined
# symbol. Sources given are linked in as if they were the layer's.
function(dx_layer_alone layer target)
  add_library(${target} SHARED $<TARGET_OBJECTS:${layer}> ${ARGN})
  dx_layer_of(${target} ${layer})
  target_link_libraries(${target} PRIVATE ${layer})
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
endfunction()

# dx_folder_library(<target> <folder> <STATIC|SHARED|OBJECT> [USES <target>...]): the
# folder's own sources as one library. A shared one must resolve every symbol through what
# it uses, so that a call across the layers fails its link; a static one is also linked
# alone (<target>_alone) to the same end.
function(dx_folder_library target folder type)
  dx_glob(sources ${CMAKE_SOURCE_DIR}/${folder} *.cpp)
  add_library(${target} ${type} ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  if(type STREQUAL "SHARED")
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  elseif(type STREQUAL "STATIC")
    dx_layer_alone(${target} ${target}_alone)
  endif()
  dx_layer(${target} ${folder} ${ARGN})
endfunction()

# dx_planted_build_test(<name> <target> <what the build must say>): a test that builds the
# target, made only for it, and expects the build to fail saying that. The tests that build
# in the tree or read its records take it one at a time.
function(dx_planted_build_test name target expected)
  set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON DX_PLANTED ON)
  add_test(NAME layering.${name} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${target})
  set_tests_properties(layering.${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "${expected}" RESOURCE_LOCK build_tree)
endfunction()

# dx_check_test(<name> <what the check must say, or "" to pass> <definition>...): the check
# run as a test with the definitions given; it reads the records that the tests' builds in
# the tree add to, one at a time with them.
function(dx_check_test name expected)
  add_test(NAME layering.${name} COMMAND ${check} ${ARGN} ${script})
  set_tests_properties(layering.${name} PROPERTIES RESOURCE_LOCK build_tree)
  if(expected)
    set_tests_properties(layering.${name} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}")
  endif()
endfunction()

# dx_planted_include_test(<name> <what the check must say> <file> <content>...): files
# planted in the build tree as if at those paths of the source tree (a content "-> <path>"
# plants a symbolic link to that file of the source tree); a target made only for the test
# compiles the .cpp among them, and the test builds it and runs the check over its objects,
# which must name what was planted.
function(dx_planted_include_test name expected)
  # Its folder's name holds characters that Ninja's records or CMake's patterns may misread,
  # so that the check is seen to read such paths whole.
  set(root "${CMAKE_BINARY_DIR}/planted R&D's [x] 100% é ñ 文/${name}")
  set(sources)
  set(files ${ARGN})
  while(files)
    list(POP_FRONT files file content)
    if(content MATCHES "^-> (.+)")
      get_filename_component(folder "${root}/${file}" DIRECTORY)
      file(MAKE_DIRECTORY "${folder}")
      file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${CMAKE_MATCH_1}" "${root}/${file}" SYMBOLIC)
      continue()
    endif()
    file(CONFIGURE OUTPUT "${root}/${file}" CONTENT "${content}\n")
    if(file MATCHES "\\.cpp$")
      list(APPEND sources "${root}/${file}")
    endif()
  endwhile()
  # Its files come first on the include path, and every layer's follow, so that whatever
  # is planted compiles; it takes the layers' include paths without depending on their
  # builds, so that the test builds nothing but what it plants.
  add_library(planted_${name} OBJECT EXCLUDE_FROM_ALL ${sources})
  set_target_properties(planted_${name} PROPERTIES DX_PLANTED ON)
  target_include_directories(planted_${name} BEFORE PRIVATE "${root}")
  target_include_directories(planted_${name} PRIVATE
    $<TARGET_PROPERTY:extraction_module,INTERFACE_INCLUDE_DIRECTORIES>)
  file(GENERATE OUTPUT "${root}/objects.txt" CONTENT "$<JOIN:$<TARGET_OBJECTS:planted_${name}>,\n>\n")
  add_custom_target(planted_${name}_check
    COMMAND ${check} "-DOBJECTS=${root}/objects.txt" "-DPLANTED=${root}" ${script} VERBATIM)
  add_dependencies(planted_${name}_check planted_${name})
  dx_planted_build_test(${name} planted_${name}_check "${expected}")
endfunction()

# dx_planted_build_file_test(<name> <what the check must say> <build commands>): the project
# configured once more, in the build tree, with the commands run after the last line of the
# top-level CMakeLists.txt, as if appended there; the configuration must stop naming what
# they plant.
function(dx_planted_build_file_test name expected commands)
  set(root ${CMAKE_BINARY_DIR}/planted/${name})
  file(CONFIGURE OUTPUT ${root}/planted.cmake CONTENT "${commands}\n" @ONLY)
  # Included right after project(): it puts off the planted commands to the end of the
  # top-level folder.
  file(WRITE ${root}/after-the-last-line.cmake
       "cmake_language(DEFER CALL include [==[${root}/planted.cmake]==])\n")
  add_test(NAME layering.${name} COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${root}/build
           -G Ninja -DCMAKE_PROJECT_INCLUDE=${root}/after-the-last-line.cmake)
  set_tests_properties(layering.${name} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}")
endfunction()

# dx_project_targets(<directory> <variable>): the libraries and programs defined in the
# directory and those below it, but those planted by the tests.
function(dx_project_targets directory variable)
  set(found)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(planted ${target} DX_PLANTED)
    if(type MATCHES "_LIBRARY$|^EXECUTABLE$" AND NOT planted)
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    dx_project_targets(${subdirectory} below)
    list(APPEND found ${below})
  endforeach()
  set(${variable} ${found} PARENT_SCOPE)
endfunction()

# dx_judge_build_files(<target>...): the build files judged as the build is configured, so
# that no target takes in what its layer may not: each target is of a declared layer, holds
# sources of that layer's folder only (the file a symbolic link points to), and links, or
# takes the objects of, only targets of the layers its folder reaches (libraries from
# outside the project are free). A violation stops the configuration. Objects taken whole
# count as a use of their layer.
function(dx_judge_build_files)
  set(violations)
  file(REAL_PATH ${CMAKE_SOURCE_DIR} source_root)
  file(REAL_PATH ${CMAKE_BINARY_DIR} build_root)
  foreach(target IN LISTS ARGN)
    dx_target_layer(${target} layer)
    if(NOT layer)
      list(APPEND violations "  ${target} is a target of no declared layer")
      continue()
    endif()
    get_property(folder GLOBAL PROPERTY DX_LAYER_FOLDER_${layer})
    get_property(reach GLOBAL PROPERTY DX_LAYER_REACH_${layer})
    get_property(sources TARGET ${target} PROPERTY SOURCES)
    get_property(source_dir TARGET ${target} PROPERTY SOURCE_DIR)
    get_property(binary_dir TARGET ${target} PROPERTY BINARY_DIR)
    get_property(links TARGET ${target} PROPERTY LINK_LIBRARIES)
    get_property(interface_links TARGET ${target} PROPERTY INTERFACE_LINK_LIBRARIES)
    set(taken)
    foreach(source IN LISTS sources)
      if(source MATCHES "^\\$<TARGET_OBJECTS:([^>]+)>$")
        list(APPEND taken ${CMAKE_MATCH_1})
        continue()
      elseif(source MATCHES "\\$<")
        list(APPEND violations "  ${target} holds ${source}, which cannot be judged")
        continue()
      endif()
      file(REAL_PATH "${source}" path BASE_DIRECTORY ${source_dir})
      file(RELATIVE_PATH relative ${source_root} "${path}")
      get_filename_component(source_folder "${relative}" DIRECTORY)
      cmake_path(IS_PREFIX build_root "${path}" in_build_tree)
      if(relative MATCHES "^\\.\\./" OR in_build_tree)
        list(APPEND violations "  ${target} holds ${path}, outside the source tree")
      elseif(NOT source_folder STREQUAL folder)
        list(APPEND violations "  ${target} holds ${relative}, but it is a target of ${folder}")
      endif()
    endforeach()
    dx_reach_text(reachable ${reach})
    foreach(link IN LISTS links interface_links taken)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.+)>$" "\\1" link "${link}")
      if(link MATCHES "\\$<")
        list(APPEND violations "  ${target} links ${link}, which cannot be judged")
        continue()
      elseif(NOT TARGET ${link})
        # A library or object of the project's own, linked by its path, is not judged by
        # its layer: it is refused.
        if(link MATCHES "/" AND NOT link MATCHES "^-")
          file(REAL_PATH "${link}" path BASE_DIRECTORY ${binary_dir})
          cmake_path(IS_PREFIX build_root "${path}" in_build_tree)
          cmake_path(IS_PREFIX source_root "${path}" in_source_tree)
          if(in_build_tree OR in_source_tree)
            list(APPEND violations "  ${target} links ${path} by its path: link the project's target instead")
          endif()
        endif()
        continue()
      endif()
      get_target_property(imported ${link} IMPORTED)
      if(imported)
        continue()  # from outside the project
      endif()
      dx_target_layer(${link} linked)
      get_property(linked_folder GLOBAL PROPERTY DX_LAYER_FOLDER_${linked})
      if(NOT linked)
        continue()  # named above as of no layer
      elseif(NOT linked_folder IN_LIST reach)
        list(APPEND violations "  ${target} links ${link}, of ${linked_folder}, but ${folder} reaches only: ${reachable}")
      elseif(link IN_LIST taken AND NOT linked_folder STREQUAL folder)
        set_property(GLOBAL APPEND PROPERTY DX_LAYER_TABLE "takes ${folder} ${linked_folder}")
      endif()
    endforeach()
  endforeach()
  dx_report_violations("Build files" ${violations})
endfunction()

# The include check (check_layers.cmake) over every object the build compiles: a step of
# every build once those objects are compiled (a violation fails it), and the test
# layering.includes, with tests that plant a violation and expect the check to name it.
function(dx_layer_check)
  dx_project_targets(${CMAKE_SOURCE_DIR} targets)
  dx_judge_build_files(${targets})
  get_property(table GLOBAL PROPERTY DX_LAYER_TABLE)
  list(REMOVE_DUPLICATES table)
  set(table_file ${CMAKE_BINARY_DIR}/layers.txt)
  list(JOIN table "\n" content)
  file(CONFIGURE OUTPUT ${table_file} CONTENT "${content}\n")
  set(objects)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      list(APPEND objects "$<TARGET_OBJECTS:${target}>")
    endif()
  endforeach()
  set(objects_file ${CMAKE_BINARY_DIR}/layers-objects.txt)
  file(GENERATE OUTPUT ${objects_file} CONTENT "$<JOIN:${objects},\n>\n")
  set(check ${CMAKE_COMMAND} -DLAYERS=${table_file} -DNINJA=${CMAKE_MAKE_PROGRAM}
            -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSOURCE_DIR=${CMAKE_SOURCE_DIR})
  set(script -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/layers.checked
    COMMAND ${check} -DOBJECTS=${objects_file} ${script}
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/layers.checked
    DEPENDS ${objects} ${objects_file} ${table_file} ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake
            ${CMAKE_SOURCE_DIR}/cmake/layer_messages.cmake
    COMMENT "Checking what each object includes against the folders' layers" VERBATIM)
  add_custom_target(layer_check ALL DEPENDS ${CMAKE_BINARY_DIR}/layers.checked)
  dx_check_test(includes "" -DOBJECTS=${objects_file})

  # An include however written: here through a macro, in the extraction, of the wizard
  # above it (a cycle).
  dx_planted_include_test(finds_a_macro_include
    "extraction/planted.cpp includes wizard/dlg_assist1.h, but extraction reaches only: "
    extraction/planted.cpp "#define PLANTED \"wizard/dlg_assist1.h\"\n#include PLANTED")
  # A header without an ending, of the extraction, that includes one of the wizard.
  dx_planted_include_test(finds_an_include_in_a_header_without_an_ending
    "extraction/planted.cpp includes wizard/dlg_assist1.h, but extraction reaches only: "
    extraction/planted.cpp "#include \"planted\""
    extraction/planted "#include \"wizard/dlg_assist1.h\"")
  # A test of the grid that includes a helper of tests/support, which takes in the
  # extraction, a layer the grid's tests do not reach.
  dx_planted_include_test(finds_an_include_through_a_helper
    "tests/gridctrl/planted.cpp includes extraction/extraction_engine.h, but tests/gridctrl reaches only: "
    tests/gridctrl/planted.cpp "#include \"tests/support/engine_test_support.h\"")
  # A header reached through a symbolic link, judged by the file it points to: one of the
  # wizard that itself takes in nothing the extraction may not.
  dx_planted_include_test(finds_an_include_through_a_symbolic_link
    "extraction/planted.cpp includes wizard/export_files.h, but extraction reaches only: "
    extraction/planted.cpp "#include \"extraction/planted.h\""
    extraction/planted.h "-> wizard/export_files.h")
  # A header of a folder that declares no layers.
  dx_planted_include_test(finds_an_include_of_no_layer
    "extraction/planted.cpp includes scripts/planted.h, but scripts declares no layers"
    extraction/planted.cpp "#include \"scripts/planted.h\""
    scripts/planted.h "")
  # A folder that declares a layer none of its objects takes in, here one of tests.
  dx_check_test(finds_an_unused_layer
    "tests/res declares spreadsheet, but none of its files includes a header of spreadsheet"
    -DOBJECTS=${objects_file} -DPLANT_USE=tests/res:spreadsheet)
  # An object that has not been built, as in a tree not built yet: what it includes is not
  # known, so it cannot pass.
  set(planted ${CMAKE_BINARY_DIR}/planted/unbuilt.cpp)
  file(CONFIGURE OUTPUT ${planted} CONTENT "int planted;\n")
  add_library(planted_unbuilt OBJECT EXCLUDE_FROM_ALL ${planted})
  set_target_properties(planted_unbuilt PROPERTIES DX_PLANTED ON)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/planted/unbuilt.txt CONTENT "$<TARGET_OBJECTS:planted_unbuilt>\n")
  dx_check_test(finds_an_object_not_built "planted/unbuilt.cpp.o has not been built"
    -DOBJECTS=${CMAKE_BINARY_DIR}/planted/unbuilt.txt)

  # Build files that break the layers, each planted after the last line of the top-level
  # CMakeLists.txt: a layer linked to one it does not reach (from the lowest, which reaches
  # only its own headers); a layer linked to another through an alias, and to a library of
  # the build by its path; a source of another folder in a layer's target; a compiled
  # helper of the tests judged by the layers it declares, which it links beyond.
  dx_planted_build_file_test(finds_a_link_across_the_layers
    "platform_win links gridctrl, of gridctrl, but platform/win reaches only: its own headers\n"
    "target_link_libraries(platform_win PUBLIC gridctrl)")
  dx_planted_build_file_test(finds_a_link_through_an_alias_or_a_path
    "gridctrl links dx::spreadsheet, of spreadsheet, but gridctrl reaches only: [^\n]*\n *gridctrl links [^\n]*/libspreadsheet\\.a by its path"
    "add_library(dx::spreadsheet ALIAS spreadsheet)
target_link_libraries(gridctrl PUBLIC dx::spreadsheet \${CMAKE_BINARY_DIR}/libspreadsheet.a)")
  dx_planted_build_file_test(finds_a_source_of_another_folder
    "extraction holds wizard/dlg_assist1.cpp, but it is a target of extraction"
    "target_sources(extraction PRIVATE \${CMAKE_SOURCE_DIR}/wizard/dlg_assist1.cpp)")
  dx_planted_build_file_test(judges_a_test_helper_by_its_layers
    "planted_support links extraction, of extraction, but tests/support reaches only: gridctrl, platform/mfc, platform/win\n"
    "dx_test_support(planted_support dialog_fixture.cpp USES gridctrl)
target_link_libraries(planted_support PUBLIC extraction)")

  # The link check's planted call: extraction calling a function of the wizard's layer,
  # declared by hand. Its library is built only by the test, which expects the link to fail
  # on that symbol.
  set(planted ${CMAKE_BINARY_DIR}/planted_call.cpp)
  file(CONFIGURE OUTPUT ${planted} CONTENT "class CWnd;\nCWnd* hostMainWindow();\nCWnd* plantedCall() { return hostMainWindow(); }\n")
  dx_layer_alone(extraction planted_call_alone ${planted})
  dx_planted_build_test(finds_a_call_across_the_layers planted_call_alone "undefined [^\n]*hostMainWindow\\(\\)")
endfunction()

# The layers are judged once the whole configuration is done, so that a build command
# anywhere in the build files, after the last line of the top-level CMakeLists.txt too, is
# judged, and the include check lists the objects of every target.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL dx_layer_check)
