add_wine_test(report_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/report_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/report_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/report_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/report_test_resources.rc
  LIBS report golden_files)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/report_test_resources.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/report_strings.rc;${CMAKE_SOURCE_DIR}/res/version.rc;${CMAKE_SOURCE_DIR}/res/version_values.h;${CMAKE_SOURCE_DIR}/res/program_names.h;${CMAKE_SOURCE_DIR}/res/resource_ids.h")
