# The host program's tests run it, with a module built for another host interface version.
add_library(wrong_version_module MODULE ${CMAKE_CURRENT_LIST_DIR}/modules/wrong_version_module.cpp)
set_target_properties(wrong_version_module PROPERTIES PREFIX "" SUFFIX ".ovx")
dx_layer(wrong_version_module tests/host/modules)
add_dependencies(test_host wrong_version_module ovhost dataextract_module)
target_compile_definitions(test_host PRIVATE
  DX_HOST_PROGRAM="$<TARGET_FILE:ovhost>"
  DX_WRONG_VERSION_MODULE="$<TARGET_FILE:wrong_version_module>")
# The host program's scripts: a missing, misfit or leftover answer stops it loudly.
add_test(NAME platform_dialog.host_scripts
         COMMAND ${DX_TEST_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/host_scripts.py $<TARGET_FILE:ovhost>
                 "${DX_TEST_OUTPUT}/host_scripts")

# The host program once more, with an operator new that refuses the allocation a test names:
# the allocation sweep runs the main job through it.
add_executable(ovhost_refusing $<TARGET_OBJECTS:ovhost>
               ${CMAKE_CURRENT_LIST_DIR}/allocation_refusal/refused_allocation.cpp)
dx_layer_reach(ovhost_refusing tests/host/allocation_refusal USES ovhost)
target_link_libraries(ovhost_refusing PRIVATE platform_host)
add_dependencies(ovhost_refusing dataextract_module)
# The allocation sweep: the main job through that host program, one allocation refused a run
# (DX_ALLOCATION_STRIDE=1 refuses each in turn, a long run outside CI).
add_test(NAME host.allocation_sweep
         COMMAND ${DX_TEST_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/allocation_sweep.py $<TARGET_FILE:ovhost_refusing>
                 ${CMAKE_SOURCE_DIR}/host/samples/main-job.scr "${DX_TEST_OUTPUT}/allocation_sweep")
