# The reader of the program's version resource, for the report.
add_library(version_info STATIC ${CMAKE_CURRENT_LIST_DIR}/version_info.cpp)
target_link_libraries(version_info PUBLIC cp932_text project_options version)
