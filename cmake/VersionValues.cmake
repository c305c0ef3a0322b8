# Reads the program's version texts from res/version_values.h, the one place
# they are written, into VERSION_* variables of the caller's scope.
function(read_version_values)
  set(header ${CMAKE_SOURCE_DIR}/res/version_values.h)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
  file(STRINGS ${header} lines ENCODING UTF-8 REGEX "^#define VERSION_[A-Z_]+ \".*\"$")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^#define (VERSION_[A-Z_]+) \"(.*)\"$" unused "${line}")
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}" PARENT_SCOPE)
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endforeach()
  if(NOT VERSION_FILE_TEXT OR NOT VERSION_FILE_DESCRIPTION OR NOT VERSION_COMPANY_NAME)
    message(FATAL_ERROR "the version texts were not found in ${header}")
  endif()
  # "5, 0, 0, 7567" as the dotted form manifests and installers use.
  string(REPLACE ", " "." dotted "${VERSION_FILE_TEXT}")
  set(VERSION_FILE_DOTTED "${dotted}" PARENT_SCOPE)
endfunction()
