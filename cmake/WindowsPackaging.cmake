# What a Windows user gets: one folder with orvane.exe, wireless.dll beside it (the program loads
# it from its own folder), the Qt and libqrencode DLLs, Qt's Windows platform plugin and native
# style in the sub-folders Qt looks for beside the program, Qt's own German texts and the
# licences of what is shipped. CPack makes the zip of that folder.
if(NOT TARGET orvane)
  return()
endif()

install(PROGRAMS $<TARGET_FILE:orvane> $<TARGET_FILE:wireless> DESTINATION .)

# The imported targets of the folders that link them are not seen here: look them up again.
find_package(Qt6 REQUIRED COMPONENTS Widgets Network)
find_package(PkgConfig REQUIRED)
pkg_check_modules(QRENCODE REQUIRED libqrencode)
set(qt_modules Core Gui Widgets Network)
foreach(module ${qt_modules})
  install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
endif()

# libqrencode's DLL: pkg-config names the folder of its import library; its own build puts the
# DLL there too, others put it in the bin folder beside.
foreach(dir ${QRENCODE_LIBRARY_DIRS})
  file(GLOB qrencode_dlls "${dir}/*qrencode*.dll" "${dir}/../bin/*qrencode*.dll")
  list(APPEND ORVANE_QRENCODE_DLLS ${qrencode_dlls})
endforeach()
if(NOT ORVANE_QRENCODE_DLLS)
  message(FATAL_ERROR "libqrencode has no DLL beside ${QRENCODE_LIBRARY_DIRS}; "
                      "build it with scripts/qt-mingw.sh")
endif()
install(FILES ${ORVANE_QRENCODE_DLLS} DESTINATION .)

# The MinGW run time: Qt's DLLs and plugins and libqrencode load it as DLLs of its own; the
# compiler says where its copies are.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "the compiler names no ${runtime}")
  endif()
  install(FILES ${runtime_path} DESTINATION .)
endforeach()

# Qt's own texts for the languages the program has a catalogue of; Debian's files are the same
# Qt version and work on any system.
file(GLOB catalogues ${CMAKE_SOURCE_DIR}/translations/orvane_*.ts)
foreach(catalogue ${catalogues})
  string(REGEX REPLACE ".*orvane_(.*)\\.ts$" "\\1" language ${catalogue})
  set(qt_catalogue /usr/share/qt6/translations/qtbase_${language}.qm)
  if(EXISTS ${qt_catalogue})
    install(FILES ${qt_catalogue} DESTINATION translations)
  endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION licenses RENAME orvane.txt)
foreach(prefix ${ORVANE_WINDOWS_PREFIX})
  if(EXISTS ${prefix}/share/licenses)
    install(DIRECTORY ${prefix}/share/licenses/ DESTINATION licenses)
  endif()
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR Orvane)
set(CPACK_SYSTEM_NAME win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turn a laptop into a wireless access point")
# The zip holds one folder named after the package and version.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
