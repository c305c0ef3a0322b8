# The result report: its text, without any window, and saving it; and the
# string-table reader the dialogs share with it.
add_library(report STATIC ${CMAKE_CURRENT_LIST_DIR}/report_text.cpp ${CMAKE_CURRENT_LIST_DIR}/replace_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_save_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/string_resource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_dialog_name_limit.cpp)
target_link_libraries(report PUBLIC handles judge ui_logic cp932_text project_options comdlg32 ole32 uuid)
