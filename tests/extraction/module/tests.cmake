# The module entry's tests load the built module the way the host does.
add_dependencies(test_extraction_module dataextract_module)
