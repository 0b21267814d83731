# Runs MAKE_SAMPLES into WORK and compares what it writes with the committed
# archives in COMMITTED, byte for byte.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${MAKE_SAMPLES} ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_samples ${WORK} failed: ${result}")
endif()

set(stale "")
foreach(archive sample.pak plain.pak)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${archive} ${COMMITTED}/${archive}
    RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale samples/${archive})
  endif()
endforeach()
if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR
    "${stale}: not what make_samples writes now (${WORK}). If the change is "
    "intended, run samples/regenerate and commit the archives it rewrites.")
endif()
file(REMOVE_RECURSE ${WORK})
