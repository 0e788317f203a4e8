# Installs the build tree into a scratch prefix, checks the expected files are there and
# validates the desktop entry and the AppStream metainfo.
# Usage: cmake -DBUILD_DIR=<build dir> -DICON_SIZES=16,24,32 -P CheckInstall.cmake

if(NOT BUILD_DIR OR NOT ICON_SIZES)
  message(FATAL_ERROR "BUILD_DIR and ICON_SIZES must be set")
endif()

set(app_id org.example.Penmarrow)
set(prefix ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${prefix})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}):\n${out}")
endif()

set(desktop ${prefix}/share/applications/${app_id}.desktop)
set(metainfo ${prefix}/share/metainfo/${app_id}.metainfo.xml)
set(expected
    ${prefix}/bin/penmarrow
    ${desktop}
    ${metainfo}
    ${prefix}/share/mime/packages/${app_id}.xml
    ${prefix}/share/icons/hicolor/scalable/apps/${app_id}.svg)
string(REPLACE "," ";" icon_sizes "${ICON_SIZES}")
foreach(size IN LISTS icon_sizes)
  list(APPEND expected ${prefix}/share/icons/hicolor/${size}x${size}/apps/${app_id}.png)
endforeach()

set(problems)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${file})
    list(APPEND problems "missing: ${file}")
  endif()
endforeach()
if(EXISTS ${prefix}/bin/penmarrow AND IS_DIRECTORY ${prefix}/bin/penmarrow)
  list(APPEND problems "not a file: ${prefix}/bin/penmarrow")
endif()
if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "Install tree incomplete:\n${text}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)

execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
# desktop-file-validate exits 0 on hints and warnings too; any message is treated as a problem.
string(STRIP "${out}" out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${desktop} (${rc}):\n${out}")
endif()

execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${metainfo}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate --no-net ${metainfo} (${rc}):\n${out}")
endif()

message(STATUS "Install tree in ${prefix} is complete and valid")
