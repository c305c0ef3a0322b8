# Writes who links whom as CMake itself holds it, for the check of the
# README's library table (tools/check_includes.py). One line per target:
#   name <TAB> type <TAB> folder/ <TAB> file name <TAB> link,link,...
# The links are the target's own target_link_libraries, platform libraries
# included; the check keeps those that are targets of this tree.

function(_link_table_targets directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _link_table_targets(${subdirectory} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Call at the end of the top-level CMakeLists.txt, when every target exists.
function(write_link_table path)
  _link_table_targets(${CMAKE_SOURCE_DIR} targets)
  set(lines "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
      set(fileName "")
    elseif(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      get_target_property(links ${target} LINK_LIBRARIES)
      set(fileName "$<TARGET_FILE_NAME:${target}>")
      if(type STREQUAL "OBJECT_LIBRARY")
        set(fileName "")
      endif()
    else()
      continue()
    endif()
    if(NOT links)
      set(links "")
    endif()
    get_target_property(directory ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${directory})
    string(REPLACE ";" "," links "${links}")
    string(APPEND lines "${target}\t${type}\t${folder}/\t${fileName}\t${links}\n")
  endforeach()
  file(GENERATE OUTPUT ${path} CONTENT "${lines}")
endfunction()
