# The renderer graph host: its own library until it joins the rest of copp/.
add_library(renderer_graph STATIC
  ${CMAKE_CURRENT_LIST_DIR}/renderer_graph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_graph_pins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_graph_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_graph_rot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_graph_vmr.cpp
)
target_link_libraries(renderer_graph PUBLIC project_options strmiids uuid ole32 oleaut32 user32)
