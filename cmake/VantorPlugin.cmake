# Helpers for code that ends up inside a plug-in.
#
# Plug-in code uses no exceptions and no RTTI, and allocates only through the
# platform's movable blocks. On Windows it is built freestanding: the DLLs link
# no C runtime and import KERNEL32.dll alone.

function(vantor_plugin_code target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti -fvisibility=hidden)
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  if(WIN32)
    target_compile_options(${target} PRIVATE
      -ffreestanding -fno-asynchronous-unwind-tables -fno-stack-protector
      # Keeps the copy loops of win32_runtime.cpp from becoming calls to themselves.
      -fno-tree-loop-distribute-patterns)
  endif()
endfunction()

# vantor_add_plugin(NAME DEF file.def SOURCES ... LIBRARIES ...)
# A plug-in named NAME: NAME.so in lib/vantor/plugins/ natively, NAME.dll on
# Windows with the exports and ordinals of its .def file.
function(vantor_add_plugin name)
  cmake_parse_arguments(ARG "" "DEF" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${name} MODULE ${ARG_SOURCES})
  vantor_plugin_code(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  if(VANTOR_PLAIN_DECODER)
    target_compile_definitions(${name} PRIVATE VANTOR_PLAIN_DECODER)
  endif()
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${VANTOR_PLUGIN_OUTPUT_DIR})
  if(WIN32)
    target_sources(${name} PRIVATE ${ARG_DEF})
    target_link_options(${name} PRIVATE
      -nostdlib -Wl,--entry,_DllMain@12 -Wl,--no-seh -s)
  else()
    target_link_libraries(${name} PRIVATE vantor_platform)
    set_target_properties(${name} PROPERTIES
      BUILD_RPATH "$ORIGIN/../.."
      INSTALL_RPATH "$ORIGIN/../..")
  endif()
  install(TARGETS ${name} LIBRARY DESTINATION ${VANTOR_INSTALL_PLUGIN_DIR})
endfunction()
