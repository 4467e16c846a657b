# The end-to-end tests run the host program, which loads the built module.
add_dependencies(test_wizard ovhost dataextract_module)
target_compile_definitions(test_wizard PRIVATE DX_HOST_PROGRAM="$<TARGET_FILE:ovhost>")
