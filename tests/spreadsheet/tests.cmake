# The oracle check: a writer program puts every workbook case into a folder, and a Python
# script reads them back with xlrd and olefile and lints the raw streams.
add_executable(xls_oracle_writer ${CMAKE_CURRENT_LIST_DIR}/oracle/write_cases.cpp)
dx_layer(xls_oracle_writer tests/spreadsheet/oracle USES spreadsheet HELPERS tests/support)
add_test(NAME spreadsheet.oracle_workbooks
  COMMAND ${DX_TEST_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/check_workbooks.py
          $<TARGET_FILE:xls_oracle_writer> "${DX_TEST_OUTPUT}/xls-oracle")

# Workbooks that LibreOffice and gnumeric write, loaded and saved again by the same writer
# program; xlrd and the peers themselves judge what was read and what was saved.
add_test(NAME spreadsheet.peer_workbooks
  COMMAND ${DX_TEST_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/check_peer_workbooks.py
          $<TARGET_FILE:xls_oracle_writer> "${DX_TEST_OUTPUT}/xls-peers")
