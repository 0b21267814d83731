# Decodes one corpus with a plug-in natively and with its DLL under Wine, and
# requires identical dumps.
#   cmake -DWORK=... -DWRITE_CORPUS=... -DNATIVE_DUMP=... -DNATIVE_PLUGIN=...
#         -DWINDOWS_DUMP=... -DWINDOWS_PLUGIN=... -DWINE=... -DWINEPREFIX=...
#         -DPATTERN=*.lfg
#         -P compare_under_wine.cmake
foreach(required WINDOWS_DUMP WINDOWS_PLUGIN)
  if(NOT EXISTS "${${required}}")
    message(FATAL_ERROR "${${required}} does not exist: build the win32 preset first")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK}/corpus ${WORK}/native ${WORK}/windows)
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/native ${WORK}/windows)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${err}")
  endif()
endfunction()

run(${WRITE_CORPUS} ${WORK}/corpus)
file(GLOB pictures ${WORK}/corpus/${PATTERN})
run(${NATIVE_DUMP} ${NATIVE_PLUGIN} ${WORK}/native ${pictures})

# One Wine start for the whole corpus: Wine's start-up costs seconds.
set(ENV{WINEPREFIX} ${WINEPREFIX})
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
run(${WINE} ${WINDOWS_DUMP} ${WINDOWS_PLUGIN} ${WORK}/windows ${pictures})

foreach(picture IN LISTS pictures)
  get_filename_component(name ${picture} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${WORK}/native/${name}.dump ${WORK}/windows/${name}.dump RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    message(FATAL_ERROR "${name}: the DLL under Wine and the native plug-in disagree")
  endif()
  message(STATUS "${name}: identical")
endforeach()
