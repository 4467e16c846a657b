# The module entry's tests load the built module the way the host does.
add_dependencies(test_extraction dataextract_module)
