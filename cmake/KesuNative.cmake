# kesu_native_program(<name> OUTPUT <file> SOURCES ...)
# A small Linux program built with the host's compiler from inside the
# Windows cross build, for what Kesu.exe starts under Wine (the wireless
# helper and its test stand-in). Built by `all`.
find_program(KESU_HOST_CXX NAMES g++ c++ REQUIRED)
function(kesu_native_program name)
  cmake_parse_arguments(P "" "OUTPUT" "SOURCES" ${ARGN})
  get_filename_component(_dir ${P_OUTPUT} DIRECTORY)
  set(_flags -std=c++17 -O2 -Wall -Wextra -I${PROJECT_SOURCE_DIR})
  if(KESU_WERROR)
    list(APPEND _flags -Werror)
  endif()
  add_custom_command(
    OUTPUT ${P_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
    COMMAND ${CMAKE_CXX_COMPILER_LAUNCHER} ${KESU_HOST_CXX} ${_flags} ${P_SOURCES} -o ${P_OUTPUT}
    DEPENDS ${P_SOURCES}
    IMPLICIT_DEPENDS CXX ${P_SOURCES}
    COMMENT "Building the Linux program ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${P_OUTPUT})
endfunction()

# The wireless helper's sources, for the native build and for the step above.
set(KESU_WLAN_HELPER_SOURCES
  ${PROJECT_SOURCE_DIR}/driver/InfoElements.cpp
  ${PROJECT_SOURCE_DIR}/driver/BssidRecord.cpp
  ${PROJECT_SOURCE_DIR}/driver/HelperAnswer.cpp
  ${PROJECT_SOURCE_DIR}/tools/wlan/Nl80211.cpp
  ${PROJECT_SOURCE_DIR}/tools/wlan/HelperRequest.cpp)
