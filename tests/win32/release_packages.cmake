# Unpacks both release packages and runs the vantor of each, with no flag:
# each must find its own plug-ins.
#   cmake -DWORK=... -DNATIVE_BUILD=... -DWINDOWS_PACKAGE=... -DWINE=... -DWINEPREFIX=...
#         -DVERSION=... -P release_packages.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}): ${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect_plugins text where)
  foreach(plugin ostrin umbrel kavrel)
    if(NOT text MATCHES "${plugin}  ")
      message(FATAL_ERROR "${where}: ${plugin} not loaded:\n${text}")
    endif()
  endforeach()
endfunction()

# The native tar.gz, made from this build.
run(cpack -G TGZ -B ${WORK}/native-package --config ${NATIVE_BUILD}/CPackConfig.cmake)
set(tarball ${WORK}/native-package/vantor-${VERSION}-Linux.tar.gz)
file(ARCHIVE_EXTRACT INPUT ${tarball} DESTINATION ${WORK}/native)
set(root ${WORK}/native/vantor-${VERSION}-Linux)
foreach(file bin/vantor lib/libvantor_platform.so lib/vantor/plugins/ostrin.so
             lib/vantor/plugins/umbrel.so lib/vantor/plugins/kavrel.so share/doc/vantor/LICENSE)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "${tarball} lacks ${file}")
  endif()
endforeach()
run(${CMAKE_COMMAND} -E env --unset=VANTOR_PLUGIN_DIR ${root}/bin/vantor plugins)
expect_plugins("${out}" "${tarball}")

# The Windows zip, made by the win32 build's package target.
if(NOT EXISTS ${WINDOWS_PACKAGE})
  message(FATAL_ERROR "${WINDOWS_PACKAGE} does not exist: build the win32 preset's package target")
endif()
file(ARCHIVE_EXTRACT INPUT ${WINDOWS_PACKAGE} DESTINATION ${WORK}/windows)
set(root ${WORK}/windows/vantor-${VERSION}-win32)
file(GLOB contents RELATIVE ${root} ${root}/*)
list(SORT contents)
set(expected INSTALL.txt LICENSE.txt kavrel.dll ostrin.dll umbrel.dll vantor.exe)
if(NOT contents STREQUAL expected)
  message(FATAL_ERROR "${WINDOWS_PACKAGE} holds [${contents}], expected [${expected}]")
endif()
set(ENV{WINEPREFIX} ${WINEPREFIX})
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
unset(ENV{VANTOR_PLUGIN_DIR})
run(${WINE} ${root}/vantor.exe plugins)
expect_plugins("${out}" "${WINDOWS_PACKAGE}")
message(STATUS "both release packages work from where they are unpacked")
