# The shipped 32-bit files must start on every processor that Windows Vista
# and 7 run on, SSE-less ones included: a PC below the mark is the one that
# most needs the verdict. The compiler's default for i686 uses no SSE
# register; this keeps any later flag or library from bringing one in.
function(require_no_sse_registers target)
  if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    return()
  endif()
  if(NOT CMAKE_OBJDUMP)
    message(FATAL_ERROR "objdump not found: the i686 build needs it to check ${target} for SSE registers")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/no_sse_registers.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>
    COMMENT "Checking $<TARGET_FILE_NAME:${target}> for SSE registers"
    VERBATIM)
endfunction()

# A Release binary ships without its debug information. The symbols stay
# beside it in the build tree as <file>.debug, named by a debug link in the
# shipped file, so gdb still turns a crash address into a function.
function(strip_shipped_binary target)
  require_no_sse_registers(${target})
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
