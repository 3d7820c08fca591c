# A failing test must fail through the emulator: the code and the output of
# the Windows program come back unchanged, and the run ends (no inherited pipe).
execute_process(COMMAND ${EMULATOR} ${PROGRAM}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out TIMEOUT 60)
if(NOT rc EQUAL 42)
  message(FATAL_ERROR "exit code through the emulator: '${rc}', expected 42")
endif()
if(NOT out MATCHES "bed: exit code probe")
  message(FATAL_ERROR "output through the emulator lost: '${out}'")
endif()
