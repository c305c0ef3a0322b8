# A Release binary ships without its debug information. The symbols stay
# beside it in the build tree as <file>.debug, named by a debug link in the
# shipped file, so gdb still turns a crash address into a function.
function(strip_shipped_binary target)
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Release")
    return()
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "objcopy not found: a Release build needs it to strip ${target}")
  endif()
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all ${file}
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=${file}.debug ${file}
    COMMENT "Stripping ${target}; its symbols stay in $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
