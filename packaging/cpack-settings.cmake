# The Debian package tieba-search, made by `cpack -G DEB` from the project's install rules.
# scripts/package.sh configures the build for the /usr prefix first: the program looks for its
# skin library in the directory it was built for, so the package keeps the build's prefix.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tieba-search)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Tieba Search developers")
set(CPACK_PACKAGE_CONTACT "Tieba Search developers <tieba-search@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop search tool for Baidu Tieba posts")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A single-window program that searches the posts of a Baidu Tieba bar for a target, lists "
  "their titles and addresses nine rows a page, steps through the result pages, reads the "
  "search's navigation text and last page number, and copies a post's full address.")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# What no library link shows: the Qt platform plug-ins and a font with Chinese characters.
set(tieba_unlinked_depends "qt6-qpa-plugins, fonts-noto-cjk | fonts-arphic-ukai")
# Where dpkg-shlibdeps is installed (dpkg-dev) it names the linked libraries with their versions;
# without it they are listed by hand.
find_program(TIEBA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TIEBA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${tieba_unlinked_depends}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6, libqt6gui6, libqt6core6, libcurl4, libicu72, libpcre2-16-0, ${tieba_unlinked_depends}")
endif()
# The window's Kai and Song labels look their part with these two.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-ukai, fonts-arphic-uming")

# The program is stripped; the skin library is installed as a file, already stripped and padded
# to its exact length, so stripping leaves it alone.
set(CPACK_STRIP_FILES ON)

set(TIEBA_PROGRAM_DIR "${CMAKE_INSTALL_FULL_BINDIR}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/prerm.in" "${PROJECT_BINARY_DIR}/packaging/prerm" @ONLY)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_BINARY_DIR}/packaging/prerm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Packaging: the prefix is ${CMAKE_INSTALL_PREFIX}; scripts/package.sh builds the Debian package for /usr")
endif()

include(CPack)
