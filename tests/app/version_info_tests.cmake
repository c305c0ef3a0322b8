# Libraries the reader is pointed at, beside the test program: one without a
# version resource, and two with two translations in either order.
function(add_version_sample name)
  add_library(${name} SHARED ${CMAKE_CURRENT_LIST_DIR}/version_stub.c ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".dll")
  target_link_libraries(${name} PRIVATE project_options)
endfunction()
add_version_sample(version_sample_none)
add_version_sample(version_sample_two ${CMAKE_CURRENT_LIST_DIR}/two_translations.rc)
add_version_sample(version_sample_two_english_first ${CMAKE_CURRENT_LIST_DIR}/two_translations_english_first.rc)

add_wine_test(version_info_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/version_info_test.cpp ${CMAKE_CURRENT_LIST_DIR}/version_block_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/version_test_resources.rc
  LIBS version_info guarded_buffer)
add_dependencies(version_info_tests version_sample_none version_sample_two version_sample_two_english_first)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/version_test_resources.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/version.rc;${CMAKE_SOURCE_DIR}/res/version_values.h")
# The shipped program itself, read from its file.
target_compile_definitions(version_info_tests PRIVATE QOR_CHECKER_EXE="Z:$<TARGET_FILE:qorChecker>")
add_dependencies(version_info_tests qorChecker)
