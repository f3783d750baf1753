# qw_subsystem(<name> [DEPENDS <targets...>] [WIN32_LIBS <libs...>])
#
# One subsystem folder: its portable *.cpp files form the static library qw_<name>, which builds
# in every configuration and carries the unit-tested core. Its win32/*.cpp files are the thin
# Windows layer; they go straight into QuellwireGL.scr in the Windows configurations.
# Sources are found by their folder, so adding a file needs no edit here.
function(qw_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;WIN32_LIBS" ${ARGN})
  file(GLOB core CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(core)
    add_library(qw_${name} STATIC ${core})
    target_include_directories(qw_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(qw_${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(qw_${name} INTERFACE)
    target_include_directories(qw_${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(qw_${name} INTERFACE ${ARG_DEPENDS})
  endif()
  if(WIN32)
    file(GLOB win CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
    target_sources(QuellwireGL PRIVATE ${win})
    target_include_directories(QuellwireGL PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(QuellwireGL PRIVATE qw_${name} ${ARG_WIN32_LIBS})
  endif()
endfunction()
