# An in-process COM server DLL that regsvr32 can register: undecorated
# exports from a .def file, no "lib" prefix.
function(add_com_server_dll name)
  cmake_parse_arguments(S "" "DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${S_SOURCES} ${S_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_libraries(${name} PRIVATE ${S_LIBS})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # The .def names the stdcall exports undecorated; let ld match them quietly.
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
endfunction()
