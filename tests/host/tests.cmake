add_library(wrong_version_module MODULE ${CMAKE_CURRENT_LIST_DIR}/modules/wrong_version_module.cpp)
set_target_properties(wrong_version_module PROPERTIES PREFIX "" SUFFIX ".ovx")
add_dependencies(test_foundation wrong_version_module ovhost dataextract_module)
target_compile_definitions(test_foundation PRIVATE
  DX_HOST_PROGRAM="$<TARGET_FILE:ovhost>"
  DX_WRONG_VERSION_MODULE="$<TARGET_FILE:wrong_version_module>")
