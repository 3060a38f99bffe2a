# Installing the demo and packaging it for Debian.
#
#   cmake --install BUILD [--prefix DIR]    the layout below, under DIR
#   cpack --config BUILD/CPackConfig.cmake  a .deb that installs it under /usr
#
# The program opens textures/ in its working directory, so what lands on the
# PATH is a launcher script that changes into the data folder first:
#   bin/kesh-valdrune                         the launcher
#   lib/kesh-valdrune/kesh-valdrune           the program
#   share/kesh-valdrune/textures/             the generated textures
#   share/applications/kesh-valdrune.desktop  the desktop menu entry
#   share/icons/hicolor/<N>x<N>/apps/         the icons, from packaging/icons/
#   share/man/man6/kesh-valdrune.6.gz         the manual page
include(GNUInstallDirs)

set(KESH_INSTALL_LAUNCHER_DIR ${CMAKE_INSTALL_BINDIR})
set(KESH_INSTALL_PROGRAM_DIR lib/kesh-valdrune)
set(KESH_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kesh-valdrune)
set(KESH_INSTALL_MAN_DIR ${CMAKE_INSTALL_MANDIR}/man6)
set(KESH_ICON_SIDES 48 256)
set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)

# The launcher finds the program and the data relative to itself, so the same
# script serves every prefix, a DESTDIR tree and an unpacked package.
file(RELATIVE_PATH KESH_DATA_FROM_LAUNCHER
     /${KESH_INSTALL_LAUNCHER_DIR} /${KESH_INSTALL_DATA_DIR})
file(RELATIVE_PATH KESH_PROGRAM_FROM_LAUNCHER
     /${KESH_INSTALL_LAUNCHER_DIR} /${KESH_INSTALL_PROGRAM_DIR}/kesh-valdrune)
configure_file(${packaging_source}/kesh-valdrune.in ${packaging_build}/kesh-valdrune @ONLY)

# Debian ships manual pages compressed; -n keeps the archive free of time stamps.
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${packaging_build}/kesh-valdrune.6.gz
  COMMAND ${GZIP_PROGRAM} -9 -n -c ${packaging_source}/kesh-valdrune.6
          > ${packaging_build}/kesh-valdrune.6.gz
  DEPENDS ${packaging_source}/kesh-valdrune.6
  COMMENT "Compressing the manual page")
add_custom_target(kesh_install_files ALL DEPENDS ${packaging_build}/kesh-valdrune.6.gz)

install(TARGETS kesh-valdrune RUNTIME DESTINATION ${KESH_INSTALL_PROGRAM_DIR})
install(PROGRAMS ${packaging_build}/kesh-valdrune DESTINATION ${KESH_INSTALL_LAUNCHER_DIR})
install(DIRECTORY ${KESH_TEXTURE_DIR}/ DESTINATION ${KESH_INSTALL_DATA_DIR}/textures
        FILES_MATCHING PATTERN "*.bmp" PATTERN "*.raw")
install(FILES ${packaging_source}/kesh-valdrune.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(side IN LISTS KESH_ICON_SIDES)
  install(FILES ${packaging_source}/icons/kesh-valdrune-${side}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps
          RENAME kesh-valdrune.png)
endforeach()
install(FILES ${packaging_build}/kesh-valdrune.6.gz DESTINATION ${KESH_INSTALL_MAN_DIR})

# The Debian package. dpkg-shlibdeps works out the run-time libraries from
# what the program really links (GLUT, GLU, the GL dispatch library).
set(KESH_PACKAGE_MAINTAINER "Kesh Valdrune maintainers <maintainers@kesh-valdrune.invalid>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kesh-valdrune)
set(CPACK_PACKAGE_VENDOR "Kesh Valdrune")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3-D demonstration: a turning stage of four scenes")
set(CPACK_PACKAGE_DESCRIPTION
    "A 1024 x 768 OpenGL window shows the program's name flying in, then a\n"
    "turning stage with four animated scenes: a swaying tree (wind), a turning\n"
    "landscape (earth), exploding fireballs (fire) and a rippling pool (water).\n"
    "Keys and a right-button menu turn the stage, zoom and trigger the effects.\n"
    "Mesa's software renderer is enough to run it.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KESH_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The GL dispatch library finds its driver at run time; Mesa's drivers draw
# without a graphics card.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xvfb")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
