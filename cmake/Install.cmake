# Installation and the Debian package.
#   cmake --install BUILD --prefix PREFIX   the programs, the desktop entry, the icon
#   cpack --config BUILD/CPackConfig.cmake  (or: cmake --build BUILD --target package)
include(GNUInstallDirs)

if(TELVANE_GUI)
  install(TARGETS telvane telvane-bench telvane-ops RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/telvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  # The icon as the main window draws it, written at build time.
  add_executable(make_icon ${PROJECT_SOURCE_DIR}/packaging/make_icon.cpp)
  target_link_libraries(make_icon PRIVATE telvane_shell Qt6::Widgets)
  set(TELVANE_ICON ${PROJECT_BINARY_DIR}/packaging/telvane.png)
  add_custom_command(OUTPUT ${TELVANE_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:make_icon> ${TELVANE_ICON}
    DEPENDS make_icon
    COMMENT "Drawing the 32 x 32 icon")
  add_custom_target(telvane_icon ALL DEPENDS ${TELVANE_ICON})
  install(FILES ${TELVANE_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The TELVANE Project")
set(CPACK_PACKAGE_CONTACT "The TELVANE Project <telvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CCD image processing benchmark and image viewer for astronomers")
set(CPACK_PACKAGE_DESCRIPTION
    "One click measures how fast the machine allocates sample planes, writes and reads FITS frames, "
    "shows them in image windows, stacks them and convolves the stack. A viewer and a small toolkit "
    "for CCD pictures come with it. telvane-bench runs the benchmark without a screen.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/telvane")
# The libraries the programs link (Qt 6, the C++ and OpenMP run-times) as
# dpkg-shlibdeps finds them, plus what they load at run time: Qt's platform
# plugins and the Japanese fonts of the window layouts (IPA, Noto as fallback).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
include(CPack)
