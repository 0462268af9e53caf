# Runs the table generator into a temporary file and fails unless it equals the checked-in source byte for byte.
execute_process(COMMAND ${GEN} ${DATA} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cltd_gen failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${CHECKED_IN} RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "loads/CltdTableData.cpp differs from the generator's output; regenerate it")
endif()
