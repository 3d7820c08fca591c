# kesu_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...])
# One CTest entry per test program. In the cross build CTest runs it through
# the emulator (Wine, see scripts/wine-run) named by CMAKE_CROSSCOMPILING_EMULATOR.
function(kesu_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  # Window tests share one display, its focus and its foreground window: one
  # at a time, while the other tests still run in parallel beside them.
  if("gui" IN_LIST T_LABELS)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK kesu_display)
  endif()
endfunction()
