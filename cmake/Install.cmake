# Installation layout (FHS / freedesktop) and the Debian package.

include(GNUInstallDirs)

set(PENMARROW_APP_ID org.example.Penmarrow)
set(PENMARROW_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(PENMARROW_ICON_SVG ${PENMARROW_PACKAGING_DIR}/icons/${PENMARROW_APP_ID}.svg)
set(PENMARROW_ICON_SIZES 16 24 32 48 64 72 96 128)

install(TARGETS penmarrow RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PENMARROW_PACKAGING_DIR}/${PENMARROW_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PENMARROW_PACKAGING_DIR}/${PENMARROW_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The plan file's type; the desktop file names it, so that a file manager opens plans here.
install(FILES ${PENMARROW_PACKAGING_DIR}/${PENMARROW_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${PENMARROW_APP_ID}.xml)
install(FILES ${PENMARROW_ICON_SVG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Bitmap icons for the hicolor theme, rendered from the SVG at build time.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(penmarrow_icon_pngs)
foreach(size IN LISTS PENMARROW_ICON_SIZES)
  set(dir ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps)
  set(png ${dir}/${PENMARROW_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --format=png
            --output=${png} ${PENMARROW_ICON_SVG}
    DEPENDS ${PENMARROW_ICON_SVG}
    COMMENT "Rendering ${size}x${size} application icon"
    VERBATIM)
  list(APPEND penmarrow_icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(penmarrow_icons ALL DEPENDS ${penmarrow_icon_pngs})

# What Debian expects beside the program: its manual page, copyright and changelog, gzipped as
# dpkg-deb leaves them (-n: no name or time stamp, so the package builds reproducibly).
set(PENMARROW_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/penmarrow)
function(penmarrow_install_gzipped source name destination)
  set(gz ${CMAKE_BINARY_DIR}/gzipped/${name}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${CMAKE_BINARY_DIR}/gzipped/${name}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/gzipped/${name}
    DEPENDS ${source}
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY PENMARROW_GZIPPED ${gz})
  install(FILES ${gz} DESTINATION ${destination})
endfunction()
penmarrow_install_gzipped(${PENMARROW_PACKAGING_DIR}/penmarrow.1 penmarrow.1 ${CMAKE_INSTALL_MANDIR}/man1)
penmarrow_install_gzipped(${PENMARROW_PACKAGING_DIR}/debian/changelog changelog ${PENMARROW_DOC_DIR})
get_property(penmarrow_gzipped GLOBAL PROPERTY PENMARROW_GZIPPED)
add_custom_target(penmarrow_gzipped ALL DEPENDS ${penmarrow_gzipped})
install(FILES ${PENMARROW_PACKAGING_DIR}/debian/copyright DESTINATION ${PENMARROW_DOC_DIR})

# Installs into a scratch prefix and checks and validates what lands there.
# Both checks expect the bitmap icons of the sizes above, handed on as "16,24,...".
string(REPLACE ";" "," penmarrow_icon_size_list "${PENMARROW_ICON_SIZES}")
add_test(NAME install_tree_validates
         COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DICON_SIZES=${penmarrow_icon_size_list}
                 -P ${PROJECT_SOURCE_DIR}/packaging/CheckInstall.cmake)
# Builds the .deb and checks its files, its dependencies and lintian's verdict.
add_test(NAME package_deb_checks
         COMMAND ${PROJECT_SOURCE_DIR}/packaging/check-package.sh ${CMAKE_BINARY_DIR} ${penmarrow_icon_size_list})

# The packages that hold, on the release built on, the plugins Qt loads at run time that the window
# needs: X11's platform plugin, and the SVG image and icon plugins of the style sheet's images and
# the window icon (Debian 13 moved these out of libqt6svg6 into qt6-svg-plugins).
file(STRINGS ${PENMARROW_PACKAGING_DIR}/runtime-plugins.txt penmarrow_plugins)
list(TRANSFORM penmarrow_plugins PREPEND ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/)
execute_process(COMMAND ${PENMARROW_PACKAGING_DIR}/package-of.sh ${penmarrow_plugins}
                RESULT_VARIABLE rc OUTPUT_VARIABLE penmarrow_plugin_packages ERROR_VARIABLE problem)
if(NOT rc EQUAL 0)
  message(WARNING "The .deb lacks a dependency: ${problem}(scripts/install-deps.sh installs the plugins)")
endif()
string(REPLACE "\n" ";" penmarrow_plugin_packages "${penmarrow_plugin_packages}")
list(REMOVE_ITEM penmarrow_plugin_packages "")
list(REMOVE_DUPLICATES penmarrow_plugin_packages)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME penmarrow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Penmarrow developers")
set(CPACK_PACKAGE_CONTACT "Penmarrow developers <dev@penmarrow.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://penmarrow.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Penmarrow developers <dev@penmarrow.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Penmarrow projects how a savings balance grows from an initial deposit, regular\ncontributions and a compound interest rate, as a table and a chart.")
# dpkg-shlibdeps sees neither the plugins Qt loads at run time nor the fonts the window (Tahoma)
# and the chart (Arial, metric-compatible Liberation Sans) ask for.
set(penmarrow_depends ${penmarrow_plugin_packages} fonts-wine fonts-dejavu-extra fonts-liberation2)
list(JOIN penmarrow_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# Debian's GNOME and KDE sessions are Wayland sessions: with Qt's Wayland plugin the window runs
# there natively (its hint translucent, sharp at fractional scales); without it, under XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
include(CPack)
