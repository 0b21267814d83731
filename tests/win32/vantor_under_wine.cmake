# Runs the same vantor commands on the same corpus with the native build and
# with vantor.exe and the DLLs under Wine, and requires the same results:
# every output file byte for byte, and each command's exit status, standard
# output and standard error (read with Windows line ends made POSIX ones, and
# every backslash, a path separator on Windows, read as a slash on both).
#   cmake -DWORK=... -DWRITE_CORPUS=... -DNATIVE_VANTOR=... -DWINDOWS_VANTOR=...
#         -DWINE=... -DWINEPREFIX=... -P vantor_under_wine.cmake
if(NOT EXISTS "${WINDOWS_VANTOR}")
  message(FATAL_ERROR "${WINDOWS_VANTOR} does not exist: build the win32 preset first")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/native/results ${WORK}/windows/results)
execute_process(COMMAND ${WRITE_CORPUS} ${WORK}/corpus RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "write_corpus failed")
endif()

file(GLOB corpus RELATIVE ${WORK} ${WORK}/corpus/*)
list(SORT corpus)
set(pictures ${corpus})
list(FILTER pictures INCLUDE REGEX "\\.lf[g2]$")
list(TRANSFORM corpus PREPEND ../)
list(TRANSFORM pictures PREPEND ../)
string(REPLACE ";" "|" all "${corpus}")
string(REPLACE ";" "|" allPictures "${pictures}")

# One command a line, its arguments separated by '|'. Paths are relative, so
# that both builds print the same names.
set(commands
  "info|${all}"
  "list|../corpus/scrambled.pak"
  "list|--json|../corpus/plain.pak"
  "list|../corpus/bad-directory.pak"
  "list|../corpus/rows.lfg"
  "extract|../corpus/scrambled.pak|-o|out/scrambled-by-file"
  "extract|../corpus/scrambled.pak|-o|out/scrambled-by-memory|--bmp"
  "extract|../corpus/plain.pak|-o|out/plain-by-file"
  "extract|../corpus/plain.pak|-o|out/plain-by-memory|--bmp"
  "extract|../corpus/scrambled.pak|PADDED.LF2|NOTES.TXT|-o|out/named"
  "extract|../corpus/scrambled.pak|NOTHING.BIN|-o|out/missing"
  "extract|../corpus/cut-member.pak|-o|out/cut-member"
  "extract|../corpus/bad-directory.pak|-o|out/bad-directory"
  "convert|${allPictures}|--format|bmp|-o|out/bmp"
  "convert|../corpus/rows.lfg|--format|bmp|-o|out/bmp"
  "pack|--plain|../corpus/rows.lfg|../corpus/padded.lf2|../corpus/plain.pak|-o|out/packed.pak"
  "info|../corpus/missing.lfg"
)

# Native: one run per command.
set(index 0)
foreach(command IN LISTS commands)
  math(EXPR index "${index} + 1")
  string(REPLACE "|" ";" args "${command}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=VANTOR_PLUGIN_DIR ${NATIVE_VANTOR} ${args}
    WORKING_DIRECTORY ${WORK}/native
    OUTPUT_FILE ${WORK}/native/results/${index}.out
    ERROR_FILE ${WORK}/native/results/${index}.err
    RESULT_VARIABLE rc)
  file(WRITE ${WORK}/native/results/${index}.rc "${rc}\n")
endforeach()

# Windows: every command in one batch file, so Wine starts once.
string(REPLACE "/" "\\" program "Z:${WINDOWS_VANTOR}")
set(batch "@echo off\r\n")
set(index 0)
foreach(command IN LISTS commands)
  math(EXPR index "${index} + 1")
  string(REPLACE "|" " " args "${command}")
  string(APPEND batch "\"${program}\" ${args} > results\\${index}.out 2> results\\${index}.err\r\n")
  string(APPEND batch ">results\\${index}.rc echo %ERRORLEVEL%\r\n")
endforeach()
string(APPEND batch "exit /b 0\r\n")
file(WRITE ${WORK}/windows-run.bat "${batch}")
set(ENV{WINEPREFIX} ${WINEPREFIX})
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
unset(ENV{VANTOR_PLUGIN_DIR})
execute_process(COMMAND ${WINE} cmd /c ..\\windows-run.bat
  WORKING_DIRECTORY ${WORK}/windows RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "wine cmd failed (${rc}): ${err}")
endif()

# Compare.
file(GLOB_RECURSE nativeFiles RELATIVE ${WORK}/native ${WORK}/native/*)
file(GLOB_RECURSE windowsFiles RELATIVE ${WORK}/windows ${WORK}/windows/*)
list(SORT nativeFiles)
list(SORT windowsFiles)
if(NOT nativeFiles STREQUAL windowsFiles)
  message(FATAL_ERROR "different files:\nnative: ${nativeFiles}\nwindows: ${windowsFiles}")
endif()
set(failures "")
foreach(name IN LISTS nativeFiles)
  if(name MATCHES "^results/")
    file(READ ${WORK}/native/${name} nativeText)
    file(READ ${WORK}/windows/${name} windowsText)
    string(REPLACE "\r\n" "\n" windowsText "${windowsText}")
    # Both sides alike, as member names may print escapes with backslashes.
    string(REPLACE "\\" "/" windowsText "${windowsText}")
    string(REPLACE "\\" "/" nativeText "${nativeText}")
    if(NOT nativeText STREQUAL windowsText)
      list(APPEND failures "${name}:\n--- native\n${nativeText}--- windows\n${windowsText}")
    endif()
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
      ${WORK}/native/${name} ${WORK}/windows/${name} RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      list(APPEND failures "${name}: the bytes differ")
    endif()
  endif()
endforeach()
if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "vantor.exe under Wine and the native vantor disagree:\n${failures}")
endif()
list(LENGTH commands commandCount)
list(LENGTH nativeFiles fileCount)
message(STATUS "${commandCount} commands, ${fileCount} files: identical")
