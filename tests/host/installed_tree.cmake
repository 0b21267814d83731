# Installs the build to a fresh prefix and runs the installed vantor with no
# flag and no environment: it must find the installed plug-ins by itself.
#   cmake -DBUILD=... -DPREFIX=... -DARCHIVE=... -P installed_tree.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=VANTOR_PLUGIN_DIR
    ${PREFIX}/bin/vantor plugins
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed vantor plugins failed: ${err}")
endif()
foreach(plugin ostrin umbrel kavrel)
  if(NOT out MATCHES "${plugin}  ${PREFIX}/lib/vantor/plugins/${plugin}.so")
    message(FATAL_ERROR "the installed vantor did not load the installed ${plugin}:\n${out}")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=VANTOR_PLUGIN_DIR
    ${PREFIX}/bin/vantor list ${ARCHIVE}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "[0-9]+ members")
  message(FATAL_ERROR "installed vantor list failed: ${out}${err}")
endif()
file(REMOVE_RECURSE ${PREFIX}-extracted)
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=VANTOR_PLUGIN_DIR
    ${PREFIX}/bin/vantor extract ${ARCHIVE} --png -o ${PREFIX}-extracted
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB pngs ${PREFIX}-extracted/*.png)
if(NOT rc EQUAL 0 OR NOT pngs)
  message(FATAL_ERROR "installed vantor extract --png failed: ${out}${err}")
endif()
message(STATUS "installed tree works: ${out}")
