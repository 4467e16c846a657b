# The host program's scripts: a missing, misfit or leftover answer stops it loudly.
add_test(NAME platform_dialog.host_scripts
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/host_scripts.py $<TARGET_FILE:ovhost>
                 ${CMAKE_BINARY_DIR}/test-output/host_scripts)
