# Release packages, made with `cmake --build <build> --target package`:
#   Windows build: vantor-<version>-win32.zip, one folder with the three
#     plug-in DLLs, vantor.exe, an install note and the licence.
#   Native build: vantor-<version>-Linux.tar.gz with bin/vantor, the
#     plug-ins in lib/vantor/plugins/, the platform library and the docs.
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VENDOR "the Vantor authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plug-ins and a command-line host for LFG, LF2 and PAK files")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  install(FILES ${PROJECT_SOURCE_DIR}/docs/windows-install.txt DESTINATION . RENAME INSTALL.txt)
else()
  set(CPACK_GENERATOR TGZ)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md
          DESTINATION share/doc/vantor)
endif()

include(CPack)
